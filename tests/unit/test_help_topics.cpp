#include "presentation/help_topics.h"

#include "presentation/item_tables.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace qrv {
namespace {

TEST(HelpTopics, FolderFollowsTheLanguage)
{
    const std::filesystem::path root = "/opt/help";
    EXPECT_EQ(HelpFolder(root, 0), root / "qrv_E");
    EXPECT_EQ(HelpFolder(root, 1), root / "qrv_S");
    EXPECT_EQ(HelpFolder(root, 2), root / "qrv_E"); // every language but Chinese reads the English pages
}

TEST(HelpTopics, FirstNumberWithAPageWinsThenTheDefault)
{
    test::CTempDir dir;
    const std::string channelPage = std::to_string(item::kChannel) + ".html";
    test::WriteText(dir / channelPage, "channel");
    test::WriteText(dir / "150.html", "port");
    test::WriteText(dir / "index.html", "index");
    std::filesystem::create_directory(dir / "1072.html"); // a folder is not a page

    struct Case {
        std::vector<int> numbers;
        std::string page;
    };
    const Case cases[] = {
        {{1072, item::kChannel}, channelPage}, // control without a page, then its view
        {{150, item::kChannel}, "150.html"},
        {{}, "index.html"},
        {{0, -5, 99999}, "index.html"},
    };
    for (const Case& c : cases) {
        const auto found = FindHelpTopic(dir.Path(), c.numbers);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(found->filename(), c.page);
    }
}

TEST(HelpTopics, NothingWhenTheHelpIsNotInstalled)
{
    test::CTempDir dir;
    const int numbers[] = {item::kChannel};
    EXPECT_FALSE(FindHelpTopic(dir.Path(), numbers).has_value());
    EXPECT_FALSE(FindHelpTopic(dir / "missing", numbers).has_value());
}

} // namespace
} // namespace qrv
