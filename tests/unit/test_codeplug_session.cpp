#include "session/codeplug_session.h"

#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace qrv {
namespace {

class CodeplugSessionTest : public ::testing::Test {
protected:
    CodeplugSessionTest() : m_session(Settings()), m_data(m_session.Data())
    {
        m_session.SetIdentity({"QL210", "QL-210", "400-470", 0, CSettings::kProgramVersion});
    }

    CSettings& Settings() { return m_program.Settings(); }
    std::filesystem::path Path(const std::string& name) { return m_program.Path() / name; }

    // A saved codeplug whose header version field reads the given text.
    std::filesystem::path FileWithVersion(const std::string& version)
    {
        m_session.LoadDefaultImage();
        const auto path = Path("v" + version + ".dat");
        EXPECT_TRUE(m_session.SaveAs(path, "").ok);
        auto bytes = test::ReadBytes(path);
        std::copy(version.begin(), version.end(), bytes.begin() + 3 + 68);
        test::WriteBytes(path, bytes);
        return path;
    }

    test::CProgramDir m_program;
    CCodeplugSession m_session;
    CRadioData& m_data;
};

TEST_F(CodeplugSessionTest, NewWithoutADefaultImageYieldsTheResetDefaults)
{
    m_data.Identity().freqRange = "380-390"; // no default image for this range
    m_data.GetImage().fill(0x42);
    EXPECT_FALSE(m_session.LoadDefaultImage());
    EXPECT_EQ(m_data.Channels().size(), 16u);
    EXPECT_EQ(m_data.Personalities().size(), 1u);
    EXPECT_EQ(m_data.GetImage()[0], 0x42); // the image keeps what it held
    EXPECT_EQ(m_data.Identity().radioDataVersion, "1.01.05.001");
}

TEST_F(CodeplugSessionTest, TheDefaultImageIsStampedWithTheLocalTime)
{
    ASSERT_TRUE(std::filesystem::exists(m_session.DefaultImagePath())) << m_session.DefaultImagePath();
    ASSERT_TRUE(m_session.LoadDefaultImage(MakeLocalTime(2011, 3, 5, 14, 7, 9)));
    const Image& image = m_data.GetImage();
    const std::vector<std::uint8_t> stamp(image.begin() + 0x20, image.begin() + 0x28);
    EXPECT_EQ(stamp, (std::vector<std::uint8_t>{0x09, 0x07, 0x0E, 0x05, 0x03, 0x0B, 0x14, 0x00}));
    EXPECT_EQ(m_data.RadioInfo().LastProgrammedText(), "2011-03-05 14:07:09");
}

TEST_F(CodeplugSessionTest, SaveAndOpenRoundTrip)
{
    m_session.LoadDefaultImage();
    m_data.Channels()[0]->SetRxFrequency(0x44012500);
    const auto path = Path("round.dat");
    ASSERT_TRUE(m_session.SaveAs(path, "Round trip").ok);
    EXPECT_EQ(m_session.CurrentPath(), path);

    CCodeplugSession reader(Settings());
    reader.SetIdentity({"QL210", "QL-210", "136-174", 0, CSettings::kProgramVersion});
    const CFileResult opened = reader.Open(path);
    ASSERT_TRUE(opened.ok);
    // The identity comes from the header, and the settings remember it for the next start.
    EXPECT_EQ(reader.Data().Identity().freqRange, "400-470");
    EXPECT_EQ(Settings().RememberedModel().freqRange, "400-470");
    EXPECT_EQ(reader.Data().Channels()[0]->RxFrequency(), 0x44012500u);
    EXPECT_EQ(reader.CurrentPath(), path);
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
        std::filesystem::remove(program.Path() / "Settings.ini");
        if (settingsIni != nullptr)
            test::WriteText(program.Path() / "Settings.ini", settingsIni);
        CSettings& settings = program.Reopen();
        CCodeplugSession writer(settings);
        EXPECT_TRUE(writer.LoadDefaultImage()); // the model's default codeplug, for its first range
        const auto path = program.Path() / "new.dat";
        ASSERT_TRUE(writer.SaveAs(path, "").ok);
        CCodeplugSession reader(settings);
        const CFileResult opened = reader.Open(path);
        EXPECT_TRUE(opened.ok) << opened.message;
        // A whole identity, so that a radio of the model is recognised.
        EXPECT_EQ(reader.Data().Identity().modelName, "QL-210");
        EXPECT_EQ(reader.Data().Identity().freqRange, "400-470");
    }
}

TEST_F(CodeplugSessionTest, VersionChecks)
{
    struct Case {
        const char* version;
        int message;
        const char* argument;
    };
    const Case cases[] = {
        {"1.00.07.001", 0, ""},
        {"1.01.09.999", 0, ""},
        {"1.02.01.001", msg::kNewerVersion, "1.02"},
        {"2.01.01.001", msg::kOtherMajorVersion, "2.01"},
    };
    for (const auto& c : cases) {
        const auto path = FileWithVersion(c.version);
        m_session.SetCurrentPath(Path("open.dat"));
        const CFileResult r = m_session.Open(path);
        EXPECT_EQ(r.ok, c.message == 0) << c.version;
        EXPECT_EQ(r.message, c.message) << c.version;
        EXPECT_EQ(r.argument, c.argument) << c.version;
        EXPECT_EQ(m_session.CurrentPath(), c.message == 0 ? path : Path("open.dat")); // a refused file changes nothing
    }
}

TEST_F(CodeplugSessionTest, BadFilesChangeNothing)
{
    m_session.LoadDefaultImage();
    const auto good = Path("good.dat");
    ASSERT_TRUE(m_session.SaveAs(good, "").ok);
    const auto goodBytes = test::ReadBytes(good);

    struct Case {
        const char* what;
        std::size_t offset;
        std::string patch; // the bytes written at the offset
        std::size_t keep;  // 0 = the whole file
        int message;
    };
    const Case cases[] = {
        {"signature", 0, "X", 0, msg::kCannotRead},
        {"magic", 4, "Z", 0, msg::kCannotRead},
        {"model", 3 + 12, "X", 0, msg::kWrongModel},
        {"model name with a line break", 3 + 28 + 2, "\n", 0, msg::kCannotRead},
        {"model name filling its field", 3 + 28, "QL-210-TOO-LONG!", 0, msg::kCannotRead},
        {"data version with an escape", 3 + 52 + 1, "\x1B", 0, msg::kCannotRead},
        {"image tag", 135, std::string(1, '\0'), 0, msg::kCannotRead},
        {"short image", 0, "Q", 2191 - 100, msg::kCannotRead},
    };
    for (const auto& c : cases) {
        auto bytes = goodBytes;
        std::copy(c.patch.begin(), c.patch.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.offset));
        if (c.keep != 0)
            bytes.resize(c.keep);
        const auto path = Path(std::string("bad-") + c.what + ".dat");
        test::WriteBytes(path, bytes);

        m_data.Identity().freqRange = "136-174";
        m_data.Identity().modelName = "unchanged";
        m_session.SetCurrentPath(good);
        const Image before = m_data.GetImage();
        const CFileResult r = m_session.Open(path);
        EXPECT_FALSE(r.ok) << c.what;
        EXPECT_EQ(r.message, c.message) << c.what;
        EXPECT_EQ(m_session.CurrentPath(), good) << c.what; // a save still goes to the open codeplug's file
        EXPECT_EQ(m_data.Identity().freqRange, "136-174") << c.what;
        EXPECT_EQ(m_data.Identity().modelName, "unchanged") << c.what;
        EXPECT_EQ(m_data.GetImage(), before) << c.what;
    }
    EXPECT_EQ(m_session.Open(Path("missing.dat"), true).message, msg::kRecentUnreadable);
}

TEST_F(CodeplugSessionTest, SavedFilesCarryOnlyWhatTheObjectsHold)
{
    m_session.LoadDefaultImage();
    m_data.GetImage()[0x003] = 0x12; // not owned by any object
    const auto path = Path("s.dat");
    ASSERT_TRUE(m_session.SaveAs(path, "").ok);
    const auto bytes = test::ReadBytes(path);
    EXPECT_EQ(bytes[143 + 0x003], 0xFF);
    EXPECT_EQ(bytes.size(), 2191u);
}

// The commit hook stands for an editor still holding what the user typed:
// a save stores it first, and checks what it stored.
TEST_F(CodeplugSessionTest, SaveCommitsTheOpenEditorsThenChecks)
{
    m_session.LoadDefaultImage();
    EXPECT_TRUE(m_session.Save().needsSaveAs);

    std::function<void()> typed = [this] { m_data.Channels()[0]->SetRxFrequency(0x44012500); };
    m_session.SetCommitHook([&typed] { typed(); });
    const auto path = Path("checked.dat");
    ASSERT_TRUE(m_session.SaveAs(path, "").ok);
    CCodeplugSession reader(Settings());
    ASSERT_TRUE(reader.Open(path).ok);
    EXPECT_EQ(reader.Data().Channels()[0]->RxFrequency(), 0x44012500u);

    const auto before = test::ReadBytes(path);
    typed = [this] {
        m_data.Channels()[0]->SetPersonalityPosition(9); // no such personality
        m_data.AfterLoad();
    };
    EXPECT_EQ(m_session.Save().message, msg::kInvalidData);
    EXPECT_EQ(m_session.PrepareImage().message, msg::kInvalidData);
    EXPECT_EQ(test::ReadBytes(path), before);
}

TEST_F(CodeplugSessionTest, AnUnwritablePathKeepsTheCodeplugsOwnFile)
{
    m_session.LoadDefaultImage();
    m_session.SetCurrentPath(Path("x.dat"));
    const auto path = Path("no-such-dir") / "x.dat";
    const CFileResult r = m_session.SaveAs(path, "");
    EXPECT_EQ(r.message, msg::kSaveCannotCreate);
    EXPECT_EQ(r.argument.rfind(path.string() + "\n", 0), 0u) << r.argument; // the file, then the system's words
    EXPECT_EQ(m_session.CurrentPath(), Path("x.dat"));
}

} // namespace
} // namespace qrv
