#include "editors/scan/scan_combos.h"

#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "shell/qt_text.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace qrv {

namespace {

int IndexOfData(const QComboBox& combo, long long data)
{
    for (int i = 0; i < combo.count(); ++i)
        if (combo.itemData(i).toLongLong() == data)
            return i;
    return -1;
}

} // namespace

void ShowEntry(QComboBox& combo, std::uint8_t value)
{
    combo.setCurrentIndex(IndexOfData(combo, value));
}

std::optional<std::uint8_t> ShownEntry(const QComboBox& combo, int control, const CSettings& settings)
{
    if (combo.currentIndex() < 0)
        return std::nullopt;
    return settings.GetItemByte(control, S(combo.currentText())).value_or(0xFF);
}

void FillChannels(QComboBox& combo, const CRadioData& data)
{
    const QSignalBlocker quiet(combo); // refilling is not a user's choice
    combo.clear();
    const auto& channels = data.Channels();
    for (std::size_t i = 0; i < channels.size(); ++i)
        if (channels[i]->IsValid())
            combo.addItem(QString::number(i + 1), QVariant::fromValue<long long>(channels[i]->TreeId()));
    combo.setCurrentIndex(-1);
}

void ShowChannel(QComboBox& combo, std::uint32_t id)
{
    combo.setCurrentIndex(id == 0 ? -1 : IndexOfData(combo, id));
}

std::optional<std::uint32_t> ShownChannel(const QComboBox& combo)
{
    if (combo.currentIndex() < 0)
        return std::nullopt;
    return static_cast<std::uint32_t>(combo.currentData().toLongLong());
}

void EnableControl(QComboBox& combo, int control, bool enabled, const CSettings& settings)
{
    combo.setEnabled(enabled && settings.GetModelValue(control) == 0);
}

} // namespace qrv
