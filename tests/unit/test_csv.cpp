// Channel lists as CSV: the text reader and writer, the columns of both
// column sets, the rows that cannot be taken, and the round trips.
#include "codeplug_fixture.h"
#include "csv/channel_csv.h"
#include "csv/csv_text.h"
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
    const auto rows = ReadCsv(line + line);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].fields, fields);
}

struct CTone {
    std::uint8_t type;
    std::uint16_t value; // CTCSS tenths or CDCSS code
};

class CsvChannels : public ::testing::Test, public test::CResetCodeplug {
protected:
    CChannelData& Channel(std::size_t i) { return *data.Channels()[i]; }

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
        return ImportChannels(text, data, Settings(), format, append);
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
};

const std::string kNativeHeader =
    "No,RxFrequency,RxType,RxCtcss,RxCdcss,TxFrequency,TxType,TxCtcss,TxCdcss,Spacing,Power,Personality,AutoStartScan";

// Whole exported lines of VaryChannels' codeplug, by format and line (1: the first channel).
TEST_F(CsvChannels, ExportedLines)
{
    using enum CCsvFormat;
    VaryChannels();
    Channel(12).SetSpacing(0x0E); // codes without a name in their list go as numbers
    Channel(12).SetPower(0x0F);
    // clang-format off
    const std::tuple<CCsvFormat, std::size_t, std::string> lines[] = {
        {Native, 0, kNativeHeader},
        {Native, 2, "2,430.00000,None,67.0,023,435.00000,CTCSS,88.5,023,25 kHz,High,1,1"},
        {Native, 13, "13,446.05625,CTCSS,141.3,023,446.05625,CTCSS,141.3,023,0xE,0xF,1,0"},
        {Common, 0, "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
                    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE"},
        {Common, 1, "1,,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,Low,,,,,"},
        {Common, 2, "2,,430.000000,+,5.000000,Tone,88.5,88.5,023,NN,023,Tone->Tone,FM,6.25,,High,,,,,"},
        {Common, 3, "3,,460.000000,-,5.000000,TSQL,100.0,100.0,023,NN,023,Tone->Tone,NFM,6.25,,High,,,,,"},
        {Common, 4, "4,,440.005000,off,0.000000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,,,,,"},
        {Common, 5, "5,,445.000000,,0.000000,DTCS,88.5,88.5,023,NR,023,Tone->Tone,FM,6.25,,Low,,,,,"},
        {Common, 6, "6,,445.000000,,0.000000,Cross,100.0,88.5,023,NN,023,Tone->Tone,NFM,6.25,,High,,,,,"},
        {Common, 7, "7,,445.000000,,0.000000,Cross,88.5,88.5,023,NR,754,Tone->DTCS,FM,6.25,,High,,,,,"},
        {Common, 10, "10,,445.000000,,0.000000,Cross,88.5,88.5,754,RN,023,DTCS->,FM,6.25,,High,,,,,"},
        {Common, 11, "11,,445.000000,,0.000000,Cross,88.5,88.5,754,RN,023,DTCS->DTCS,FM,6.25,,High,,,,,"},
    };
    // clang-format on
    const std::string native = ExportChannels(data, Settings(), Native);
    const std::string common = ExportChannels(data, Settings(), Common);
    EXPECT_EQ(ReadCsv(native).size(), 17u);
    for (const auto& [format, line, text] : lines)
        EXPECT_EQ(ReadCsv(format == Native ? native : common).at(line).fields, ReadCsv(text)[0].fields) << text;
    Settings().SelectLanguage(1); // no language changes our column names
    EXPECT_EQ(ReadCsv(ExportChannels(data, Settings(), Native))[0].fields, ReadCsv(kNativeHeader)[0].fields);
}

// A file row and what it makes: the channel as our columns show it (message 0), or why it cannot be taken.
struct CRowCheck {
    CCsvFormat format;
    const char* row;
    int message;
    std::string result; // the channel's fields, or the message's argument
};

TEST_F(CsvChannels, EachRowMakesAChannelOrSaysWhyNot)
{
    using enum CCsvFormat;
    // clang-format off
    const CRowCheck rows[] = {
        {Common, "1,446.00625,,0,,88.5,88.5,023,NN,,FM,", 0,
         "446.00625,None,67.0,023,446.00625,None,67.0,023,25 kHz,High"},
        {Common, "1,446.00625,+,1.5,Tone,100.0,88.5,023,NN,,NFM,low", 0,
         "446.00625,None,67.0,023,447.50625,CTCSS,100.0,023,12.5 kHz,Low"},
        {Common, "1,446.00625,-,6.00625,TSQL,100.0,71.9,023,NN,,,", 0,
         "446.00625,CTCSS,71.9,023,440.00000,CTCSS,71.9,023,25 kHz,High"},
        {Common, "1,446.00625,split,440.5,DTCS,,,754,RN,,FM,5.0W", 0,
         "446.00625,CDCSS,67.0,754,440.50000,CDCSS Invert,67.0,754,25 kHz,High"},
        {Common, "1,446.00625,off,0,Cross,77.0,,023,NR,Tone->DTCS,FM,", 0,
         "446.00625,CDCSS Invert,67.0,023,,CTCSS,77.0,023,25 kHz,High"},
        {Common, "1,446.00625,,,Cross,,94.8,,,->Tone,FM,", 0,
         "446.00625,CTCSS,94.8,023,446.00625,None,67.0,023,25 kHz,High"},
        {Common, "1,446.00625,,,Cross,,,,,,FM,", 0, "446.00625,CTCSS,88.5,023,446.00625,CTCSS,88.5,023,25 kHz,High"},
        // Any column order, any case, unknown columns ignored, optional columns missing.
        {Common, "comment,FREQUENCY,extra,tone,ctonefreq\nx,440.1,y,TSQL,123.0", 0,
         "440.10000,CTCSS,123.0,023,440.10000,CTCSS,123.0,023,25 kHz,High"},
        {Common, "2,146.52,,,,,,,,,FM,", csvmsg::kOutOfRange, "146.52000"},
        {Common, "3,abc,,,,,,,,,FM,", csvmsg::kNotFrequency, "abc"},
        {Common, "4,446.1,,,Tone,99.9,,,,,FM,", csvmsg::kCtcssNotInTable, "99.9"},
        {Common, "5,446.1,,,DTCS,,,999,,,FM,", csvmsg::kCdcssNotInTable, "999"},
        {Common, "6,446.1,,,,,,,,,AM,", csvmsg::kNotAllowedValue, "AM"},
        {Common, "7,\"446.1\"x,,,,,,,,,FM,", csvmsg::kMalformedRow, ""},
        {Common, "8,446.1,+,30,,,,,,,FM,", csvmsg::kOutOfRange, "476.10000"},
        {Common, "9,,,,,,,,,,FM,", csvmsg::kNoReceiveFrequency, ""},
        {Native, "1,446.1,CTCSS,67.1,023,446.1,None,67.0,023,25 kHz,High,1,0", csvmsg::kCtcssNotInTable, "67.1"},
        {Native, "2,446.1,Wrong,67.0,023,446.1,None,67.0,023,25 kHz,High,1,0", csvmsg::kNotAllowedValue, "Wrong"},
        {Native, "3,446.1,None,67.0,023,446.1,CDCSS,67.0,024,25 kHz,High,1,0", csvmsg::kCdcssNotInTable, "024"},
        {Native, "4,446.1,None,67.0,023,446.1,None,67.0,023,25 kHz,High,2,0", csvmsg::kNoPersonality, "2"},
        {Native, "5,446.1,None,67.0,023,446.1,None,67.0,023,25 kHz,High,1,yes", csvmsg::kNotAllowedValue, "yes"},
        // No transmit frequency, a list's text in any case, a code without a name; what it left empty is not carried.
        {Native, "6,446.1,None,67.0,023,,None,67.0,023,12.5 KHZ,0xE,,", 0,
         "446.10000,None,67.0,023,,None,67.0,023,12.5 kHz,0xE"},
    };
    // clang-format on
    const std::string commonHeader =
        "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,CrossMode,Mode,Power\n";
    for (const CRowCheck& row : rows) {
        SCOPED_TRACE(row.row);
        const bool ownHeader = std::string(row.row).find('\n') != std::string::npos;
        const std::string header = ownHeader ? "" : row.format == Native ? kNativeHeader + "\n" : commonHeader;
        const CImportResult result = Import(header + row.row, row.format);
        ASSERT_EQ(result.channels.size(), row.message == 0 ? 1u : 0u);
        ASSERT_EQ(result.rejected.size(), row.message == 0 ? 0u : 1u);
        if (row.message != 0) {
            EXPECT_EQ(result.rejected[0].line, 2u);
            EXPECT_EQ(result.rejected[0].reason, Message(row.message, row.result));
            continue;
        }
        EXPECT_FALSE(result.channels[0].hasPersonality || result.channels[0].hasAutoStartScan);
        ASSERT_TRUE(ApplyImport(result, data));
        EXPECT_EQ(WriteCsvRow(ReadCsv(ExportChannels(data, Settings(), Native)).at(1).fields),
                  "1," + row.result + ",1,0\r\n");
    }
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
        EXPECT_FALSE(ApplyImport(result, data));
    }
}

std::string CommonRows(std::size_t count)
{
    std::string text = "Frequency\n";
    for (std::size_t i = 0; i < count; ++i)
        text += Format("440.%05zu\n", i * 625);
    return text;
}

TEST_F(CsvChannels, ReplaceAndAppendPlaceTheChannelsOnlyWhenApplied)
{
    const std::uint32_t scanMemberId = Channel(1).TreeId();
    const Image before = Stored();
    const CImportResult tooMany = Import(CommonRows(18), CCsvFormat::Common); // at most sixteen are taken
    EXPECT_EQ(tooMany.channels.size(), 16u);
    ASSERT_EQ(tooMany.rejected.size(), 2u);
    EXPECT_EQ(tooMany.rejected[0].line, 18u);
    EXPECT_EQ(tooMany.rejected[1].reason, Message(csvmsg::kTooManyChannels));
    EXPECT_EQ(Stored(), before);
    ApplyImport(Import(CommonRows(3), CCsvFormat::Common), data);
    ASSERT_EQ(data.Channels().size(), 3u);
    EXPECT_EQ(Channel(2).RxFrequency(), 0x44001250u);
    EXPECT_EQ(Channel(1).TreeId(), scanMemberId); // replaced in place

    // Appending takes as many as fit after the channels there.
    const CImportResult append = Import(CommonRows(15), CCsvFormat::Common, true);
    EXPECT_EQ(append.channels.size(), 13u);
    ASSERT_EQ(append.rejected.size(), 2u);
    EXPECT_EQ(append.rejected[0].line, 15u);
    // A row not taken moves nothing: everything before the table (the scan lists, the settings) and the
    // channels there stay but for their list links (bytes 0-3), which now reach the new ones.
    const Image three = Stored();
    const CImportResult two = Import("Frequency\n446.00625\n146.52\n450\n", std::nullopt, true);
    ASSERT_EQ(two.rejected.size(), 1u);
    ASSERT_TRUE(ApplyImport(two, data));
    ASSERT_EQ(data.Channels().size(), 5u);
    EXPECT_EQ(Channel(3).RxFrequency(), 0x44600625u);
    EXPECT_EQ(Channel(4).RxFrequency(), 0x45000000u);
    const Image after = Stored();
    EXPECT_TRUE(std::equal(three.begin(), three.begin() + CChannelData::kTableStart, after.begin()));
    for (std::size_t i = 0; i < 3; ++i) {
        const auto record = static_cast<std::ptrdiff_t>(CChannelData::kTableStart + i * CChannelData::kRecordSize);
        EXPECT_TRUE(std::equal(three.begin() + record + 4, three.begin() + record + CChannelData::kRecordSize,
                               after.begin() + record + 4))
            << "channel " << i + 1;
    }
}

// The header row tells the column set, whichever language wrote the file
// and whichever reads it; earlier versions wrote the captions of the language.
TEST_F(CsvChannels, EveryHeaderAndLanguageImportsWithoutAFormatToTheSameBytes)
{
    // What, the language writing, the column set, the header row put in its place (nullptr: kept), the language
    // reading.
    const std::tuple<const char*, int, CCsvFormat, const char*, int> cases[] = {
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
    data.RemoveChannel(15);
    const auto before = ChannelBytes();
    for (const auto& [what, exportLanguage, format, header, importLanguage] : cases) {
        SCOPED_TRACE(what);
        Settings().SelectLanguage(exportLanguage);
        std::string text = ExportChannels(data, Settings(), format);
        if (header != nullptr)
            text = header + text.substr(text.find("\r\n"));
        Settings().SelectLanguage(importLanguage);
        if (format == CCsvFormat::Native) { // our columns carry every field: into a new codeplug
            data.Clear();
            data.Reset();
        }
        const CImportResult result = ImportChannels(text, data, Settings(), std::nullopt, false);
        EXPECT_EQ(result.format, format);
        ASSERT_TRUE(result.rejected.empty()) << result.rejected.front().reason;
        ASSERT_EQ(result.channels.size(), 15u);
        ASSERT_TRUE(ApplyImport(result, data));
        EXPECT_EQ(ChannelBytes(), before);
    }
}

} // namespace
} // namespace qrv
