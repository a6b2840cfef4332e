#pragma once
// The controls of the radio-wide option pages: combos that show a block field
// by its entry number in the control's value list, check boxes, and their
// captions, each numbered so that the language file gives their texts.
#include <cstdint>
#include <optional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QWidget;

namespace qrv {

class CSettings;

// A caption (numbered one below its combo) and the combo, side by side in a grid row.
QComboBox* AddLabelledCombo(QWidget& page, QGridLayout& grid, int control, int row);
QCheckBox* AddCheckBox(QWidget& page, QGridLayout& grid, int control, int row);
// The caption a combo was given by AddLabelledCombo.
QLabel* CaptionOf(const QComboBox& combo);

// Selects the entry whose number is value; nothing is shown when no entry has it.
void ShowEntry(QComboBox& combo, long long value);
// The entry number of the shown text in the combo's list: 0xFF (0xFFFF) when the
// text is no entry or does not fit the field; nullopt while nothing is shown,
// so that a value the list does not offer is kept rather than replaced.
std::optional<std::uint8_t> ShownByte(const QComboBox& combo, const CSettings& settings);
std::optional<std::uint16_t> ShownWord(const QComboBox& combo, const CSettings& settings);

// Enables a control by a page rule, unless the model disables it.
void EnableControl(QWidget& control, bool enabled, const CSettings& settings);

} // namespace qrv
