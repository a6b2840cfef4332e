#pragma once
// The fixture of every qrvctl test: a program directory of its own, seeded
// with the shipped resources and a new codeplug doc.dat, and qrvctl run on it
// as a user runs it.
#include "radio_data/data_file.h"
#include "radio_data/settings.h"
#include "test_support.h"
#include "util/text_format.h"

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <regex>

namespace qrv::test {

struct CToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Starts a program with its arguments.
inline std::unique_ptr<QProcess> Start(const std::vector<std::string>& command)
{
    QStringList args;
    for (auto a = command.begin() + 1; a != command.end(); ++a)
        args << QString::fromStdString(*a);
    auto process = std::make_unique<QProcess>();
    process->start(QString::fromStdString(command.front()), args);
    return process;
}

// Runs each program with its arguments, all at once, and waits for them all.
inline std::vector<CToolResult> RunTools(const std::vector<std::vector<std::string>>& commands)
{
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const auto& command : commands)
        processes.push_back(Start(command));
    std::vector<CToolResult> results;
    for (const auto& p : processes) {
        const bool ended = p->waitForFinished(60000) && p->exitStatus() == QProcess::NormalExit;
        results.push_back({ended ? p->exitCode() : -1, p->readAllStandardOutput().toStdString(),
                           p->readAllStandardError().toStdString()});
    }
    return results;
}

// Whether text holds part (exactly once, if asked); says what it holds when not.
inline ::testing::AssertionResult Holds(const std::string& text, const std::string& part, bool once = false)
{
    const auto at = text.find(part);
    if (at != std::string::npos && (!once || text.find(part, at + 1) == std::string::npos))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no " << (once ? "single \"" : "\"") << part << "\" in:\n" << text;
}

// What a run must show: a text, or a message of the language file with its argument ("@name": a file).
struct CShown {
    CShown(const char* literal) : text(literal) {}
    CShown(int number, const char* argument = "") : message(number), text(argument) {}
    int message = 0;
    std::string text;
};

class CQrvctlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CopyResources(m_dir.Path());
        m_settings = ReadText(m_dir / "Settings.ini");
        // Automatic backups go to the user's data folder: keep them in the test's. A runtime
        // folder of the user's own keeps Qt's note about a missing one off stderr.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(File("xdg")));
        std::filesystem::create_directory(m_dir / "run");
        std::filesystem::permissions(m_dir / "run", std::filesystem::perms::owner_all);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(File("run")));
        ASSERT_EQ(Run({"new", "-o", "@doc.dat"}).exitCode, 0);
        m_doc = ImageOf("doc.dat");
    }

    void TearDown() override { ExpectSettingsKept(); }

    // No verb ever writes Settings.ini: a test that changes it says so in m_settings.
    void ExpectSettingsKept()
    {
        EXPECT_EQ(std::filesystem::exists(m_dir / "Settings.ini"), m_settings.has_value());
        EXPECT_EQ(ReadText(m_dir / "Settings.ini"), m_settings.value_or(""));
    }

    CToolResult Run(const std::vector<std::string>& args) { return RunAll({args}).front(); }

    // qrvctl on the test's program directory, several runs at once (each on a
    // radio of its own: none waits for another); an argument "@name" names a file there.
    std::vector<CToolResult> RunAll(const std::vector<std::vector<std::string>>& runs)
    {
        std::vector<std::vector<std::string>> commands;
        for (const auto& args : runs)
            commands.push_back(Command(args));
        const std::vector<CToolResult> results = RunTools(commands);
        // Every output is whole lines; text from a file never reaches the terminal raw,
        // and Qt's own warnings ("QSocketNotifier: ...") never reach the user.
        for (const CToolResult& r : results) {
            EXPECT_TRUE(r.out.empty() || r.out.back() == '\n') << r.out;
            EXPECT_TRUE(r.err.empty() || r.err.back() == '\n') << r.err;
            EXPECT_EQ(r.out.find('\x1b'), std::string::npos) << r.out;
            EXPECT_FALSE(std::regex_search(r.err, std::regex("(^|\n)Q[A-Za-z]+(::[A-Za-z]+)?: "))) << r.err;
        }
        return results;
    }

    std::vector<std::string> Command(const std::vector<std::string>& args) const
    {
        std::vector<std::string> command{QRVCTL_PATH};
        for (const auto& a : args)
            command.push_back(Expand(a));
        command.insert(command.end(), {"--data-dir", m_dir.Path().string()});
        return command;
    }

    // A row of a verb table: its exit code; on stdout each text, or nothing when
    // none is expected; on stderr each text once, and nothing on a success that expects none.
    void ExpectShown(const CToolResult& r, int exitCode, const std::vector<std::string>& out,
                     const std::vector<CShown>& err) const
    {
        EXPECT_EQ(r.exitCode, exitCode) << r.out << r.err;
        EXPECT_TRUE(!out.empty() || r.out.empty()) << r.out;
        for (const std::string& text : out)
            EXPECT_TRUE(Holds(r.out, text));
        EXPECT_TRUE(!err.empty() || exitCode != 0 || r.err.empty()) << r.err;
        EXPECT_TRUE(exitCode != 2 || r.err.starts_with("qrvctl: ")) << r.err;
        for (const CShown& shown : err)
            EXPECT_TRUE(Holds(r.err, shown.message == 0 ? shown.text : Message(shown.message, shown.text), true));
    }

    std::string File(const std::string& name) const { return (m_dir / name).string(); }
    std::string Expand(const std::string& text) const { return text.starts_with('@') ? File(text.substr(1)) : text; }

    // The shipped English text of a message, with its argument put in.
    std::string Message(int number, const std::string& argument = {}) const
    {
        CSettings settings(m_dir.Path());
        settings.SetReadOnly(true);
        settings.SelectLanguage(0);
        const std::string text = settings.GetMessage(number);
        return argument.empty() ? text : FormatMessageText(text, Expand(argument));
    }

    Image ImageOf(const std::string& name) const
    {
        Image image{};
        EXPECT_TRUE(ReadBlocks(m_dir / name, nullptr, image)) << name; // a full path stays as it is
        return image;
    }

    // doc.dat's file with this image, these bytes of it changed.
    void WriteImage(const std::string& name, Image image,
                    const std::vector<std::pair<std::size_t, std::uint8_t>>& bytes = {}) const
    {
        for (const auto& [offset, value] : bytes)
            image[offset] = value;
        auto file = ReadBytes(m_dir / "doc.dat");
        std::copy(image.begin(), image.end(), file.end() - kImageSize);
        WriteBytes(m_dir / name, file);
    }

    CTempDir m_dir;
    std::optional<std::string> m_settings; // Settings.ini as it must stay; none: there is none
    Image m_doc{};
};

} // namespace qrv::test
