#include "editors/channel_list/channel_table_model.h"

#include "presentation/caption_numbers.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "records/frequency.h"
#include "records/personality_data.h"
#include "records/tones.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace qrv {

namespace {

using Model = CChannelTableModel;
using caption::LabelOf;
using Kind = CChannelTableModel::CellKind;

struct CColumn {
    int header;
    int width;
    Kind kind;
    int list; // the value list of a list column
};

constexpr std::array<CColumn, Model::kColumnCount> kColumns{{
    {Model::kNumberHeader, 30, Kind::Number, 0},
    {LabelOf(CChannelData::kRxFrequencyEdit), 95, Kind::Frequency, 0},
    {LabelOf(CChannelData::kRxTypeList), 95, Kind::List, CChannelData::kRxTypeList},
    {LabelOf(CChannelData::kRxCtcssCombo), 50, Kind::Ctcss, 0},
    {LabelOf(CChannelData::kRxCdcssCombo), 50, Kind::Cdcss, 0},
    {LabelOf(CChannelData::kTxFrequencyEdit), 95, Kind::Frequency, 0},
    {LabelOf(CChannelData::kTxTypeList), 95, Kind::List, CChannelData::kTxTypeList},
    {LabelOf(CChannelData::kTxCtcssCombo), 50, Kind::Ctcss, 0},
    {LabelOf(CChannelData::kTxCdcssCombo), 50, Kind::Cdcss, 0},
    {LabelOf(CChannelData::kSpacingList), 60, Kind::List, CChannelData::kSpacingList},
    {LabelOf(CChannelData::kPowerList), 60, Kind::List, CChannelData::kPowerList},
    {CChannelData::kPersonalityTitleText, 90, Kind::Personality, 0},
    {CChannelData::kAutoStartScanCheck, 90, Kind::Flag, 0},
}};

bool IsColumn(int column)
{
    return column >= 0 && column < Model::kColumnCount;
}

bool UsesCtcss(std::uint8_t type)
{
    return type == CToneWord::kTypeCtcss;
}

bool UsesCdcss(std::uint8_t type)
{
    return type == CToneWord::kTypeCdcss || type == CToneWord::kTypeCdcss2;
}

// A frequency cell shows its word on the raster, as the frequency edit does.
QString FrequencyCellText(std::uint32_t word)
{
    const auto units = UnitsFromFrequencyWord(word);
    if (!units)
        return {};
    std::uint32_t onRaster = *units;
    ApplyRaster(onRaster);
    return Q(FrequencyTextFromUnits(onRaster));
}

// The edit record's code of a list column.
template <typename Edit> auto ListField(Edit& edit, int column) -> decltype(&edit.rxType)
{
    switch (column) {
    case Model::kRxType:
        return &edit.rxType;
    case Model::kTxType:
        return &edit.txType;
    case Model::kSpacing:
        return &edit.spacing;
    case Model::kPower:
        return &edit.power;
    default:
        return nullptr;
    }
}

// The edit record's tone of a CTCSS or CDCSS column.
template <typename Edit> auto ToneField(Edit& edit, int column) -> decltype(&edit.rxCtcss)
{
    switch (column) {
    case Model::kRxCtcss:
        return &edit.rxCtcss;
    case Model::kRxCdcss:
        return &edit.rxCdcss;
    case Model::kTxCtcss:
        return &edit.txCtcss;
    case Model::kTxCdcss:
        return &edit.txCdcss;
    default:
        return nullptr;
    }
}

} // namespace

Model::CellKind CChannelTableModel::KindOf(int column)
{
    return IsColumn(column) ? kColumns[static_cast<std::size_t>(column)].kind : Kind::Number;
}

int CChannelTableModel::HeaderNumber(int column)
{
    return IsColumn(column) ? kColumns[static_cast<std::size_t>(column)].header : 0;
}

int CChannelTableModel::DefaultWidth(int column)
{
    return IsColumn(column) ? kColumns[static_cast<std::size_t>(column)].width : 0;
}

CChannelTableModel::CChannelTableModel(CRadioData& data, const CSettings& settings, QObject* parent)
    : QAbstractTableModel(parent), m_data(data), m_settings(settings), m_band(data.Identity().Band())
{
    Refill();
}

void CChannelTableModel::Refill()
{
    beginResetModel();
    m_rows.clear();
    for (const auto& channel : m_data.Channels())
        m_rows.push_back(ShowChannel(*channel));
    endResetModel();
}

void CChannelTableModel::RefreshRows()
{
    const auto& channels = m_data.Channels();
    if (m_rows.size() != channels.size()) {
        Refill();
        return;
    }
    for (std::size_t i = 0; i < channels.size(); ++i)
        m_rows[i] = ShowChannel(*channels[i]);
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
}

int CChannelTableModel::AppendChannel()
{
    auto& channels = m_data.Channels();
    if (channels.size() >= CChannelData::kMaxChannels)
        return -1;
    if (m_rows.size() != channels.size())
        Refill();
    const int row = rowCount();
    beginInsertRows(QModelIndex(), row, row);
    m_data.AddChannel();
    m_rows.push_back(ShowChannel(*channels.back()));
    endInsertRows();
    return row;
}

QStringList CChannelTableModel::Options(int column) const
{
    QStringList options;
    switch (KindOf(column)) {
    case Kind::List:
        for (const CComboLine& line : m_settings.FillCombo(kColumns[static_cast<std::size_t>(column)].list))
            options << Q(line.text);
        break;
    case Kind::Ctcss:
    case Kind::Cdcss:
        // As on the channel page, extended tones only at the factory level.
        for (const CComboLine& line : ChannelToneLines(KindOf(column) == Kind::Ctcss, m_settings.IsFactoryLevel()))
            options << Q(line.text);
        break;
    case Kind::Personality: {
        const auto& personalities = m_data.Personalities();
        for (std::size_t i = 0; i < personalities.size(); ++i)
            if (personalities[i] && personalities[i]->IsValid())
                options << QString::number(i + 1);
        break;
    }
    default:
        break;
    }
    return options;
}

CChannelTableModel::CRow CChannelTableModel::ShowChannel(CChannelData& channel) const
{
    CRow row;
    channel.FillEditRecord(row.edit);
    const auto& personalities = m_data.Personalities();
    for (std::size_t i = 0; i < personalities.size(); ++i) {
        const auto& personality = personalities[i];
        if (channel.PersonalityId() != 0 && personality && personality->IsValid() &&
            personality->TreeId() == channel.PersonalityId())
            row.personality = QString::number(i + 1);
    }
    return row;
}

QString CChannelTableModel::CellText(const CRow& row, int rowNumber, int column) const
{
    const CChannelEditRecord& edit = row.edit;
    switch (column) {
    case kNumber:
        return QString::number(rowNumber + 1);
    case kRxFrequency:
        return FrequencyCellText(edit.rxFrequency);
    case kTxFrequency:
        return FrequencyCellText(edit.txFrequency);
    case kPersonality:
        return row.personality;
    case kAutoStartScan:
        return QString::number(edit.autoStartScan);
    default:
        break;
    }
    if (const std::uint8_t* code = ListField(edit, column))
        return Q(m_settings.GetItemText(kColumns[static_cast<std::size_t>(column)].list, *code));
    if (const CToneLookup* tone = ToneField(edit, column))
        return Q(ShownToneText(*tone, KindOf(column) == Kind::Ctcss, m_settings));
    return {};
}

bool CChannelTableModel::IsEditable(const CRow& row, int column) const
{
    switch (column) {
    case kNumber:
        return false;
    case kRxCtcss:
        return UsesCtcss(row.edit.rxType);
    case kRxCdcss:
        return UsesCdcss(row.edit.rxType);
    case kTxCtcss:
        return UsesCtcss(row.edit.txType);
    case kTxCdcss:
        return UsesCdcss(row.edit.txType);
    case kTxFrequency:
        // Without a receive frequency the channel has no transmit frequency either.
        return row.edit.rxFrequency != kNoFrequency;
    default:
        return IsColumn(column);
    }
}

std::optional<std::uint8_t> CChannelTableModel::ListEntry(int list, const QString& text) const
{
    const std::string wanted = Trim(S(text));
    for (const CComboLine& line : m_settings.FillCombo(list))
        if (EqualsNoCase(wanted, line.text) && line.data >= 0 && line.data <= 0xFF)
            return static_cast<std::uint8_t>(line.data);
    return std::nullopt;
}

std::optional<std::size_t> CChannelTableModel::PersonalityOf(const QString& text) const
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    const auto& personalities = m_data.Personalities();
    if (!ok || number < 1 || static_cast<std::size_t>(number) > personalities.size())
        return std::nullopt;
    const auto position = static_cast<std::size_t>(number - 1);
    if (!personalities[position] || !personalities[position]->IsValid())
        return std::nullopt;
    return position;
}

CChannelTableModel::CStoreResult CChannelTableModel::StoreCells(int row, const std::vector<CCell>& cells)
{
    CStoreResult result;
    auto& channels = m_data.Channels();
    if (row < 0 || row >= rowCount() || static_cast<std::size_t>(row) >= channels.size())
        return result;
    CChannelData& channel = *channels[static_cast<std::size_t>(row)];
    CChannelEditRecord edit;
    channel.FillEditRecord(edit);

    bool taken = false;
    std::optional<std::size_t> personality;
    std::optional<bool> autoStartScan;
    for (const CCell& cell : cells) {
        const QString text = cell.text.trimmed();
        switch (KindOf(cell.column)) {
        case Kind::Number:
            break; // the row number is not a field
        case Kind::Frequency: {
            const bool receive = cell.column == kRxFrequency;
            std::uint32_t& word = receive ? edit.rxFrequency : edit.txFrequency;
            std::uint8_t& step = receive ? edit.rxStepCode : edit.txStepCode;
            const CFreqEntry entry = cell.frequency ? CFreqEntry{cell.frequency->first, cell.frequency->second, false}
                                                    : EnterFrequency(S(text), m_band.lower, m_band.upper);
            result.clamped = result.clamped || entry.clamped;
            // The frequency the record already holds keeps its step code.
            if (entry.word != word) {
                word = entry.word;
                step = entry.stepCode;
            }
            taken = true;
            break;
        }
        case Kind::List:
            if (text.isEmpty())
                break;
            if (const auto entry = ListEntry(kColumns[static_cast<std::size_t>(cell.column)].list, text)) {
                *ListField(edit, cell.column) = *entry;
                taken = true;
            } else {
                result.rejected = true;
            }
            break;
        case Kind::Ctcss:
        case Kind::Cdcss: {
            const bool ctcss = KindOf(cell.column) == Kind::Ctcss;
            CToneLookup& tone = *ToneField(edit, cell.column);
            if (text == Q(ShownToneText(tone, ctcss, m_settings)))
                break; // unchanged, a stored code outside the table included
            const CToneLookup typed = ctcss ? CtcssFromText(S(text)) : CdcssFromText(S(text));
            if (typed.notInTable) {
                result.rejected = true;
                result.refusedTone = {ctcss ? msg::kCtcssNotInTable : msg::kCdcssNotInTable, text};
                break;
            }
            tone = typed;
            taken = true;
            break;
        }
        case Kind::Personality:
            if (text.isEmpty())
                break;
            personality = PersonalityOf(text);
            result.rejected = result.rejected || !personality;
            taken = taken || personality.has_value();
            break;
        case Kind::Flag:
            if (text == QLatin1String("0") || text == QLatin1String("1")) {
                autoStartScan = text == QLatin1String("1");
                taken = true;
            } else if (!text.isEmpty()) {
                result.rejected = true;
            }
            break;
        }
    }
    if (!taken)
        return result;

    result.clamped = channel.TakeEditRecord(edit, m_band) || result.clamped;
    if (autoStartScan)
        channel.SetAutoStartScan(*autoStartScan);
    if (personality) {
        channel.SetPersonalityPosition(static_cast<std::uint8_t>(*personality));
        channel.SetPersonalityId(m_data.Personalities()[*personality]->TreeId());
        channel.WithdrawCheckEntries(m_data.InvalidLog());
    }
    result.stored = true;
    m_rows[static_cast<std::size_t>(row)] = ShowChannel(channel);
    EmitRowChanged(row);
    return result;
}

void CChannelTableModel::EmitRowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1));
}

int CChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || !IsColumn(index.column()))
        return {};
    const CRow& row = m_rows[static_cast<std::size_t>(index.row())];
    const int column = index.column();
    const bool frequency = KindOf(column) == Kind::Frequency;
    const bool receive = column == kRxFrequency;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return CellText(row, index.row(), column);
    case kWordRole:
        return frequency ? QVariant::fromValue(receive ? row.edit.rxFrequency : row.edit.txFrequency) : QVariant();
    case kStepRole:
        return frequency ? QVariant::fromValue(receive ? row.edit.rxStepCode : row.edit.txStepCode) : QVariant();
    case Qt::BackgroundRole: {
        // A cell without an editor has the button face; a tone cell with one the window colour.
        const QPalette palette = QGuiApplication::palette();
        if (!IsEditable(row, column))
            return palette.brush(QPalette::Button);
        if (KindOf(column) == Kind::Ctcss || KindOf(column) == Kind::Cdcss)
            return palette.brush(QPalette::Base);
        return {};
    }
    default:
        return {};
    }
}

QVariant CChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return IsColumn(section) ? Q(m_settings.GetText(HeaderNumber(section))) : QVariant();
}

Qt::ItemFlags CChannelTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (IsEditable(m_rows[static_cast<std::size_t>(index.row())], index.column()))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const bool frequency = role == kWordRole && KindOf(index.column()) == Kind::Frequency;
    if ((role != Qt::EditRole && !frequency) || !(flags(index) & Qt::ItemIsEditable))
        return false;
    CCell cell{index.column(), value.toString(), std::nullopt};
    if (frequency) {
        // word and step code, as the frequency editor parsed them
        const QVariantList parts = value.toList();
        if (parts.size() != 2)
            return false;
        cell.frequency.emplace(parts[0].toUInt(), static_cast<std::uint8_t>(parts[1].toUInt()));
    }
    const CStoreResult result = StoreCells(index.row(), {cell});
    if (result.refusedTone.message != 0)
        emit CellRefused(result.refusedTone.message, result.refusedTone.text);
    if (!result.stored)
        return false;
    emit CellStored(index.row(), result.clamped);
    return true;
}

} // namespace qrv
