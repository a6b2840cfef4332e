#pragma once
// The combos of the scan pages: value lists that show a record field by its
// entry number, and channel lists that hold channel identities.
#include <cstdint>
#include <optional>

class QComboBox;

namespace qrv {

class CRadioData;
class CSettings;

// Selects the entry whose number is value; nothing when no entry has it.
void ShowEntry(QComboBox& combo, std::uint8_t value);
// The number of the shown entry (0xFF when its text is no entry of the
// control's list); nullopt while nothing is shown, so that the stored value stays.
std::optional<std::uint8_t> ShownEntry(const QComboBox& combo, int control, const CSettings& settings);

// One line per valid channel: its number in the table, the channel's identity as data.
void FillChannels(QComboBox& combo, const CRadioData& data);
// Selects the channel of that identity; nothing when it is not listed.
void ShowChannel(QComboBox& combo, std::uint32_t id);
// The identity of the selected channel; nullopt while nothing is selected.
std::optional<std::uint32_t> ShownChannel(const QComboBox& combo);

// Enables a control unless the model hides it.
void EnableControl(QComboBox& combo, int control, bool enabled, const CSettings& settings);

} // namespace qrv
