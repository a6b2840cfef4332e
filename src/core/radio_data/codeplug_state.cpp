#include "radio_data/codeplug_state.h"

#include "radio_data/radio_data.h"

#include <algorithm>

namespace qrv {

namespace {

constexpr std::int32_t kGone = -1;

template <class Records> CRecordRefs RefsOf(const Records& records)
{
    CRecordRefs refs;
    refs.reserve(records.size());
    for (const auto& record : records)
        refs.push_back(record.get());
    return refs;
}

// goneIsNone: for references whose store and check treat a record that is
// gone exactly as no record (the scan lists'), so that both compare equal.
std::int32_t Encode(std::uint32_t id, const CRecordRefs& refs, bool goneIsNone)
{
    if (id == 0)
        return 0;
    for (std::size_t i = 0; i < refs.size(); ++i)
        if (refs[i] != nullptr && refs[i]->TreeId() == id)
            return static_cast<std::int32_t>(i + 1);
    return goneIsNone ? 0 : kGone;
}

// A reference to a record that is gone gets an identity no record has, so the
// checks report it again as they did before.
std::uint32_t Decode(std::int32_t code, const CRecordRefs& refs)
{
    if (code == 0)
        return 0;
    if (code > 0 && static_cast<std::size_t>(code) <= refs.size() && refs[static_cast<std::size_t>(code) - 1])
        return refs[static_cast<std::size_t>(code) - 1]->TreeId();
    return CDataRecord::NextTreeId();
}

template <class Records> void TakeValid(const Records& records, std::vector<std::uint8_t>& flags)
{
    for (const auto& record : records)
        flags.push_back(record && record->IsValid() ? 1 : 0);
}

template <class Records> void GiveValid(Records& records, const std::vector<std::uint8_t>& flags, std::size_t& next)
{
    for (auto& record : records) {
        if (next >= flags.size())
            return;
        if (record)
            record->SetValid(flags[next] != 0);
        ++next;
    }
}

// Walks every identity-held reference in one fixed order, for taking and giving alike.
template <class Visit> void VisitReferences(CRadioData& data, Visit&& visit)
{
    const CRecordRefs channels = data.ChannelRefs();
    const CRecordRefs personalities = RefsOf(data.Personalities());
    const CRecordRefs dtmf = data.DTMFRefs();
    for (auto& channel : data.Channels())
        visit(
            personalities, false, [&] { return channel->PersonalityId(); },
            [&](std::uint32_t id) { channel->SetPersonalityId(id); });
    for (auto& scan : data.ScanLists()) {
        for (std::size_t slot = 0; slot < CScanListData::kSlots; ++slot)
            visit(
                channels, true, [&] { return scan->MemberId(slot); },
                [&](std::uint32_t id) { scan->SetMemberId(slot, id); });
        visit(
            channels, true, [&] { return scan->DesignatedId(); }, [&](std::uint32_t id) { scan->SetDesignatedId(id); });
        visit(
            channels, true, [&] { return scan->PriorityId(); }, [&](std::uint32_t id) { scan->SetPriorityId(id); });
        visit(
            channels, true, [&] { return scan->SecondPriorityId(); },
            [&](std::uint32_t id) { scan->SetSecondPriorityId(id); });
    }
    CEmergencyData& emergency = data.Emergency();
    visit(
        channels, false, [&] { return emergency.RevertChannelId(); },
        [&](std::uint32_t id) { emergency.SetRevertChannelId(id); });
    visit(
        dtmf, false, [&] { return emergency.SignallingSystemId(); },
        [&](std::uint32_t id) { emergency.SetSignallingSystemId(id); });
}

} // namespace

CCodeplugState CaptureState(CRadioData& data)
{
    CCodeplugState state;
    data.StoreToImage(state.image);
    state.alertToneVolume = data.Volume().AlertToneVolume();
    for (const auto& system : data.DTMFSystems())
        if (system)
            state.dtmfRecords.push_back(system->Record());
    TakeValid(data.Channels(), state.validFlags);
    TakeValid(data.Personalities(), state.validFlags);
    TakeValid(data.ScanLists(), state.validFlags);
    TakeValid(data.DTMFSystems(), state.validFlags);
    for (const auto& personality : data.Personalities())
        state.personalitySystems.emplace_back(personality->RxSystemIndex(), personality->TxSystemIndex());
    VisitReferences(data, [&state](const CRecordRefs& refs, bool goneIsNone, auto get, auto) {
        state.references.push_back(Encode(get(), refs, goneIsNone));
    });
    return state;
}

void RestoreState(CRadioData& data, const CCodeplugState& state)
{
    data.LoadFromImage(state.image);
    data.Volume().SetAlertToneVolume(state.alertToneVolume);

    // The image is read back with one DTMF system; the others live in memory.
    auto& systems = data.DTMFSystems();
    systems.clear();
    for (const auto& record : state.dtmfRecords)
        systems.push_back(std::make_unique<CDTMFSystemData>(record));

    std::size_t next = 0;
    GiveValid(data.Channels(), state.validFlags, next);
    GiveValid(data.Personalities(), state.validFlags, next);
    GiveValid(data.ScanLists(), state.validFlags, next);
    GiveValid(data.DTMFSystems(), state.validFlags, next);

    auto& personalities = data.Personalities();
    for (std::size_t i = 0; i < std::min(personalities.size(), state.personalitySystems.size()); ++i) {
        personalities[i]->SetRxSystemIndex(state.personalitySystems[i].first);
        personalities[i]->SetTxSystemIndex(state.personalitySystems[i].second);
    }

    std::size_t reference = 0;
    VisitReferences(data, [&state, &reference](const CRecordRefs& refs, bool, auto, auto set) {
        if (reference < state.references.size())
            set(Decode(state.references[reference], refs));
        ++reference;
    });
    data.CheckAll();
}

} // namespace qrv
