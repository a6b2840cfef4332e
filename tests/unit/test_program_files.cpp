#include "radio_data/ini_file.h"
#include "radio_data/messages.h"
#include "radio_data/program_files.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

TEST(ProgramFiles, AnOversizedFileIsNamedAndLeftAsItIs)
{
    struct Case {
        const char* file;
        std::string text;
        int message;
        const char* saying; // a part of the message the user reads
    };
    const Case cases[] = {
        {"Settings.ini", "[Setting]\n" + std::string(CIniFile::kMaxFileBytes, ' '), msg::kFileTooLarge, "1 MiB"},
        // The English file cannot say it about itself: plain English does.
        {"QRV_E.lng", std::string(CIniFile::kMaxFileLines + 1, '\n'), msg::kFileTooManyLines, "was not read"},
    };
    for (const Case& c : cases) {
        test::CTempDir dir;
        test::CopyResources(dir.Path());
        test::WriteText(dir / c.file, c.text);
        {
            CSettings settings(dir.Path()); // writes its exit values when it goes
            const auto refused = RefusedProgramFiles(settings);
            ASSERT_EQ(refused.size(), 1u) << c.file;
            EXPECT_EQ(refused[0].path, dir / c.file);
            EXPECT_EQ(refused[0].message, c.message) << c.file;
            const std::string text = RefusalText(settings, refused[0]);
            EXPECT_NE(text.find((dir / c.file).string()), std::string::npos) << text;
            EXPECT_NE(text.find(c.saying), std::string::npos) << text;
        }
        EXPECT_EQ(test::ReadText(dir / c.file), c.text) << c.file;
    }
}

} // namespace
} // namespace qrv
