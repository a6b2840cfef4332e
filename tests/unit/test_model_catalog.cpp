// Model.dat: the ranges a model is known for, learning a radio's new range,
// and the radio's range block. The identity checks of a radio are rows of
// the transfer fault table.
#include "radio_data/model_catalog.h"

#include "radio_data/ini_file.h"
#include "radio_data/settings.h"
#include "test_support.h"
#include "util/text_format.h"

#include <gtest/gtest.h>

namespace qrv {
namespace {

// The count, then the first three ranges.
std::string Ranges(const CFreqRangeList& list)
{
    std::string out = std::to_string(list.Count()) + ":";
    for (std::size_t i = 0; i < list.Records().size() && i < 3; ++i) {
        const FreqRangeRec& r = list.Records()[i];
        out += Format(" %d-%d/%d-%d:%d", r.lower, r.upper, r.third, r.fourth, r.flags);
    }
    return out;
}

class ModelCatalogTest : public ::testing::Test {
protected:
    ModelCatalogTest()
    {
        test::WriteText(m_dir / "QRV_E.lng", "[Setting]\nLanguage=English\nLanguageList=English\nS0300446=QL210\n");
        m_program.Reopen();
    }

    CFreqRangeList List(const char* catalogue)
    {
        if (catalogue != nullptr)
            test::WriteText(m_dir / "Model.dat", catalogue);
        CFreqRangeList list;
        list.SetModel(m_dir, m_document);
        return list;
    }

    test::CProgramDir m_program{false};
    const std::filesystem::path& m_dir = m_program.Path();
    CDocumentIdentity m_document{"QL210", "QL-210", "400-470", 0, ""};
};

TEST_F(ModelCatalogTest, TheRangesOfAModel)
{
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "1: 136-174/136-174:128"}, // no Model.dat: the fallback
        // A missing key ends the list with the fallback; flags keep their low 8 bits.
        {"[QL210]\nNumber=3\nFreq0=400, 470, 401, 469, 1\nFreq1= 350,390,350,390,258\n",
         "3: 400-470/401-469:1 350-390/350-390:2 136-174/136-174:128"},
        {"[QL210]\nNumber=2147483647\nFreq0=garbage,,,\n", "256: 0-0/0-0:0 136-174/136-174:128 136-174/136-174:128"},
    };
    for (const auto& [catalogue, ranges] : cases) {
        const CFreqRangeList list = List(catalogue);
        EXPECT_EQ(Ranges(list), ranges);
        EXPECT_EQ(list.FlagsOf("136-174"), 0x80);
    }
    EXPECT_EQ(List(nullptr).FlagsOf("400-470"), 0);
    EXPECT_EQ(List(std::get<0>(cases[1])).FlagsOf("400-470"), 1);
}

// The radio brought 400-470: the question, the answer, and the catalogue after.
TEST_F(ModelCatalogTest, ANewRangeIsLearnedOnlyWhenAccepted)
{
    const struct {
        const char* catalogue;
        bool accept;
        int result;
        const char* key; // where the range went, or nullptr: Model.dat unchanged
        const char* number;
    } cases[] = {
        {"[Setting]\nModelID=QL210\n\n[QL210]\nNumber=2\nFreq0=136, 174, 136, 174, 128\nFreq1=350, 390, 350, 390, 2\n",
         true, 2, "Freq2", "3"},
        // A range learned sticks when the model has no section yet or a gap in its keys; none is lost.
        {"[Other]\nNumber=1\n", true, 2, "Freq0", "1"},
        {"[QL210]\nNumber=3\nFreq0=136, 174, 136, 174, 128\nFreq2=350, 390, 350, 390, 2\n", true, 2, "Freq1", "3"},
        {"[QL210]\nNumber=1\nFreq0=136, 174, 136, 174, 128\n", false, 1, nullptr, "1"},
        {"[QL210]\nNumber=1\nFreq0=400, 470, 400, 470, 1\n", false, 0, nullptr, "1"}, // known: nothing asked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.catalogue);
        CFreqRangeList list = List(c.catalogue);
        const std::vector<FreqRangeRec> known = list.Records();
        int asked = 0;
        const int result = list.CheckNewFreqRange(m_program.Settings(), m_document, FreqRangeRec{400, 470, 0, 0, 1},
                                                  [&](int lo, int hi) {
                                                      asked = lo * 1000 + hi;
                                                      return c.accept;
                                                  });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(asked, c.result == 0 ? 0 : 400470);
        if (c.result != 0) {
            EXPECT_EQ(m_program.Settings().LastRangeAnswer, c.accept ? CSettings::kAnswerYes : CSettings::kAnswerNo);
        }
        EXPECT_EQ(list.Contains(400, 470), c.accept || c.result == 0);
        const CIniFile ini = CIniFile::Load(m_dir / "Model.dat");
        EXPECT_EQ(ini.GetString("QL210", "Number", "", 100), c.number);
        if (c.key == nullptr) {
            EXPECT_EQ(test::ReadText(m_dir / "Model.dat"), c.catalogue);
            continue;
        }
        EXPECT_EQ(ini.GetString("QL210", c.key, "", 100), "400, 470, 400, 470, 1");
        CFreqRangeList next = List(nullptr); // the next start knows it, and every range known before
        EXPECT_EQ(next.CheckNewFreqRange(m_program.Settings(), m_document, FreqRangeRec{400, 470, 0, 0, 1}, nullptr),
                  0);
        for (const FreqRangeRec& r : known)
            EXPECT_TRUE(r == kFallbackRange || next.Contains(r.lower, r.upper)) << r.lower;
    }
}

TEST_F(ModelCatalogTest, ModelIdentifiersByName)
{
    test::WriteText(m_dir / "Model.dat",
                    "[Setting]\nModelID=QL210, QL300\nQL210=QL-210,QL-220\nQL300=QL-300\n[QL300]\nNumber=1\n");
    CModelCatalog catalog(m_dir, "QL210", "QL-210", "400-470", 0);
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

TEST(RadioRange, DecodesTheBlockAReportsRadioSendsAndVersionsCompare)
{
    const std::pair<std::vector<std::uint8_t>, FreqRangeRec> cases[] = {
        {{0x80, 0x00, 0x00, 0x60, 0x13, 0x00, 0x00, 0x40, 0x17}, {136, 174, 136, 174, 0x80}},
        {{0x80, 0x00, 0x00, 0x00, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}, {136, 174, 136, 174, 0x80}}, // 100 MHz, erased
        {{0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x52}, {136, 520, 136, 520, 0x02}},
    };
    for (const auto& [block, range] : cases)
        EXPECT_EQ(DecodeRadioRange(block), range);
    // Versions compare by their first four characters (older, equal and newer: the session's open checks).
    EXPECT_EQ(CompareVersions("1.0", "1.01"), -1);
    EXPECT_EQ(NewRangeQuestion(0, 400, 470), "Find a new Frequency Range: 400-470 MHz,do you want to add?");
    EXPECT_EQ(NewRangeQuestion(1, 136, 174), "发现一个新频段：136-174 MHz, 是否添加？");
}

} // namespace
} // namespace qrv
