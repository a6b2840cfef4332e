// The personality section: one group per personality with the RX/TX page's values.
#include "presentation/form_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_builders.h"
#include "util/text_format.h"

#include <array>

namespace qrv {

namespace {

using P = CPersonalityData;

constexpr int kGroupHeadText = 2311;
constexpr std::size_t kGroupLength = 12; // six pairs: the head and five fields

struct CField {
    int combo; // its caption is numbered one below
    std::uint8_t (P::*get)() const;
};

constexpr std::array<CField, 5> kFields{{
    {2321, &P::TxAdmit},
    {2325, &P::TimeOut},
    {2327, &P::PreAlert},
    {2329, &P::ReKey},
    {2331, &P::Reset},
}};

} // namespace

namespace report {

void BuildPersonalities(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kPersonality, settings);
    const std::string head = settings.GetText(kGroupHeadText);
    ReportPairs pairs;
    unsigned number = 1;
    for (const auto& personality : data.Personalities()) {
        pairs.emplace_back(head + Format(" - %u", number++), std::string());
        for (const CField& field : kFields)
            pairs.emplace_back(settings.GetText(field.combo - 1),
                               settings.GetItemText(field.combo, ((*personality).*field.get)()));
    }
    AppendSettingList(rows, pairs, true, kGroupLength);
}

} // namespace report
} // namespace qrv
