// qrvctl's file verbs as a user runs them: real files on disk, exit codes, stdout and stderr.
#include "cli_messages.h"
#include "csv/channel_csv.h"
#include "qrvctl_fixture.h"
#include "qt_serial_port.h"
#include "radio_data/messages.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPort>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qrv {
namespace {

using test::ReadBytes;

// Codeplugs beside doc.dat for each problem a file can have.
class QrvctlTest : public test::CQrvctlTest {
protected:
    void SetUp() override
    {
        CQrvctlTest::SetUp();
        WriteImage("unowned.dat", m_doc, {{0x005, 0x12}, {0x6C0, 0x34}}); // bytes no object owns
        // Channel 1 names a personality the codeplug lacks; then channel 2 too, and scan list 1 a channel.
        WriteImage("one.dat", m_doc, {{0x580 + 18, 9}});
        WriteImage("three.dat", m_doc, {{0x580 + 18, 9}, {0x594 + 18, 9}, {0x210 + 18, 17}});
        auto doc = ReadBytes(m_dir / "doc.dat");
        test::WriteBytes(m_dir / "cut.dat", {doc.begin(), doc.begin() + 2100});
        doc[datafile::kSignature.size() + DataFileHeader::kProgramVersion + 3] = '2'; // "1.02..."
        test::WriteBytes(m_dir / "newer.dat", doc);
        WriteImage("locked.dat", m_doc);
        std::filesystem::permissions(m_dir / "locked.dat", std::filesystem::perms::owner_read);
        std::filesystem::create_directory(m_dir / "folder");
        ASSERT_EQ(::mkfifo((m_dir / "pipe").c_str(), 0600), 0);
        test::WriteText(m_dir / "old.pdf", "old");
        // Sixteen good rows, so that the scan list keeps all its channels, and two bad ones, lines 3 and 4.
        std::string rows = "Frequency,Tone,rToneFreq\n440.5,,\n146.52,,\n441,Tone,99.9\n";
        for (int i = 1; i < 16; ++i)
            rows += "440.5,,\n";
        test::WriteText(m_dir / "bad.csv", rows);
    }

    std::optional<std::vector<std::uint8_t>> Bytes(const std::string& name)
    {
        return std::filesystem::exists(m_dir / name) ? std::optional(ReadBytes(m_dir / name)) : std::nullopt;
    }
};

// A usage error: exit 2, the reason and the usage of the verb (of all verbs
// when the verb is not known) on stderr, nothing on stdout. Asked for, the
// usage and the version go to stdout with exit 0. diff, like diff(1), and
// check say 1 when they find something. A verb that fails names the file and
// leaves every file as it was. The rows run in turn: a row may read what one above made.
TEST_F(QrvctlTest, VerbTable)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        int exitCode;
        std::vector<std::string> out;  // each somewhere on stdout; none: stdout is empty
        std::vector<test::CShown> err; // each somewhere on stderr; none on a success: stderr is empty
        const char* file = nullptr;    // after the run, the bytes it had before (absent: still absent)...
        const char* equals = nullptr;  // ...or those of this file
    };
    const std::vector<std::string> help{"usage: qrvctl VERB", "\n  import-csv "};
    const test::CShown readOnly{msg::kSaveReadOnly, "@locked.dat"};
    // clang-format off
    const Case cases[] = {
        {"no verb", {}, 2, {}, {"\nusage: qrvctl VERB"}},
        {"unknown verb", {"frobnicate"}, 2, {}, {"\nusage: qrvctl VERB"}},
        {"help on an unknown verb", {"help", "frobnicate"}, 2, {}, {"\nusage: qrvctl VERB"}},
        {"help on a verb", {"help", "dump"}, 0, {"usage: qrvctl dump FILE"}, {}},
        {"info without a file", {"info"}, 2, {}, {"\nusage: qrvctl info FILE"}},
        {"new without output", {"new"}, 2, {}, {"\nusage: qrvctl new -o FILE"}},
        {"new range reversed", {"new", "-o", "@x.dat", "--range", "470-400"}, 2, {}, {"\nusage: qrvctl new"}, "x.dat"},
        {"dump unknown option", {"dump", "@x.dat", "--bogus"}, 2, {}, {"\nusage: qrvctl dump FILE"}},
        {"resave without output", {"resave", "@x.dat"}, 2, {}, {"\nusage: qrvctl resave IN"}},
        {"messages unknown action", {"messages", "send"}, 2, {}, {"\nusage: qrvctl messages read"}},
        {"report without output", {"report", "@doc.dat"}, 2, {}, {"\nusage: qrvctl report"}},
        {"report unknown section", {"report", "@doc.dat", "-o", "@old.pdf", "--section", "volume"}, 2, {}, {"radio,"},
         "old.pdf"},
        {"report no language 2", {"report", "@doc.dat", "-o", "@x.pdf", "--language", "2"}, 2, {}, {"0 to 1"}, "x.pdf"},
        {"export-csv without output", {"export-csv", "@doc.dat"}, 2, {}, {"\nusage: qrvctl export-csv"}},
        {"export-csv unknown format", {"export-csv", "@doc.dat", "-o", "@x.csv", "--format", "x"}, 2, {}, {"native or"},
         "x.csv"},
        {"import-csv without csv", {"import-csv", "@doc.dat", "-o", "@x.dat"}, 2, {}, {"\nusage: qrvctl import-csv"}},
        {"help", {"help"}, 0, help, {}},
        {"help option", {"--help"}, 0, help, {}},
        {"help before the work", {"new", "-o", "@x.dat", "--help"}, 0, {"usage: qrvctl new -o FILE"}, {}, "x.dat"},
        {"version", {"--version"}, 0, {"qrvctl " + std::string(CSettings::kProgramVersion) + "\n"}, {}},
        {"new with a comment", {"new", "-o", "@esc.dat", "--comment", "\x1b[2Jcleared"}, 0, {}, {}},
        {"info escapes the comment", {"info", "@esc.dat"}, 0, {"QL-210", "400-470", "\\x1B[2Jcleared"}, {}},
        {"dump", {"dump", "@doc.dat"}, 0, {"446.00625", "94.8"}, {}},
        // Channel 1: previous link to channel 16 (0x6AC), next to 0x594, then 446.00625 MHz; and the last row.
        {"hex", {"hex", "@doc.dat"}, 0, {"\n0x580  AC 06 94 05 25 06 60 44 25 06 60 44", "\n0x7F0  "}, {}},
        {"diff of the same", {"diff", "@doc.dat", "@doc.dat"}, 0, {}, {}},
        {"diff finds bytes", {"diff", "@doc.dat", "@unowned.dat"}, 1, {"$E.0x5:FF->12\n$E.0x6C0:FF->34\n"}, {}},
        {"check finds nothing", {"check", "@doc.dat"}, 0, {}, {}},
        {"check finds one", {"check", "@one.dat"}, 1, {"Personality List: Channel - 1 : Miscellaneous\n"}, {}},
        {"resave runs the objects", {"resave", "@unowned.dat", "-o", "@out.dat"}, 0, {}, {}, "out.dat", "doc.dat"},
        // The problems the data checks find, listed under the headline.
        {"resave fails the checks", {"resave", "@three.dat", "-o", "@x.dat"}, 1, {},
         {climsg::kDataFailsChecks, "\n  Personality List: Channel - 1 : Miscellaneous\n  Personality List: Channel - "
         "2 : Miscellaneous\n  Channel 3: Scan : Channel List\n"}, "x.dat"},
        {"newer program", {"resave", "@newer.dat", "-o", "@out.dat"}, 1, {}, {"1.02"}, "out.dat"},
        {"resave read-only", {"resave", "@doc.dat", "-o", "@locked.dat"}, 1, {}, {readOnly}, "locked.dat"},
        {"new read-only", {"new", "-o", "@locked.dat"}, 1, {}, {readOnly}, "locked.dat"},
        {"export-csv read-only", {"export-csv", "@doc.dat", "-o", "@locked.dat"}, 1, {}, {readOnly}, "locked.dat"},
        {"report no file", {"report", "@no.dat", "-o", "@old.pdf"}, 1, {}, {{msg::kReadMissing, "@no.dat"}}, "old.pdf"},
        {"report nowhere", {"report", "@doc.dat", "-o", "@no/r.pdf"}, 1, {}, {{msg::kSaveCannotCreate, "@no/r.pdf"}}},
        {"import-csv of no file", {"import-csv", "@doc.dat", "@no.csv", "-o", "@x.dat"}, 1, {},
         {{msg::kReadMissing, "@no.csv"}}, "x.dat"},
        {"import-csv bad rows", {"import-csv", "@doc.dat", "@bad.csv", "-o", "@x.dat"}, 1, {},
         {"bad.csv:3: ", "bad.csv:4: "}, "x.dat"},
        {"import-csv skips bad rows", {"import-csv", "@doc.dat", "@bad.csv", "-o", "@y.dat", "--format", "common",
         "--skip-bad"}, 0, {"replaces the whole channel list"}, {"bad.csv:3: ", "bad.csv:4: "}},
        // The default codeplug has 16 channels: no room to append.
        {"import-csv no room", {"import-csv", "@doc.dat", "@bad.csv", "-o", "@x.dat", "--format", "common",
         "--skip-bad", "--append"}, 1, {}, {csvmsg::kNothingToTake}, "x.dat"},
        // The common column set carries no personality: the imported channel 1 keeps the missing one.
        {"import-csv result fails the checks", {"import-csv", "@one.dat", "@bad.csv", "-o", "@x.dat", "--format",
         "common", "--skip-bad"}, 1, {"replaces the whole channel list"}, {"bad.csv:3: ", csvmsg::kDataProblems,
         "\n  Personality List: "}, "x.dat"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = c.file != nullptr ? Bytes(c.file) : std::nullopt;
        ExpectShown(Run(c.args), c.exitCode, c.out, c.err);
        if (c.file != nullptr) {
            EXPECT_EQ(Bytes(c.file), c.equals != nullptr ? Bytes(c.equals) : before) << c.file;
        }
    }
}

// Values of the JSON output, each as the codeplug's bytes give it; a path joins keys and indexes with '/'.
TEST_F(QrvctlTest, JsonHoldsTheCodeplugsValues)
{
    ExpectShown(Run({"new", "-o", "@vhf.dat", "--model-name", "QL-220", "--range", "136-174", "--signal", "2",
                     "--comment", "Fleet"}),
                0, {}, {});
    EXPECT_EQ(ReadBytes(m_dir / "vhf.dat").size(), datafile::kFixedSize + 5);
    // clang-format off
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // The options of new, and one value, one text and one choice (value and text) of dump.
        {"info vhf.dat", "model_name", "QL-220"}, {"info vhf.dat", "range", "136-174"}, {"info vhf.dat", "signal", "2"},
        {"info vhf.dat", "comment", "Fleet"}, {"dump vhf.dat", "channels/0/rx_mhz", "155.00625"},
        {"dump doc.dat", "channels/0/rx_tone/text", "94.8"}, {"dump doc.dat", "channels/15/auto_start_scan", "true"},
        {"dump doc.dat", "keys/sk1_long/value", "75"}, {"dump doc.dat", "keys/sk1_long/text", "VOX On/Off"},
        // The problems the data checks find, each with its field, place and control.
        {"check three.dat", "problems/0/control", "3703"}, {"check three.dat", "problems/2/place", "Scan : Channel List"},
    };
    // clang-format on
    std::map<std::string, QJsonValue> outputs;
    for (const auto& [run, path, expected] : cases) {
        if (!outputs.contains(run)) {
            const auto words = Split(run, ' ');
            const auto r = Run({words[0], "@" + words[1], "--json"});
            EXPECT_EQ(r.exitCode, words[0] == "check" ? 1 : 0) << run << r.err;
            outputs[run] = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
        }
        QJsonValue value = outputs[run];
        for (const std::string& step : Split(path, '/'))
            value = value.isArray() ? value[std::stoi(step)] : value[QString::fromStdString(step)];
        EXPECT_EQ(value.toVariant().toString().toStdString(), expected) << run << " " << path;
    }
}

// Opening finds each problem of a file (its own tests pin which); each verb
// names the file, diff (like diff(1)) and check saying 2 when they could not look.
TEST_F(QrvctlTest, EachFileProblemHasItsOwnMessageNamingTheFile)
{
    // clang-format off
    for (const auto& [file, message] : {std::pair{"@missing.dat", msg::kReadMissing}, {"@folder", msg::kReadDirectory},
                                        {"@pipe", msg::kReadNotAFile}, {"@cut.dat", msg::kReadDamaged}})
        ExpectShown(Run({"info", file}), 1, {}, {{message, file}});
    for (const auto& [args, exitCode] : {std::pair{std::vector<std::string>{"diff", "@doc.dat", "@cut.dat"}, 2},
             {{"diff", "@cut.dat", "@doc.dat"}, 2}, {{"dump", "@cut.dat"}, 1}, {{"check", "@cut.dat"}, 2}})
        ExpectShown(Run(args), exitCode, {}, {{msg::kReadDamaged, "@cut.dat"}});
    // clang-format on
}

// With Settings.ini missing, damaged or far beyond any real one (16 MB of line
// ends once cost every command seconds and gigabytes) the verbs still know the
// model, what they save opens again with it, and the file stays as it was.
TEST_F(QrvctlTest, VerbsWorkWhateverSettingsFileTheyFind)
{
    const std::tuple<const char*, std::optional<std::string>, int> cases[] = {
        {"missing", std::nullopt, 0},
        {"control characters", "[Setting]\nModelID=QL\x01\nModelName=QL\x1B\nFreqRange=x\n", 0},
        {"oversized", std::string(16u * 1024u * 1024u, '\n'), msg::kFileTooLarge}};
    for (const auto& [name, settings, message] : cases) {
        SCOPED_TRACE(name);
        std::filesystem::remove(m_dir / "Settings.ini");
        if (settings)
            test::WriteText(m_dir / "Settings.ini", *settings);
        m_settings = settings;
        // Each verb names a file it will not read.
        const auto said =
            message == 0 ? std::vector<test::CShown>{} : std::vector<test::CShown>{{message, "@Settings.ini"}};
        ExpectShown(Run({"new", "-o", "@new.dat"}), 0, {}, said);
        ExpectShown(Run({"info", "@new.dat"}), 0, {"Model name:         QL-210\n", "400-470 MHz"}, said);
        ExpectSettingsKept();
    }
}

// Each report: its pages, each with the header, the identity block and its
// number, and the texts (patterns on one line) that it must or must not show.
TEST_F(QrvctlTest, ReportTable)
{
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> shown;
        std::vector<std::string> notShown;
        const char* caption = "QRV Programming Software";
        const char* footer = "Page %zu of %zu";
    };
    // A line of a PDF's text that holds only this.
    const auto line = [](const std::string& text) { return "(^|\n) *" + text + " *(\n|$)"; };
    // clang-format off
    const Case cases[] = {
        {{"report", "@doc.dat", "-o", "@all.pdf"},
         {line("Radio Information"), line("Test Frequency"), "CH 1 .* 446.00625 .* 94.8 ", "CH 16 .* 446.09375 "}, {}},
        {{"report", "@doc.dat", "-o", "@vox.pdf", "--section", "messages", "--section", "vox", "--section", "mode"},
         {line("VOX"), line("Mode"), line("Embedded Message")}, {line("Test Frequency"), "CH 1 "}},
        // The second language's texts, for this report only.
        {{"report", "@doc.dat", "-o", "@zh.pdf", "--section", "channels", "--language", "1"},
         {line("信道"), "信道1 ", "接收频率"}, {"CH 1 "}, "QRV 写频软件", "第 %zu 页，共 %zu 页"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::string pdf = File(c.args[3].substr(1));
        const auto r = Run(c.args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto text = test::RunTools({{"pdftotext", "-layout", "-enc", "UTF-8", pdf, "-"}}).front();
        ASSERT_EQ(text.exitCode, 0) << "pdftotext (poppler-utils, see scripts/install-deps): " << text.err;
        std::vector<std::string> pages = Split(text.out, '\f');
        pages.pop_back(); // after the last page's form feed
        for (std::size_t page = 1; page <= pages.size(); ++page) {
            EXPECT_TRUE(test::Holds(pages[page - 1], c.caption));
            EXPECT_TRUE(test::Holds(pages[page - 1], "400-470"));
            EXPECT_TRUE(test::Holds(pages[page - 1], Format(c.footer, page, pages.size())));
        }
        for (const std::string& pattern : c.shown)
            EXPECT_TRUE(std::regex_search(text.out, std::regex(pattern))) << pattern;
        for (const std::string& pattern : c.notShown)
            EXPECT_FALSE(std::regex_search(text.out, std::regex(pattern))) << pattern;
    }
    // A4 pages, and the first as a picture in the build tree, for a person to look at.
    EXPECT_TRUE(test::Holds(test::RunTools({{"pdfinfo", File("all.pdf")}}).front().out, " pts (A4)\n"));
    const auto shots = std::filesystem::path(QRVCTL_PATH).parent_path().parent_path() / "screenshots";
    std::filesystem::create_directories(shots);
    const auto render = test::RunTools({{"pdftoppm", "-r", "100", "-png", "-f", "1", "-l", "1", "-singlefile",
                                         File("all.pdf"), (shots / "report_page1").string()}});
    EXPECT_EQ(render.front().exitCode, 0) << render.front().err;
}

// export-csv and import-csv: the files written and the channels taken.
using QrvctlCsvTest = QrvctlTest;

// The header row tells the column set, so import needs no --format; the
// common one is what other programs for these radios write and read. A
// shorter list takes the first scan list along (the scan tests pin how).
TEST_F(QrvctlCsvTest, ExportWritesTheColumnSetAndImportTakesItBack)
{
    // The column sets themselves are the CSV tests'; here the one --format chose.
    const std::pair<const char*, const char*> cases[] = {{"native", "No,RxFrequency,"}, {"common", "Location,Name,"}};
    for (const auto& [format, header] : cases) {
        SCOPED_TRACE(format);
        ASSERT_EQ(Run({"export-csv", "@doc.dat", "-o", "@a.csv", "--format", format}).exitCode, 0);
        const std::string all = test::ReadText(m_dir / "a.csv");
        EXPECT_TRUE(all.starts_with(header)) << all;
        std::size_t end = 0;
        for (std::size_t line = 0; line <= 4; ++line)
            end = all.find("\r\n", end) + 2;
        test::WriteText(m_dir / "part.csv", all.substr(0, end));
        const std::vector<std::string> replaces{"replaces the whole channel list"};
        ExpectShown(Run({"import-csv", "@doc.dat", "@a.csv", "-o", "@b.dat"}), 0, replaces, {});
        EXPECT_EQ(ImageOf("b.dat"), m_doc);
        ExpectShown(Run({"import-csv", "@doc.dat", "@part.csv", "-o", "@b.dat"}), 0, replaces, {});
        const Image part = ImageOf("b.dat");
        // Channel 4 as it was but for its list links (bytes 0-3), and the scan list down to four.
        EXPECT_TRUE(std::equal(part.begin() + 0x5C0, part.begin() + 0x5D0, m_doc.begin() + 0x5C0));
        EXPECT_EQ(part[0x210 + 4], 4);
    }
}

TEST_F(QrvctlTest, PortsListsTheSystemsSerialPorts)
{
    const auto r = Run({"ports"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    for (const std::string& line : Split(r.out, '\n')) // device, state, description
        EXPECT_TRUE(line.empty() || std::count(line.begin(), line.end(), '\t') == 2) << line;
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
    EXPECT_TRUE(test::Holds(text, "'dialout'"));
    EXPECT_TRUE(test::Holds(text, "usermod -aG dialout"));
    EXPECT_TRUE(
        test::Holds(DescribeOpenFailure("/dev/ttyNONE", QSerialPort::DeviceNotFoundError, ""), "does not exist"));
}

} // namespace
} // namespace qrv
