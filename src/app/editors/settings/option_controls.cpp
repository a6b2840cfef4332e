#include "editors/settings/option_controls.h"

#include "radio_data/settings.h"
#include "shell/localize_window.h"
#include "shell/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace qrv {

namespace {

std::optional<long long> ShownNumber(const QComboBox& combo, const CSettings& settings)
{
    if (combo.currentIndex() < 0)
        return std::nullopt;
    return settings.GetItemNumber(ControlNumber(&combo), S(combo.currentText())).value_or(-1);
}

} // namespace

QComboBox* AddLabelledCombo(QWidget& page, QGridLayout& grid, int control, int row)
{
    auto* label = new QLabel(&page);
    SetControlNumber(label, control - 1);
    auto* combo = new QComboBox(&page);
    SetControlNumber(combo, control);
    label->setBuddy(combo);
    grid.addWidget(label, row, 0);
    grid.addWidget(combo, row, 1);
    return combo;
}

QCheckBox* AddCheckBox(QWidget& page, QGridLayout& grid, int control, int row)
{
    auto* box = new QCheckBox(&page);
    SetControlNumber(box, control);
    grid.addWidget(box, row, 0, 1, 2);
    return box;
}

QLabel* CaptionOf(const QComboBox& combo)
{
    for (QLabel* label : combo.parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == &combo)
            return label;
    return nullptr;
}

void ShowEntry(QComboBox& combo, long long value)
{
    combo.setCurrentIndex(combo.findData(QVariant::fromValue(value)));
}

std::optional<std::uint8_t> ShownByte(const QComboBox& combo, const CSettings& settings)
{
    const auto number = ShownNumber(combo, settings);
    if (!number)
        return std::nullopt;
    return *number >= 0 && *number <= 0xFF ? static_cast<std::uint8_t>(*number) : std::uint8_t{0xFF};
}

std::optional<std::uint16_t> ShownWord(const QComboBox& combo, const CSettings& settings)
{
    const auto number = ShownNumber(combo, settings);
    if (!number)
        return std::nullopt;
    return *number >= 0 && *number <= 0xFFFF ? static_cast<std::uint16_t>(*number) : std::uint16_t{0xFFFF};
}

void EnableControl(QWidget& control, bool enabled, const CSettings& settings)
{
    control.setEnabled(enabled && settings.GetModelValue(ControlNumber(&control)) == 0);
}

} // namespace qrv
