// qrvctl's radio verbs against qrv-radiosim on pseudo-terminals, through
// QSerialPort: what the radio holds afterwards, what the program shows, and
// what each failure leaves changed.
#include "cli_messages.h"
#include "fleet/fleet_radio.h"
#include "qrvctl_fixture.h"
#include "radio_data/messages.h"
#include "radio_link/radio_messages.h"
#include "radiosim_process.h"
#include "record_test_support.h"
#include "records/embedded_message_data.h"

#include <QElapsedTimer>

#include <numeric>

namespace qrv {
namespace {

using sim::test::CRadioSimProcess;

// The hex bytes of the lines of a trace or a simulator log whose word after the time is `tag`.
std::vector<std::string> HexLines(const std::filesystem::path& path, const std::string& tag)
{
    const std::regex pattern("^ *[0-9.]+ (ms +)?" + tag + " +(.*)$");
    std::vector<std::string> lines;
    std::smatch match;
    for (const std::string& line : Split(test::ReadText(path), '\n'))
        if (std::regex_match(line, match, pattern))
            lines.push_back(match[2]);
    return lines;
}

// The one file in a folder and below, whose name ends so.
std::filesystem::path OneFile(const std::filesystem::path& folder, const std::string& ending)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, ec))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    EXPECT_EQ(files.size(), 1u) << folder;
    EXPECT_TRUE(files.size() == 1 && files[0].filename().string().ends_with(ending)) << folder;
    return files.empty() ? folder : files[0];
}

class QrvctlRadioTest : public test::CQrvctlTest {
protected:
    void SetUp() override
    {
        CQrvctlTest::SetUp();
        // The radio's memory: a pattern no codeplug holds, so that every byte
        // the program wrote can be told from one it left alone.
        m_radio = test::PatternImage(7, 3);
        m_radio[0x128] = 0x48; // the radio's manual tune switch is on, its other bits unlike a codeplug's
        WriteImage("radio.dat", m_radio);
    }

    // qrv-radiosim serving these radios, each on a terminal of its own: radio n
    // starts with the fixture's memory unless its options say otherwise, is saved
    // as after<n>.dat when the simulator ends, and logs its frames in sim<n>.log.
    std::unique_ptr<CRadioSimProcess> Simulator(const std::vector<std::vector<std::string>>& radios)
    {
        std::vector<std::string> args;
        for (std::size_t n = 0; n < radios.size(); ++n) {
            if (n > 0)
                args.push_back("--radio");
            args.insert(args.end(), {"--image", File("radio.dat"), "--save", File(Numbered("after", n, ".dat")),
                                     "--log", File(Numbered("sim", n, ".log"))});
            for (const auto& a : radios[n])
                args.push_back(Expand(a));
        }
        auto sim = std::make_unique<CRadioSimProcess>(args, radios.size());
        EXPECT_TRUE(sim->Started());
        return sim;
    }

    static std::string Numbered(const char* stem, std::size_t n, const char* extension)
    {
        return stem + std::to_string(n) + extension;
    }

    // The trace holds every frame the radio got, and every byte it sent whatever chunks they came in.
    void ExpectTraceOfLog(const std::string& trace, const std::string& log)
    {
        const auto bytes = [this](const std::string& file, const char* tag) {
            const auto lines = HexLines(m_dir / file, tag);
            return std::accumulate(lines.begin(), lines.end(), std::string(),
                                   [](auto a, auto b) { return a + b + " "; });
        };
        const auto sent = HexLines(m_dir / trace, "TX");
        ASSERT_FALSE(sent.empty());
        EXPECT_EQ(sent.front(), "02 50 61 03"); // the handshake
        EXPECT_EQ(sent, HexLines(m_dir / log, "RX"));
        EXPECT_EQ(bytes(trace, "RX"), bytes(log, "TX"));
        EXPECT_EQ(HexLines(m_dir / trace, "OPEN").size(), 1u);
    }

    // The last line of a simulator's log: the mode it was left in.
    bool LeftInNormalMode(std::size_t n)
    {
        return test::ReadText(m_dir / Numbered("sim", n, ".log")).ends_with("END mode 1\n");
    }

    Image m_radio{};
};

// Each row drives a radio of its own on its own terminal, all at once, and
// shows what ExpectShown says. Refusals come before a frame reaches the radio.
// The transfer's own tests pin every failure; here one of each kind the
// program shows: before the transfer, during a read, before a write, during a
// write and at the read-back. A failure says whether the radio may hold part
// of the codeplug; every row changes in the radio only what it may reach.
TEST_F(QrvctlRadioTest, VerbTable)
{
    WriteImage("changed.dat", m_doc, {{0x586, m_doc[0x586] ^ 0x01}});
    WriteImage("invalid.dat", m_doc, {{0x580 + 18, 9}}); // channel 1 names a personality the codeplug does not have
    const auto password = CEmbeddedMessageData::PasswordField("Secret 1");
    ASSERT_TRUE(password);
    const Image locked = test::Overlaid(m_doc, CEmbeddedMessageData::kImageOffset, test::Slice(*password));
    WriteImage("locked.dat", locked);
    for (const char* file : {"ro.dat", "ro.txt"}) {
        test::WriteText(m_dir / file, "locked");
        std::filesystem::permissions(m_dir / file, std::filesystem::perms::owner_read);
    }
    // With a damaged Settings.ini the radio alone tells the identity.
    m_settings = "[Setting]\nModelID=QL\x01\nModelName=QL\x1B\nFreqRange=x\n";
    test::WriteText(m_dir / "Settings.ini", *m_settings);
    enum Reach { kNothing, kMessages, kCodeplug, kPartial }; // what a row may change in the radio
    struct Case {
        const char* name;
        std::vector<std::string> radio;
        std::vector<std::string> args; // and --port, the radio's terminal
        int exitCode;
        std::vector<std::string> out;
        std::vector<test::CShown> err;
        Reach reach = kNothing; // kPartial: the radio may hold part of the codeplug
        bool reachesTheRadio = true;
    };
    const std::string pass = "--password";
    const std::vector<std::string> failedRead{"read", "--no-backup", "-o", "@failed.dat", "--trace"};
    const std::vector<std::string> failedWrite{"write", "@doc.dat", "--no-backup", "--trace"};
    // clang-format off
    const Case cases[] = {
        {"read, option before verb", {}, {"--trace", "@trace0.txt", "read", "-o", "@read.dat"}, 0, {}, {"Reading 100%"}},
        {"read to read-only files", {}, {"read", "--no-backup", "-o", "@ro.dat", "--trace", "@ro.txt"}, 1, {},
         {{msg::kSaveReadOnly, "@ro.dat"}, {msg::kSaveReadOnly, "@ro.txt"}}},
        {"write", {}, {"write", "--backup-dir", "@backups", "@doc.dat"}, 0, {}, {"Writing 100%"}, kCodeplug},
        {"write unverified misses a lost block", {"--drop-write-at", "0x100"}, {"write", "--no-verify", "--no-backup",
         "@doc.dat"}, 0, {}, {"Writing 100%"}, kCodeplug},
        {"compare equal", {"--image", "@doc.dat"}, {"compare", "@doc.dat"}, 0, {}, {}},
        {"compare finds a field", {"--image", "@changed.dat"}, {"compare", "@doc.dat"}, 1,
         {"Channel 1, Rx frequency (0x584): "}, {}},
        {"compare other model", {"--model-id", "QL211"}, {"compare", "@doc.dat"}, 2, {}, {msg::kModelMismatch}},
        {"identify", {}, {"identify"}, 0, {"Model name:       QL-210\n", "400-470 MHz"}, {}},
        {"messages write", {}, {"messages", "write", "@locked.dat", pass, "Secret 1"}, 0, {}, {}, kMessages},
        {"messages read", {"--image", "@locked.dat"}, {"messages", "read", "-o", "@back.dat"}, 0, {"1: "}, {}},
        {"write fails the checks", {}, {"write", "@invalid.dat"}, 1, {}, {climsg::kDataFailsChecks}, kNothing, false},
        {"password too long", {}, {"messages", "write", "@doc.dat", pass, "123456789"},
         1, {}, {msg::kPasswordTooLong}, kNothing, false},
        {"password needed", {}, {"messages", "write", "@locked.dat"}, 1, {}, {climsg::kPasswordNeeded}, kNothing, false},
        {"password letter case", {}, {"messages", "write", "@locked.dat", pass, "secret 1"},
         1, {}, {msg::kWrongPassword}, kNothing, false},
        {"silent radio", {"--silent"}, failedRead, 1, {}, {msg::kNoRadioAnswer}},
        {"block read fails", {"--bad-checksum-at", "0x7F0"}, failedRead, 1, {}, {{msg::kRadioReadFailed, "2032"}}},
        {"range outside the radio", {"--range", "136-174"}, failedWrite, 1, {}, {{msg::kRangeOutsideRadio, "136-174"}}},
        {"later block refused", {"--refuse-write-at", "0x200"}, failedWrite, 1, {}, {{msg::kRadioWriteFailed, "504"}},
         kPartial},
        {"block acknowledged, not stored", {"--drop-write-at", "0x200"}, failedWrite, 1, {},
         {{msg::kVerifyFailed, "0x01F8-0x0207"}}, kPartial},
    };
    // clang-format on
    std::vector<std::vector<std::string>> radios;
    std::vector<std::vector<std::string>> runs;
    for (const Case& c : cases)
        radios.push_back(c.radio);
    const auto sim = Simulator(radios);
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        runs.push_back(cases[n].args);
        if (runs.back().back() == "--trace")
            runs.back().push_back("@" + Numbered("trace", n, ".txt"));
        runs.back().insert(runs.back().end(), {"--port", sim->Ports()[n]});
    }
    QElapsedTimer timer;
    timer.start();
    const auto results = RunAll(runs);
    EXPECT_LT(timer.elapsed(), 20000);
    ASSERT_TRUE(sim->Stop());
    const std::string partial = Split(Message(msg::kPartialCodeplugNoBackup), '\n').front();
    for (std::size_t n = 0; n < std::size(cases); ++n) {
        const Case& c = cases[n];
        SCOPED_TRACE(c.name);
        ExpectShown(results[n], c.exitCode, c.out, c.err);
        EXPECT_NE(HexLines(m_dir / Numbered("sim", n, ".log"), "RX").empty(), c.reachesTheRadio);
        EXPECT_TRUE(LeftInNormalMode(n));
        EXPECT_EQ(results[n].err.find(partial) != std::string::npos, c.reach == kPartial) << results[n].err;
        if (std::filesystem::exists(m_dir / Numbered("trace", n, ".txt")))
            ExpectTraceOfLog(Numbered("trace", n, ".txt"), Numbered("sim", n, ".log"));
        // The radio keeps its tune switch, and all that the row may not reach.
        const auto image = std::find(c.radio.begin(), c.radio.end(), "--image");
        const Image before = image != c.radio.end() ? ImageOf(image[1].substr(1)) : m_radio;
        const Image after = ImageOf(Numbered("after", n, ".dat"));
        EXPECT_EQ(after[0x128] & 0x08, before[0x128] & 0x08) << "the radio's tune switch";
        for (std::size_t o = 0; o < kImageSize; ++o) {
            const bool codeplug = (o >= 0x020 && o <= 0x027) || (o >= 0x078 && o <= 0x30F) || o >= 0x580;
            const bool messages = o >= 0x400 && o < 0x490;
            ASSERT_TRUE((c.reach >= kCodeplug ? codeplug : c.reach == kMessages && messages) || after[o] == before[o])
                << std::hex << " at " << o;
        }
    }
    EXPECT_EQ(ImageOf("doc.dat"), m_doc); // the document stays as it was
    EXPECT_FALSE(std::filesystem::exists(m_dir / "failed.dat"));
    // The read: every byte the radio sent, with the radio's identity, a
    // backup in the user's data folder, and a trace of every frame.
    EXPECT_EQ(ImageOf("read.dat"), m_radio);
    DataFileHeader header;
    ASSERT_TRUE(ReadHeader(m_dir / "read.dat", header));
    EXPECT_EQ(std::tuple(header.ModelId(), header.ModelName(), header.LowerLimit(), header.UpperLimit()),
              std::tuple("QL210", "QL-210", 400, 470));
    const auto backup = OneFile(m_dir / "xdg", "_QL-210_read.dat"); // none of the others, given --no-backup
    EXPECT_EQ(backup.parent_path(), m_dir / "xdg/QRV/qrv/backups");
    EXPECT_EQ(ImageOf(backup), m_radio);
    EXPECT_EQ(test::ReadText(m_dir / "ro.dat") + test::ReadText(m_dir / "ro.txt"), "lockedlocked");
    // The write: the ranges it owns but the radio's own tune switch bit, and
    // the date stamp; the backup holds the codeplug exactly as it was sent.
    Image sent = m_doc;
    sent[0x128] = static_cast<std::uint8_t>((sent[0x128] & ~0x08) | (m_radio[0x128] & 0x08));
    const Image after = ImageOf("after2.dat");
    EXPECT_TRUE(std::equal(sent.begin() + 0x078, sent.begin() + 0x310, after.begin() + 0x078));
    EXPECT_TRUE(std::equal(sent.begin() + 0x580, sent.end(), after.begin() + 0x580));
    EXPECT_EQ(after[0x027], 0);
    EXPECT_EQ(after[0x026], 20); // the century of the stamp
    EXPECT_EQ(ImageOf(OneFile(m_dir / "backups", "_QL-210_write.dat")), sent);
    ASSERT_NE(m_doc[0x100], m_radio[0x100]);
    EXPECT_EQ(ImageOf("after3.dat")[0x100], m_radio[0x100]);
    // The message block goes both ways.
    for (const Image& holder : {ImageOf("after8.dat"), ImageOf("back.dat")})
        EXPECT_EQ(test::Slice(holder, 0x400, 0x90), test::Slice(locked, 0x400, 0x90));
}

TEST_F(QrvctlRadioTest, ARadioThatVanishesEndsTheReadWithAMessage)
{
    const auto sim = Simulator({{}});
    const auto process = test::Start(Command({"read", "--port", sim->Ports()[0], "-o", "@read.dat"}));
    QProcess& qrvctl = *process;
    qrvctl.setReadChannel(QProcess::StandardError);
    // Let the transfer get under way, then pull the plug.
    QByteArray seen;
    while (!seen.contains("Reading 10%")) {
        ASSERT_TRUE(qrvctl.waitForReadyRead(15000));
        seen += qrvctl.readAllStandardError();
    }
    sim->Stop(SIGKILL);
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(qrvctl.waitForFinished(15000));
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(qrvctl.exitCode(), 1);
    const std::string failed = Message(msg::kRadioReadFailed).substr(0, 10);
    EXPECT_TRUE(qrvctl.readAllStandardError().contains(QByteArray::fromStdString(failed)));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "read.dat"));
}

// One codeplug into three radios at once, the second of which refuses a
// block, and into three plugged in turn on one cable, the third the first one
// again, left alone as written already in the run: a line and a log row for
// each, each radio left in normal mode, and an exit code that says whether
// every radio holds the codeplug.
TEST_F(QrvctlRadioTest, FleetWritesReportEachRadio)
{
    // A radio is gone when a whole handshake fails: the swap pause is longer.
    // clang-format off
    const auto sim = Simulator({{"--serial", "SN-0"}, {"--serial", "SN-1", "--refuse-write-at", "0x200"},
        {"--serial", "SN-2"},
        {"--serial", "SN-1", "--swap-pause", "1500", "--then", "--image", "@radio.dat", "--serial", "SN-2", "--save",
         "@after4.dat", "--then", "--image", "@radio.dat", "--serial", "SN-1", "--save", "@after5.dat"}});
    // clang-format on
    std::vector<std::string> atOnce{"write", "@doc.dat", "--no-backup", "--log", "@fleet.csv"};
    for (std::size_t n = 0; n < 3; ++n)
        atOnce.insert(atOnce.end(), {"--port", sim->Ports()[n]});
    const auto runs = RunAll({atOnce,
                              {"write", "@doc.dat", "--port", sim->Ports()[3], "--next", "3", "--no-backup",
                               "--no-verify", "--log", "@next.csv"}});
    ASSERT_TRUE(sim->Stop());
    EXPECT_EQ(runs[0].exitCode, 1) << runs[0].err;
    EXPECT_EQ(runs[1].exitCode, 0) << runs[1].err;
    std::vector<std::string> rows = Split(runs[0].out + runs[1].out, '\n');
    rows.pop_back(); // after the last line end
    ASSERT_EQ(rows.size(), 6u) << runs[0].out << runs[1].out;
    // Each row: the terminal, the outcome and serial number, and what the radio holds
    // apart from its own tune switch word (0x127): the codeplug, not it, or its own memory.
    const std::tuple<std::size_t, const char*, const Image*> expected[] = {
        {0, "\tverified\tSN-0\t", &m_doc}, {1, "\tfailed\tSN-1\t", nullptr}, {2, "\tverified\tSN-2\t", &m_doc},
        {3, "\twritten\tSN-1\t", &m_doc},  {3, "\twritten\tSN-2\t", &m_doc}, {3, "\tskipped\tSN-1\t", &m_radio}};
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const auto& [port, outcome, memory] = expected[n];
        EXPECT_TRUE(rows[n].starts_with(sim->Ports()[port] + "\t")) << rows[n];
        EXPECT_TRUE(test::Holds(rows[n], outcome));
        const Image after = ImageOf(Numbered("after", n, ".dat"));
        const Image& want = memory != nullptr ? *memory : m_doc;
        EXPECT_EQ(std::equal(want.begin() + 0x078, want.begin() + 0x127, after.begin() + 0x078) &&
                      std::equal(want.begin() + 0x129, want.begin() + 0x310, after.begin() + 0x129),
                  memory != nullptr)
            << n;
        EXPECT_TRUE(n > 3 || LeftInNormalMode(n)) << n;
    }
    EXPECT_TRUE(test::Holds(rows[1], Message(msg::kRadioWriteFailed, "504"))); // the block at 0x1F8
    EXPECT_TRUE(test::Holds(rows[5], Message(kAlreadyWritten, "SN-1")));
    const std::string log = test::ReadText(m_dir / "fleet.csv");
    EXPECT_TRUE(log.starts_with("Time,Port,ModelID,ModelName,SerialNumber,Range,Result,Address,Reason,Checksum\r\n"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;
    EXPECT_TRUE(test::Holds(log, ",failed,0x1F8,"));
    const std::string next = test::ReadText(m_dir / "next.csv");
    EXPECT_EQ(std::count(next.begin(), next.end(), '\n'), 4) << next;
}

} // namespace
} // namespace qrv
