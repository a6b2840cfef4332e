// Channel lists as CSV: the text reader and writer, the columns of both
// column sets, the rows that cannot be taken, and the round trips.
#include "csv/channel_csv.h"
#include "csv/csv_text.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

// Rows as "line:[field][field]", a '!' after the line for a malformed row.
std::string Described(const std::vector<CCsvRow>& rows)
{
    std::string out;
    for (const CCsvRow& row : rows) {
        out += (out.empty() ? "" : " ") + std::to_string(row.line) + (row.malformed ? "!" : "") + ":";
        for (const std::string& field : row.fields)
            out += "[" + field + "]";
    }
    return out;
}

TEST(CsvText, ReadsQuotingLineEndsLineNumbersAndMalformedRows)
{
    const std::pair<std::string, std::string> cases[] = {
        {"\xEF\xBB\xBF"
         "a,\"b,c\",\"say \"\"hi\"\"\"\r\n\n\"two\nlines\",x\rlast,,\"\"", // the empty line is left out
         "1:[a][b,c][say \"hi\"] 3:[two\nlines][x] 5:[last][][]"},
        {"ok,1\n\"closed\"tail,2\nfine\n\"open,3\nnever closed",
         "1:[ok][1] 2!:[closed][2] 3:[fine] 4!:[open,3\nnever closed]"},
    };
    for (const auto& [text, rows] : cases)
        EXPECT_EQ(Described(ReadCsv(text)), rows);
}

TEST(CsvText, WrittenRowsReadBackUnchanged)
{
    const std::vector<std::string> fields{"plain", "", "a,b", "q\"q", "line\r\nend", " padded ", "中文"};
    const std::string line = WriteCsvRow(fields);
    EXPECT_EQ(line.substr(0, 10), "plain,,\"a,");
    EXPECT_EQ(line.substr(line.size() - 2), "\r\n");
    const auto rows = ReadCsv(line + line);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].fields, fields);
    EXPECT_EQ(rows[1].fields, fields);
}

struct CTone {
    std::uint8_t type;
    std::uint16_t value; // CTCSS tenths or CDCSS code
};

class CsvChannels : public ::testing::Test {
protected:
    CsvChannels() : m_data(m_program.Settings())
    {
        m_data.Clear();
        m_data.Reset();
    }

    CSettings& Settings() { return m_program.Settings(); }
    CChannelData& Channel(std::size_t i) { return *m_data.Channels()[i]; }

    Image Stored()
    {
        Image image{};
        m_data.StoreToImage(image);
        return image;
    }

    static std::uint16_t ToneWord(std::uint16_t word, CTone tone)
    {
        CToneWord t(word);
        t.SetType(tone.type);
        if (tone.type != CToneWord::kTypeNone)
            t.SetLookup(tone.type == CToneWord::kTypeCtcss ? FindCtcss(tone.value) : FindCdcss(tone.value));
        return t.Word();
    }

    void Set(std::size_t i, std::uint32_t rx, std::uint32_t tx, CTone rxTone, CTone txTone, std::uint8_t spacing = 0,
             std::uint8_t power = 0)
    {
        CChannelData& c = Channel(i);
        c.SetRxStepCode(ApplyRaster(rx));
        c.SetRxFrequency(FrequencyWordFromUnits(rx));
        c.SetTxStepCode(tx == 0 ? 0x0F : ApplyRaster(tx)); // 0x0F: what storing an empty edit leaves
        c.SetTxFrequency(tx == 0 ? kNoFrequency : FrequencyWordFromUnits(tx));
        c.SetRxTone(ToneWord(c.RxTone(), rxTone));
        c.SetTxTone(ToneWord(c.TxTone(), txTone));
        c.SetSpacing(spacing);
        c.SetPower(power);
    }

    // Channels with every tone combination the common column set can carry.
    void VaryChannels()
    {
        const CTone none{CToneWord::kTypeNone, 0};
        const CTone ctcss885{CToneWord::kTypeCtcss, 885};
        const CTone ctcss1000{CToneWord::kTypeCtcss, 1000};
        const CTone dcs023{CToneWord::kTypeCdcss, 23};
        const CTone dcs023i{CToneWord::kTypeCdcss2, 23};
        const CTone dcs754i{CToneWord::kTypeCdcss2, 754};
        Set(0, 44600625, 44600625, none, none, 0, 1);
        Set(1, 43000000, 43500000, none, ctcss885, 2, 0);    // +, Tone
        Set(2, 46000000, 45500000, ctcss1000, ctcss1000, 0); // -, TSQL
        Set(3, 44000500, 0, dcs023, dcs023, 2);              // off, DTCS NN (5 kHz raster)
        Set(4, 44500000, 44500000, dcs023i, dcs023, 2, 1);   // DTCS with polarity RN... rx R
        Set(5, 44500000, 44500000, ctcss885, ctcss1000, 0);  // Cross Tone->Tone
        Set(6, 44500000, 44500000, dcs754i, ctcss885, 2);    // Cross Tone->DTCS
        Set(7, 44500000, 44500000, ctcss885, dcs023, 2);     // Cross DTCS->Tone
        Set(8, 44500000, 44500000, ctcss885, none, 2);       // Cross ->Tone
        Set(9, 44500000, 44500000, none, dcs754i, 2);        // Cross DTCS->
        Set(10, 44500000, 44500000, dcs023, dcs754i, 2);     // Cross DTCS->DTCS
        Channel(1).SetAutoStartScan(true);
    }

    CImportResult Import(const std::string& text, std::optional<CCsvFormat> format, bool append = false)
    {
        return ImportChannels(text, m_data, Settings(), format, append);
    }

    std::string Message(int number, const std::string& argument = {})
    {
        return FormatMessageText(Settings().GetMessage(number), argument);
    }

    // The channel table, where a round trip must give the same bytes.
    std::vector<std::uint8_t> ChannelBytes()
    {
        const Image image = Stored();
        return {image.begin() + CChannelData::kTableStart,
                image.begin() + CChannelData::kTableStart + CChannelData::kMaxChannels * CChannelData::kRecordSize};
    }

    test::CProgramDir m_program;
    CRadioData m_data;
};

const std::string kNativeHeader =
    "No,RxFrequency,RxType,RxCtcss,RxCdcss,TxFrequency,TxType,TxCtcss,TxCdcss,Spacing,Power,Personality,AutoStartScan";

// An exported cell: the format, the row (1: the first channel) and the column.
struct CCell {
    CCsvFormat format;
    std::size_t row;
    std::size_t column;
    const char* text;
};

TEST_F(CsvChannels, ExportedColumns)
{
    using enum CCsvFormat;
    VaryChannels();
    Channel(11).SetRxTone(0x70FF); // a CTCSS code outside the table
    // Common columns: 0 Location, 2 Frequency, 3 Duplex, 4 Offset, 5 Tone, 9 DtcsPolarity, 11 CrossMode, 12 Mode.
    const CCell cells[] = {
        {Native, 1, 1, "446.00625"},
        {Native, 1, 10, "Low"},
        {Native, 2, 12, "1"},
        {Native, 2, 7, "88.5"},
        {Native, 4, 5, ""},
        {Native, 4, 9, "25 kHz"},
        {Native, 7, 2, "CDCSS Invert"},
        {Native, 7, 4, "754"},
        {Native, 7, 6, "CTCSS"},
        {Native, 12, 3, "not in the table (code 0x0FF)"}, // as the windows show it
        {Common, 0, 0, "Location"},
        {Common, 0, 2, "Frequency"},
        {Common, 2, 2, "430.000000"},
        {Common, 2, 3, "+"},
        {Common, 2, 4, "5.000000"},
        {Common, 2, 5, "Tone"},
        {Common, 2, 12, "FM"},
        {Common, 3, 3, "-"},
        {Common, 3, 5, "TSQL"},
        {Common, 3, 12, "NFM"},
        {Common, 4, 3, "off"},
        {Common, 4, 5, "DTCS"},
        {Common, 4, 9, "NN"},
        {Common, 5, 9, "NR"},
        {Common, 7, 11, "Tone->DTCS"},
        {Common, 10, 11, "DTCS->"},
    };
    for (const int language : {0, 1}) {
        Settings().SelectLanguage(language);
        const auto native = ReadCsv(ExportChannels(m_data, Settings(), Native));
        const auto common = ReadCsv(ExportChannels(m_data, Settings(), Common));
        ASSERT_EQ(native.size(), 17u);
        EXPECT_EQ(WriteCsvRow(native[0].fields), kNativeHeader + "\r\n"); // no language changes the names
        if (language == 0) {
            for (const CCell& c : cells)
                EXPECT_EQ((c.format == Native ? native : common)[c.row].fields.at(c.column), c.text)
                    << (c.format == Native ? "native" : "common") << " row " << c.row << " column " << c.column;
        }
    }
}

struct CCommonCase {
    const char* row; // Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,CrossMode,Mode,Power
    std::uint32_t tx;
    const char* rxType;
    const char* rxTone;
    const char* txType;
    const char* txTone;
    const char* spacing;
    const char* power;
};

TEST_F(CsvChannels, CommonRowsMapToTheChannelFields)
{
    // clang-format off
    const CCommonCase cases[] = {
        {"446.00625,,0,,88.5,88.5,023,NN,,FM,", 0x44600625, "None", "", "None", "", "25 kHz", "High"},
        {"446.00625,+,1.5,Tone,100.0,88.5,023,NN,,NFM,low", 0x44750625, "None", "", "CTCSS", "100.0", "12.5 kHz", "Low"},
        {"446.00625,-,6.00625,TSQL,100.0,71.9,023,NN,,,", 0x44000000, "CTCSS", "71.9", "CTCSS", "71.9", "25 kHz", "High"},
        {"446.00625,split,440.5,DTCS,,,754,RN,,FM,5.0W", 0x44050000, "CDCSS", "754", "CDCSS Invert", "754", "25 kHz", "High"},
        {"446.00625,off,0,Cross,77.0,,023,NR,Tone->DTCS,FM,", 0xFFFFFFFF, "CDCSS Invert", "023", "CTCSS", "77.0", "25 kHz", "High"},
        {"446.00625,,,Cross,,94.8,,,->Tone,FM,", 0x44600625, "CTCSS", "94.8", "None", "", "25 kHz", "High"},
        {"446.00625,,,Cross,,,,,,FM,", 0x44600625, "CTCSS", "88.5", "CTCSS", "88.5", "25 kHz", "High"},
    };
    // clang-format on
    const std::string header =
        "Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,CrossMode,Mode,Power\n";
    const auto tone = [](std::uint8_t type, const CToneLookup& ctcss, const CToneLookup& cdcss) {
        return type == CToneWord::kTypeCtcss ? CtcssText(ctcss.index)
                                             : (type == CToneWord::kTypeNone ? std::string() : CdcssText(cdcss.index));
    };
    for (const CCommonCase& c : cases) {
        SCOPED_TRACE(c.row);
        const CImportResult result = Import(header + c.row + "\n", CCsvFormat::Common);
        ASSERT_EQ(result.channels.size(), 1u);
        const CChannelEditRecord& e = result.channels[0].edit;
        EXPECT_EQ(e.rxFrequency, 0x44600625u);
        EXPECT_EQ(e.txFrequency, c.tx);
        // The record holds entries and table indices; the table names them as the page shows them.
        EXPECT_EQ(Settings().GetItemText(CChannelData::kRxTypeList, e.rxType), c.rxType);
        EXPECT_EQ(Settings().GetItemText(CChannelData::kTxTypeList, e.txType), c.txType);
        EXPECT_EQ(tone(e.rxType, e.rxCtcss, e.rxCdcss), c.rxTone);
        EXPECT_EQ(tone(e.txType, e.txCtcss, e.txCdcss), c.txTone);
        EXPECT_EQ(Settings().GetItemText(CChannelData::kSpacingList, e.spacing), c.spacing);
        EXPECT_EQ(Settings().GetItemText(CChannelData::kPowerList, e.power), c.power);
        EXPECT_FALSE(result.channels[0].hasPersonality);
    }
    // Any column order, any case, unknown columns ignored, optional columns missing.
    const CImportResult lenient = Import("comment,FREQUENCY,extra,tone,ctonefreq\r\nx,440.1,y,TSQL,123.0\r\n", {});
    ASSERT_EQ(lenient.channels.size(), 1u);
    EXPECT_EQ(lenient.channels[0].edit.txFrequency, 0x44010000u);
    EXPECT_EQ(CtcssText(lenient.channels[0].edit.txCtcss.index), "123.0");
}

// A file row and why it cannot be taken (message 0: it is taken).
struct CRowCheck {
    CCsvFormat format;
    const char* row;
    int message;
    const char* argument;
};

TEST_F(CsvChannels, RejectedRowsCarryTheirLineAndReason)
{
    using enum CCsvFormat;
    // clang-format off
    const CRowCheck rows[] = {
        {Common, "1,446.00625,,,,,,,FM", 0, ""},
        {Common, "2,146.52,,,,,,,FM", csvmsg::kOutOfRange, "146.52000"},
        {Common, "3,abc,,,,,,,FM", csvmsg::kNotFrequency, "abc"},
        {Common, "", 0, ""}, // an empty line counts but is no row
        {Common, "4,446.1,,,Tone,99.9,,,FM", csvmsg::kCtcssNotInTable, "99.9"},
        {Common, "5,446.1,,,DTCS,,,999,FM", csvmsg::kCdcssNotInTable, "999"},
        {Common, "6,446.1,,,,,,,AM", csvmsg::kNotAllowedValue, "AM"},
        {Common, "7,\"446.1\"x,,,,,,,FM", csvmsg::kMalformedRow, ""},
        {Common, "8,446.1,+,30,,,,,FM", csvmsg::kOutOfRange, "476.10000"},
        {Common, "9,,,,,,,,FM", csvmsg::kNoReceiveFrequency, ""},
        {Common, "10,446.2,,,,,,,NFM", 0, ""},
        {Native, "1,446.1,CTCSS,67.1,023,446.1,None,67.0,023,25 kHz,High,1,0", csvmsg::kCtcssNotInTable, "67.1"},
        {Native, "2,446.1,Wrong,67.0,023,446.1,None,67.0,023,25 kHz,High,1,0", csvmsg::kNotAllowedValue, "Wrong"},
        {Native, "3,446.1,None,67.0,023,446.1,CDCSS,67.0,024,25 kHz,High,1,0", csvmsg::kCdcssNotInTable, "024"},
        {Native, "4,446.1,None,67.0,023,446.1,None,67.0,023,25 kHz,High,2,0", csvmsg::kNoPersonality, "2"},
        {Native, "5,446.1,None,67.0,023,446.1,None,67.0,023,25 kHz,High,1,yes", csvmsg::kNotAllowedValue, "yes"},
        {Native, "6,446.1,None,67.0,023,,None,67.0,023,12.5 KHZ,low,,", 0, ""},
    };
    // clang-format on
    for (const CCsvFormat format : {Common, Native}) {
        std::string text = format == Common ? "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,Mode"
                                            : kNativeHeader;
        std::vector<std::pair<std::size_t, std::string>> rejected;
        std::vector<std::size_t> taken;
        std::size_t line = 1;
        for (const CRowCheck& row : rows) {
            if (row.format != format)
                continue;
            text += std::string("\n") + row.row;
            if (row.message != 0)
                rejected.emplace_back(++line, Message(row.message, row.argument));
            else if (*row.row != '\0')
                taken.push_back(++line);
            else
                ++line;
        }
        const CImportResult result = Import(text, format);
        std::vector<std::pair<std::size_t, std::string>> reasons;
        for (const CRejectedRow& r : result.rejected)
            reasons.emplace_back(r.line, r.reason);
        EXPECT_EQ(reasons, rejected);
        std::vector<std::size_t> lines;
        for (const CImportedChannel& c : result.channels)
            lines.push_back(c.line);
        EXPECT_EQ(lines, taken);
    }
    // The native row taken: no transmit frequency, the lists' texts in any case, and what it left empty is not carried.
    const CImportedChannel taken = Import(kNativeHeader + "\n" + rows[16].row, Native).channels.at(0);
    EXPECT_EQ(taken.edit.txFrequency, kNoFrequency);
    EXPECT_EQ(taken.edit.spacing, 0); // "12.5 kHz"
    EXPECT_EQ(taken.edit.power, 1);   // "Low"
    EXPECT_FALSE(taken.hasPersonality);
    EXPECT_FALSE(taken.hasAutoStartScan);
}

TEST_F(CsvChannels, AFileWithoutAChannelHeaderTakesNothing)
{
    for (const char* text : {"", "Name,Comment\nx,y\n", "\"Frequency,1\n"}) {
        SCOPED_TRACE(text);
        const CImportResult result = Import(text, CCsvFormat::Common);
        EXPECT_TRUE(result.channels.empty());
        ASSERT_EQ(result.rejected.size(), 1u);
        EXPECT_EQ(result.rejected[0].line, 1u);
        EXPECT_EQ(result.rejected[0].reason, Message(csvmsg::kNoHeader));
        EXPECT_FALSE(ApplyImport(result, m_data));
    }
}

std::string CommonRows(std::size_t count)
{
    std::string text = "Frequency\n";
    for (std::size_t i = 0; i < count; ++i)
        text += Format("440.%05zu\n", i * 625);
    return text;
}

TEST_F(CsvChannels, AtMostSixteenChannelsAreTaken)
{
    const CImportResult replace = Import(CommonRows(18), CCsvFormat::Common);
    EXPECT_EQ(replace.channels.size(), 16u);
    ASSERT_EQ(replace.rejected.size(), 2u);
    EXPECT_EQ(replace.rejected[0].line, 18u);
    EXPECT_EQ(replace.rejected[1].line, 19u);
    EXPECT_EQ(replace.rejected[1].reason, Message(csvmsg::kTooManyChannels));

    while (m_data.Channels().size() > 14)
        m_data.RemoveChannel(m_data.Channels().size() - 1);
    const CImportResult append = Import(CommonRows(3), CCsvFormat::Common, true);
    EXPECT_EQ(append.channels.size(), 2u);
    ASSERT_EQ(append.rejected.size(), 1u);
    EXPECT_EQ(append.rejected[0].line, 4u);
}

TEST_F(CsvChannels, ReplaceAndAppendPlaceTheChannelsOnlyWhenApplied)
{
    const std::uint32_t first = Channel(0).RxFrequency();
    const std::uint32_t scanMemberId = Channel(1).TreeId();
    const Image before = Stored();
    const CImportResult replace = Import(CommonRows(3), CCsvFormat::Common);
    EXPECT_EQ(Stored(), before);
    ApplyImport(replace, m_data);
    ASSERT_EQ(m_data.Channels().size(), 3u);
    EXPECT_EQ(Channel(0).RxFrequency(), 0x44000000u);
    EXPECT_EQ(Channel(2).RxFrequency(), 0x44001250u);
    EXPECT_EQ(Channel(1).TreeId(), scanMemberId); // replaced in place

    ApplyImport(Import("Frequency\n446.00625\n450\n", CCsvFormat::Common, true), m_data);
    ASSERT_EQ(m_data.Channels().size(), 5u);
    EXPECT_EQ(Channel(2).RxFrequency(), 0x44001250u);
    EXPECT_EQ(Channel(3).RxFrequency(), first);
    EXPECT_EQ(Channel(4).RxFrequency(), 0x45000000u);
}

// The header row tells the column set, whichever language wrote the file
// and whichever reads it; earlier versions wrote the captions of the language.
TEST_F(CsvChannels, EveryHeaderAndLanguageImportsWithoutAFormatToTheSameBytes)
{
    const struct {
        const char* what;
        int exportLanguage;
        CCsvFormat format;
        const char* header; // replaces the written header; nullptr keeps it
        int importLanguage;
    } cases[] = {
        {"ours, Chinese to English", 1, CCsvFormat::Native, nullptr, 0},
        {"ours, English to Chinese", 0, CCsvFormat::Native, nullptr, 1},
        {"earlier English", 0, CCsvFormat::Native,
         "No.,Frequency[MHz],RX Type,CTCSS,CDCSS,Frequency[MHz],TX Type,CTCSS,CDCSS,Channel Spacing,Power Level,"
         "Personality List,Auto Start Scan",
         1},
        {"earlier Chinese", 1, CCsvFormat::Native,
         "序号,接收频率[MHz],接收亚音类型,亚音频,数码亚音,发射频率[MHz],发射亚音类型,亚音频,数码亚音,信道间隔,"
         "功率级别,特性列表,自动开始扫描",
         0},
        {"common", 0, CCsvFormat::Common, nullptr, 0},
    };
    VaryChannels();
    m_data.RemoveChannel(15);
    const auto before = ChannelBytes();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Settings().SelectLanguage(c.exportLanguage);
        std::string text = ExportChannels(m_data, Settings(), c.format);
        if (c.header != nullptr)
            text = c.header + text.substr(text.find("\r\n"));
        Settings().SelectLanguage(c.importLanguage);
        if (c.format == CCsvFormat::Native) { // our columns carry every field: into a new codeplug
            m_data.Clear();
            m_data.Reset();
        }
        const CImportResult result = ImportChannels(text, m_data, Settings(), std::nullopt, false);
        EXPECT_EQ(result.format, c.format);
        ASSERT_TRUE(result.rejected.empty()) << result.rejected.front().reason;
        ASSERT_EQ(result.channels.size(), 15u);
        ASSERT_TRUE(ApplyImport(result, m_data));
        EXPECT_EQ(ChannelBytes(), before);
    }
}

TEST_F(CsvChannels, CodesNoListNamesRoundTrip)
{
    Channel(0).SetSpacing(0x0E);
    Channel(1).SetPower(0x0F);
    Channel(2).SetSpacing(0x03);
    const auto before = ChannelBytes();
    const std::string text = ExportChannels(m_data, Settings(), CCsvFormat::Native);
    const auto rows = ReadCsv(text);
    EXPECT_EQ(rows[1].fields[9], "0xE");
    EXPECT_EQ(rows[2].fields[10], "0xF");
    EXPECT_EQ(rows[3].fields[9], "0x3");
    m_data.Clear();
    m_data.Reset();
    ASSERT_TRUE(ApplyImport(Import(text, CCsvFormat::Native), m_data));
    EXPECT_EQ(ChannelBytes(), before);
}

// Everything before the table (the scan lists, the settings) and the ten
// records but their list links (bytes 0-3), which now reach the new ones.
TEST_F(CsvChannels, AppendingAfterRejectedRowsKeepsEveryChannel)
{
    while (m_data.Channels().size() > 10)
        m_data.RemoveChannel(m_data.Channels().size() - 1);
    const Image before = Stored();
    const CImportResult result = Import("Frequency\n440.5\n146.52\n441\n", std::nullopt, true);
    ASSERT_EQ(result.rejected.size(), 1u);
    ASSERT_TRUE(ApplyImport(result, m_data));
    ASSERT_EQ(m_data.Channels().size(), 12u);
    const Image after = Stored();
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + CChannelData::kTableStart, after.begin()));
    for (std::size_t i = 0; i < 10; ++i) {
        const auto record = static_cast<std::ptrdiff_t>(CChannelData::kTableStart + i * CChannelData::kRecordSize);
        EXPECT_TRUE(std::equal(before.begin() + record + 4, before.begin() + record + CChannelData::kRecordSize,
                               after.begin() + record + 4))
            << "channel " << i + 1;
    }
}

} // namespace
} // namespace qrv
