#pragma once
// Which bits of the codeplug each editor control owns, by the record layout,
// and the user's actions on a control: the table test_round_trip.cpp drives
// every control of every window with. A control owns the
// bits its value is stored in and those a rule of the record changes with it
// (an emptied receive frequency empties the channel, a tone type sets the tone
// shown on its side, clone mode off clears factory clone mode).
#include "editor_fixture.h" // the controls, the user's steps and the Qt and standard headers they need
#include "editors/channel/channel_basic_page.h"
#include "editors/channel_list/channel_table_model.h"
#include "editors/emergency/numeric_edit.h"
#include "presentation/item_tables.h"
#include "records/channel_data.h"
#include "records/dtmf_system_data.h"
#include "records/embedded_message_data.h"
#include "records/emergency_data.h"
#include "records/key_data.h"
#include "records/microphone_data.h"
#include "records/miscellaneous_data.h"
#include "records/mode_data.h"
#include "records/personality_data.h"
#include "records/scan_list_data.h"
#include "records/vox_data.h"
#include "util/bytes.h"
#include "widgets/freq_edit.h"

#include <QAbstractItemView>
#include <QStackedWidget>
#include <QToolButton>

#include <cstddef>
#include <map>

namespace qrv::test {

// A view and where the record it shows first starts; record n is recordSize further on.
struct CEditedArea {
    int item;
    std::size_t start;
    std::size_t recordSize;
};

inline std::vector<CEditedArea> EditedAreas()
{
    return {
        {item::kKeys, CKeyData::kImageOffset, 0},
        {item::kMiscellaneous, CMiscellaneousData::kImageOffset, 0},
        {item::kVox, CVoxData::kImageOffset, 0},
        {item::kMode, CModeData::kImageOffset, 0},
        {item::kDtmfSystem, CDTMFSystemData::kTableStart, CDTMFSystemData::kRecordSize},
        {item::kEmergency, CEmergencyData::kImageOffset, 0},
        {item::kEmbedded, CEmbeddedMessageData::kImageOffset, 0},
        {item::kVolume, 0, 0},
        {item::kMicrophone, CMicrophoneData::kImageOffset, 0},
        {item::kChannel, CChannelData::kTableStart, CChannelData::kRecordSize},
        {item::kPersonality, CPersonalityData::kTableStart, CPersonalityData::kRecordSize},
        {item::kScan, CScanListData::kTableStart, CScanListData::kRecordSize},
    };
}

// Bits of one byte, its offset counted from the start of the area's record
// (from the start of the image for a byte of another block).
struct COwnedBits {
    std::size_t offset;
    std::uint8_t mask = 0xFF;
    bool absolute = false;
};

struct COwnerRow {
    int control;
    std::vector<COwnedBits> bits;
};

inline std::vector<COwnedBits> WholeBytes(std::size_t offset, std::size_t count)
{
    std::vector<COwnedBits> bits;
    for (std::size_t i = 0; i < count; ++i)
        bits.push_back({offset + i});
    return bits;
}

inline std::vector<COwnedBits> Join(std::vector<COwnedBits> a, const std::vector<COwnedBits>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

inline const std::vector<COwnerRow>& OwnerTable()
{
    using C = CChannelData;
    using D = CDTMFSystemData;
    using E = CEmergencyData;
    using K = CKeyData;
    using M = CMiscellaneousData;
    using P = CPersonalityData;
    using S = CScanListData;
    // A tone word: index and not-in-table bits; with the type bits for the type list.
    const auto tone = [](std::size_t offset) { return std::vector<COwnedBits>{{offset}, {offset + 1, 0x2F}}; };
    const auto toneAndType = [](std::size_t offset) { return std::vector<COwnedBits>{{offset}, {offset + 1, 0xEF}}; };
    std::vector<COwnedBits> sideKeys; // bytes of another block
    for (const std::size_t offset : K::kSideKeyOffsets)
        sideKeys.push_back({K::kImageOffset + offset, 0xFF, true});
    // A scan list's members and the channel references that follow them.
    const std::vector<COwnedBits> members =
        Join(WholeBytes(S::kFirstMemberByte, S::kSlots), {{S::kPriorityChannelByte},
                                                          {S::kSecondPriorityChannelByte},
                                                          {S::kDesignatedChannelByte},
                                                          {S::kEntryCountByte}});
    static const std::vector<COwnerRow> table = [&] {
        std::vector<COwnerRow> rows{
            {M::kSquelchLevelCombo, {{M::kSquelchLevelOffset}}},
            {M::kBatterySaveDelayCombo, {{M::kBatterySaveDelayOffset}}},
            {M::kBatterySaveModeCombo, {{M::kOptionsOffset, M::kBatterySaveModeMask}}},
            {M::kScanLedCheck, {{M::kOptionsOffset, M::kScanLedMask}}},
            {M::kLowBatteryGapCombo, {{M::kLowBatteryGapOffset}}},
            {M::kVoiceBatteryCheck, {{M::kVoiceOffset, M::kVoiceBatteryMask}}},
            {M::kVoiceChannelCheck, {{M::kVoiceOffset, M::kVoiceChannelMask}}},
            {M::kVoiceLanguageCombo, {{M::kVoiceOffset, M::kVoiceLanguageMask}}},

            // VOX off takes the VOX function from the side keys.
            {CVoxData::kGainLevelList, Join({{CVoxData::kGainOffset, CVoxData::kGainLevelMask}}, sideKeys)},
            {CVoxData::kDelayTimeList, {{CVoxData::kDelayOffset}}},

            // Clone mode off takes factory clone mode along.
            {CModeData::kCloneCheck,
             {{CModeData::kModeOffset,
               static_cast<std::uint8_t>(CModeData::kCloneMask | CModeData::kFactoryCloneMask)}}},
            {CModeData::kFactoryCloneCheck, {{CModeData::kModeOffset, CModeData::kFactoryCloneMask}}},

            {D::kPrimaryIdEdit, WholeBytes(D::kIdDigitsOffset, D::kIdDigitBytes + 1)}, // digits and their count
            {D::kPttIdTypeList, {{D::kPttIdTypeOffset}}},
            {D::kSideToneCheck, {{D::kFlagsOffset, D::kSideToneMask}}},
            {D::kShortBeepCheck, {{D::kFlagsOffset, D::kShortBeepMask}}},
            {D::kPretimeList, {{D::kPretimeOffset}}},
            {D::kDigitDurationList, {{D::kDigitDurationOffset}}},
            {D::kDigitIntervalList, {{D::kDigitIntervalOffset}}},

            {E::kRevertChannelCombo, {{E::kRevertChannelOffset}}},
            {E::kPowerSwitchCheck, {{E::kSwitchesOffset, E::kPowerSwitchMask}}},
            {E::kIdEdit, WholeBytes(E::kIdDigitsOffset, E::kIdDigitBytes + 1)}, // digits and their count
            {E::kImpoliteTimesCombo, {{E::kImpoliteTimesOffset}}},
            {E::kAlarmModeCombo, {{E::kAlarmOffset, E::kAlarmModeMask}}},
            {E::kAlarmDurationEdit, {{E::kAlarmDurationOffset}}},
            {E::kAlarmCyclesModeCombo, {{E::kAlarmOffset, E::kAlarmCyclesModeMask}}},
            {E::kAlarmCyclesEdit, {{E::kAlarmCyclesOffset}}},
            {E::kVoiceCyclesModeCombo, {{E::kVoiceOffset, E::kVoiceCyclesModeMask}}},
            {E::kVoiceCyclesEdit, {{E::kVoiceCyclesOffset}}},
            {E::kSquelchModeCombo, {{E::kSquelchOffset, E::kSquelchModeMask}}},
            {E::kTxDurationEdit, {{E::kTxDurationOffset}}},
            {E::kRxDurationEdit, {{E::kRxDurationOffset}}},
            // The spin buttons step the number of the edit beside them.
            {E::kAlarmDurationSpin, {{E::kAlarmDurationOffset}}},
            {E::kAlarmCyclesSpin, {{E::kAlarmCyclesOffset}}},
            {E::kVoiceCyclesSpin, {{E::kVoiceCyclesOffset}}},
            {E::kTxDurationSpin, {{E::kTxDurationOffset}}},
            {E::kRxDurationSpin, {{E::kRxDurationOffset}}},

            {CMicrophoneData::kInternalGainList, WholeBytes(CMicrophoneData::kInternalGainOffset, 2)},
            {CMicrophoneData::kExternalGainList, WholeBytes(CMicrophoneData::kExternalGainOffset, 2)},

            // An emptied receive frequency empties the channel: both frequencies and step codes.
            {C::kRxFrequencyEdit, Join(WholeBytes(C::kRxFrequencyOffset, 8), {{C::kStepByte}})},
            {C::kTxFrequencyEdit, Join(WholeBytes(C::kTxFrequencyOffset, 4), {{C::kStepByte, C::kTxStepMask}})},
            {C::kRxTypeList, toneAndType(C::kRxToneOffset)},
            {C::kRxCtcssCombo, tone(C::kRxToneOffset)},
            {C::kRxCdcssCombo, tone(C::kRxToneOffset)},
            {C::kTxTypeList, toneAndType(C::kTxToneOffset)},
            {C::kTxCtcssCombo, tone(C::kTxToneOffset)},
            {C::kTxCdcssCombo, tone(C::kTxToneOffset)},
            {CChannelBasicPage::kCopyReceive,
             Join(Join(WholeBytes(C::kTxFrequencyOffset, 4), {{C::kStepByte, C::kTxStepMask}}),
                  toneAndType(C::kTxToneOffset))},
            {C::kSpacingList, {{C::kSpacingPowerByte, C::kSpacingMask}}},
            {C::kPowerList, {{C::kSpacingPowerByte, C::kPowerMask}}},
            {C::kPersonalityControl, {{C::kPersonalityByte}}},
            {C::kAutoStartScanCheck, {{C::kFlagsByte, C::kAutoStartScanBit}}},

            {P::kTxAdmitList, {{P::kTxAdmitByte}}},
            // Time-out off clears the timers that depend on it.
            {P::kTimeOutList, {{P::kTimeOutByte}, {P::kPreAlertByte}, {P::kReKeyByte}, {P::kResetByte}}},
            {P::kPreAlertList, {{P::kPreAlertByte}}},
            {P::kReKeyList, {{P::kReKeyByte}}},
            {P::kResetList, {{P::kResetByte}}},

            // The designated and priority channels are offered only in the modes
            // that use them: the editor views' step rows pin their bytes.
            {S::kEntryCountList, members},
            {S::kScanModeList, {{S::kScanModeByte, S::kScanModeMask}}},
            {S::kPriorityModeList, {{S::kPriorityModeByte, S::kPriorityModeMask}}},
            {S::kSweepTimeList, {{S::kSweepTimeByte}}},
            {S::kTxModeList, {{S::kTxModeByte, S::kTxModeMask}}},
            {S::kTalkbackCheck, {{S::kTxModeByte, S::kTalkbackMask}}},
            {S::kHangTimeList, {{S::kHangTimeByte}}},
            {S::kStartAlertCheck, {{S::kAlertByte, S::kStartAlertMask}}},
            {S::kEndAlertCheck, {{S::kAlertByte, S::kEndAlertMask}}},
            {S::kIncludeCurrentCheck, {{S::kAlertByte, S::kIncludeCurrentMask}}},
        };
        for (std::size_t key = 0; key < K::kSideKeyCombos.size(); ++key)
            rows.push_back({K::kSideKeyCombos[key], {{K::kSideKeyOffsets[key]}}});
        for (std::size_t message = 0; message < CEmbeddedMessageData::kMessageCount; ++message) {
            const std::size_t field = CEmbeddedMessageData::kFirstMessageField + message;
            rows.push_back(
                {CEmbeddedMessageData::kMessageEdits[message],
                 WholeBytes(CEmbeddedMessageData::kFieldOffsets[field], CEmbeddedMessageData::kMessageWidth)});
        }
        for (int slot = 1; slot <= static_cast<int>(S::kSlots); ++slot)
            rows.push_back({S::kFirstSlotControl + slot, members});
        return rows;
    }();
    return table;
}

// Empty when every changed bit between the images lies in the bits the control
// owns (counted from base); else the first bits outside them. Control 0 owns nothing.
inline QString BitsOutsideOwner(const Image& before, const Image& after, std::size_t base, int control)
{
    const std::vector<COwnerRow>& table = OwnerTable();
    const auto row =
        std::find_if(table.begin(), table.end(), [control](const COwnerRow& r) { return r.control == control; });
    if (control != 0 && row == table.end()) {
        if (before == after)
            return {};
        return QStringLiteral("the control changed bytes but has no row in the table of owners");
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        const auto changed = static_cast<std::uint8_t>(before[i] ^ after[i]);
        if (changed == 0)
            continue;
        std::uint8_t owned = 0;
        if (row != table.end())
            for (const COwnedBits& bits : row->bits)
                if (bits.absolute ? bits.offset == i : i >= base && bits.offset == i - base)
                    owned = static_cast<std::uint8_t>(owned | bits.mask);
        if ((changed & ~owned) != 0)
            return QStringLiteral("byte 0x%1 went from %2 to %3")
                .arg(i, 3, 16, QLatin1Char('0'))
                .arg(before[i], 2, 16, QLatin1Char('0'))
                .arg(after[i], 2, 16, QLatin1Char('0'));
    }
    return {};
}

// Whether the user can reach the widget: nothing on its way up to the view
// hidden, but for the pages of a sheet that are not in front.
inline bool Reachable(const QWidget& widget, const QWidget& view)
{
    for (const QWidget* w = &widget; w != nullptr && w != &view; w = w->parentWidget())
        if (w->isHidden() && qobject_cast<QStackedWidget*>(w->parentWidget()) == nullptr)
            return false;
    return true;
}

// The numbered controls a user sees and changes: lists, buttons, edits and spin buttons.
inline std::vector<QWidget*> UserControls(const QWidget& view)
{
    std::vector<QWidget*> controls;
    for (QWidget* w : view.findChildren<QWidget*>())
        if (ControlNumber(w) != 0 && Reachable(*w, view) &&
            (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
             qobject_cast<CSpinButtons*>(w)))
            controls.push_back(w);
    return controls;
}

// What a window offers: the text or state of each enabled control.
inline QStringList Shown(const QWidget& view)
{
    QStringList shown;
    for (const QWidget* control : UserControls(view))
        shown << (control->isEnabled() ? ShownText(*control) : QStringLiteral("disabled"));
    return shown;
}

struct CUserAction {
    QString name;
    std::function<void()> perform;
};

// What a user does with a numbered, enabled control: picks the first, a
// middle and the last entry of a list (typing it into an editable one),
// toggles a check box there and back, types nothing and then values into an
// edit, steps a number up, clicks the channel's copy button. Other buttons
// reach the radio.
inline std::vector<CUserAction> UserActions(QWidget& control)
{
    std::vector<CUserAction> actions;
    if (ControlNumber(&control) == 0 || !control.isEnabled())
        return actions;
    if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        for (const int index : {0, combo->count() / 2, combo->count() - 1})
            if (index >= 0)
                actions.push_back({QStringLiteral("entry ") + combo->itemText(index),
                                   [combo, index] { Act(combo, combo->itemText(index).toUtf8().constData()); }});
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        if (button->isCheckable()) {
            actions.push_back({QStringLiteral("toggled"), [button] { button->click(); }});
            actions.push_back({QStringLiteral("toggled back"), [button] { button->click(); }});
        } else if (ControlNumber(button) == CChannelBasicPage::kCopyReceive)
            actions.push_back({QStringLiteral("clicked"), [button] { button->click(); }});
    } else if (auto* spin = qobject_cast<CSpinButtons*>(&control)) {
        actions.push_back({QStringLiteral("stepped up"), [spin] { spin->UpButton()->click(); }});
    } else if (auto* edit = qobject_cast<QLineEdit*>(&control); edit != nullptr && !edit->isReadOnly()) {
        const QStringList texts =
            qobject_cast<CFreqEdit*>(edit) != nullptr
                ? QStringList{QString(), QStringLiteral("0"), QStringLiteral("446.005"), QStringLiteral("999")}
                : QStringList{QString(), QStringLiteral("1"), QStringLiteral("255"), QStringLiteral("ABC123456789")};
        for (const QString& text : texts)
            actions.push_back({QStringLiteral("typed '%1'").arg(text), [edit, text] { TypeInto(*edit, text); }});
    }
    return actions;
}

// The channel window's control of the field a channel list column shows.
// clang-format off
inline int ControlOfColumn(int column)
{
    using M = CChannelTableModel;
    using C = CChannelData;
    static const std::map<int, int> controls{
        {M::kRxFrequency, C::kRxFrequencyEdit}, {M::kRxType, C::kRxTypeList}, {M::kRxCtcss, C::kRxCtcssCombo},
        {M::kRxCdcss, C::kRxCdcssCombo}, {M::kTxFrequency, C::kTxFrequencyEdit}, {M::kTxType, C::kTxTypeList},
        {M::kTxCtcss, C::kTxCtcssCombo}, {M::kTxCdcss, C::kTxCdcssCombo}, {M::kPersonality, C::kPersonalityControl},
        {M::kSpacing, C::kSpacingList}, {M::kPower, C::kPowerList}, {M::kAutoStartScan, C::kAutoStartScanCheck},
    };
    const auto found = controls.find(column);
    return found != controls.end() ? found->second : 0;
}
// clang-format on

// What a user does in a cell of the channel list: opens its editor (F2) and
// picks the first, a middle or the last entry, or types a value, then Enter.
inline std::vector<CUserAction> CellActions(QAbstractItemView& grid, int row, int column)
{
    std::vector<CUserAction> actions;
    const bool frequency = CChannelTableModel::KindOf(column) == CChannelTableModel::CellKind::Frequency;
    const QStringList texts = frequency
                                  ? QStringList{QStringLiteral("0"), QStringLiteral("446.005"), QStringLiteral("999")}
                                  : QStringList{QStringLiteral("0"), QStringLiteral("1"), QString()};
    for (int part = 0; part < static_cast<int>(texts.size()); ++part) {
        actions.push_back({QStringLiteral("cell entry %1").arg(part), [&grid, row, column, part, texts] {
                               const QModelIndex index = grid.model()->index(row, column);
                               if (!(index.flags() & Qt::ItemIsEditable))
                                   return;
                               grid.setCurrentIndex(index);
                               QTest::keyClick(&grid, Qt::Key_F2);
                               QWidget* editor = grid.indexWidget(index);
                               auto* combo = qobject_cast<QComboBox*>(editor);
                               const int count = combo != nullptr ? combo->count() : 0;
                               const int entry = part == 0                                 ? 0
                                                 : combo != nullptr && combo->isEditable() ? count - part
                                                 : part == 1                               ? count / 2
                                                                                           : count - 1;
                               Act(editor,
                                   (combo != nullptr ? combo->itemText(entry) : texts[part]).toUtf8().constData());
                               QCoreApplication::processEvents();
                           }});
    }
    return actions;
}

} // namespace qrv::test
