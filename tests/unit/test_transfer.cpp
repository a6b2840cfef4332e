// Read from Radio, Write to Radio and the factory exchanges against the
// simulated radio in process: every way they can fail, with the message and
// exactly what changed in the radio and in the document. The message,
// password and factory exchanges when all goes well, the comparison of a
// write with what the radio gave back, and the embedded message block, its
// edit record and the radio password's rules.
#include "radio_data/messages.h"
#include "radio_link/codeplug_transfer.h"
#include "radio_link/factory_link.h"
#include "radio_link/message_transfer.h"
#include "radio_link/radio_messages.h"
#include "radio_link/write_verify.h"
#include "records/adjustment_data.h"
#include "records/embedded_message_data.h"
#include "records/radio_info_data.h"

#include "link_fixture.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <set>

namespace qrv {
namespace {

using sim::CSimFaults;
using sim::CSimIdentity;
using test::Bytes;
using test::Slice;
using Direction = CCodeplugTransfer::Direction;

enum class Op { Read, Write, BaseBand, TuneData, FactoryModel, TuneSwitch, MessageRead, EnterWriteMode };

class TransferTest : public test::RadioFixture {
public:
    CTransferResult Transfer(CRadioLink& link, Direction direction)
    {
        Image& image = direction == Direction::Read ? buffer : data.GetImage();
        CCodeplugTransfer transfer(direction, link, Settings(), data.Identity(), image);
        const CDocumentIdentity before = data.Identity();
        const std::string portBefore = Settings().PortName;
        transfer.SetStopRequest(&stop);
        CTransferResult result = transfer.Prepare({"sim", {}}, MakeLocalTime(2011, 3, 7, 14, 5, 9));
        if (result.ok)
            result = transfer.Run([this](int percent) {
                progress.push_back(percent);
                stop = stop || progress.size() == stopAfterBlocks;
            });
        // What may run on a worker thread leaves the document and the settings alone; Finish applies the outcome.
        EXPECT_EQ(data.Identity(), before);
        EXPECT_EQ(Settings().PortName, portBefore);
        transfer.Finish(result, data, ranges, [](int, int) { return false; });
        return result;
    }

    CTransferResult Run(Op op)
    {
        const auto link = test::SimLink(radio, present);
        const CPortChoice ports{"sim", {}};
        CRadioInfoData info;
        info.SetDefaults();
        CAdjustmentData tune;
        tune.SetDefaults();
        CTransferResult result;
        switch (op) {
        case Op::Read:
        case Op::Write:
            result = Transfer(*link, op == Op::Read ? Direction::Read : Direction::Write);
            break;
        case Op::FactoryModel:
            result = WriteFactoryModel(*link, ports, info);
            break;
        case Op::TuneSwitch:
            result = WriteTuneSwitch(*link, ports, false);
            break;
        case Op::MessageRead: {
            // Read straight into the document's image: a failed read must leave it alone.
            MessageBlock block{};
            std::copy_n(data.GetImage().begin() + 0x400, block.size(), block.begin());
            CMessageTransfer transfer(*link, Settings(), data.Identity());
            result = transfer.Read(ports, block);
            std::copy(block.begin(), block.end(), data.GetImage().begin() + 0x400);
            break;
        }
        default:
            result = EnterRadioMode(*link, Settings(), data.Identity(), ports, CRadioLink::kModeWrite);
            if (result.ok && op == Op::BaseBand)
                result = WriteBaseBand(*link, tune);
            else if (result.ok && op == Op::TuneData)
                result = WriteTuneData(*link, tune, data.GetImage());
            LeaveRadioMode(*link);
        }
        EXPECT_FALSE(link->IsOpen());
        return result;
    }

    Image buffer{};
    std::vector<int> progress;
    std::atomic<bool> stop{false};
    std::size_t stopAfterBlocks = 0; // the user stops the write when this many blocks went out (0: never)
    bool present = true;
};

// What an operation may write in the radio.
const std::map<Op, std::vector<CCodeplugTransfer::CRange>> kWrittenBy{
    {Op::Write, {{0x020, 0x027}, {0x078, 0x30F}, {0x580, 0x7FF}}},
    {Op::BaseBand, {{0x3E9, 0x3FF}}},
    {Op::TuneData, {{0x340, 0x3FF}}},
    {Op::FactoryModel, {{0x010, 0x01F}, {0x028, 0x02F}, {0x068, 0x077}}},
    {Op::TuneSwitch, {{0x127, 0x128}}},
};
bool Inside(Op op, std::size_t address)
{
    const auto ranges = kWrittenBy.find(op);
    return ranges != kWrittenBy.end() && std::any_of(ranges->second.begin(), ranges->second.end(), [&](const auto& r) {
               return address >= r.first && address <= r.last;
           });
}

using Setup = std::function<void(TransferTest&)>;
template <typename T, typename V> Setup Fault(T CSimFaults::*field, V value)
{
    return [=](TransferTest& t) { t.radio.Faults().*field = value; };
}
template <typename T, typename V> Setup Radio(T CSimIdentity::*field, V value)
{
    return [=](TransferTest& t) { t.radio.Identity().*field = value; };
}

// What the failed operation left of the radio's identity in the document.
enum class Taken { Nothing, Version, VersionAndRange };

struct CFaultRow {
    const char* name;
    Op op;
    Setup radio; // what the radio (or the user) does
    int message;
    std::string argument = "";
    std::uint32_t address = 0;
    int partialNote = 0; // none: the radio got no block write at all
    Taken taken = Taken::Nothing;
    friend void PrintTo(const CFaultRow& row, std::ostream* out) { *out << row.name; }
};

using enum Op;
using F = CSimFaults;
const auto kRange136 = Radio(&CSimIdentity::range, CSimIdentity::RangeBlock(0x80, 136, 174));
const auto kLostPort = [](TransferTest& t) { t.present = false; };
constexpr int kPartial = msg::kPartialCodeplug;
constexpr int kValues = msg::kPartialValues;
constexpr Taken kVersion = Taken::Version;

// clang-format off
const CFaultRow kFaults[] = {
    {"NoPort", Read, kLostPort, msg::kNoRadioAnswer},
    {"NoRadio", Read, Fault(&F::silent, true), msg::kNoRadioAnswer},
    {"IdentityQueriesFail", Read, Fault(&F::vanishAfterFrames, 1), msg::kRadioIdentityFailed},
    {"ModelNameWithLineBreak", Read, Radio(&CSimIdentity::modelName, "QL-210\r\n"), msg::kRadioIdentityFailed},
    {"FirmwareLongerThanItsField", Write, Radio(&CSimIdentity::firmware, "1.01.05.001.0000"),
     msg::kRadioIdentityFailed},
    {"OtherModelName", Read, Radio(&CSimIdentity::modelName, "QL-999"), msg::kModelMismatch},
    {"NewerFirmware", Read, Radio(&CSimIdentity::firmware, "1.02.00.000"), msg::kNewerVersion, "1.02"},
    {"OtherModelOnWrite", Write, Radio(&CSimIdentity::modelId, "QL211"), msg::kModelMismatch},
    {"RangeOutsideTheRadio", Write, kRange136, msg::kRangeOutsideRadio, "136-174", 0, 0, kVersion},
    {"ModeNotAnswered", Read, Fault(&F::refuseMode, true), msg::kNoRadioAnswer, "", 0, 0, Taken::VersionAndRange},
    {"BlockBadChecksum", Read, Fault(&F::badChecksumAt, 0x7F0u), msg::kRadioReadFailed, "", 0x7F0, 0, kVersion},
    {"BlockReplyLost", Read, Fault(&F::silentReadAt, 0x200u), msg::kRadioReadFailed, "", 0x200, 0, kVersion},
    {"TuneSwitchUnanswered", Write, Fault(&F::silentReadAt, 0x127u), msg::kTuneSwitchUnread, "", 0x127, 0, kVersion},
    {"TuneSwitchBlockRefused", Write, Fault(&F::refuseWriteAt, 0x128u), msg::kRadioWriteFailed, "", 0x128, kPartial,
     kVersion},
    {"LaterBlockRefused", Write, Fault(&F::refuseWriteAt, 0x200u), msg::kRadioWriteFailed, "", 0x1F8, kPartial,
     kVersion},
    {"StampRefused", Write, Fault(&F::refuseWriteAt, 0x020u), msg::kRadioWriteFailed, "", 0x020, kPartial, kVersion},
    {"BlockAcknowledgedNotStored", Write, Fault(&F::dropWriteAt, 0x105u), msg::kVerifyFailed, "0x00F8-0x0107", 0x0F8,
     kPartial, kVersion},
    {"ReadBackLost", Write, Fault(&F::silentReadAt, 0x078u), msg::kVerifyReadFailed, "", 0x078, kPartial, kVersion},
    {"StoppedBeforeTheFirstBlock", Write, [](TransferTest& t) { t.stop = true; }, msg::kWriteStopped, "", 0x078, 0,
     kVersion},
    {"StoppedAfterTenBlocks", Write, [](TransferTest& t) { t.stopAfterBlocks = 10; }, msg::kWriteStopped, "",
     0x078 + 10 * 16, kPartial, kVersion},
    {"BaseBandFirstBlockRefused", BaseBand, Fault(&F::refuseWriteAt, 0x3E9u), msg::kRadioWriteFailed, "", 0x3E9,
     kValues, kVersion},
    {"BaseBandBlockLost", BaseBand, Fault(&F::dropWriteAt, 0x3F9u), msg::kVerifyFailed, "0x03F9-0x03FF", 0x3F9,
     kValues, kVersion},
    {"TuneDataBlockLost", TuneData, Fault(&F::dropWriteAt, 0x3A0u), msg::kVerifyFailed, "0x03A0-0x03AF", 0x3A0,
     kValues, kVersion},
    {"EnterWriteModeRangeOutside", EnterWriteMode, kRange136, msg::kRangeOutsideRadio, "136-174", 0, 0, kVersion},
    {"FactoryModelBlockRefused", FactoryModel, Fault(&F::refuseWriteAt, 0x068u), msg::kRadioWriteFailed, "", 0x068,
     kValues},
    {"FactoryModelBlockLost", FactoryModel, Fault(&F::dropWriteAt, 0x06Cu), msg::kVerifyFailed, "0x006C-0x0077", 0x06C,
     kValues},
    {"TuneSwitchWriteLost", TuneSwitch, Fault(&F::dropWriteAt, 0x127u), msg::kVerifyFailed, "0x0128", 0x128, kValues},
    {"MessageReadBadChecksum", MessageRead, Fault(&F::badChecksumAt, 0x430u), msg::kRadioReadFailed, "", 0x430},
    {"MessageReadOtherModel", MessageRead, Radio(&CSimIdentity::modelId, "QL211"), msg::kModelMismatch},
};
// clang-format on

class TransferFaultTest : public TransferTest, public ::testing::WithParamInterface<CFaultRow> {};

TEST_P(TransferFaultTest, MessageAndWhatChanged)
{
    const CFaultRow& row = GetParam();
    data.Identity().freqRange = row.op == Read ? "136-174" : "400-470";
    data.Identity().radioDataVersion = "1.00.07.001";
    row.radio(*this);
    const CDocumentIdentity before = data.Identity();
    const Image document = data.GetImage();
    const CTransferResult r = Run(row.op);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, row.message);
    EXPECT_EQ(r.argument, row.argument);
    EXPECT_EQ(r.address, row.address);
    EXPECT_EQ(r.partialNote, row.partialNote);
    EXPECT_EQ(r.noRadio, row.message == msg::kNoRadioAnswer && row.taken == Taken::Nothing);

    // The radio: back in mode 1, its tune switch kept, nothing written outside what the operation writes.
    EXPECT_EQ(radio.Mode(), 1);
    EXPECT_EQ(radio.Memory()[0x128] & 0x08, initialRadio[0x128] & 0x08) << "the radio's tune switch";
    if (row.partialNote == 0) {
        EXPECT_TRUE(radio.Writes().empty());
    }
    if (row.message != msg::kVerifyReadFailed) { // the block named was not stored
        EXPECT_EQ(radio.Memory()[row.address], initialRadio[row.address]);
    }
    for (std::size_t o = 0; o < kImageSize; ++o)
        if (!Inside(row.op, o)) {
            ASSERT_EQ(radio.Memory()[o], initialRadio[o]) << std::hex << o;
        }

    // The document: never its image; of the radio's identity only what the row says.
    EXPECT_EQ(data.GetImage(), document);
    EXPECT_EQ(data.Identity().modelName, before.modelName);
    EXPECT_EQ(data.Identity().radioDataVersion, row.taken == Taken::Nothing ? "1.00.07.001" : "1.01.05.001");
    EXPECT_EQ(data.Identity().freqRange, row.taken == Taken::VersionAndRange ? "400-470" : before.freqRange);
}

INSTANTIATE_TEST_SUITE_P(Rows, TransferFaultTest, ::testing::ValuesIn(kFaults),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(TransferTest, ReadTakesTheRadiosImageAndIdentity)
{
    radio.Faults().modeStatusC = true;         // a mode answered with status 'c' goes on
    radio.Identity().firmware = "1.01.99.999"; // only the first four characters are compared
    data.Identity().freqRange = "136-174";
    const auto r = Run(Read);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.message, msg::kRadioReadDone);
    EXPECT_TRUE(std::equal(initialRadio.begin(), initialRadio.end(), data.GetImage().begin()));
    EXPECT_EQ(data.Identity().freqRange, "400-470");
    EXPECT_EQ(data.Identity().radioDataVersion, "1.01.99.999");
    EXPECT_EQ(Settings().PreviousRange, "136-174");
    EXPECT_EQ(radio.Mode(), 1);
    ASSERT_EQ(progress.size(), 128u);
    EXPECT_EQ(progress[2], 1);
    EXPECT_EQ(progress.back(), 100);
}

TEST_F(TransferTest, WriteSendsItsRangesWithTheRadiosTuneSwitchThenTheStamp)
{
    const Image document = data.GetImage();
    ASSERT_TRUE(Run(Write).ok);
    for (const auto& [address, length] : radio.Writes())
        EXPECT_TRUE(Inside(Write, address) && Inside(Write, address + length - 1u)) << std::hex << address;
    for (std::size_t o = 0x078; o <= 0x30F; ++o)
        if (o != 0x128) {
            ASSERT_EQ(radio.Memory()[o], document[o]) << std::hex << o;
        }
    // The word goes out in its block with the radio's own switch and the
    // document's other bits, and the codeplug takes what the radio now holds.
    const std::uint8_t word = (document[0x128] & ~0x08) | 0x08;
    EXPECT_EQ(radio.Memory()[0x128], word);
    EXPECT_EQ(data.GetImage()[0x128], word);
    EXPECT_TRUE(data.Mode().TuneSwitch());
    EXPECT_EQ(radio.Memory()[0x310], initialRadio[0x310]); // tuning points: factory levels only
    const std::array<std::uint8_t, 8> stamp{9, 5, 14, 7, 3, 11, 20, 0};
    EXPECT_TRUE(std::equal(stamp.begin(), stamp.end(), radio.Memory().begin() + 0x20));
    EXPECT_TRUE(std::equal(stamp.begin(), stamp.end(), data.GetImage().begin() + 0x20));
    EXPECT_EQ(data.RadioInfo().LastProgrammedText(), "2011-03-07 14:05:09");
    ASSERT_EQ(progress.size(), 82u);
    EXPECT_EQ(progress.back(), 100);

    // After the stamp: mode 2, every block written read back with its own length (16, the last of a range
    // shorter), then mode 1.
    const auto frames = radio.ReceivedFrames();
    auto frame = std::find_if(frames.rbegin(), frames.rend(), [](const auto& f) {
                     return f[1] == 'E' && f[2] == 'a' && GetLe32(f, 5) == 0x20;
                 }).base();
    ASSERT_NE(frame, frames.end());
    EXPECT_EQ(*frame, (test::Bytes{0x02, 'M', 'a', 2, 0, 0x03}));
    std::set<std::pair<std::uint32_t, std::uint16_t>> readBack;
    for (++frame; frame != frames.end() && (*frame)[1] == 'E'; ++frame)
        readBack.insert({GetLe32(*frame, 3), GetLe16(*frame, 7)});
    ASSERT_NE(frame, frames.end());
    EXPECT_EQ(*frame, (test::Bytes{0x02, 'M', 'a', 1, 0, 0x03}));
    const auto writes = radio.Writes();
    EXPECT_EQ(readBack, std::set(writes.begin(), writes.end()));
    EXPECT_EQ(readBack.size(), 83u);
    EXPECT_TRUE(readBack.contains({0x020, 8}) && readBack.contains({0x308, 8}) && readBack.contains({0x7F0, 16}));
}

TEST_F(TransferTest, FactoryLevelsAlsoWriteTheTuningPoints)
{
    test::WriteText(program.Path() / "Settings.ini", "[User Mode]\nLevel=659\n");
    ASSERT_TRUE(Settings().IsFactoryLevel());
    ASSERT_TRUE(Run(Write).ok);
    EXPECT_EQ(progress.size(), 85u);
    const auto writes = radio.Writes();
    EXPECT_EQ(std::count(writes.begin(), writes.end(), std::pair<std::uint32_t, std::uint16_t>{0x330, 9}), 1);
    EXPECT_EQ(radio.Memory()[0x338], data.GetImage()[0x338]);
    EXPECT_EQ(radio.Memory()[0x339], initialRadio[0x339]);
}

class RadioOperationsTest : public test::RadioFixture {
protected:
    std::unique_ptr<CRadioLink> m_linkOwner = test::SimLink(radio);
    CRadioLink& m_link = *m_linkOwner;
    const CPortChoice m_ports{"sim", {}};
};

TEST_F(RadioOperationsTest, MessagesGoWhereTheCodeplugKeepsThem)
{
    MessageBlock block{};
    block.fill(0x41);
    CMessageTransfer transfer(m_link, Settings(), data.Identity());
    ASSERT_TRUE(transfer.Write(m_ports, block).ok);
    EXPECT_FALSE(m_link.IsOpen());
    for (std::size_t o = 0; o < 0x4A0; ++o)
        ASSERT_EQ(radio.Memory()[o], o >= 0x400 && o < 0x490 ? 0x41 : initialRadio[o]) << std::hex << o;

    MessageBlock back{};
    radio.Identity().range = sim::CSimIdentity::RangeBlock(0x80, 136, 174);
    ASSERT_TRUE(transfer.Read(m_ports, back).ok);
    EXPECT_EQ(back, block);
    EXPECT_EQ(radio.Mode(), 1);
    // The radio's range reaches the document only when handed over.
    EXPECT_EQ(data.Identity().freqRange, "400-470");
    transfer.ApplyTo(data.Identity(), Settings());
    EXPECT_EQ(data.Identity().freqRange, "136-174");

    block[0] = 'N';
    const std::size_t writes = radio.Writes().size();
    ASSERT_TRUE(transfer.WritePassword(m_ports, block).ok);
    ASSERT_EQ(radio.Writes().size(), writes + 1); // the first block only
    EXPECT_EQ(radio.Writes().back(), (std::pair<std::uint32_t, std::uint16_t>{0x400, 16}));
    EXPECT_EQ(radio.Memory()[0x400], 'N');
}

TEST(RadioPassword, ThreeTriesCaseSensitive)
{
    // The radio's password, what the user types in turn, whether it passes, how often asked and how often wrong.
    const std::tuple<std::string, std::vector<std::optional<std::string>>, bool, int, int> cases[] = {
        {"", {}, true, 0, 0},
        {"abc", {"abc"}, true, 1, 0},
        {"abc", {"ABC", "abc"}, true, 2, 1},
        {"abc", {"x", "y", "z", "abc"}, false, 3, 3},
        {"abc", {std::nullopt}, false, 1, 0},
    };
    for (const auto& [current, typed, passes, asked, wrong] : cases) {
        int askedNow = 0;
        int wrongNow = 0;
        const bool passed = VerifyRadioPassword(
            current,
            [&askedNow, &typed = typed]() -> std::optional<std::string> {
                const auto i = static_cast<std::size_t>(askedNow++);
                return i < typed.size() ? typed[i] : std::optional<std::string>("abc ");
            },
            [&wrongNow] { ++wrongNow; });
        EXPECT_EQ(std::tuple(passed, askedNow, wrongNow), std::tuple(passes, asked, wrong)) << current;
    }
}

TEST_F(RadioOperationsTest, AdjustModeTakesTheRadiosRangeAndMovesTheTuneData)
{
    radio.Identity().range = sim::CSimIdentity::RangeBlock(0x80, 136, 174);
    const auto entered = EnterRadioMode(m_link, Settings(), data.Identity(), m_ports, CRadioLink::kModeAdjust);
    ASSERT_TRUE(entered.ok);
    EXPECT_TRUE(entered.rangeChanged);
    EXPECT_EQ(data.Identity().freqRange, "136-174");
    EXPECT_EQ(radio.Mode(), 6);
    LeaveRadioMode(m_link);
    EXPECT_EQ(radio.Mode(), 1);
    EXPECT_FALSE(m_link.IsOpen());

    radio.Identity().range = sim::CSimIdentity::RangeBlock(0x01, 400, 470);
    data.Identity().freqRange = "400-470";
    ASSERT_TRUE(EnterRadioMode(m_link, Settings(), data.Identity(), m_ports, CRadioLink::kModeWrite).ok);
    CAdjustmentData tune;
    tune.SetDefaults();
    ASSERT_EQ(ReadBaseBand(m_link, tune).message, msg::kTuneRead);
    EXPECT_EQ(tune.BytesAt(0x3E9, 1)[0], initialRadio[0x3E9]);
    EXPECT_EQ(tune.BytesAt(0x3FF, 1)[0], initialRadio[0x3FF]);
    EXPECT_EQ(tune.BytesAt(0x3E8, 1)[0], 0xFF); // outside the base-band blocks
    tune.SetValue(0, 0x1234);
    Image image = test::FilledImage(0xFF);
    ASSERT_EQ(WriteTuneData(m_link, tune, image).message, msg::kTuneWritten);
    EXPECT_EQ(radio.Writes().size(), 12u);
    EXPECT_EQ(radio.Memory()[0x340], 0x34);
    EXPECT_EQ(image[0x341], 0x12);
    LeaveRadioMode(m_link);
}

TEST_F(RadioOperationsTest, FactoryModelAndTuneSwitch)
{
    CRadioInfoData info;
    info.SetDefaults();
    CRadioIdentity identity;
    ASSERT_TRUE(ReadFactoryModel(m_link, m_ports, info, identity).ok);
    EXPECT_EQ(info.Block()[0x028 - 0x010], initialRadio[0x028]);
    EXPECT_EQ(info.Block()[0x030 - 0x010], 0xFF); // not read
    EXPECT_EQ(identity.modelId, "QL210");

    info.SetModelName("QL-220");
    ASSERT_TRUE(WriteFactoryModel(m_link, m_ports, info).ok);
    EXPECT_EQ(radio.Memory()[0x010], 'Q');
    const std::array<std::uint8_t, 4> marker{0x55, 0xAA, 0xAA, 0x55};
    EXPECT_TRUE(std::equal(marker.begin(), marker.end(), radio.Memory().begin() + 0x068));
    EXPECT_EQ(radio.Memory()[0x048], info.Block()[0x048 - 0x010]);
    EXPECT_FALSE(m_link.IsOpen());

    for (const auto& [open, word] : {std::pair{false, 0x40}, {true, 0x48}}) {
        ASSERT_TRUE(WriteTuneSwitch(m_link, m_ports, open).ok);
        EXPECT_EQ(radio.Memory()[0x128], word) << open; // bit 3 only
    }
    EXPECT_EQ(radio.Mode(), 1);
}

// Between 0x078 and 0x30F: the bytes changed and the runs named.
TEST(DifferingRuns, NamesEveryDifferenceInTheRange)
{
    const Image sent = test::PatternImage(13, 0);
    const std::tuple<const char*, std::vector<std::uint32_t>, const char*> cases[] = {
        {"outside the range is not looked at", {0x077, 0x310, 0x200}, "0x0200"},
        {"the edges of the range", {0x078, 0x079, 0x30F}, "0x0078-0x0079, 0x030F"},
        {"eight runs, then an ellipsis",
         {0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0, 0x100},
         "0x0080, 0x0090, 0x00A0, 0x00B0, 0x00C0, 0x00D0, 0x00E0, 0x00F0, ..."},
    };
    for (const auto& [name, changed, text] : cases) {
        Image back = sent;
        for (const std::uint32_t a : changed)
            back[a] = static_cast<std::uint8_t>(~back[a]);
        EXPECT_EQ(DescribeRuns(DifferingRuns(sent, back, 0x078, 0x30F)), text) << name;
    }
}

TEST(RadioPasswordText, OnlyPrintableAsciiUpToTheFieldWidth)
{
    const std::pair<std::string, int> cases[] = {
        {"", 0},
        {" ~Az09!", 0}, // both ends of the printable range
        {"12345678", 0},
        {"123456789", msg::kPasswordTooLong},
        {"caf\xC3\xA9", msg::kPasswordNotAscii}, // an accented letter in UTF-8
        {"tab\t", msg::kPasswordNotAscii},
        {"del\x7F", msg::kPasswordNotAscii},
        {"\xE4\xB8\xAD\xE4\xB8\xAD\xE4\xB8\xAD", msg::kPasswordNotAscii}, // too long, but first of all not ASCII
    };
    for (const auto& [text, problem] : cases)
        EXPECT_EQ(RadioPasswordProblem(text), problem) << text;
}

TEST(RadioPasswordText, StoredAndTypedAreComparedAsThePaddedField)
{
    // Set through the record (as the password change stores it), typed, whether it opens; the
    // embedded window pins case and prefixes.
    const std::tuple<std::string, std::string, bool> cases[] = {
        {"ab  ", "ab", true}, {"ab", "ab ", true},
        {"a b", "ab", false}, {"12345678", "123456789", false},  // never cut to the field
        {"", "", true},       {"caf\xC3", "caf\xC3\xA9", false}, // a stored text cut mid-character
    };
    for (const auto& [set, typed, opens] : cases) {
        CEmbeddedMessageData data;
        ASSERT_TRUE(data.SetFieldText(CEmbeddedMessageData::kPasswordField, set));
        EXPECT_EQ(SameRadioPassword(data.Password(), typed), opens) << set << '|' << typed;
    }
}

TEST(EmbeddedMessageBlock, WholeBlocksOnlyAndStoringTheMessagesKeepsFieldsAAndB)
{
    const Bytes fields = {'1', '2', '3', 0x00, 0xAA, 0xBB, 0xCC, 0xDD, 0xFF, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07};
    CEmbeddedMessageData data;
    EXPECT_FALSE(data.SetBlock(Bytes(143, 'M'))); // the radio's block must be whole
    EXPECT_EQ(Slice(data.Block()), Bytes(144, 0x00));
    ASSERT_TRUE(data.SetBlock(test::Padded(fields, 144, 0x00)));
    EXPECT_EQ(Slice(data.FieldBBytes()), Slice(fields, 8));
    CEmbeddedMessageEditRecord edit;
    edit.Fill(data);
    EXPECT_EQ(std::pair(edit.texts[0], edit.texts[1]), (std::pair<std::string, std::string>("123", "")));
    edit.texts[2] = "Call base";
    edit.Take(data);
    Bytes expected = fields;
    const Bytes message = test::Padded(test::Text("Call base"), 32, ' ');
    expected.insert(expected.end(), message.begin(), message.end());
    EXPECT_EQ(Slice(data.Block()), test::Padded(expected, 144, 0x00)); // empty messages keep their zero bytes
}

} // namespace
} // namespace qrv
