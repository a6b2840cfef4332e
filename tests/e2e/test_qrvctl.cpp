// qrvctl as a user runs it: real files on disk, exit codes, stdout and stderr.
#include "cli_messages.h"
#include "presentation/form_numbers.h"
#include "radio_data/data_file.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "session/codeplug_session.h"
#include "test_support.h"
#include "tool_runner.h"
#include "util/text_format.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "qt_serial_port.h"

#include <QSerialPort>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv {
namespace {

using test::ReadBytes;

class QrvctlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::CopyResources(m_dir.Path());
        m_settingsBefore = test::ReadText(m_dir / "Settings.ini");
    }

    void TearDown() override
    {
        // No verb ever writes Settings.ini.
        EXPECT_EQ(test::ReadText(m_dir / "Settings.ini"), m_settingsBefore);
    }

    test::CToolResult Run(std::vector<std::string> args)
    {
        args.push_back("--data-dir");
        args.push_back(m_dir.Path().string());
        test::CToolResult r = test::RunTool(QRVCTL_PATH, args);
        EXPECT_TRUE(test::WholeLines(r.out)) << args[0] << ": " << r.out;
        EXPECT_TRUE(test::WholeLines(r.err)) << args[0] << ": " << r.err;
        return r;
    }

    std::string File(const std::string& name) { return (m_dir / name).string(); }

    // The text of an S01 message as the shipped language file has it.
    std::string Message(int number)
    {
        CSettings settings(m_dir.Path());
        settings.SetReadOnly(true);
        settings.SelectLanguage(0);
        return settings.GetMessage(number);
    }

    QJsonObject Json(const test::CToolResult& r)
    {
        return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    }

    test::CTempDir m_dir;
    std::string m_settingsBefore;
};

TEST_F(QrvctlTest, NewWritesADataFileWithTheGivenIdentity)
{
    const auto r = Run({"new", "-o", File("a.dat"), "--model-name", "QL-220", "--range", "136-174", "--signal", "2",
                        "--comment", "Fleet"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadBytes(m_dir / "a.dat").size(), 2191u + 5);

    const auto info = Run({"info", File("a.dat"), "--json"});
    ASSERT_EQ(info.exitCode, 0) << info.err;
    const QJsonObject o = Json(info);
    EXPECT_EQ(o[QStringLiteral("model_id")].toString(), QStringLiteral("QL210"));
    EXPECT_EQ(o[QStringLiteral("model_name")].toString(), QStringLiteral("QL-220"));
    EXPECT_EQ(o[QStringLiteral("range")].toString(), QStringLiteral("136-174"));
    EXPECT_EQ(o[QStringLiteral("signal")].toInt(), 2);
    EXPECT_EQ(o[QStringLiteral("comment")].toString(), QStringLiteral("Fleet"));
    EXPECT_EQ(o[QStringLiteral("program_version")].toString(), QStringLiteral("1.01.05.001"));
    EXPECT_EQ(o[QStringLiteral("range_flags")].toInt(), 0x80);

    const auto text = Run({"info", File("a.dat")});
    EXPECT_NE(text.out.find("136-174"), std::string::npos);
}

TEST_F(QrvctlTest, NewCodeplugsLieInTheirOwnBand)
{
    for (const std::string range : {"136-174", "400-470"}) {
        const std::string file = File("band-" + range + ".dat");
        ASSERT_EQ(Run({"new", "-o", file, "--range", range}).exitCode, 0);
        const auto dump = Run({"dump", file, "--json"});
        ASSERT_EQ(dump.exitCode, 0) << dump.err;
        int lower = 0;
        int upper = 0;
        ParseRangeText(range, lower, upper);
        const QJsonArray channels = Json(dump)[QStringLiteral("channels")].toArray();
        ASSERT_EQ(channels.size(), 16);
        for (const auto& value : channels) {
            const double rx = value.toObject()[QStringLiteral("rx_mhz")].toString().toDouble();
            EXPECT_GE(rx, lower) << range;
            EXPECT_LE(rx, upper) << range;
        }
        const QJsonArray tests = Json(dump)[QStringLiteral("test_frequencies")][QStringLiteral("points")].toArray();
        ASSERT_EQ(tests.size(), 5);
        EXPECT_EQ(tests[0].toObject()[QStringLiteral("tx_mhz")].toString().toStdString(),
                  std::to_string(lower) + ".00000");
    }
}

TEST_F(QrvctlTest, DumpShowsEveryChannelFieldWithItsTexts)
{
    ASSERT_EQ(Run({"new", "-o", File("d.dat"), "--range", "400-470"}).exitCode, 0);
    const auto dump = Run({"dump", File("d.dat"), "--json"});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    const QJsonObject root = Json(dump);
    const QJsonObject ch1 = root[QStringLiteral("channels")].toArray()[0].toObject();
    EXPECT_EQ(ch1[QStringLiteral("number")].toInt(), 1);
    EXPECT_EQ(ch1[QStringLiteral("rx_mhz")].toString(), QStringLiteral("446.00625"));
    EXPECT_EQ(ch1[QStringLiteral("tx_mhz")].toString(), QStringLiteral("446.00625"));
    const QJsonObject rxTone = ch1[QStringLiteral("rx_tone")].toObject();
    EXPECT_EQ(rxTone[QStringLiteral("type")].toInt(), 1);
    EXPECT_EQ(rxTone[QStringLiteral("index")].toInt(), 12);
    EXPECT_EQ(rxTone[QStringLiteral("text")].toString(), QStringLiteral("94.8"));
    EXPECT_EQ(ch1[QStringLiteral("personality")].toInt(), 1);
    EXPECT_FALSE(ch1[QStringLiteral("auto_start_scan")].toBool());
    EXPECT_TRUE(root[QStringLiteral("channels")].toArray()[15].toObject()[QStringLiteral("auto_start_scan")].toBool());
    EXPECT_FALSE(ch1[QStringLiteral("power")].toObject()[QStringLiteral("text")].toString().isEmpty());
    for (const char* key :
         {"identity", "radio_info", "keys", "vox", "volume", "microphone", "miscellaneous", "mode", "personalities",
          "scan_lists", "dtmf_systems", "emergency", "embedded_messages", "test_frequencies", "adjustment"})
        EXPECT_TRUE(root.contains(QString::fromLatin1(key))) << key;

    const auto text = Run({"dump", File("d.dat")});
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("446.00625"), std::string::npos);
    EXPECT_NE(text.out.find("94.8"), std::string::npos);
}

TEST_F(QrvctlTest, HexShowsTheWholeImage)
{
    ASSERT_EQ(Run({"new", "-o", File("h.dat")}).exitCode, 0);
    const auto r = Run({"hex", File("h.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 129);
    // Channel 1: previous link to channel 16 (0x6AC), next to 0x594, then 446.00625 MHz.
    EXPECT_NE(r.out.find("0x580  AC 06 94 05 25 06 60 44 25 06 60 44"), std::string::npos) << r.out;
}

TEST_F(QrvctlTest, ResaveRunsTheImageThroughTheObjects)
{
    ASSERT_EQ(Run({"new", "-o", File("in.dat"), "--comment", "keep"}).exitCode, 0);
    // Put something into the area no object owns: it must come back as 0xFF.
    auto bytes = ReadBytes(m_dir / "in.dat");
    const std::size_t imageStart = bytes.size() - 2048;
    bytes[imageStart + 0x005] = 0x12;
    bytes[imageStart + 0x6C0] = 0x34;
    test::WriteBytes(m_dir / "in.dat", bytes);

    const auto r = Run({"resave", File("in.dat"), "-o", File("out.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto out = ReadBytes(m_dir / "out.dat");
    ASSERT_EQ(out.size(), bytes.size());
    EXPECT_EQ(out[imageStart + 0x005], 0xFF);
    EXPECT_EQ(out[imageStart + 0x6C0], 0xFF);
    EXPECT_EQ(out[imageStart + 0x339], 0x08);
    std::string comment;
    ASSERT_TRUE(ReadComment(m_dir / "out.dat", comment));
    EXPECT_EQ(comment, "keep");

    // As diff(1): 1 when the images differ, 0 when they are the same.
    const auto diff = Run({"diff", File("in.dat"), File("out.dat")});
    EXPECT_EQ(diff.exitCode, 1);
    EXPECT_EQ(diff.out, "$E.0x5:12->FF\n$E.0x6C0:34->FF\n");
    const auto same = Run({"diff", File("out.dat"), File("out.dat")});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.out, "");
}

TEST_F(QrvctlTest, EachFileProblemHasItsOwnMessageNamingTheFile)
{
    ASSERT_EQ(Run({"new", "-o", File("good.dat"), "--comment", "\x1b[2Jcleared"}).exitCode, 0);
    const auto good = ReadBytes(m_dir / "good.dat");
    test::WriteBytes(m_dir / "cut.dat", {good.begin(), good.begin() + 2100});
    std::filesystem::create_directory(m_dir / "folder");
    ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0600), 0);
    struct Case {
        const char* file;
        int message;
    };
    for (const Case c : {Case{"missing.dat", msg::kReadMissing}, Case{"folder", msg::kReadDirectory},
                         Case{"pipe", msg::kReadNotAFile}, Case{"cut.dat", msg::kReadDamaged}}) {
        const std::string expected = FormatMessageText(Message(c.message), File(c.file));
        // diff, like diff(1), and check say 2 when they could not look.
        for (const auto& [args, exitCode] :
             {std::pair{std::vector<std::string>{"info", File(c.file)}, 1},
              std::pair{std::vector<std::string>{"diff", File("good.dat"), File(c.file)}, 2},
              std::pair{std::vector<std::string>{"diff", File(c.file), File("good.dat")}, 2},
              std::pair{std::vector<std::string>{"dump", File(c.file)}, 1},
              std::pair{std::vector<std::string>{"check", File(c.file)}, 2}}) {
            const auto r = Run(args);
            EXPECT_EQ(r.exitCode, exitCode) << args[0] << " " << c.file;
            EXPECT_NE(r.err.find(expected), std::string::npos) << args[0] << ": " << r.err;
        }
    }
    // Every cut of a good file is a damaged file, not a success.
    for (std::size_t length : {std::size_t{4}, std::size_t{120}, std::size_t{2000}, good.size() - 1}) {
        test::WriteBytes(m_dir / "cut.dat", {good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)});
        EXPECT_EQ(Run({"info", File("cut.dat")}).exitCode, 1) << length;
    }
    // Text from the file never reaches the terminal raw.
    const auto info = Run({"info", File("good.dat")});
    EXPECT_EQ(info.out.find('\x1b'), std::string::npos);
    EXPECT_NE(info.out.find("\\x1B[2Jcleared"), std::string::npos) << info.out;
}

// The problems the data checks find, each with its field and place, as the
// core's invalid log holds them: check lists them on stdout, and a verb that
// refuses to save lists the same under its headline.
TEST_F(QrvctlTest, CheckListsWhatTheDataChecksFind)
{
    ASSERT_EQ(Run({"new", "-o", File("good.dat")}).exitCode, 0);
    const auto good = ReadBytes(m_dir / "good.dat");
    const std::size_t imageStart = good.size() - kImageSize;
    struct Case {
        const char* file;
        std::vector<std::pair<std::size_t, std::uint8_t>> bytes; // image offset, value
        std::size_t problems;
    };
    const Case cases[] = {
        {"good.dat", {}, 0},
        {"personality.dat", {{0x580 + 18, 9}}, 1}, // channel 1 names a personality the codeplug lacks
        {"three.dat", {{0x580 + 18, 9}, {0x580 + 20 + 18, 9}, {0x210 + 18, 17}}, 3}, // and channel 2, a scan member
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        auto bytes = good;
        for (const auto& [offset, value] : c.bytes)
            bytes[imageStart + offset] = value;
        test::WriteBytes(m_dir / c.file, bytes);
        CSettings settings(m_dir.Path());
        settings.SetReadOnly(true);
        CCodeplugSession session(settings);
        ASSERT_TRUE(session.Open(m_dir / c.file).ok);
        session.Data().CheckAll();
        const std::vector<CInvalidEntry>& entries = session.Data().InvalidLog().Entries();
        ASSERT_EQ(entries.size(), c.problems);

        const auto text = Run({"check", File(c.file)});
        const auto json = Run({"check", File(c.file), "--json"});
        const QJsonArray problems = Json(json)[QStringLiteral("problems")].toArray();
        std::filesystem::remove(m_dir / "out.dat");
        const auto resaved = Run({"resave", File(c.file), "-o", File("out.dat")});
        EXPECT_EQ(text.exitCode, c.problems == 0 ? 0 : 1);
        EXPECT_EQ(json.exitCode, text.exitCode);
        EXPECT_EQ(resaved.exitCode, text.exitCode);
        ASSERT_EQ(problems.size(), static_cast<qsizetype>(c.problems)) << json.out;
        std::string lines;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string line = entries[i].title + ": " + entries[i].text;
            lines += line + "\n";
            EXPECT_NE(resaved.err.find("\n  " + line + "\n"), std::string::npos) << resaved.err;
            const QJsonObject problem = problems[static_cast<qsizetype>(i)].toObject();
            EXPECT_EQ(problem[QStringLiteral("field")].toString().toStdString(), entries[i].title);
            EXPECT_EQ(problem[QStringLiteral("place")].toString().toStdString(), entries[i].text);
            EXPECT_EQ(problem[QStringLiteral("control")].toInt(), entries[i].control);
        }
        EXPECT_EQ(text.out, lines);
        if (c.problems == 0)
            continue;
        EXPECT_NE(resaved.err.find(Message(climsg::kDataFailsChecks)), std::string::npos) << resaved.err;
        EXPECT_EQ(resaved.err.find(Message(msg::kInvalidData)), std::string::npos) << resaved.err;
        EXPECT_FALSE(std::filesystem::exists(m_dir / "out.dat"));
    }
}

TEST_F(QrvctlTest, FailuresPrintTheLanguageFilesMessage)
{
    auto r = Run({"info", File("missing.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(FormatMessageText(Message(msg::kReadMissing), File("missing.dat"))), std::string::npos)
        << r.err;

    ASSERT_EQ(Run({"new", "-o", File("other.dat"), "--model-id", "QL999"}).exitCode, 0);
    r = Run({"dump", File("other.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(Message(msg::kWrongModel)), std::string::npos) << r.err;

    // A file of a newer program version names its version.
    ASSERT_EQ(Run({"new", "-o", File("newer.dat")}).exitCode, 0);
    auto bytes = ReadBytes(m_dir / "newer.dat");
    bytes[3 + 68 + 3] = '2'; // "1.02..."
    test::WriteBytes(m_dir / "newer.dat", bytes);
    r = Run({"resave", File("newer.dat"), "-o", File("never.dat")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("1.02"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "never.dat"));
}

// A Settings.ini far beyond any real one (16 MB of line ends once cost every
// command seconds and gigabytes) is refused, named, and left as it is.
TEST_F(QrvctlTest, AnOversizedSettingsFileIsRefusedAndTheCommandStillWorks)
{
    m_settingsBefore = std::string(16u * 1024u * 1024u, '\n');
    test::WriteText(m_dir / "Settings.ini", m_settingsBefore);
    const auto r = Run({"new", "-o", File("new.dat")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find(FormatMessageText(Message(msg::kFileTooLarge), File("Settings.ini"))), std::string::npos)
        << r.err;
    EXPECT_TRUE(std::filesystem::exists(m_dir / "new.dat"));
}

// Every verb that saves refuses a read-only file, says so naming it, and leaves it as it was.
TEST_F(QrvctlTest, SavesOverAReadOnlyFileAreRefused)
{
    ASSERT_EQ(Run({"new", "-o", File("in.dat"), "--comment", "new"}).exitCode, 0);
    const std::string locked = File("locked.dat");
    ASSERT_EQ(Run({"new", "-o", locked, "--comment", "locked"}).exitCode, 0);
    using std::filesystem::perms;
    std::filesystem::permissions(locked, perms::owner_read | perms::group_read | perms::others_read);
    const auto before = ReadBytes(locked);

    const std::vector<std::vector<std::string>> saves{
        {"resave", File("in.dat"), "-o", locked},
        {"new", "-o", locked},
        {"export-csv", File("in.dat"), "-o", locked},
        {"report", File("in.dat"), "-o", locked},
    };
    for (const auto& args : saves) {
        const auto r = Run(args);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_NE(r.err.find(FormatMessageText(Message(msg::kSaveReadOnly), locked)), std::string::npos) << r.err;
        EXPECT_EQ(ReadBytes(locked), before) << args[0];
    }
}

// A usage error: exit 2, the reason and the usage of the verb (of all verbs
// when the verb is not known) on stderr, nothing on stdout.
TEST_F(QrvctlTest, UsageErrorsExitWithTwoAndShowTheUsage)
{
    struct Case {
        std::vector<std::string> args;
        std::string usage; // the first usage line expected
    };
    const std::vector<Case> cases = {
        {{"frobnicate"}, "qrvctl VERB"},
        {{"help", "frobnicate"}, "qrvctl VERB"},
        {{"help", "info", "dump"}, "qrvctl VERB"},
        {{"--version", "info"}, "qrvctl VERB"},
        {{"info"}, "qrvctl info FILE"},
        {{"info", "a", "b"}, "qrvctl info FILE"},
        {{"new"}, "qrvctl new -o FILE"},
        {{"new", "-o"}, "qrvctl new -o FILE"},
        {{"new", "-o", File("x.dat"), "--range", "470-400"}, "qrvctl new -o FILE"},
        {{"dump", File("x.dat"), "--bogus"}, "qrvctl dump FILE"},
        {{"resave", File("x.dat")}, "qrvctl resave IN"},
        {{"diff", File("x.dat")}, "qrvctl diff A B"},
        {{"messages", "send"}, "qrvctl messages read"},
    };
    for (const Case& c : cases) {
        const auto r = Run(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args[0];
        EXPECT_EQ(r.out, "") << c.args[0];
        EXPECT_EQ(r.err.rfind("qrvctl: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nusage: " + c.usage), std::string::npos) << r.err;
    }
    const auto bare = test::RunTool(QRVCTL_PATH, {});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_NE(bare.err.find("\nusage: qrvctl VERB"), std::string::npos) << bare.err;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "x.dat"));
}

// Asked for, the usage and the version go to stdout with exit 0, and nothing runs.
TEST_F(QrvctlTest, HelpAndVersionGoToStdout)
{
    const auto all = Run({"--help"});
    for (const auto& args : {std::vector<std::string>{"--help"}, {"-h"}, {"help"}}) {
        const auto r = Run(args);
        EXPECT_EQ(r.exitCode, 0) << args[0];
        EXPECT_EQ(r.err, "") << args[0];
        EXPECT_EQ(r.out, all.out) << args[0];
    }
    const auto version = Run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "qrvctl " + std::string(CSettings::kProgramVersion) + "\n");

    // Each verb's usage, however asked, is its part of the whole usage.
    for (const char* verb : {"new", "info", "dump", "hex", "resave", "diff", "check", "ports", "identify", "read",
                             "write", "messages", "report", "export-csv", "import-csv"}) {
        const auto help = Run({"help", verb});
        EXPECT_EQ(help.exitCode, 0) << verb;
        EXPECT_EQ(help.err, "") << verb;
        const std::string first = help.out.substr(0, help.out.find('\n'));
        const std::string prefix = std::string("usage: qrvctl ") + verb;
        EXPECT_EQ(first.substr(0, prefix.size()), prefix) << help.out;
        EXPECT_NE(all.out.find("\n  " + first.substr(std::string("usage: qrvctl ").size()) + "\n"), std::string::npos)
            << verb;
        for (const char* flag : {"--help", "-h"})
            EXPECT_EQ(Run({verb, flag}).out, help.out) << verb << " " << flag;
    }
    const auto asked = Run({"new", "-o", File("h.dat"), "--help"});
    EXPECT_EQ(asked.exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(m_dir / "h.dat"));
}

// The text of a PDF as poppler lays it out, one string per page.
std::vector<std::string> PdfPages(const std::string& pdf)
{
    const auto r = test::RunTool("pdftotext", {"-layout", "-enc", "UTF-8", pdf, "-"});
    EXPECT_EQ(r.exitCode, 0) << "pdftotext (poppler-utils, see scripts/install-deps): " << r.err;
    std::vector<std::string> pages = Split(r.out, '\f');
    if (!pages.empty() && Trim(pages.back()).empty())
        pages.pop_back();
    return pages;
}

// Whether a line of the text holds exactly this (a section title stands alone).
bool HasLine(const std::string& text, const std::string& wanted)
{
    for (const std::string& line : Split(text, '\n'))
        if (Trim(line) == wanted)
            return true;
    return false;
}

std::string Joined(const std::vector<std::string>& pages)
{
    std::string all;
    for (const auto& page : pages)
        all += page;
    return all;
}

TEST_F(QrvctlTest, ReportPrintsEverySectionWithPageNumbersAndChannels)
{
    ASSERT_EQ(Run({"new", "-o", File("r.dat"), "--range", "400-470"}).exitCode, 0);
    const auto r = Run({"report", File("r.dat"), "-o", File("r.pdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<std::string> pages = PdfPages(File("r.pdf"));
    ASSERT_GE(pages.size(), 2u);
    const std::string all = Joined(pages);

    CSettings settings(m_dir.Path());
    settings.SetReadOnly(true);
    settings.SelectLanguage(0);
    for (const int form : {form::kRadio, form::kKeys, form::kMiscellaneous, form::kVox, form::kMode, form::kChannel,
                           form::kPersonality, form::kScan, form::kEmbedded, form::kTestFrequency})
        EXPECT_TRUE(HasLine(all, settings.GetText(form))) << settings.GetText(form);
    const std::size_t count = pages.size();
    for (std::size_t page = 1; page <= count; ++page) {
        const std::string footer = Format("Page %zu of %zu", page, count);
        EXPECT_NE(pages[page - 1].find(footer), std::string::npos) << footer;
        // Every page carries the header and the identity block.
        EXPECT_NE(pages[page - 1].find(settings.GetText(msg::kMainCaption)), std::string::npos) << page;
        EXPECT_NE(pages[page - 1].find("400-470"), std::string::npos) << page;
    }

    // The channel table shows the frequencies the codeplug holds.
    const auto dump = Run({"dump", File("r.dat"), "--json"});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    const QJsonArray channels = Json(dump)[QStringLiteral("channels")].toArray();
    ASSERT_EQ(channels.size(), 16);
    for (const int number : {1, 8, 16}) {
        const QJsonObject channel = channels[number - 1].toObject();
        const std::string row = Format("CH %d", number);
        const auto at = all.find(row + " ");
        ASSERT_NE(at, std::string::npos) << row;
        const std::string line = all.substr(at, all.find('\n', at) - at);
        EXPECT_NE(line.find(channel[QStringLiteral("rx_mhz")].toString().toStdString()), std::string::npos) << line;
        EXPECT_NE(
            line.find(channel[QStringLiteral("rx_tone")].toObject()[QStringLiteral("text")].toString().toStdString()),
            std::string::npos)
            << line;
    }

    // The first page as a picture in the build tree, for a person to look at.
    const auto shots = std::filesystem::path(QRVCTL_PATH).parent_path().parent_path() / "screenshots";
    std::filesystem::create_directories(shots);
    const auto png = shots / "report_page1.png";
    std::filesystem::remove(png);
    const auto render = test::RunTool("pdftoppm", {"-r", "100", "-png", "-f", "1", "-l", "1", "-singlefile",
                                                   File("r.pdf"), (shots / "report_page1").string()});
    ASSERT_EQ(render.exitCode, 0) << render.err;
    const auto bytes = ReadBytes(png);
    ASSERT_GT(bytes.size(), 24u);
    // A4 at 100 dots per inch: 826.8 x 1169.3, rounded either way.
    const auto be32 = [&bytes](std::size_t at) {
        return (bytes[at] << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3];
    };
    EXPECT_NEAR(be32(16), 827, 1);
    EXPECT_NEAR(be32(20), 1169, 1);
}

TEST_F(QrvctlTest, ReportOfChosenSectionsInTheChosenLanguage)
{
    ASSERT_EQ(Run({"new", "-o", File("s.dat")}).exitCode, 0);
    auto r = Run({"report", File("s.dat"), "-o", File("vox.pdf"), "--section", "messages", "--section", "vox",
                  "--section", "mode"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto pages = PdfPages(File("vox.pdf"));
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(HasLine(pages[0], "VOX"));
    EXPECT_TRUE(HasLine(pages[0], "Mode"));
    EXPECT_TRUE(HasLine(pages[0], "Embedded Message"));
    EXPECT_FALSE(HasLine(pages[0], "Test Frequency"));
    EXPECT_FALSE(HasLine(pages[0], "Radio Information"));
    EXPECT_EQ(pages[0].find("CH 1 "), std::string::npos);
    EXPECT_NE(pages[0].find("Page 1 of 1"), std::string::npos);

    // The second language's texts, for this report only.
    r = Run({"report", File("s.dat"), "-o", File("zh.pdf"), "--section", "channels", "--language", "1"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string zh = Joined(PdfPages(File("zh.pdf")));
    EXPECT_TRUE(HasLine(zh, "信道")) << zh;
    EXPECT_NE(zh.find("信道1 "), std::string::npos);
    EXPECT_NE(zh.find("接收频率"), std::string::npos);
    EXPECT_NE(zh.find("QRV 写频软件"), std::string::npos);
    EXPECT_NE(zh.find("第 1 页"), std::string::npos) << zh; // the footer too
    EXPECT_EQ(zh.find("CH 1 "), std::string::npos);
}

TEST_F(QrvctlTest, ReportRefusesBadArgumentsAndKeepsTheOldFile)
{
    ASSERT_EQ(Run({"new", "-o", File("b.dat")}).exitCode, 0);
    test::WriteText(m_dir / "old.pdf", "old");
    const std::vector<std::vector<std::string>> usage = {
        {"report", File("b.dat")},
        {"report", "-o", File("old.pdf")},
        {"report", File("b.dat"), "-o", File("old.pdf"), "--section", "volume"},
        {"report", File("b.dat"), "-o", File("old.pdf"), "--language", "2"},
        {"report", File("b.dat"), "-o", File("old.pdf"), "--language", "x"},
    };
    for (const auto& args : usage) {
        const auto r = Run(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
    auto r = Run({"report", File("missing.dat"), "-o", File("old.pdf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(FormatMessageText(Message(msg::kReadMissing), File("missing.dat"))), std::string::npos)
        << r.err;
    EXPECT_EQ(test::ReadText(m_dir / "old.pdf"), "old");

    const std::string nowhere = File("no/such/dir/r.pdf");
    r = Run({"report", File("b.dat"), "-o", nowhere});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(FormatMessageText(Message(msg::kSaveCannotCreate), nowhere)), std::string::npos) << r.err;
}

} // namespace
} // namespace qrv

namespace qrv {
namespace {

TEST_F(QrvctlTest, PortsListsTheSystemsSerialPorts)
{
    const auto r = Run({"ports"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    for (std::size_t start = 0; start < r.out.size();) {
        const auto end = r.out.find('\n', start);
        const std::string line = r.out.substr(start, end - start);
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line; // device, state, description
        start = end == std::string::npos ? r.out.size() : end + 1;
    }
}

TEST(SerialPortMessages, APortTheUserMayNotOpenNamesTheGroupToJoin)
{
    test::CTempDir dir;
    const auto device = (dir / "ttyUSB9").string();
    test::WriteText(device, "");
    const group* dialout = ::getgrnam("dialout");
    if (dialout == nullptr || ::chown(device.c_str(), ::getuid(), dialout->gr_gid) != 0)
        GTEST_SKIP() << "no dialout group here";
    const std::string text = DescribeOpenFailure(device, QSerialPort::PermissionError, "Permission denied");
    EXPECT_NE(text.find("'dialout'"), std::string::npos) << text;
    EXPECT_NE(text.find("usermod -aG dialout"), std::string::npos) << text;
    EXPECT_NE(DescribeOpenFailure("/dev/ttyNONE", QSerialPort::DeviceNotFoundError, "").find("does not exist"),
              std::string::npos);
}

} // namespace
} // namespace qrv
