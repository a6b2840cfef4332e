// The codeplug report: the lines each section prints, and the pages they go on.
#include "presentation/form_numbers.h"
#include "presentation/item_tables.h"
#include "report/page_layout.h"
#include "report/report_sections.h"

#include "codeplug_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qrv {
namespace {

// One letter per row: T title, H group head, N setting, L setting with a line
// of text, S spacer, E table header, D table data. Kinds, cell counts, widths
// and the header mark must all fit the letter.
char Shape(const CReportRow& row)
{
    using W = std::vector<unsigned>;
    if (row.kind == CReportRow::kTitle && row.widths == W{1, 1, 1} && row.cells.size() == 3)
        return 'T';
    if (row.tableHeader != (row.kind == CReportRow::kEmphasis && row.cells.size() == 11))
        return '?';
    if (row.widths == W{2, 1, 1} && row.cells.size() == 3 && row.cells[2].empty())
        return row.kind == CReportRow::kEmphasis ? 'H' : (row.kind == CReportRow::kNormal ? 'N' : '?');
    if (row.kind == CReportRow::kNormal && row.widths == W{2, 2} && row.cells.size() == 2)
        return 'L';
    if (row.kind == CReportRow::kNormal && row.widths == W{3, 3, 3, 3} && row.cells == std::vector<std::string>(4))
        return 'S';
    if (row.widths == W{35, 38, 30, 48, 60, 38, 48, 60, 38, 48, 40} && row.cells.size() == 11)
        return row.kind == CReportRow::kEmphasis ? 'E' : (row.kind == CReportRow::kNormal ? 'D' : '?');
    return '?';
}

std::string Shapes(const ReportRows& rows)
{
    std::string shapes;
    for (const CReportRow& row : rows)
        shapes += Shape(row);
    return shapes;
}

// A row's cells joined by '|'.
std::string Line(const CReportRow& row)
{
    std::string line;
    for (std::size_t i = 0; i < row.cells.size(); ++i)
        line += (i == 0 ? "" : "|") + row.cells[i];
    return line;
}

class ReportTest : public ::testing::Test, public test::CResetCodeplug {
public:
    ReportTest()
    {
        data.RadioInfo().SetModelName("QL-210X");
        data.RadioInfo().SetSerialNumber("A1234");
        data.Identity().radioDataVersion = "1.01.05.001";
        data.EmbeddedMessages().SetMessage(0, "Gr\xFC\xDF Gott");
        data.EmbeddedMessages().SetMessage(3, "CALL BASE");
    }

    ReportRows Build(const std::set<int>& forms) { return BuildReport(data, Settings(), forms); }
};

// A section printed from the default codeplug, changed by setup first: its
// row shapes and some of its lines.
struct CSectionRow {
    const char* name;
    int form;
    std::function<void(ReportTest&)> setup;
    std::string shapes;
    std::vector<std::pair<std::size_t, std::string>> lines;
    friend void PrintTo(const CSectionRow& row, std::ostream* out) { *out << row.name; }
};

const std::string kConfig = "H" + std::string(11, 'N') + "S";
const std::string kMembers = "H" + std::string(17, 'N') + "S";
const std::string kChannels = "TTEEE" + std::string(16, 'D');

void TwoPersonalities(ReportTest& t)
{
    auto second = std::make_unique<CPersonalityData>();
    second->SetTxAdmit(3);
    second->SetTimeOut(30);
    second->SetReset(7);
    t.data.Personalities().push_back(std::move(second));
}
void ChannelTones(ReportTest& t)
{
    CChannelData& second = *t.data.Channels()[1];
    CToneWord rx(second.RxTone());
    rx.SetType(CToneWord::kTypeNone);
    second.SetRxTone(rx.Word());
    CToneWord tx(second.TxTone());
    tx.SetType(CToneWord::kTypeCdcss2);
    tx.SetIndex(2);
    second.SetTxTone(tx.Word());
    // A tone the table does not hold is shown as such, with its code, as the channel page shows it.
    CToneWord unknown(t.data.Channels()[2]->RxTone());
    unknown.SetLookup({});
    t.data.Channels()[2]->SetRxTone(unknown.Word());
}
// The editor offers valid personalities only, whatever the channel still refers to.
void ChannelPersonalities(ReportTest& t)
{
    t.data.Personalities().push_back(std::make_unique<CPersonalityData>());
    t.data.Personalities().push_back(std::make_unique<CPersonalityData>());
    t.data.Personalities()[2]->SetValid(false);
    auto& channels = t.data.Channels();
    channels[0]->SetPersonalityPosition(1);
    channels[1]->SetPersonalityPosition(7); // no such personality
    channels[3]->SetPersonalityPosition(2); // not valid
    for (auto& channel : channels)
        channel->ResolvePersonality(t.data.Personalities());
}
void ScanMembers(ReportTest& t)
{
    CScanListData& scan = *t.data.ScanLists()[0];
    scan.SetEntryCount(3);
    scan.SetTxMode(2);
    t.data.Channels()[1]->SetValid(false);
    scan.SetMemberId(2, t.data.Channels()[9]->TreeId());
    scan.SetPriorityId(0);
}
void TwoScanLists(ReportTest& t)
{
    t.data.ScanLists().push_back(std::make_unique<CScanListData>());
    t.data.ScanLists()[1]->SetEntryCount(1);
    t.data.ScanLists()[1]->Resolve(t.data.ChannelRefs());
}
void CloneModes(ReportTest& t, bool clone)
{
    t.data.Mode().SetCloneMode(clone);
    t.data.Mode().SetFactoryCloneMode(true);
}

// clang-format off
const CSectionRow kSections[] = {
    {"Radio", form::kRadio, {}, "TTNNNNNNS",
     {{0, "|Radio Information|"}, {2, "Model Name|QL-210X|"}, {4, "Serial Number|A1234|"},
      {6, "Firmware Version|V1.01.05|"}, {7, "Last Programmed Date|2037-12-31 00:59:59|"}}},
    {"Keys", form::kKeys, {}, "TTNNNNS",
     {{2, "SK1(SHORT)|Monitor|"}, {3, "SK1(LONG)|VOX On/Off|"}, {5, "SK2(LONG)|Scan On/Off|"}}},
    {"KeyHoldingAFunctionNeverOffered", form::kKeys, [](ReportTest& t) { t.data.Keys().SetSideKeyFunction(2, 79); },
     "TTNNNNS", {{4, "SK2(SHORT)||"}}},
    {"Miscellaneous", form::kMiscellaneous, {}, "TTNNNNNNS",
     {{2, "Carrier Squelch Level|5|"}, {5, "Battery Save Mode|1:4|"}, {7, "SCAN LED|On|"}}},
    {"Vox", form::kVox, {}, "TTNNS",
     {{0, "|VOX|"}, {1, "||"}, {2, "VOX Gain Level|3|"}, {3, "VOX Delay Time[s]|1.5|"}}},
    {"FactoryCloneWithClone", form::kMode, [](ReportTest& t) { CloneModes(t, true); }, "TTNNS",
     {{3, "Factory Clone Mode|On|"}}},
    {"FactoryCloneOnlyWithClone", form::kMode, [](ReportTest& t) { CloneModes(t, false); }, "TTNNS",
     {{2, "Clone Mode|Off|"}, {3, "Factory Clone Mode|Off|"}}},
    {"Channel", form::kChannel, {}, kChannels,
     {{2, "Channel|Channel|Power|RX|RX|RX|TX|TX|TX|Personality|Auto"},
      {3, "Number|Spacing|Level|Frequency|Type|CTCSS|Frequency|Type|CTCSS|List|Start"},
      {4, "|||[MHz]||/CDCSS|[MHz]||/CDCSS||Scan"},
      {5, "CH 1|12.5 kHz|High|446.00625|CTCSS|94.8|446.00625|CTCSS|94.8|1|Off"},
      {20, "CH 16|12.5 kHz|High|446.09375|CTCSS|156.7|446.09375|CTCSS|156.7|1|On"}}},
    // The other language's header takes two lines, not three.
    {"ChannelInChinese", form::kChannel, [](ReportTest& t) { t.Settings().SelectLanguage(1); },
     "TTEE" + std::string(16, 'D'), {{3, "||率级别|[MHz]||频/数码|[MHz]||频/数码||扫描"}}},
    {"ChannelTones", form::kChannel, ChannelTones, kChannels,
     {{6, "CH 2|12.5 kHz|High|446.01875|None|---|446.01875|CDCSS Invert|023|1|Off"},
      {7, "CH 3|12.5 kHz|High|446.03125|CTCSS|not in the table (code 0x0FF)|446.03125|CTCSS|100.0|1|Off"}}},
    {"ChannelPersonalities", form::kChannel, ChannelPersonalities, kChannels,
     {{5, "CH 1|12.5 kHz|High|446.00625|CTCSS|94.8|446.00625|CTCSS|94.8|2|Off"},
      {6, "CH 2|12.5 kHz|High|446.01875|CTCSS|97.4|446.01875|CTCSS|97.4||Off"},
      {7, "CH 3|12.5 kHz|High|446.03125|CTCSS|100.0|446.03125|CTCSS|100.0|1|Off"},
      {8, "CH 4|12.5 kHz|High|446.04375|CTCSS|103.5|446.04375|CTCSS|103.5||Off"}}},
    {"TwoPersonalities", form::kPersonality, TwoPersonalities, "TTHNNNNNSHNNNNNS",
     {{2, "RX/TX - 1||"}, {3, "Tx Admit|Always|"}, {4, "TX Time out Time(s)|60|"}, {7, "TOT Reset Time (s)|Off|"},
      {9, "RX/TX - 2||"}, {10, "Tx Admit|Correct CTCSS/CDCSS|"}, {14, "TOT Reset Time (s)|7|"}}},
    {"Scan", form::kScan, {}, "TT" + kConfig + kMembers,
     {{2, "Configuration - 1||"}, {4, "Scan TX Mode|Selected Channel|"}, {7, "Priority Channel 1|None|"},
      {15, "Channel List - 1||"}, {16, "Number of Entries in Scan List|16|"}, {32, "Channel 16|16|"}}},
    {"ScanMembersFollowTheCountAndValidChannels", form::kScan, ScanMembers, "TTHNNNNNNNNNNNSHNNNNS",
     {{4, "Scan TX Mode|Last Active Channel|"}, {8, "Priority Channel 1 No||"}, {18, "Channel 2||"},
      {19, "Channel 3|10|"}}},
    {"TwoScanListsConfigurationsFirst", form::kScan, TwoScanLists, "TT" + kConfig + kConfig + kMembers + "HNNS",
     {{15, "Configuration - 2||"}, {28, "Channel List - 1||"}, {47, "Channel List - 2||"}}},
    {"Embedded", form::kEmbedded, {}, "TTLLLLS",
     {{0, "|Embedded Message|"}, {2, "Message NO.1|Gr\u00FC\u00DF Gott"}, {3, "Message NO.2|"},
      {5, "Message NO.4|CALL BASE"}}},
    {"TestFrequency", form::kTestFrequency, {}, "TTHNNSHNNSHNNS",
     {{2, "Tuning Point - 1||"}, {3, "RX Frequency[MHz]|400.15000|"}, {12, "TX Frequency[MHz]|470.00000|"}}},
    {"VolumeHasNoSection", form::kVolume, {}, "", {}},
};
// clang-format on

class ReportSectionTest : public ReportTest, public ::testing::WithParamInterface<CSectionRow> {};

TEST_P(ReportSectionTest, ShapesAndLines)
{
    const CSectionRow& row = GetParam();
    if (row.setup)
        row.setup(*this);
    const Image before = Stored();
    const ReportRows rows = Build({row.form});
    ASSERT_EQ(Shapes(rows), row.shapes);
    for (const auto& [index, line] : row.lines)
        EXPECT_EQ(Line(rows.at(index)), line) << "row " << index;
    EXPECT_EQ(Stored(), before); // printing changes nothing
}

INSTANTIATE_TEST_SUITE_P(Sections, ReportSectionTest, ::testing::ValuesIn(kSections),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(ReportTest, AllSectionsFollowTheTableOrder)
{
    std::set<int> all;
    for (const CReportSection& section : ReportSections())
        all.insert(section.formNumber);
    std::vector<std::string> titles;
    for (const CReportRow& row : Build(all))
        if (row.kind == CReportRow::kTitle && !row.cells[1].empty())
            titles.push_back(row.cells[1]);
    EXPECT_EQ(titles,
              (std::vector<std::string>{"Radio Information", "Programmable Keys", "Miscellaneous", "VOX", "Mode",
                                        "Channel", "Personality", "Scan", "Embedded Message", "Test Frequency"}));
}

// How groups fall is in the sections' shapes; a group length of 0 cannot divide the list, and an empty list
// prints nothing, not even its spacer.
TEST(ReportSettingList, NoGroupsOfLengthZeroAndNothingForAnEmptyList)
{
    ReportRows rows{TitleRow("kept")};
    AppendSettingList(rows, {}, true, 4);
    EXPECT_EQ(Shapes(rows), "T");
    AppendSettingList(rows, {{"a", "1"}, {"b", "2"}}, true, 0);
    EXPECT_EQ(Shapes(rows), "TNNS");
    EXPECT_EQ(Line(rows.at(1)), "a|1|");
}

// Pagination and page geometry, in 0.1 mm.

// Headings stay with the rows after them, and a table that goes on over a
// page break starts the next page with its header rows again. Rows by the
// letters of Shape() and B for a blank row, dropped only at the end; a page
// is its repeated header in brackets, then its own rows.
TEST(ReportPageLayout, PagesKeepHeadingsWithTheirRowsAndRepeatTableHeaders)
{
    const std::map<char, CReportRow> rowOf{
        {'T', TitleRow("t")},
        {'N', SettingRow("a", "b", false)},
        {'H', SettingRow("a", "", true)},
        {'S', SpacerRow()},
        {'E', TableHeaderRow({"h"})},
        {'D', TableRow(CReportRow::kNormal, {})},
        {'B', SpacerRow(CReportRow::kBlank)},
    };
    const std::tuple<std::string, int, std::string> cases[] = {
        {std::string(100, 'N'), 48, std::string(48, 'N') + "|" + std::string(48, 'N') + "|NNNN"},
        {std::string(48, 'N') + "B", 48, std::string(48, 'N')},
        {"B" + std::string(48, 'N'), 48, "B" + std::string(47, 'N') + "|N"},
        {"", 48, ""},
        {"NNNTTEEDDD", 5, "NNN|TTEED|[EE]DD"},
        {"NNNNEEDDD", 5, "NNNN|EEDDD"},
        {"EEDDDDTTNN", 4, "EEDD|[EE]DD|TTNN"},
        {"EEEEDD", 4, "EEEE|DD"}, // a header of a whole page is not repeated
        {"TTTTTN", 4, "TTTT|TN"},
        {"NNNSHNN", 5, "NNNS|HNN"},
        {"EEDDEEDDD", 5, "EEDD|EEDDD"},
    };
    for (const auto& [shapes, linesPerPage, expected] : cases) {
        ReportRows rows;
        for (const char shape : shapes)
            rows.push_back(rowOf.at(shape));
        // Lines per page: (height - 2 top) / line - 5 spare lines.
        const CPageLayout layout = Paginate(2100, 300 + 50 * (linesPerPage + 5), false, rows);
        ASSERT_EQ(layout.linesPerPage, linesPerPage);
        std::string pages;
        for (int page = 1; page <= layout.pageCount; ++page) {
            const auto [headerFirst, headerLast] = RepeatedHeaderOfPage(layout, page);
            const auto [first, last] = RowsOfPage(layout, page, rows.size());
            if (headerFirst < headerLast)
                pages += "[" + shapes.substr(headerFirst, headerLast - headerFirst) + "]";
            pages += shapes.substr(first, last - first) + (page < layout.pageCount ? "|" : "");
        }
        EXPECT_EQ(pages, expected) << shapes;
    }
}

TEST(ReportPageLayout, A4Geometry)
{
    ReportRows rows(3, SettingRow("a", "b", false));
    const CPageLayout tooSmall = Paginate(2100, 500, false, rows);
    EXPECT_LE(tooSmall.linesPerPage, 0); // no row fits: no pages
    EXPECT_EQ(tooSmall.pageCount, 0);
    EXPECT_EQ(RowsOfPage(tooSmall, 1, rows.size()), (std::pair<std::size_t, std::size_t>{3, 3}));
    const CPageLayout layout = Paginate(2100, 2970, false, rows);
    EXPECT_EQ(layout.linesPerPage, 48);
    EXPECT_EQ(layout.centring, 35);
    // 4 reserved lines of 50, centring 35, top 150, less twice the margin 30.
    EXPECT_EQ(RowTop(layout, 47), 325 + 47 * 50);
    // Printable 2040, widths sum to 483: 2040 div 483 = 4 per unit between cell starts.
    const std::vector<CCellSpan> spans = CellSpans(TableRow(CReportRow::kNormal, {}), layout);
    ASSERT_EQ(spans.size(), 11u);
    EXPECT_EQ(spans[1].left, 30 + 4 * 35);
    EXPECT_EQ(spans.back().left, 30 + 4 * (483 - 40));
    EXPECT_EQ(spans.back().right, 30 + 4 * (483 - 40) + 40 * 2040 / 483);
    EXPECT_TRUE(CellSpans(CReportRow{CReportRow::kNormal, {"a", "b"}, {0, 0}}, layout).empty());
    // The identity block: between the margins 2040, a quarter 510; T + C = 185.
    const CIdentityBlock block = IdentityBlock(layout);
    const auto box = [](const CIdentityCell& c) { return std::array<int, 4>{c.left, c.right, c.top, c.bottom}; };
    EXPECT_EQ(box(block.rangeValue), (std::array<int, 4>{1560, 2070, 65, 235}));
    EXPECT_EQ(box(block.versionValue), (std::array<int, 4>{540, 1050, 115, 285}));
    EXPECT_EQ(block.ruleY, 245);
    // The margins, the header and footer rules, in print and in the current view.
    const std::array<int, 4> views[] = {{0, 30, 90, 2880}, {1, 50, 50, 2920}};
    for (const auto& [currentView, margin, header, footer] : views) {
        const CPageLayout l = Paginate(2100, 2970, currentView != 0, rows);
        EXPECT_EQ(l.margin, margin);
        EXPECT_EQ(HeaderRuleY(l), header);
        EXPECT_EQ(FooterRuleY(l), footer);
        EXPECT_EQ(FooterTextTop(l), footer + 10);
        EXPECT_EQ(CellSpans(SettingRow("a", "b", false), l).front().left, margin);
    }
}

} // namespace
} // namespace qrv
