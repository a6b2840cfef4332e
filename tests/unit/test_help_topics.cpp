#include "presentation/help_topics.h"

#include "presentation/item_tables.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

// The folder follows the language; in it the first number with a page wins, then the index; nothing when the
// help is not installed.
TEST(HelpTopics, FolderOfTheLanguageAndFirstNumberWithAPageThenTheDefault)
{
    EXPECT_EQ(HelpFolder("/opt/help", 0), "/opt/help/qrv_E");
    EXPECT_EQ(HelpFolder("/opt/help", 1), "/opt/help/qrv_S");
    EXPECT_EQ(HelpFolder("/opt/help", 2), "/opt/help/qrv_E"); // every language but Chinese reads the English pages
    test::CTempDir dir;
    const std::string channelPage = std::to_string(item::kChannel) + ".html";
    const int channel[] = {item::kChannel};
    EXPECT_FALSE(FindHelpTopic(dir.Path(), channel).has_value());
    EXPECT_FALSE(FindHelpTopic(dir / "missing", channel).has_value());
    for (const char* page : {channelPage.c_str(), "150.html", "index.html"})
        test::WriteText(dir / page, "page");
    std::filesystem::create_directory(dir / "1072.html"); // a folder is not a page
    const std::pair<std::vector<int>, std::string> cases[] = {
        {{1072, item::kChannel}, channelPage}, // control without a page, then its view
        {{150, item::kChannel}, "150.html"},
        {{}, "index.html"},
        {{0, -5, 99999}, "index.html"},
    };
    for (const auto& [numbers, page] : cases)
        EXPECT_EQ(FindHelpTopic(dir.Path(), numbers).value_or("").filename(), page);
}

} // namespace
} // namespace qrv
