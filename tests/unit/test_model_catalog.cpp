#include "radio_data/model_catalog.h"

#include "radio_data/ini_file.h"
#include "radio_data/messages.h"
#include "radio_data/settings.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

using test::WriteText;

class ModelCatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteText(m_dir / "QRV_E.lng", "[Setting]\nLanguage=English\nLanguageList=English\nS0300446=QL210\n");
        m_settings = std::make_unique<CSettings>(m_dir.Path());
        m_settings->SetReadOnly(true);
        m_settings->SelectLanguage(0);
    }

    void WriteModel(const std::string& text) { WriteText(m_dir / "Model.dat", text); }

    test::CTempDir m_dir;
    std::unique_ptr<CSettings> m_settings;
    CDocumentIdentity m_document{"QL210", "QL-210", "400-470", 0, ""};
};

TEST_F(ModelCatalogTest, WithoutModelDatTheListHoldsTheFallbackRange)
{
    CFreqRangeList list;
    list.SetModel(m_dir.Path(), m_document);
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Records()[0], kFallbackRange);
    EXPECT_EQ(list.FlagsOf("400-470"), 0);
    EXPECT_EQ(list.FlagsOf("136-174"), 0x80);
}

TEST_F(ModelCatalogTest, AMissingRangeKeyEndsTheListWithTheFallback)
{
    WriteModel("[QL210]\nNumber=3\nFreq0=400, 470, 401, 469, 1\nFreq1= 350,390,350,390,258\n");
    CFreqRangeList list;
    list.SetModel(m_dir.Path(), m_document);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Records()[0], (FreqRangeRec{400, 470, 401, 469, 1}));
    EXPECT_EQ(list.Records()[1], (FreqRangeRec{350, 390, 350, 390, 2})); // flags keep the low 8 bits
    EXPECT_EQ(list.Records()[2], kFallbackRange);
    EXPECT_EQ(list.FlagsOf("400-470"), 1);
    EXPECT_TRUE(list.Contains(350, 390));
}

TEST_F(ModelCatalogTest, HostileCatalogueIsBounded)
{
    WriteModel("[QL210]\nNumber=2147483647\nFreq0=garbage,,,\n");
    CFreqRangeList list;
    list.SetModel(m_dir.Path(), m_document);
    EXPECT_LE(list.Count(), CFreqRangeList::kMaxRanges);
    EXPECT_EQ(list.Records()[0], (FreqRangeRec{0, 0, 0, 0, 0}));
    EXPECT_EQ(list.Records()[1], kFallbackRange);
}

TEST_F(ModelCatalogTest, AcceptingANewRangeAppendsItToTheCatalogue)
{
    WriteModel("[Setting]\nModelID=QL210\n\n[QL210]\nNumber=2\nFreq0=136, 174, 136, 174, 128\n"
               "Freq1=350, 390, 350, 390, 2\n");
    CFreqRangeList list;
    list.SetModel(m_dir.Path(), m_document);
    int askedLower = 0;
    const int result =
        list.CheckNewFreqRange(*m_settings, m_document, FreqRangeRec{400, 470, 0, 0, 1}, [&](int lo, int hi) {
            askedLower = lo;
            return hi == 470;
        });
    EXPECT_EQ(result, 2);
    EXPECT_EQ(askedLower, 400);
    EXPECT_EQ(m_settings->LastRangeAnswer, CSettings::kAnswerYes);
    const CIniFile ini = CIniFile::Load(m_dir / "Model.dat");
    EXPECT_EQ(ini.GetString("QL210", "Number", "", 100), "3");
    EXPECT_EQ(ini.GetString("QL210", "Freq2", "", 100), "400, 470, 400, 470, 1");
    EXPECT_EQ(ini.GetString("Setting", "ModelID", "", 100), "QL210");
    EXPECT_EQ(list.Count(), 3);
    EXPECT_TRUE(list.Contains(400, 470));
    // A known range asks nothing.
    EXPECT_EQ(list.CheckNewFreqRange(*m_settings, m_document, FreqRangeRec{136, 174, 0, 0, 0}, nullptr), 0);
}

// A range learned from a radio sticks (and is not asked again) when the model
// has no section yet or a gap in its Freq keys; no range already there is lost.
TEST_F(ModelCatalogTest, ALearnedRangeSticksWithoutASectionOrWithAGap)
{
    struct Case {
        const char* catalogue;
        const char* key;
        const char* number;
    };
    const Case cases[] = {
        {"[Other]\nNumber=1\n", "Freq0", "1"},
        {"[QL210]\nNumber=3\nFreq0=136, 174, 136, 174, 128\nFreq2=350, 390, 350, 390, 2\n", "Freq1", "3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.catalogue);
        WriteModel(c.catalogue);
        CFreqRangeList list;
        list.SetModel(m_dir.Path(), m_document);
        ASSERT_EQ(list.CheckNewFreqRange(*m_settings, m_document, FreqRangeRec{400, 470, 0, 0, 1},
                                         [](int, int) { return true; }),
                  2);
        const CIniFile ini = CIniFile::Load(m_dir / "Model.dat");
        EXPECT_EQ(ini.GetString("QL210", c.key, "", 100), "400, 470, 400, 470, 1");
        EXPECT_EQ(ini.GetString("QL210", "Number", "", 100), c.number);
        CFreqRangeList again; // the next start
        again.SetModel(m_dir.Path(), m_document);
        EXPECT_TRUE(again.Contains(400, 470));
        EXPECT_EQ(again.CheckNewFreqRange(*m_settings, m_document, FreqRangeRec{400, 470, 0, 0, 1}, nullptr), 0);
    }
}

TEST_F(ModelCatalogTest, DecliningLeavesTheCatalogueAlone)
{
    const std::string text = "[QL210]\nNumber=1\nFreq0=136, 174, 136, 174, 128\n";
    WriteModel(text);
    CFreqRangeList list;
    list.SetModel(m_dir.Path(), m_document);
    EXPECT_EQ(list.CheckNewFreqRange(*m_settings, m_document, FreqRangeRec{400, 470, 0, 0, 1},
                                     [](int, int) { return false; }),
              1);
    EXPECT_EQ(m_settings->LastRangeAnswer, CSettings::kAnswerNo);
    EXPECT_EQ(test::ReadText(m_dir / "Model.dat"), text);
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(ModelCatalogTest, ModelIdentifiersByName)
{
    WriteModel("[Setting]\nModelID=QL210, QL300\nQL210=QL-210,QL-220\nQL300=QL-300\n[QL300]\nNumber=1\n");
    CModelCatalog catalog(m_dir.Path(), "QL210", "QL-210", "400-470", 0);
    EXPECT_EQ(catalog.ModelIds(), (std::vector<std::string>{"QL210", "QL300"}));
    EXPECT_EQ(catalog.FindModelID("QL-220"), "QL210");
    EXPECT_EQ(catalog.FindModelID("QL-300"), "QL300");
    EXPECT_EQ(catalog.FindModelID("QL-999"), "");
    EXPECT_EQ(catalog.Count(), 0);
    catalog.SetModelID("QL300");
    EXPECT_EQ(catalog.Count(), 1);
    catalog.SetModelID("NONE"); // no Number key: the count stays
    EXPECT_EQ(catalog.Count(), 1);
}

TEST(RadioRange, DecodesTheBlockAReportsRadioSends)
{
    struct Case {
        std::vector<std::uint8_t> block;
        FreqRangeRec expected;
    };
    const Case cases[] = {
        {{0x01, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x47}, {400, 470, 400, 470, 0x01}},
        {{0x80, 0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17}, {136, 174, 136, 174, 0x80}},
        {{0x80, 0x00, 0x00, 0x00, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}, {136, 174, 136, 174, 0x80}}, // 100 MHz, erased
        {{0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x52}, {136, 520, 136, 520, 0x02}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodeRadioRange(c.block), c.expected);
}

TEST(Versions, CompareTheFirstFourCharacters)
{
    EXPECT_EQ(CompareVersions("1.01.99.999", "1.01.05.001"), 0);
    EXPECT_EQ(CompareVersions("1.02.01.001", "1.01.05.001"), 1);
    EXPECT_EQ(CompareVersions("1.00.07.001", "1.01.05.001"), -1);
    EXPECT_EQ(CompareVersions("1.0", "1.01"), -1);
}

TEST_F(ModelCatalogTest, RadioIdentityChecks)
{
    const std::vector<std::uint8_t> range{0x01, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x47};
    struct Case {
        IdentityMode mode;
        std::string id;
        std::string name;
        int versionComparison;
        int result;
        int message;
    };
    m_document.modelId = "OTHER";
    const Case cases[] = {
        {IdentityMode::Accept, "QL210", "QL-210", 0, 0, 0},
        {IdentityMode::Accept, "QL210", "QL-220", 0, 1, msg::kModelMismatch},
        {IdentityMode::Accept, "OTHER", "QL-210", 0, 1, msg::kModelMismatch},
        {IdentityMode::Exact, "OTHER", "QL-210", -1, 0, 0},
        {IdentityMode::Exact, "QL210", "QL-210", 0, 1, msg::kModelMismatch},
        {IdentityMode::Accept, "QL210", "QL-210", 1, 2, msg::kNewerVersion},
    };
    for (const auto& c : cases) {
        const auto r = CheckRadioIdentity(ExpectedIdentity(*m_settings, m_document, c.mode), c.id, c.name,
                                          "1.02.00.000", c.versionComparison, range);
        EXPECT_EQ(r.result, c.result) << c.id << " " << c.name;
        EXPECT_EQ(r.message, c.message);
        if (c.result == 0) {
            EXPECT_EQ(r.range, (FreqRangeRec{400, 470, 400, 470, 1}));
        }
        if (c.result == 2) {
            EXPECT_EQ(r.argument, "1.02");
        }
    }
}

TEST(NewRange, QuestionInBothLanguages)
{
    EXPECT_EQ(NewRangeQuestion(0, 400, 470), "Find a new Frequency Range: 400-470 MHz,do you want to add?");
    EXPECT_EQ(NewRangeQuestion(1, 136, 174), "发现一个新频段：136-174 MHz, 是否添加？");
}

} // namespace
} // namespace qrv
