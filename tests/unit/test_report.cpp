#include "presentation/form_numbers.h"
#include "presentation/item_tables.h"
#include "report/page_layout.h"
#include "report/report_sections.h"

#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

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

class ReportTest : public ::testing::Test {
protected:
    ReportTest() : m_data(m_program.Settings())
    {
        m_data.Clear();
        m_data.Reset();
    }

    CSettings& Settings() { return m_program.Settings(); }
    ReportRows Build(const std::set<int>& forms) { return BuildReport(m_data, Settings(), forms); }

    test::CProgramDir m_program;
    CRadioData m_data;
};

TEST_F(ReportTest, VoxSectionAloneIsTitlesTwoSettingsAndASpacer)
{
    const ReportRows rows = Build({form::kVox});
    ASSERT_EQ(Shapes(rows), "TTNNS");
    EXPECT_EQ(rows[0].cells, (std::vector<std::string>{"", "VOX", ""}));
    EXPECT_EQ(rows[1].cells, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(rows[2].cells, (std::vector<std::string>{"VOX Gain Level", "3", ""}));
    EXPECT_EQ(rows[3].cells, (std::vector<std::string>{"VOX Delay Time[s]", "1.5", ""}));
}

TEST_F(ReportTest, NoSectionChosenGivesNoRows)
{
    EXPECT_TRUE(Build({}).empty());
    EXPECT_TRUE(Build({form::kVolume, form::kMicrophone}).empty()); // volume and microphone have no section
}

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

TEST_F(ReportTest, OnePersonalityIsOneGroupNumberedOne)
{
    const ReportRows rows = Build({form::kPersonality});
    ASSERT_EQ(Shapes(rows), "TTHNNNNNS");
    EXPECT_EQ(rows[0].cells[1], "Personality");
    EXPECT_EQ(rows[2].cells[0], Settings().GetText(CPersonalityData::kRxTxPageText) + " - 1");
    EXPECT_EQ(rows[2].cells[1], "");
    const std::vector<std::pair<std::string, std::string>> fields{{"Tx Admit", "Always"},
                                                                  {"TX Time out Time(s)", "60"},
                                                                  {"TOT Pre-Alert Time(s)", "Off"},
                                                                  {"TOT Re-key Time(s)", "Off"},
                                                                  {"TOT Reset Time (s)", "Off"}};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(rows[3 + i].cells[0], fields[i].first);
        EXPECT_EQ(rows[3 + i].cells[1], fields[i].second);
    }
}

TEST_F(ReportTest, EveryPersonalityHasItsOwnGroup)
{
    auto second = std::make_unique<CPersonalityData>();
    second->SetTxAdmit(3);
    second->SetTimeOut(30);
    second->SetReset(7);
    m_data.Personalities().push_back(std::move(second));
    const ReportRows rows = Build({form::kPersonality});
    ASSERT_EQ(Shapes(rows), "TTHNNNNNSHNNNNNS");
    EXPECT_EQ(rows[9].cells[0], "RX/TX - 2");
    EXPECT_EQ(rows[10].cells[1], "Correct CTCSS/CDCSS");
    EXPECT_EQ(rows[11].cells[1], "30");
    EXPECT_EQ(rows[14].cells[1], "7");
}

TEST_F(ReportTest, ChannelToneTexts)
{
    CChannelData& channel = *m_data.Channels()[1];
    CToneWord rx(channel.RxTone());
    rx.SetType(CToneWord::kTypeNone);
    channel.SetRxTone(rx.Word());
    CToneWord tx(channel.TxTone());
    tx.SetType(CToneWord::kTypeCdcss2);
    tx.SetIndex(2);
    channel.SetTxTone(tx.Word());
    // A tone the table does not hold is shown as such, with its code, as the channel page shows it.
    CChannelData& third = *m_data.Channels()[2];
    CToneWord unknown(third.RxTone());
    unknown.SetLookup({});
    third.SetRxTone(unknown.Word());
    const auto record = third.Record();

    const ReportRows rows = Build({form::kChannel});
    ASSERT_EQ(rows.size(), 2u + 3u + 16u);
    const CReportRow& second = rows[6];
    EXPECT_EQ(second.cells[0], "CH 2");
    EXPECT_EQ(second.cells[4], "None");
    EXPECT_EQ(second.cells[5], "---");
    EXPECT_EQ(second.cells[7], "CDCSS Invert");
    EXPECT_EQ(second.cells[8], "023");
    EXPECT_EQ(rows[7].cells[5], "not in the table (code 0x0FF)");
    EXPECT_EQ(third.Record(), record); // printing changes nothing
}

TEST_F(ReportTest, ChannelTableHeadersFollowTheLanguage)
{
    ReportRows rows = Build({form::kChannel});
    ASSERT_EQ(Shapes(rows), "TTEEE" + std::string(16, 'D'));
    EXPECT_EQ(rows[2].cells, (std::vector<std::string>{"Channel", "Channel", "Power", "RX", "RX", "RX", "TX", "TX",
                                                       "TX", "Personality", "Auto"}));
    EXPECT_EQ(rows[3].cells, (std::vector<std::string>{"Number", "Spacing", "Level", "Frequency", "Type", "CTCSS",
                                                       "Frequency", "Type", "CTCSS", "List", "Start"}));
    EXPECT_EQ(rows[4].cells,
              (std::vector<std::string>{"", "", "", "[MHz]", "", "/CDCSS", "[MHz]", "", "/CDCSS", "", "Scan"}));
    EXPECT_EQ(rows[5].cells[0], "CH 1");

    Settings().SelectLanguage(1);
    ASSERT_EQ(Settings().LanguageIndex(), 1);
    rows = Build({form::kChannel});
    ASSERT_EQ(Shapes(rows), "TTEE" + std::string(16, 'D'));
    EXPECT_EQ(rows[0].cells[1], "信道");
    EXPECT_EQ(rows[2].cells,
              (std::vector<std::string>{"信道号", "信道间隔", "发射功", "接收频率", "接收亚音类型", "接收亚音",
                                        "发射频率", "发射亚音类型", "发射亚音", "特性列表", "自动"}));
    EXPECT_EQ(rows[3].cells,
              (std::vector<std::string>{"", "", "率级别", "[MHz]", "", "频/数码", "[MHz]", "", "频/数码", "", "扫描"}));
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(rows[4 + i].cells[0], "信道" + std::to_string(i + 1));
    EXPECT_EQ(rows[4].cells[2], "高");
    EXPECT_EQ(rows[19].cells[10], "开");
}

TEST_F(ReportTest, ChannelPersonalityColumnNamesOnlyValidPersonalities)
{
    m_data.Personalities().push_back(std::make_unique<CPersonalityData>());
    auto& channels = m_data.Channels();
    channels[0]->SetPersonalityPosition(1);
    channels[1]->SetPersonalityPosition(7); // no such personality
    for (auto& channel : channels)
        channel->ResolvePersonality(m_data.Personalities());

    ReportRows rows = Build({form::kChannel});
    EXPECT_EQ(rows[5].cells[9], "2");
    EXPECT_EQ(rows[6].cells[9], "");
    EXPECT_EQ(rows[7].cells[9], "1");

    // The editor offers valid personalities only, whatever the channel still refers to.
    m_data.Personalities()[1]->SetValid(false);
    rows = Build({form::kChannel});
    EXPECT_EQ(rows[5].cells[9], "");
    EXPECT_EQ(rows[7].cells[9], "1");
}

TEST_F(ReportTest, ScanMembersFollowTheEntryCountAndValidChannels)
{
    CScanListData& scan = *m_data.ScanLists()[0];
    scan.SetEntryCount(3);
    scan.SetTxMode(2);
    m_data.Channels()[1]->SetValid(false);
    scan.SetMemberId(2, m_data.Channels()[9]->TreeId());
    scan.SetPriorityId(0);

    const ReportRows rows = Build({form::kScan});
    ASSERT_EQ(Shapes(rows), "TTHNNNNNNNNNNNSHNNNNS");
    EXPECT_EQ(rows[4].cells[1], "Last Active Channel");
    EXPECT_EQ(rows[8].cells[1], ""); // no priority channel
    EXPECT_EQ(rows[16].cells[1], "3");
    EXPECT_EQ(rows[17].cells, (std::vector<std::string>{"Channel 1", "1", ""}));
    EXPECT_EQ(rows[18].cells, (std::vector<std::string>{"Channel 2", "", ""}));
    EXPECT_EQ(rows[19].cells, (std::vector<std::string>{"Channel 3", "10", ""}));
}

TEST_F(ReportTest, TwoScanListsGiveConfigurationsFirstThenChannelLists)
{
    m_data.ScanLists().push_back(std::make_unique<CScanListData>());
    m_data.ScanLists()[1]->SetEntryCount(1);
    m_data.ScanLists()[1]->Resolve(m_data.ChannelRefs());
    const ReportRows rows = Build({form::kScan});
    const std::string config = "H" + std::string(11, 'N');
    ASSERT_EQ(Shapes(rows), "TT" + config + "S" + config + "S" + "H" + std::string(17, 'N') + "S" + "HNNS");
    EXPECT_EQ(rows[2].cells[0], "Configuration - 1");
    EXPECT_EQ(rows[15].cells[0], "Configuration - 2");
    EXPECT_EQ(rows[28].cells[0], "Channel List - 1");
    EXPECT_EQ(rows[47].cells[0], "Channel List - 2");
    EXPECT_EQ(rows[49].cells, (std::vector<std::string>{"Channel 1", "1", ""}));
}

TEST_F(ReportTest, KeyHoldingAFunctionNeverOfferedShowsNothing)
{
    m_data.Keys().SetSideKeyFunction(2, 79);
    const ReportRows rows = Build({form::kKeys});
    EXPECT_EQ(rows[4].cells[0], "SK2(SHORT)");
    EXPECT_EQ(rows[4].cells[1], "");
}

TEST_F(ReportTest, ModeShowsFactoryCloneOnlyWithCloneMode)
{
    m_data.Mode().SetCloneMode(true);
    m_data.Mode().SetFactoryCloneMode(true);
    EXPECT_EQ(Build({form::kMode})[3].cells[1], "On");
    m_data.Mode().SetCloneMode(false);
    EXPECT_EQ(Build({form::kMode})[3].cells[1], "Off");
}

// Setting lists, written as shapes.
TEST(ReportSettingList, Grouping)
{
    const ReportPairs five{{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}, {"e", "5"}};
    struct Case {
        bool grouping;
        std::size_t groupLength;
        std::string shapes;
    };
    const Case cases[] = {
        {true, 4, "HNSHNSHS"},                      // two pairs per group
        {true, 6, "HNNSHNS"},                       // three pairs per group
        {true, 100, "HNNNNS"},                      // one group
        {false, 4, "NNNNNS"},  {true, 0, "NNNNNS"}, // nothing can be grouped by 0
    };
    for (const Case& c : cases) {
        ReportRows rows;
        AppendSettingList(rows, five, c.grouping, c.groupLength);
        EXPECT_EQ(Shapes(rows), c.shapes) << c.groupLength;
        ASSERT_GE(rows.size(), 2u);
        EXPECT_EQ(rows[0].cells[0], "a");
        EXPECT_EQ(rows[0].cells[1], "1");
    }

    ReportRows rows{TitleRow("kept")};
    AppendSettingList(rows, {}, true, 4);
    EXPECT_EQ(Shapes(rows), "T");
}

TEST(ReportRowShapes, TableRowHasElevenCells)
{
    const CReportRow row = TableHeaderRow({"a", "b"});
    EXPECT_EQ(Shape(row), 'E');
    EXPECT_EQ(row.cells[1], "b");
    EXPECT_EQ(row.cells[10], "");
    EXPECT_EQ(SpacerRow(CReportRow::kBlank).kind, CReportRow::kBlank);
}

// Every section of the default codeplug: its shape and a few cells.
class ReportSectionsTest : public ReportTest {
protected:
    ReportSectionsTest()
    {
        m_data.RadioInfo().SetModelName("QL-210X");
        m_data.RadioInfo().SetSerialNumber("A1234");
        m_data.Identity().radioDataVersion = "1.01.05.001";
        m_data.EmbeddedMessages().SetMessage(0, "Gr\xFC\xDF Gott");
        m_data.EmbeddedMessages().SetMessage(3, "CALL BASE");
    }
};

struct CCellCheck {
    std::size_t row;
    std::string label;
    std::string value;
};

struct CSectionCase {
    int form;
    std::string shapes;
    std::vector<CCellCheck> cells;
};

TEST_F(ReportSectionsTest, DefaultCodeplug)
{
    const std::string config = "H" + std::string(11, 'N') + "S";
    const std::string members = "H" + std::string(17, 'N') + "S";
    const std::vector<CSectionCase> cases{
        {form::kRadio,
         "TTNNNNNNS",
         {{0, "", "Radio Information"},
          {2, "Model Name", "QL-210X"},
          {3, "Frequency Range[MHz]", "400-470"},
          {4, "Serial Number", "A1234"},
          {5, "Signaling Type", "None"},
          {6, "Firmware Version", "V1.01.05"},
          {7, "Last Programmed Date", "2037-12-31 00:59:59"}}},
        {form::kKeys,
         "TTNNNNS",
         {{2, "SK1(SHORT)", "Monitor"},
          {3, "SK1(LONG)", "VOX On/Off"},
          {4, "SK2(SHORT)", "Monitor"},
          {5, "SK2(LONG)", "Scan On/Off"}}},
        {form::kMiscellaneous,
         "TTNNNNNNS",
         {{2, "Carrier Squelch Level", "5"},
          {3, "CTCSS Tail Revert Option", "On"},
          {4, "Battery Save Delay time[s]", "2"},
          {5, "Battery Save Mode", "1:4"},
          {6, "Low Battery Alert Gap Time[s]", "20"},
          {7, "SCAN LED", "On"}}},
        {form::kVox, "TTNNS", {{2, "VOX Gain Level", "3"}, {3, "VOX Delay Time[s]", "1.5"}}},
        {form::kMode, "TTNNS", {{2, "Clone Mode", "Off"}, {3, "Factory Clone Mode", "Off"}}},
        {form::kChannel, "TTEEE" + std::string(16, 'D'), {{5, "CH 1", "12.5 kHz"}, {20, "CH 16", "12.5 kHz"}}},
        {form::kPersonality, "TTHNNNNNS", {{2, "RX/TX - 1", ""}, {3, "Tx Admit", "Always"}}},
        {form::kScan,
         "TT" + config + members,
         {{2, "Configuration - 1", ""},
          {3, "CTCSS/CDCSS Scan Mode", "Channel CTCSS/CDCSS"},
          {4, "Scan TX Mode", "Selected Channel"},
          {5, "Hang Time[s]", "3"},
          {6, "Designed Channel No", "1"},
          {7, "Priority Channel 1", "None"},
          {8, "Priority Channel 1 No", "1"},
          {9, "Priority Sweep Time[ms]", "2000"},
          {10, "Scan Start Alert", "On"},
          {11, "Scan End Alert", "On"},
          {12, "Include Current Channel", "Off"},
          {13, "Talkback Enable", "On"},
          {15, "Channel List - 1", ""},
          {16, "Number of Entries in Scan List", "16"},
          {17, "Channel 1", "1"},
          {32, "Channel 16", "16"}}},
        {form::kEmbedded,
         "TTLLLLS",
         {{0, "", "Embedded Message"},
          {2, "Message NO.1", "Gr\u00FC\u00DF Gott"},
          {3, "Message NO.2", ""},
          {5, "Message NO.4", "CALL BASE"}}},
        {form::kTestFrequency,
         "TTHNNSHNNSHNNS",
         {{2, "Tuning Point - 1", ""},
          {3, "RX Frequency[MHz]", "400.15000"},
          {4, "TX Frequency[MHz]", "400.00000"},
          {6, "Tuning Point - 2", ""},
          {7, "RX Frequency[MHz]", "435.15000"},
          {10, "Tuning Point - 3", ""},
          {11, "RX Frequency[MHz]", "469.85000"},
          {12, "TX Frequency[MHz]", "470.00000"}}},
    };
    for (const CSectionCase& c : cases) {
        SCOPED_TRACE(c.form);
        const ReportRows rows = Build({c.form});
        ASSERT_EQ(Shapes(rows), c.shapes);
        for (const CCellCheck& cell : c.cells) {
            EXPECT_EQ(rows[cell.row].cells[0], cell.label) << "row " << cell.row;
            EXPECT_EQ(rows[cell.row].cells[1], cell.value) << "row " << cell.row;
        }
    }
}

TEST_F(ReportSectionsTest, DefaultChannelRowsInFull)
{
    const ReportRows rows = Build({form::kChannel});
    EXPECT_EQ(rows[5].cells, (std::vector<std::string>{"CH 1", "12.5 kHz", "High", "446.00625", "CTCSS", "94.8",
                                                       "446.00625", "CTCSS", "94.8", "1", "Off"}));
    EXPECT_EQ(rows[20].cells, (std::vector<std::string>{"CH 16", "12.5 kHz", "High", "446.09375", "CTCSS", "156.7",
                                                        "446.09375", "CTCSS", "156.7", "1", "On"}));
}

// Pagination and page geometry, in 0.1 mm.
ReportRows NormalRows(std::size_t count)
{
    return ReportRows(count, SettingRow("a", "b", false));
}

TEST(ReportPageLayout, A4PortraitHoldsFortyEightRows)
{
    ReportRows rows = NormalRows(48);
    const CPageLayout layout = Paginate(2100, 2970, false, rows);
    EXPECT_EQ(layout.linesPerPage, 48);
    EXPECT_EQ(layout.centring, 35);
    EXPECT_EQ(layout.margin, 30);
    EXPECT_EQ(layout.pageCount, 1);
}

TEST(ReportPageLayout, PageCounts)
{
    struct Case {
        std::size_t rows;
        bool trailingBlank;
        std::size_t rowsAfter;
        int pages;
    };
    const Case cases[] = {
        {49, false, 49, 2}, {48, true, 48, 1}, {96, false, 96, 2},
        {97, false, 97, 3}, {0, true, 0, 0},   {0, false, 0, 0},
    };
    for (const Case& c : cases) {
        ReportRows rows = NormalRows(c.rows);
        if (c.trailingBlank)
            rows.push_back(SpacerRow(CReportRow::kBlank));
        const CPageLayout layout = Paginate(2100, 2970, false, rows);
        EXPECT_EQ(rows.size(), c.rowsAfter) << c.rows;
        EXPECT_EQ(layout.pageCount, c.pages) << c.rows;
    }
    // Only a blank row at the end is dropped.
    ReportRows rows = NormalRows(48);
    rows.insert(rows.begin(), SpacerRow(CReportRow::kBlank));
    EXPECT_EQ(Paginate(2100, 2970, false, rows).pageCount, 2);
}

TEST(ReportPageLayout, APageTooSmallForARowHasNoPages)
{
    ReportRows rows = NormalRows(3);
    const CPageLayout layout = Paginate(2100, 500, false, rows);
    EXPECT_LE(layout.linesPerPage, 0);
    EXPECT_EQ(layout.pageCount, 0);
    EXPECT_EQ(RowsOfPage(layout, 1, rows.size()), (std::pair<std::size_t, std::size_t>{3, 3}));
}

// Headings stay with the rows after them, and a table that goes on over a
// page break starts the next page with its header rows again. Rows by the
// letters of Shape(); a page is its repeated header in brackets, then its own rows.
TEST(ReportPageLayout, PagesKeepHeadingsWithTheirRowsAndRepeatTableHeaders)
{
    const std::map<char, CReportRow> rowOf{
        {'T', TitleRow("t")}, {'N', SettingRow("a", "b", false)}, {'H', SettingRow("a", "", true)},
        {'S', SpacerRow()},   {'E', TableHeaderRow({"h"})},       {'D', TableRow(CReportRow::kNormal, {})},
    };
    struct Case {
        std::string rows;
        int linesPerPage;
        std::string pages;
    };
    const std::vector<Case> cases{
        {std::string(100, 'N'), 48, std::string(48, 'N') + "|" + std::string(48, 'N') + "|NNNN"},
        {"NNNTTEEDDD", 5, "NNN|TTEED|[EE]DD"},
        {"NNNNEEDDD", 5, "NNNN|EEDDD"},
        {"EEDDDDTTNN", 4, "EEDD|[EE]DD|TTNN"},
        {"EEDDDDDDDD", 4, "EEDD|[EE]DD|[EE]DD|[EE]DD"},
        {"EEEEDD", 4, "EEEE|DD"}, // a header of a whole page is not repeated
        {"TTTTTN", 4, "TTTT|TN"},
        {"NNNSHNN", 5, "NNNS|HNN"},
        {"EEDDEEDDD", 5, "EEDD|EEDDD"},
    };
    for (const Case& c : cases) {
        ReportRows rows;
        for (const char shape : c.rows)
            rows.push_back(rowOf.at(shape));
        // Lines per page: (height - 2 top) / line - 5 spare lines.
        const CPageLayout layout = Paginate(2100, 300 + 50 * (c.linesPerPage + 5), false, rows);
        ASSERT_EQ(layout.linesPerPage, c.linesPerPage);
        std::string pages;
        for (int page = 1; page <= layout.pageCount; ++page) {
            const auto [headerFirst, headerLast] = RepeatedHeaderOfPage(layout, page);
            const auto [first, last] = RowsOfPage(layout, page, rows.size());
            if (headerFirst < headerLast)
                pages += "[" + c.rows.substr(headerFirst, headerLast - headerFirst) + "]";
            pages += c.rows.substr(first, last - first) + (page < layout.pageCount ? "|" : "");
        }
        EXPECT_EQ(pages, c.pages) << c.rows;
        const auto beyond = RowsOfPage(layout, layout.pageCount + 1, rows.size());
        EXPECT_EQ(beyond.first, beyond.second) << c.rows;
    }
}

TEST(ReportPageLayout, RowsStartBelowTheIdentityBlock)
{
    ReportRows rows = NormalRows(1);
    const CPageLayout layout = Paginate(2100, 2970, false, rows);
    // 4 reserved lines of 50, centring 35, top 150, less twice the margin 30.
    EXPECT_EQ(RowTop(layout, 0), 325);
    EXPECT_EQ(RowTop(layout, 1), 375);
    EXPECT_EQ(RowTop(layout, 47), 325 + 47 * 50);
}

TEST(ReportPageLayout, CellSpansOfTheChannelTable)
{
    ReportRows rows = NormalRows(1);
    const CPageLayout layout = Paginate(2100, 2970, false, rows);
    const std::vector<CCellSpan> spans = CellSpans(TableRow(CReportRow::kNormal, {}), layout);
    ASSERT_EQ(spans.size(), 11u);
    // Printable 2040, widths sum to 483: 2040 div 483 = 4 per unit between cell starts.
    EXPECT_EQ(spans.front().left, 30);
    EXPECT_EQ(spans.front().right, 30 + 35 * 2040 / 483);
    EXPECT_EQ(spans.back().left, 30 + 4 * (483 - 40));
    EXPECT_EQ(spans.back().right, 30 + 4 * (483 - 40) + 40 * 2040 / 483);
    EXPECT_EQ(spans[1].left, 30 + 4 * 35);
}

TEST(ReportPageLayout, RowWithoutWidthsHasNoSpans)
{
    ReportRows rows = NormalRows(1);
    const CPageLayout layout = Paginate(2100, 2970, false, rows);
    EXPECT_TRUE(CellSpans(CReportRow{CReportRow::kNormal, {"a", "b"}, {0, 0}}, layout).empty());
    EXPECT_TRUE(CellSpans(CReportRow{CReportRow::kNormal, {"a"}, {}}, layout).empty());
    EXPECT_TRUE(CellSpans(CReportRow{}, layout).empty());
}

TEST(ReportPageLayout, HeaderAndFooterRules)
{
    struct Case {
        bool currentView;
        int margin;
        int header;
        int footer;
    };
    const Case cases[] = {{false, 30, 90, 2880}, {true, 50, 50, 2920}};
    for (const Case& c : cases) {
        ReportRows rows = NormalRows(1);
        const CPageLayout layout = Paginate(2100, 2970, c.currentView, rows);
        EXPECT_EQ(layout.margin, c.margin);
        EXPECT_EQ(HeaderRuleY(layout), c.header);
        EXPECT_EQ(FooterRuleY(layout), c.footer);
        EXPECT_EQ(FooterTextTop(layout), c.footer + 10);
        EXPECT_EQ(CellSpans(SettingRow("a", "b", false), layout).front().left, c.margin);
    }
}

TEST(ReportPageLayout, IdentityBlockOnA4)
{
    ReportRows rows = NormalRows(1);
    const CPageLayout layout = Paginate(2100, 2970, false, rows);
    const CIdentityBlock block = IdentityBlock(layout);
    // Between the margins 2040, a quarter 510; T + C = 185.
    const auto check = [](const CIdentityCell& cell, int left, int right, int top, int bottom) {
        EXPECT_EQ(cell.left, left);
        EXPECT_EQ(cell.right, right);
        EXPECT_EQ(cell.top, top);
        EXPECT_EQ(cell.bottom, bottom);
    };
    check(block.modelLabel, 30, 540, 65, 235);
    check(block.modelValue, 540, 1050, 65, 235);
    check(block.rangeLabel, 1050, 1560, 65, 235);
    check(block.rangeValue, 1560, 2070, 65, 235);
    check(block.versionLabel, 30, 540, 115, 285);
    check(block.versionValue, 540, 1050, 115, 285);
    EXPECT_EQ(block.ruleY, 245);
}

} // namespace
} // namespace qrv
