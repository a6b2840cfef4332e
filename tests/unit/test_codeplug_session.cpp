// The data file's bytes as written and read back, and the codeplug session:
// new, open, save. Every reason a file cannot be opened is a row of one
// table, each with its message and nothing lost.
#include "session/codeplug_session.h"

#include "radio_data/data_file.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "record_test_support.h"

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace qrv {
namespace {

class DataFileTest : public ::testing::Test {
protected:
    bool Write(const std::filesystem::path& path, const std::string& comment,
               const std::vector<std::uint8_t>& extra = {})
    {
        CDataFile file;
        return file.SetHeader(FillHeader(m_identity, 0x81)) && file.WriteFile(path, extra, m_image, comment);
    }

    test::CTempDir m_dir;
    CDocumentIdentity m_identity{"QL210", "QL-210", "400-470", 3, "1.01.05.001-long-version-text"};
    Image m_image = test::PatternImage(7, 0);
};

TEST_F(DataFileTest, LayoutOfAWrittenFile)
{
    const auto path = m_dir / "a.dat";
    ASSERT_TRUE(Write(path, ""));
    const auto bytes = test::ReadBytes(path);
    ASSERT_EQ(bytes.size(), 2191u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "QRV");
    const std::vector<std::uint8_t> head(bytes.begin() + 3, bytes.begin() + 3 + 16);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{0x58, 0x48, 0x10, 0x10, 116, 0, 0, 0, 0, 0, 0, 0, 'Q', 'L', '2', '1'}));
    EXPECT_EQ(test::Slice(bytes, 3 + 44, 4), (test::Bytes{400 & 0xFF, 400 >> 8, 470 & 0xFF, 470 >> 8}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[3 + 52])), "1.01.05.001-lon"); // cut to 15
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&bytes[3 + 68])), "1.01.05.001");
    EXPECT_EQ(test::Slice(bytes, 3 + 84, 2), (test::Bytes{0x81, 3}));
    const std::vector<std::uint8_t> sections(bytes.begin() + 119, bytes.begin() + 143);
    EXPECT_EQ(sections,
              (std::vector<std::uint8_t>{0x58, 0x4D, 0x10, 0x10, 0,    0,    0,    0,    0x58, 0x46, 0x10, 0x10,
                                         0,    0,    0,    0,    0x58, 0x45, 0x10, 0x10, 0x00, 0x08, 0,    0}));
    EXPECT_TRUE(std::equal(m_image.begin(), m_image.end(), bytes.begin() + 143));

    DataFileHeader header;
    ASSERT_TRUE(ReadHeader(path, header));
    EXPECT_EQ(header.ModelId(), "QL210");
    EXPECT_EQ(header.ModelName(), "QL-210");
    EXPECT_EQ(header.LowerLimit(), 400);
    EXPECT_EQ(header.UpperLimit(), 470);
    header.bytes[1] = 'Y';
    EXPECT_FALSE(CDataFile().SetHeader(header)); // a header without its magic is never written

    // A comment and an extra section, read back; a save without a comment keeps the file's.
    const std::vector<std::uint8_t> extra{1, 2, 3, 4, 5};
    ASSERT_TRUE(Write(path, "Fleet A", extra));
    EXPECT_EQ(test::ReadBytes(path).size(), 2191u + 7 + 5);
    std::vector<std::uint8_t> readExtra;
    Image image{};
    ASSERT_TRUE(ReadBlocks(path, &readExtra, image));
    EXPECT_EQ(readExtra, extra); // skipped by whoever does not want it
    EXPECT_EQ(image, m_image);
    ASSERT_TRUE(Write(path, "")); // no new comment: the file's comment stays
    std::string comment;
    ASSERT_TRUE(ReadComment(path, comment));
    EXPECT_EQ(comment, "Fleet A");
    ASSERT_TRUE(Write(path, "Fleet B"));
    ASSERT_TRUE(ReadComment(path, comment));
    EXPECT_EQ(comment, "Fleet B");
    ASSERT_TRUE(Write(m_dir / "empty.dat", ""));
    EXPECT_FALSE(ReadComment(m_dir / "empty.dat", comment));
}

TEST_F(DataFileTest, EveryCutOfAFileIsRefusedWithoutTouchingTheImage)
{
    const auto path = m_dir / "whole.dat";
    ASSERT_TRUE(Write(path, "abc"));
    const auto bytes = test::ReadBytes(path);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const std::span<const std::uint8_t> cut(bytes.data(), length);
        Image image = test::FilledImage(0x5A);
        DataFileHeader header;
        EXPECT_EQ(ParseHeader(cut, header), length >= 119) << length;
        EXPECT_FALSE(ParseBlocks(cut, nullptr, image)) << length;
        EXPECT_TRUE(std::all_of(image.begin(), image.end(), [](auto b) { return b == 0x5A; })) << length;
    }
}

namespace fs = std::filesystem;

class CodeplugSessionTest : public ::testing::Test {
protected:
    CodeplugSessionTest() : m_session(Settings()), m_data(m_session.Data())
    {
        m_session.SetIdentity({"QL210", "QL-210", "400-470", 0, CSettings::kProgramVersion});
        m_session.LoadDefaultImage();
    }

    CSettings& Settings() { return m_program.Settings(); }
    fs::path Path(const std::string& name) { return m_program.Path() / name; }

    test::CProgramDir m_program;
    CCodeplugSession m_session;
    CRadioData& m_data;
};

// Makes the file to open at path from the bytes of a good one.
using Make = std::function<void(const fs::path& path, std::vector<std::uint8_t> good, const fs::path& goodPath)>;
Make Patch(std::size_t offset, const std::string& bytes, std::size_t keep = 0)
{
    return [=](const fs::path& path, std::vector<std::uint8_t> good, const fs::path&) {
        std::copy(bytes.begin(), bytes.end(), good.begin() + static_cast<std::ptrdiff_t>(offset));
        good.resize(keep == 0 ? good.size() : keep);
        test::WriteBytes(path, good);
    };
}
const std::string kPathArgument = "(the file)";

struct COpenRow {
    const char* name;
    Make make;
    bool header; // the data file's header reads
    bool blocks; // and its sections
    int message; // 0: the file opens
    std::string argument;
    friend void PrintTo(const COpenRow& row, std::ostream* out) { *out << row.name; }
};

// Offsets: signature 0, header 3 (model id +12, name +28, data version +52,
// program version +68), comment section 119, extra 127, image 135 and 143.
// clang-format off
const COpenRow kOpenChecks[] = {
    {"Good", Patch(0, ""), true, true, 0, ""},
    {"OlderProgram", Patch(71, "1.00.07.001"), true, true, 0, ""},
    {"SameMinorLaterBuild", Patch(71, "1.01.09.999"), true, true, 0, ""},
    {"LinkToAGoodFile", [](const fs::path& p, auto, const fs::path& good) { fs::create_symlink(good, p); }, true, true,
     0, ""},
    {"Signature", Patch(0, "X"), false, false, msg::kCannotRead, ""},
    {"MagicFirstByte", Patch(3, "Y"), false, false, msg::kCannotRead, ""},
    {"MagicSecondByte", Patch(4, "Z"), false, false, msg::kCannotRead, ""},
    {"OtherModel", Patch(15, "X"), true, true, msg::kWrongModel, ""},
    {"ModelNameWithALineBreak", Patch(33, "\n"), true, true, msg::kCannotRead, ""},
    {"ModelNameFillingItsField", Patch(31, "QL-210-TOO-LONG!"), true, true, msg::kCannotRead, ""},
    {"DataVersionWithAnEscape", Patch(56, "\x1B"), true, true, msg::kCannotRead, ""},
    {"NewerProgram", Patch(71, "1.02.01.001"), true, true, msg::kNewerVersion, "1.02"},
    {"OtherMajorProgram", Patch(71, "2.01.01.001"), true, true, msg::kOtherMajorVersion, "2.01"},
    {"CommentTag", Patch(119, "XN"), true, false, msg::kCannotRead, ""},
    {"ImageTag", Patch(135, std::string(1, '\0')), true, false, msg::kCannotRead, ""},
    {"CommentLongerThanTheFile", Patch(123, "\xFF\xFF\xFF\x7F"), true, false, msg::kCannotRead, ""},
    {"ExtraLongerThanTheFile", Patch(131, std::string{'\0', '\0', '\0', '\x80'}), true, false, msg::kCannotRead, ""},
    {"ImageShorterThanAnImage", Patch(139, std::string{'\0', '\x04'}), true, false, msg::kCannotRead, ""},
    {"Missing", [](auto&&...) {}, false, false, msg::kReadMissing, kPathArgument},
    {"Folder", [](const fs::path& p, auto&&...) { fs::create_directory(p); }, false, false, msg::kReadDirectory,
     kPathArgument},
    {"Pipe", [](const fs::path& p, auto&&...) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, false, false,
     msg::kReadNotAFile, kPathArgument}, // never opened: that would block
    {"TooLarge", [](const fs::path& p, auto&&...) { test::WriteBytes(p, std::vector<std::uint8_t>(2 << 20, 0x51)); },
     false, false, msg::kReadTooLarge, kPathArgument},
};
// clang-format on

class OpenCheckTest : public CodeplugSessionTest, public ::testing::WithParamInterface<COpenRow> {};

TEST_P(OpenCheckTest, MessageAndNothingLost)
{
    const COpenRow& row = GetParam();
    const fs::path good = Path("good.dat");
    ASSERT_TRUE(m_session.SaveAs(good, "").ok);
    const fs::path path = Path("open.dat");
    row.make(path, test::ReadBytes(good), good);

    DataFileHeader header;
    EXPECT_EQ(ReadHeader(path, header), row.header);
    Image image{};
    EXPECT_EQ(ReadBlocks(path, nullptr, image), row.blocks);

    m_data.Identity().freqRange = "136-174";
    m_data.Identity().modelName = "unchanged";
    m_data.GetImage()[0x100] ^= 0xFF; // unlike the file's
    const Image before = m_data.GetImage();
    const CDocumentIdentity identity = m_data.Identity();
    const CFileResult r = m_session.Open(path);
    EXPECT_EQ(r.ok, row.message == 0);
    EXPECT_EQ(r.message, row.message);
    EXPECT_EQ(r.argument, row.argument == kPathArgument ? path.string() : row.argument);
    if (r.ok) {
        EXPECT_EQ(m_session.CurrentPath(), path);
        EXPECT_EQ(m_data.Identity().freqRange, "400-470");
        EXPECT_NE(m_data.GetImage(), before);
    } else { // a save still goes to the open codeplug's file
        EXPECT_EQ(m_session.CurrentPath(), good);
        EXPECT_EQ(m_data.Identity(), identity);
        EXPECT_EQ(m_data.GetImage(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, OpenCheckTest, ::testing::ValuesIn(kOpenChecks),
                         [](const auto& row) { return std::string(row.param.name); });

// A new codeplug is the model's default image stamped with the local time,
// or the reset defaults when the range has none.
TEST_F(CodeplugSessionTest, NewCodeplugs)
{
    ASSERT_TRUE(m_session.LoadDefaultImage(MakeLocalTime(2011, 3, 5, 14, 7, 9)));
    EXPECT_EQ(m_data.RadioInfo().LastProgrammedText(), "2011-03-05 14:07:09");

    m_data.Identity().freqRange = "380-390"; // no default image for this range
    m_data.GetImage().fill(0x42);
    ASSERT_TRUE(m_data.RemoveChannel(0));
    EXPECT_FALSE(m_session.LoadDefaultImage());
    EXPECT_EQ(m_data.Channels().size(), 16u);
    EXPECT_EQ(m_data.Personalities().size(), 1u);
    EXPECT_EQ(m_data.GetImage()[0], 0x42); // the image keeps what it held
    EXPECT_EQ(m_data.Identity().radioDataVersion, "1.01.05.001");
}

// The commit hook stands for an editor still holding what the user typed:
// a save stores it first, and checks what it stored. A saved file holds only
// what the objects hold, and opens again with its identity.
TEST_F(CodeplugSessionTest, SaveCommitsTheOpenEditorsThenChecksAndOpensAgain)
{
    EXPECT_TRUE(m_session.Save().needsSaveAs);
    m_data.GetImage()[0x003] = 0x12; // not owned by any object
    std::function<void()> typed = [this] { m_data.Channels()[0]->SetRxFrequency(0x44012500); };
    m_session.SetCommitHook([&typed] { typed(); });
    const auto path = Path("checked.dat");
    ASSERT_TRUE(m_session.SaveAs(path, "").ok);
    EXPECT_EQ(m_session.CurrentPath(), path);
    const auto saved = test::ReadBytes(path);
    EXPECT_EQ(saved.at(143 + 0x003), 0xFF);

    CCodeplugSession reader(Settings());
    reader.SetIdentity({"QL210", "QL-210", "136-174", 0, CSettings::kProgramVersion});
    ASSERT_TRUE(reader.Open(path).ok);
    EXPECT_EQ(reader.Data().Channels()[0]->RxFrequency(), 0x44012500u);
    // The identity comes from the header, and the settings remember it for the next start.
    EXPECT_EQ(reader.Data().Identity().freqRange, "400-470");
    EXPECT_EQ(Settings().RememberedModel().freqRange, "400-470");

    typed = [this] {
        m_data.Channels()[0]->SetPersonalityPosition(9); // no such personality
        m_data.AfterLoad();
    };
    EXPECT_EQ(m_session.Save().message, msg::kInvalidData);
    EXPECT_EQ(m_session.PrepareImage().message, msg::kInvalidData);
    EXPECT_EQ(test::ReadBytes(path), saved);
}

// A file of the recent list that cannot be read says so; an unwritable path keeps the codeplug's own file.
TEST_F(CodeplugSessionTest, AnUnreadableRecentFileAndAnUnwritablePath)
{
    EXPECT_EQ(m_session.Open(Path("missing.dat"), true).message, msg::kRecentUnreadable);
    m_session.SetCurrentPath(Path("x.dat"));
    const auto path = Path("no-such-dir") / "x.dat";
    const CFileResult r = m_session.SaveAs(path, "");
    EXPECT_EQ(r.message, msg::kSaveCannotCreate);
    EXPECT_EQ(r.argument.rfind(path.string() + "\n", 0), 0u) << r.argument; // the file, then the system's words
    EXPECT_EQ(m_session.CurrentPath(), Path("x.dat"));
}

// Whatever Settings.ini holds, or when it is missing, a new codeplug saved
// carries the accepted model identifier, a model name and a range, and opens again.
TEST(CodeplugSessionSettings, ASavedFileOpensAgainWhateverSettingsHold)
{
    const char* const cases[] = {
        nullptr, // no Settings.ini at all
        "",
        "[Setting]\nModelName=QL-210\nFreqRange=400-470\n", // no model identifier
        "[Setting]\nModelID=\nFreqRange=\n",
        "\xEF\xBB\xBF[Setting]\nModelID=QL210\x01\n", // damaged
        "[Setting]\nModelID=QL210\nModelName=QL\x7F\nFreqRange=470-400\n",
    };
    for (const char* settingsIni : cases) {
        SCOPED_TRACE(settingsIni == nullptr ? "missing" : settingsIni);
        test::CProgramDir program;
        fs::remove(program.Path() / "Settings.ini");
        if (settingsIni != nullptr)
            test::WriteText(program.Path() / "Settings.ini", settingsIni);
        CSettings& settings = program.Reopen();
        CCodeplugSession writer(settings);
        EXPECT_TRUE(writer.LoadDefaultImage()); // the model's default codeplug, for its first range
        ASSERT_TRUE(writer.SaveAs(program.Path() / "new.dat", "").ok);
        CCodeplugSession reader(settings);
        const CFileResult opened = reader.Open(program.Path() / "new.dat");
        EXPECT_TRUE(opened.ok) << opened.message;
        // A whole identity, so that a radio of the model is recognised.
        EXPECT_EQ(reader.Data().Identity().modelName, "QL-210");
        EXPECT_EQ(reader.Data().Identity().freqRange, "400-470");
    }
}

} // namespace
} // namespace qrv
