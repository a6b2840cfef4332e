// Model.dat against arbitrary text: the model list, the name lists and the
// range list of every model it names stay bounded and consistent.
#include "fuzz_support.h"
#include "radio_data/model_catalog.h"

#include <algorithm>
#include <cstdlib>

namespace {

using namespace qrv;

constexpr std::size_t kMaxModels = 4;
constexpr const char* kShippedModel = "QL210";

// A listed model's names lead back to a model that has them.
void CheckModel(const CIniFile& file, const std::string& modelId, bool listed)
{
    const CModelCatalog catalog(file, modelId, "", "", 0);
    for (const auto& name : listed ? catalog.ModelNames(modelId) : std::vector<std::string>{}) {
        const std::string found = catalog.FindModelID(name);
        const auto names = catalog.ModelNames(found);
        if (found.empty() || std::find(names.begin(), names.end(), name) == names.end())
            std::abort();
    }
    CFreqRangeList ranges;
    ranges.SetModel(catalog);
    if (ranges.Count() < 1 || ranges.Count() > CFreqRangeList::kMaxRanges ||
        ranges.Records().size() != static_cast<std::size_t>(ranges.Count()))
        std::abort();
    for (const FreqRangeRec& range : ranges.Records())
        if (!ranges.Contains(range.lower, range.upper))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    fuzz::CInput input({bytes, size});
    const CIniFile file = CIniFile::FromText(input.RestAsText());
    const CModelCatalog catalog(file, "", "", "", 0);
    auto ids = catalog.ModelIds();
    ids.resize(std::min(ids.size(), kMaxModels));
    for (const auto& id : ids)
        CheckModel(file, id, true);
    CheckModel(file, kShippedModel, false);
    return 0;
}
