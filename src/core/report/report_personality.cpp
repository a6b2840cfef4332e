// The personality section: one group per personality with the RX/TX page's values.
#include "presentation/caption_numbers.h"
#include "presentation/form_numbers.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "report/report_builders.h"
#include "util/text_format.h"

#include <array>

namespace qrv {

namespace {

using P = CPersonalityData;

constexpr std::size_t kGroupLength = 12; // six pairs: the head and five fields

struct CField {
    int combo; // its caption is numbered one below
    std::uint8_t (P::*get)() const;
};

constexpr std::array<CField, 5> kFields{{
    {P::kTxAdmitList, &P::TxAdmit},
    {P::kTimeOutList, &P::TimeOut},
    {P::kPreAlertList, &P::PreAlert},
    {P::kReKeyList, &P::ReKey},
    {P::kResetList, &P::Reset},
}};

} // namespace

namespace report {

void BuildPersonalities(ReportRows& rows, const CRadioData& data, const CSettings& settings)
{
    AppendSectionStart(rows, form::kPersonality, settings);
    const std::string head = settings.GetText(P::kRxTxPageText);
    ReportPairs pairs;
    unsigned number = 1;
    for (const auto& personality : data.Personalities()) {
        pairs.emplace_back(head + Format(" - %u", number++), std::string());
        for (const CField& field : kFields)
            pairs.emplace_back(settings.GetText(caption::LabelOf(field.combo)),
                               settings.GetItemText(field.combo, ((*personality).*field.get)()));
    }
    AppendSettingList(rows, pairs, true, kGroupLength);
}

} // namespace report
} // namespace qrv
