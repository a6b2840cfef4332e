// qrvctl read and write against qrv-radiosim on a pseudo-terminal, through
// QSerialPort: what the radio holds afterwards, what the program shows, and
// what each failure leaves changed.
#include "cli_messages.h"
#include "fleet/fleet_radio.h"
#include "radio_data/data_file.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "radio_link/radio_messages.h"
#include "radiosim_process.h"
#include "records/embedded_message_data.h"
#include "test_support.h"
#include "tool_runner.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>

namespace qrv {
namespace {

using sim::test::CRadioSimProcess;

class QrvctlRadioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::CopyResources(m_dir.Path());
        // The radio's memory: a pattern no codeplug holds, so that every byte
        // the program wrote can be told from one it left alone.
        for (std::size_t i = 0; i < m_radio.size(); ++i)
            m_radio[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0xFF);
        m_radio[0x128] = 0x48; // the radio's manual tune switch is on, its other bits unlike a codeplug's
        WriteImage(m_dir / "radio.dat", m_radio);
        // Automatic backups go to the user's data folder: keep them in the test's.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString((m_dir / "xdg").string()));
    }

    static void WriteImage(const std::filesystem::path& path, const Image& image)
    {
        CDataFile file;
        DataFileHeader header;
        std::copy(DataFileHeader::kMagic.begin(), DataFileHeader::kMagic.end(), header.bytes.begin());
        ASSERT_TRUE(file.SetHeader(header));
        ASSERT_TRUE(file.WriteFile(path, {}, image, ""));
    }

    static Image ImageOf(const std::filesystem::path& path)
    {
        Image image{};
        EXPECT_TRUE(ReadBlocks(path, nullptr, image)) << path;
        return image;
    }

    // Every run: whole lines, and Qt's own warnings ("QSocketNotifier: ...", "QObject::...: ...") never reach the user.
    test::CToolResult Qrvctl(std::vector<std::string> args)
    {
        args.push_back("--data-dir");
        args.push_back(m_dir.Path().string());
        const test::CToolResult r = test::RunTool(QRVCTL_PATH, args);
        EXPECT_TRUE(test::WholeLines(r.out) && test::WholeLines(r.err)) << r.out << r.err;
        const std::regex qtWarning("^Q[A-Za-z]+(::[A-Za-z]+)?: ");
        for (const std::string& line : Split(r.err, '\n'))
            EXPECT_FALSE(std::regex_search(line, qtWarning)) << args[0] << ": " << line;
        return r;
    }

    std::vector<std::string> Sim(std::vector<std::string> options)
    {
        options.insert(options.end(),
                       {"--image", (m_dir / "radio.dat").string(), "--save", (m_dir / "after.dat").string()});
        return options;
    }

    std::string Message(int number, const std::string& argument = {})
    {
        CSettings settings(m_dir.Path());
        settings.SetReadOnly(true);
        settings.SelectLanguage(0);
        const std::string text = settings.GetMessage(number);
        if (argument.empty())
            return text;
        return number == msg::kRadioReadFailed || number == msg::kRadioWriteFailed || number == msg::kTuneSwitchUnread
                   ? FormatMessageNumber(text, ParseLeadingInt(argument))
                   : FormatMessageText(text, argument);
    }

    test::CTempDir m_dir;
    Image m_radio{};
};

TEST_F(QrvctlRadioTest, ReadKeepsEveryByteTheRadioSent)
{
    CRadioSimProcess sim(Sim({}));
    ASSERT_TRUE(sim.Started());
    const auto r = Qrvctl({"read", "--port", sim.Port(), "-o", (m_dir / "read.dat").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ImageOf(m_dir / "read.dat"), m_radio);
    DataFileHeader header;
    ASSERT_TRUE(ReadHeader(m_dir / "read.dat", header));
    EXPECT_EQ(header.ModelId(), "QL210");
    EXPECT_EQ(header.ModelName(), "QL-210");
    EXPECT_EQ(header.LowerLimit(), 400);
    EXPECT_EQ(header.UpperLimit(), 470);
    EXPECT_NE(r.err.find("Reading 100%"), std::string::npos); // percent lines when stderr is no terminal
    EXPECT_TRUE(sim.Stop());
    EXPECT_EQ(ImageOf(m_dir / "after.dat"), m_radio); // a read changes nothing in the radio
}

// With Settings.ini missing or damaged the verbs still know the model: the
// radio is recognised, and what they save opens again with the radio's identity.
TEST_F(QrvctlRadioTest, VerbsWorkWithAMissingOrDamagedSettingsFile)
{
    struct Case {
        const char* settingsIni; // nullptr: no Settings.ini
        bool readTheRadio;       // a read takes seconds at the wire's speed: once is enough
    };
    const Case cases[] = {{nullptr, false},
                          {"[Setting]\nModelID=\nModelName=\nFreqRange=\n", false},
                          {"[Setting]\nModelID=QL\x01\nModelName=QL\x1B\nFreqRange=x\n", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.settingsIni == nullptr ? "missing" : c.settingsIni);
        std::filesystem::remove(m_dir / "Settings.ini");
        if (c.settingsIni != nullptr)
            test::WriteText(m_dir / "Settings.ini", c.settingsIni);
        std::vector<const char*> files{"new.dat"};
        ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "new.dat").string()}).exitCode, 0);
        if (c.readTheRadio) {
            CRadioSimProcess sim(Sim({}));
            ASSERT_TRUE(sim.Started());
            const auto read =
                Qrvctl({"read", "--port", sim.Port(), "--no-backup", "-o", (m_dir / "read.dat").string()});
            EXPECT_EQ(read.exitCode, 0) << read.err;
            EXPECT_TRUE(sim.Stop());
            files.push_back("read.dat");
        }
        for (const char* file : files) {
            const auto info = Qrvctl({"info", (m_dir / file).string()});
            EXPECT_EQ(info.exitCode, 0) << file << info.err;
            EXPECT_NE(info.out.find("QL-210"), std::string::npos) << file << info.out;
            EXPECT_NE(info.out.find("400-470"), std::string::npos) << file << info.out;
        }
        // The verbs never write Settings.ini, repaired or not.
        EXPECT_EQ(std::filesystem::exists(m_dir / "Settings.ini"), c.settingsIni != nullptr);
        if (c.settingsIni != nullptr) {
            EXPECT_EQ(test::ReadText(m_dir / "Settings.ini"), c.settingsIni);
        }
    }
}

// The codeplug read and the trace are refused over read-only files, each
// named, and both files stay as they were.
TEST_F(QrvctlRadioTest, AReadRefusesReadOnlyFilesForTheCodeplugAndTheTrace)
{
    const auto codeplug = m_dir / "locked.dat";
    const auto trace = m_dir / "locked.txt";
    for (const auto& file : {codeplug, trace}) {
        test::WriteText(file, "locked");
        std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    }
    CRadioSimProcess sim(Sim({}));
    ASSERT_TRUE(sim.Started());
    const auto r =
        Qrvctl({"read", "--port", sim.Port(), "--no-backup", "-o", codeplug.string(), "--trace", trace.string()});
    EXPECT_EQ(r.exitCode, 1);
    for (const auto& file : {codeplug, trace}) {
        EXPECT_NE(r.err.find(Message(msg::kSaveReadOnly, file.string())), std::string::npos) << r.err;
        EXPECT_EQ(test::ReadText(file), "locked");
    }
}

TEST_F(QrvctlRadioTest, WriteSendsOnlyTheWrittenRangesAndKeepsTheTuneSwitch)
{
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "doc.dat").string()}).exitCode, 0);
    const Image doc = ImageOf(m_dir / "doc.dat");
    CRadioSimProcess sim(Sim({}));
    ASSERT_TRUE(sim.Started());
    const auto r = Qrvctl({"write", "--port", sim.Port(), (m_dir / "doc.dat").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_TRUE(sim.Stop());
    const Image after = ImageOf(m_dir / "after.dat");

    const auto written = [](std::size_t o) { return (o >= 0x078 && o <= 0x30F) || o >= 0x580; };
    for (std::size_t o = 0; o < kImageSize; ++o) {
        if (o >= 0x020 && o <= 0x027)
            continue; // the stamp
        if (o == 0x128) {
            EXPECT_EQ(after[o], (doc[o] & ~0x08) | (m_radio[o] & 0x08)) << "the radio's own tune switch bit";
            continue;
        }
        ASSERT_EQ(after[o], written(o) ? doc[o] : m_radio[o]) << std::hex << o;
    }
    EXPECT_EQ(after[0x027], 0);
    EXPECT_EQ(after[0x026], 20); // the century of the stamp
}

// A codeplug that fails the data checks is never sent: qrvctl says why, and
// not one frame reaches the radio.
TEST_F(QrvctlRadioTest, WriteOfDataThatFailsTheChecksSendsNothing)
{
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "doc.dat").string()}).exitCode, 0);
    DataFileHeader header;
    ASSERT_TRUE(ReadHeader(m_dir / "doc.dat", header));
    Image doc = ImageOf(m_dir / "doc.dat");
    doc[0x580 + 18] = 9; // channel 1 names a personality the codeplug does not have
    CDataFile file;
    ASSERT_TRUE(file.SetHeader(header));
    ASSERT_TRUE(file.WriteFile(m_dir / "invalid.dat", {}, doc, ""));

    CRadioSimProcess sim(Sim({"--log", (m_dir / "sim.log").string()}));
    ASSERT_TRUE(sim.Started());
    const auto r = Qrvctl({"write", "--port", sim.Port(), (m_dir / "invalid.dat").string()});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find(Message(climsg::kDataFailsChecks)), std::string::npos) << r.err;
    const auto check = Qrvctl({"check", (m_dir / "invalid.dat").string()});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(r.err.find("\n  " + check.out), std::string::npos) << r.err << check.out;
    ASSERT_TRUE(sim.Stop());
    EXPECT_EQ(test::ReadText(m_dir / "sim.log").find("RX "), std::string::npos);
    EXPECT_EQ(ImageOf(m_dir / "after.dat"), m_radio);
}

struct CFailureCase {
    const char* name;
    std::vector<std::string> simOptions;
    bool write;
    int message;
    std::string argument;
    bool partial; // the radio may hold part of the codeplug, and the message says so
};
// Rows print as their name in test listings.
inline void PrintTo(const CFailureCase& row, std::ostream* out)
{
    *out << row.name;
}

// The last line of the simulator's log: the mode it was left in.
std::string LastLine(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::string line, last;
    while (std::getline(in, line))
        last = line;
    return last;
}

class QrvctlRadioFailureTest : public QrvctlRadioTest, public ::testing::WithParamInterface<CFailureCase> {};

TEST_P(QrvctlRadioFailureTest, ShowsTheMessageAndChangesOnlyWhatItMust)
{
    const CFailureCase& c = GetParam();
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "doc.dat").string()}).exitCode, 0);
    const auto docBefore = test::ReadBytes(m_dir / "doc.dat");
    std::vector<std::string> options = c.simOptions;
    options.insert(options.end(), {"--log", (m_dir / "sim.log").string()});
    CRadioSimProcess sim(Sim(options));
    ASSERT_TRUE(sim.Started());
    QElapsedTimer timer;
    timer.start();
    const auto r = c.write ? Qrvctl({"write", "--port", sim.Port(), (m_dir / "doc.dat").string()})
                           : Qrvctl({"read", "--port", sim.Port(), "-o", (m_dir / "read.dat").string()});
    EXPECT_EQ(r.exitCode, 1) << c.name << r.err;
    EXPECT_NE(r.err.find(Message(c.message, c.argument)), std::string::npos) << c.name << ": " << r.err;
    const std::string partial =
        Message(msg::kPartialCodeplugNoBackup).substr(0, Message(msg::kPartialCodeplugNoBackup).find('\n'));
    EXPECT_EQ(r.err.find(partial) != std::string::npos, c.partial) << c.name << ": " << r.err;
    EXPECT_LT(timer.elapsed(), 20000) << c.name;
    EXPECT_FALSE(std::filesystem::exists(m_dir / "read.dat")) << c.name;
    EXPECT_EQ(test::ReadBytes(m_dir / "doc.dat"), docBefore) << c.name;
    ASSERT_TRUE(sim.Stop()) << c.name;
    EXPECT_EQ(LastLine(m_dir / "sim.log"), "END mode 1") << c.name;
    const Image after = ImageOf(m_dir / "after.dat");
    const auto written = [](std::size_t o) {
        return (o >= 0x020 && o <= 0x027) || (o >= 0x078 && o <= 0x30F) || o >= 0x580;
    };
    EXPECT_EQ(after[0x128] & 0x08, m_radio[0x128] & 0x08) << c.name << ": the radio's tune switch";
    for (std::size_t o = 0; o < kImageSize; ++o)
        if (!c.write || !written(o)) {
            ASSERT_EQ(after[o], m_radio[o]) << c.name << std::hex << " at " << o;
        }
}

INSTANTIATE_TEST_SUITE_P(
    FailureTable, QrvctlRadioFailureTest,
    ::testing::Values(
        CFailureCase{"silent radio", {"--silent"}, false, msg::kNoRadioAnswer, "", false},
        CFailureCase{"identity queries fail", {"--vanish-after", "1"}, false, msg::kRadioIdentityFailed, "", false},
        CFailureCase{"other model name", {"--model-name", "QL-999"}, false, msg::kModelMismatch, "", false},
        CFailureCase{"other model on write", {"--model-id", "QL211"}, true, msg::kModelMismatch, "", false},
        CFailureCase{"newer firmware", {"--firmware", "1.02.00.000"}, false, msg::kNewerVersion, "1.02", false},
        CFailureCase{
            "range outside the radio", {"--range", "136-174"}, true, msg::kRangeOutsideRadio, "136-174", false},
        CFailureCase{"mode refused", {"--refuse-mode"}, false, msg::kNoRadioAnswer, "", false},
        CFailureCase{"block read fails", {"--bad-checksum-at", "0x7F0"}, false, msg::kRadioReadFailed, "2032", false},
        CFailureCase{
            "tune switch unanswered", {"--silent-read-at", "0x127"}, true, msg::kTuneSwitchUnread, "295", false},
        CFailureCase{
            "tune switch block refused", {"--refuse-write-at", "0x128"}, true, msg::kRadioWriteFailed, "296", true},
        CFailureCase{"later block refused", {"--refuse-write-at", "0x200"}, true, msg::kRadioWriteFailed, "504", true},
        CFailureCase{"block acknowledged not stored",
                     {"--drop-write-at", "0x200"},
                     true,
                     msg::kVerifyFailed,
                     "0x01F8-0x0207",
                     true}),
    [](const ::testing::TestParamInfo<CFailureCase>& param) {
        std::string name = param.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

TEST_F(QrvctlRadioTest, ARadioThatVanishesEndsTheReadWithAMessage)
{
    CRadioSimProcess sim(Sim({}));
    ASSERT_TRUE(sim.Started());
    QProcess qrvctl;
    qrvctl.start(QStringLiteral(QRVCTL_PATH),
                 {QStringLiteral("read"), QStringLiteral("--port"), QString::fromStdString(sim.Port()),
                  QStringLiteral("-o"), QString::fromStdString((m_dir / "read.dat").string()),
                  QStringLiteral("--data-dir"), QString::fromStdString(m_dir.Path().string())});
    ASSERT_TRUE(qrvctl.waitForStarted());
    qrvctl.setReadChannel(QProcess::StandardError);
    // Let the transfer get under way, then pull the plug.
    QByteArray seen;
    while (!seen.contains("Reading 10%")) {
        ASSERT_TRUE(qrvctl.waitForReadyRead(15000));
        seen += qrvctl.readAllStandardError();
    }
    sim.Kill();
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(qrvctl.waitForFinished(15000));
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(qrvctl.exitCode(), 1);
    EXPECT_TRUE(qrvctl.readAllStandardError().contains(
        QByteArray::fromStdString(Message(msg::kRadioReadFailed).substr(0, 10))));
    EXPECT_FALSE(std::filesystem::exists(m_dir / "read.dat"));
}

TEST_F(QrvctlRadioTest, IdentifyAndMessages)
{
    CRadioSimProcess sim(Sim({}));
    ASSERT_TRUE(sim.Started());
    auto r = Qrvctl({"identify", "--port", sim.Port()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("QL-210"), std::string::npos);
    EXPECT_NE(r.out.find("400-470"), std::string::npos);

    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "msg.dat").string()}).exitCode, 0);
    r = Qrvctl({"messages", "write", "--port", sim.Port(), (m_dir / "msg.dat").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = Qrvctl({"messages", "read", "--port", sim.Port(), "-o", (m_dir / "back.dat").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_TRUE(sim.Stop());
    const Image doc = ImageOf(m_dir / "msg.dat");
    const Image after = ImageOf(m_dir / "after.dat");
    const Image back = ImageOf(m_dir / "back.dat");
    for (std::size_t o = 0x400; o < 0x490; ++o) {
        ASSERT_EQ(after[o], doc[o]) << std::hex << o;
        ASSERT_EQ(back[o], doc[o]) << std::hex << o;
    }
    EXPECT_EQ(after[0x490], m_radio[0x490]); // nothing beyond the block
}

// How often text occurs in output.
std::size_t Occurrences(const std::string& output, const std::string& text)
{
    std::size_t count = 0;
    for (auto at = output.find(text); at != std::string::npos; at = output.find(text, at + text.size()))
        ++count;
    return count;
}

// messages write: a password the radio cannot hold, and for a codeplug with
// a radio password none or a wrong one, are refused, each said once, before
// a frame reaches the radio; the right one writes.
TEST_F(QrvctlRadioTest, MessagesWriteNeedsTheCodeplugsPassword)
{
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "open.dat").string()}).exitCode, 0);
    auto bytes = test::ReadBytes(m_dir / "open.dat");
    const auto field = CEmbeddedMessageData::PasswordField("Secret 1");
    ASSERT_TRUE(field);
    const std::size_t passwordAt = bytes.size() - kImageSize + CEmbeddedMessageData::kImageOffset;
    std::copy(field->begin(), field->end(), bytes.begin() + static_cast<std::ptrdiff_t>(passwordAt));
    test::WriteBytes(m_dir / "locked.dat", bytes);
    const auto log = m_dir / "sim.log";
    CRadioSimProcess sim(Sim({"--log", log.string()}));
    ASSERT_TRUE(sim.Started());
    const auto write = [&](const char* file, const std::optional<std::string>& password) {
        std::vector<std::string> args{"messages", "write", "--port", sim.Port(), (m_dir / file).string()};
        if (password)
            args.insert(args.end(), {"--password", *password});
        return Qrvctl(args);
    };

    struct Case {
        const char* file;
        std::optional<std::string> password;
        int message;
    };
    const Case refusals[] = {
        {"open.dat", "caf\xc3\xa9", msg::kPasswordNotAscii},
        {"open.dat", "123456789", msg::kPasswordTooLong},
        {"locked.dat", std::nullopt, climsg::kPasswordNeeded},
        {"locked.dat", "secret 1", msg::kWrongPassword}, // letter case counts
        {"locked.dat", "Secret", msg::kWrongPassword},
    };
    for (const Case& c : refusals) {
        const auto r = write(c.file, c.password);
        EXPECT_EQ(r.exitCode, 1) << c.file << " " << c.password.value_or("(none)");
        EXPECT_EQ(Occurrences(r.err, Message(c.message)), 1u) << r.err;
    }
    EXPECT_EQ(test::ReadText(log).find("RX "), std::string::npos);

    const auto r = write("locked.dat", "Secret 1");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    ASSERT_TRUE(sim.Stop());
    const Image after = ImageOf(m_dir / "after.dat");
    EXPECT_TRUE(std::equal(field->begin(), field->end(), after.begin() + CEmbeddedMessageData::kImageOffset));
}

std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// The hex bytes of the lines of a text file whose word after the time is `tag`.
std::vector<std::string> HexLines(const std::filesystem::path& path, const std::string& tag)
{
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string time, unit, word;
        words >> time;
        if (line.find(" ms ") != std::string::npos)
            words >> unit;
        words >> word;
        if (word != tag)
            continue;
        std::string rest;
        std::getline(words, rest);
        lines.push_back(Trim(rest));
    }
    return lines;
}

TEST_F(QrvctlRadioTest, VerifyAfterWriteCatchesALostBlockUnlessTurnedOff)
{
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "doc.dat").string()}).exitCode, 0);
    const auto backups = m_dir / "backups";
    {
        CRadioSimProcess sim(Sim({"--drop-write-at", "0x100"}));
        ASSERT_TRUE(sim.Started());
        const auto r =
            Qrvctl({"write", "--port", sim.Port(), "--backup-dir", backups.string(), (m_dir / "doc.dat").string()});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find(Message(msg::kVerifyFailed, "0x00F8-0x0107")), std::string::npos) << r.err;
    }
    {
        CRadioSimProcess sim(Sim({"--drop-write-at", "0x100"}));
        ASSERT_TRUE(sim.Started());
        const auto r =
            Qrvctl({"write", "--port", sim.Port(), "--no-verify", "--no-backup", (m_dir / "doc.dat").string()});
        EXPECT_EQ(r.exitCode, 0) << r.err;
    }
    // Only the first write kept a backup: the codeplug exactly as it was sent,
    // with the radio's own tune switch.
    const auto files = FilesIn(backups);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(files[0].filename().string().find("_QL-210_write.dat"), std::string::npos) << files[0];
    Image sent = ImageOf(m_dir / "doc.dat");
    sent[0x128] = static_cast<std::uint8_t>((sent[0x128] & ~0x08) | (m_radio[0x128] & 0x08));
    EXPECT_EQ(ImageOf(files[0]), sent);
}

TEST_F(QrvctlRadioTest, AGoodWritePassesVerificationAndAReadKeepsABackup)
{
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "doc.dat").string()}).exitCode, 0);
    CRadioSimProcess sim(Sim({}));
    ASSERT_TRUE(sim.Started());
    const auto w = Qrvctl({"write", "--port", sim.Port(), (m_dir / "doc.dat").string()});
    EXPECT_EQ(w.exitCode, 0) << w.err;
    const auto r = Qrvctl({"read", "--port", sim.Port(), "-o", (m_dir / "read.dat").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // Without --backup-dir both land in the user's data folder.
    const auto files = FilesIn(m_dir / "xdg" / "QRV" / "qrv" / "backups");
    ASSERT_EQ(files.size(), 2u);
    std::vector<std::string> kinds;
    for (const auto& f : files)
        kinds.push_back(f.filename().string().substr(18));
    std::sort(kinds.begin(), kinds.end());
    EXPECT_EQ(kinds, (std::vector<std::string>{"QL-210_read.dat", "QL-210_write.dat"}));
    for (const auto& f : files) {
        if (f.filename().string().find("_read") != std::string::npos) {
            EXPECT_EQ(ImageOf(f), ImageOf(m_dir / "read.dat"));
        }
    }
}

TEST_F(QrvctlRadioTest, TraceOfAReadHoldsEveryFrameTheRadioGot)
{
    const auto log = m_dir / "sim.log";
    const auto trace = m_dir / "trace.txt";
    {
        CRadioSimProcess sim(Sim({"--log", log.string()}));
        ASSERT_TRUE(sim.Started());
        // The option may stand before the verb too.
        const auto r = Qrvctl({"--trace", trace.string(), "read", "--port", sim.Port(), "--no-backup", "-o",
                               (m_dir / "read.dat").string()});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        ASSERT_TRUE(sim.Stop());
    }
    const auto radioGot = HexLines(log, "RX");
    const auto radioSent = HexLines(log, "TX");
    const auto traceSent = HexLines(trace, "TX");
    const auto traceGot = HexLines(trace, "RX");
    ASSERT_GT(radioGot.size(), 128u);
    EXPECT_EQ(traceSent, radioGot);
    std::string sentJoined, gotJoined;
    for (const auto& l : radioSent)
        sentJoined += l + " ";
    for (const auto& l : traceGot)
        gotJoined += l + " ";
    EXPECT_EQ(gotJoined, sentJoined); // every reply, whatever chunks it arrived in
    EXPECT_EQ(HexLines(trace, "OPEN").size(), 1u);
}

TEST_F(QrvctlRadioTest, TraceIsWrittenWhenNoRadioAnswers)
{
    const auto trace = m_dir / "trace.txt";
    CRadioSimProcess sim(Sim({"--silent"}));
    ASSERT_TRUE(sim.Started());
    const auto r = Qrvctl({"identify", "--port", sim.Port(), "--trace", trace.string()});
    EXPECT_EQ(r.exitCode, 1);
    const auto sent = HexLines(trace, "TX");
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "02 50 61 03"); // the handshake, unanswered
    EXPECT_TRUE(HexLines(trace, "RX").empty());
}

// One codeplug into four radios at once, one of which refuses a block: the
// three others are written and verified, the fourth is reported with its
// address and left in normal mode, the log holds four rows, and the exit
// code says that not every radio was written.
// The lines of a fleet run, one per radio.
std::vector<std::string> Lines(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(QrvctlRadioTest, AFleetWriteReportsEachRadio)
{
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "fleet.dat").string()}).exitCode, 0);
    std::vector<std::unique_ptr<CRadioSimProcess>> sims;
    std::vector<std::string> args{"write", (m_dir / "fleet.dat").string(), "--no-backup", "--log",
                                  (m_dir / "fleet.csv").string()};
    for (int i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i);
        std::vector<std::string> options{"--image",  (m_dir / "radio.dat").string(),
                                         "--serial", "SN-000" + n,
                                         "--save",   (m_dir / ("after" + n + ".dat")).string(),
                                         "--log",    (m_dir / ("sim" + n + ".log")).string()};
        if (i == 2)
            options.insert(options.end(), {"--refuse-write-at", "0x200"});
        sims.push_back(std::make_unique<CRadioSimProcess>(options));
        ASSERT_TRUE(sims.back()->Started());
        args.insert(args.end(), {"--port", sims.back()->Port()});
    }
    const auto r = Qrvctl(args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    const std::vector<std::string> rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 4u) << r.out;
    const Image sent = ImageOf(m_dir / "fleet.dat");
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string n = std::to_string(i);
        EXPECT_EQ(rows[i].rfind(sims[i]->Port() + "\t", 0), 0u) << rows[i];
        EXPECT_NE(rows[i].find("\tSN-000" + n + "\t"), std::string::npos) << rows[i];
        EXPECT_NE(rows[i].find(i == 2 ? "\tfailed\t" : "\tverified\t"), std::string::npos) << rows[i];
        EXPECT_TRUE(sims[i]->Stop());
        EXPECT_EQ(LastLine(m_dir / ("sim" + n + ".log")), "END mode 1") << i;
        // The radio holds the codeplug, its own tune switch word (0x127) apart.
        const Image after = ImageOf(m_dir / ("after" + n + ".dat"));
        if (i != 2)
            EXPECT_TRUE(std::equal(sent.begin() + 0x078, sent.begin() + 0x127, after.begin() + 0x078) &&
                        std::equal(sent.begin() + 0x129, sent.begin() + 0x310, after.begin() + 0x129))
                << i;
    }
    EXPECT_NE(rows[2].find(Message(msg::kRadioWriteFailed, "504")), std::string::npos) << rows[2]; // the block at 0x1F8
    const std::string log = test::ReadText(m_dir / "fleet.csv");
    EXPECT_EQ(log.rfind("Time,Port,ModelID,ModelName,SerialNumber,Range,Result,Address,Reason,Checksum\r\n", 0), 0u);
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 5) << log;
    EXPECT_NE(log.find(",failed,0x1F8,"), std::string::npos) << log;
}

// One cable, three radios plugged in turn, the third the first one again:
// two written and verified, the third left alone as written already in the
// run; a line and a log row as each radio is done.
TEST_F(QrvctlRadioTest, NextRadioModeWritesTheRadiosPluggedInTurn)
{
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "fleet.dat").string()}).exitCode, 0);
    const std::array<std::string, 3> serials{"SN-1", "SN-2", "SN-1"};
    std::vector<std::string> options{"--swap-pause", "1500"}; // a radio is gone when a whole handshake fails
    for (std::size_t i = 0; i < serials.size(); ++i) {
        if (i > 0)
            options.push_back("--then");
        options.insert(options.end(), {"--image", (m_dir / "radio.dat").string(), "--serial", serials[i], "--save",
                                       (m_dir / ("after" + std::to_string(i) + ".dat")).string()});
    }
    CRadioSimProcess sim(options);
    ASSERT_TRUE(sim.Started());
    const auto r = Qrvctl({"write", (m_dir / "fleet.dat").string(), "--port", sim.Port(), "--next", "3", "--no-backup",
                           "--log", (m_dir / "fleet.csv").string()});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    const std::vector<std::string> rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 3u) << r.out << r.err;
    const char* results[] = {"\tverified\tSN-1\t", "\tverified\tSN-2\t", "\tskipped\tSN-1\t"};
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_NE(rows[i].find(results[i]), std::string::npos) << rows[i];
    EXPECT_NE(rows[2].find(Message(kAlreadyWritten, "SN-1")), std::string::npos) << rows[2];
    EXPECT_TRUE(sim.Stop());
    const Image sent = ImageOf(m_dir / "fleet.dat");
    for (std::size_t i = 0; i < serials.size(); ++i) {
        const Image after = ImageOf(m_dir / ("after" + std::to_string(i) + ".dat"));
        const Image& expected = i < 2 ? sent : m_radio;
        EXPECT_TRUE(std::equal(expected.begin() + 0x129, expected.begin() + 0x310, after.begin() + 0x129)) << i;
    }
    const std::string log = test::ReadText(m_dir / "fleet.csv");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 4) << log;
}

// compare: a radio that holds the file's codeplug, one that differs in a
// byte, and a radio of another model, which is refused as a write would be.
TEST_F(QrvctlRadioTest, CompareListsWhereTheRadioDiffersFromTheFile)
{
    ASSERT_EQ(Qrvctl({"new", "-o", (m_dir / "file.dat").string()}).exitCode, 0);
    const Image file = ImageOf(m_dir / "file.dat");
    Image changed = file;
    changed[0x586] ^= 0x01;
    struct Case {
        const char* name;
        Image memory;
        std::vector<std::string> options;
        int exitCode;
        std::string expected; // on stdout, or on stderr for a refusal
    };
    const Case cases[] = {
        {"equal", file, {}, 0, ""},
        {"one field", changed, {}, 1, "Channel 1, Rx frequency (0x584): "},
        {"other model", file, {"--model-id", "QL211"}, 2, Message(msg::kModelMismatch)},
    };
    for (const Case& c : cases) {
        WriteImage(m_dir / "memory.dat", c.memory);
        std::vector<std::string> options{"--image", (m_dir / "memory.dat").string()};
        options.insert(options.end(), c.options.begin(), c.options.end());
        CRadioSimProcess sim(options);
        ASSERT_TRUE(sim.Started());
        const auto r = Qrvctl({"compare", (m_dir / "file.dat").string(), "--port", sim.Port()});
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name << r.out << r.err;
        if (c.exitCode == 0)
            EXPECT_EQ(r.out, "") << c.name;
        else
            EXPECT_NE((c.exitCode == 1 ? r.out : r.err).find(c.expected), std::string::npos)
                << c.name << r.out << r.err;
        EXPECT_TRUE(sim.Stop()) << c.name;
    }
}

} // namespace
} // namespace qrv
