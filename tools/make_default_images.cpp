// Writes the default image of every range of a model: the codeplug that New
// loads for that model and range. Each image holds the default records with
// channels that lie inside its band and a radio identity block of that band.
//
//   qrv_make_default_images PROGRAM_DIR OUTPUT_DIR
#include "radio_data/data_file.h"
#include "radio_data/model_catalog.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/frequency.h"
#include "util/text_format.h"

#include <cstdio>

using namespace qrv;

namespace {

constexpr std::uint32_t kUnitsPerMHz = 100000;
constexpr std::uint32_t kChannelStep = 1250; // 12.5 kHz

// Moves the default channels into the band when 446 MHz lies outside it.
void PlaceChannels(CRadioData& data, int lower, int upper)
{
    const std::uint32_t first = data.Channels().front()->RxFrequency();
    const auto units = UnitsFromFrequencyWord(first);
    if (units && *units >= static_cast<std::uint32_t>(lower) * kUnitsPerMHz &&
        *units <= static_cast<std::uint32_t>(upper) * kUnitsPerMHz)
        return;
    const std::uint32_t base = static_cast<std::uint32_t>((lower + upper) / 2) * kUnitsPerMHz + 625;
    for (std::size_t n = 0; n < data.Channels().size(); ++n) {
        const std::uint32_t word = FrequencyWordFromUnits(base + static_cast<std::uint32_t>(n % 8) * kChannelStep);
        data.Channels()[n]->SetRxFrequency(word);
        data.Channels()[n]->SetTxFrequency(word);
    }
}

bool WriteImage(const std::filesystem::path& programDir, const std::filesystem::path& outDir,
                const std::string& modelId, const std::string& modelName, const FreqRangeRec& range)
{
    CSettings settings(programDir);
    settings.SetReadOnly(true);
    settings.SelectLanguage(0);
    const CDocumentIdentity identity{modelId, modelName, MakeRangeText(range.lower, range.upper), 0,
                                     CSettings::kProgramVersion};
    CRadioData data(settings);
    data.Identity() = identity;
    data.Clear();
    data.Reset();
    PlaceChannels(data, range.lower, range.upper);
    CRadioInfoData& info = data.RadioInfo();
    info.SetModelName(modelName);
    info.SetRangeFlags(range.flags);
    info.SetRangeLimits(range.lower, range.upper);
    info.SetSignallingType(0);

    Image image{};
    data.StoreToImage(image);
    CDataFile file;
    if (!file.SetHeader(FillHeader(identity, range.flags)))
        return false;
    const auto path = outDir / (modelId + identity.freqRange + "DefaultSet.dat");
    if (!file.WriteFile(path, {}, image, "Default codeplug " + modelName + " " + identity.freqRange + " MHz"))
        return false;
    std::printf("%s\n", path.string().c_str());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    const std::filesystem::path programDir = argv[1];
    const CModelCatalog catalog(programDir, "", "", "", 0);
    for (const auto& id : catalog.ModelIds()) {
        const auto names = catalog.ModelNames(id);
        if (names.empty())
            continue;
        CFreqRangeList ranges;
        ranges.SetModel(programDir, id, names.front(), "", 0);
        for (const auto& range : ranges.Records())
            if (!WriteImage(programDir, argv[2], id, names.front(), range))
                return 1;
    }
    return 0;
}
