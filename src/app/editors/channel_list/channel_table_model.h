#pragma once
// The channels as the rows of a table: one row per channel in channel order,
// the fields as shown texts. A cell edit is stored into the channel record at
// once, the same way the channel page stores it, and the row is shown again
// from the stored record, so that the table always shows what the record holds.
#include "records/channel_data.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>
#include <vector>

namespace qrv {

class CRadioData;
class CSettings;

class CChannelTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class CellKind { Number, Frequency, List, Ctcss, Cdcss, Personality, Flag };

    static constexpr int kNumber = 0;
    static constexpr int kRxFrequency = 1;
    static constexpr int kRxType = 2;
    static constexpr int kRxCtcss = 3;
    static constexpr int kRxCdcss = 4;
    static constexpr int kTxFrequency = 5;
    static constexpr int kTxType = 6;
    static constexpr int kTxCtcss = 7;
    static constexpr int kTxCdcss = 8;
    static constexpr int kSpacing = 9;
    static constexpr int kPower = 10;
    static constexpr int kPersonality = 11;
    static constexpr int kAutoStartScan = 12;
    static constexpr int kColumnCount = 13;

    // The "No." header.
    static constexpr int kNumberHeader = 3689;
    // A frequency cell's word and step code, for the frequency editor. Set
    // with kWordRole, a frequency cell takes both as a list {word, step code}.
    static constexpr int kWordRole = Qt::UserRole;
    static constexpr int kStepRole = Qt::UserRole + 1;

    static CellKind KindOf(int column);
    // The language file's number of the column's header.
    static int HeaderNumber(int column);
    static int DefaultWidth(int column);

    CChannelTableModel(CRadioData& data, const CSettings& settings, QObject* parent = nullptr);

    // All rows again from the channel array.
    void Refill();
    // The texts of every row again (rows added or removed elsewhere: a refill).
    void RefreshRows();
    // A new default channel at the end, while fewer than 16 exist; its row, or -1.
    int AppendChannel();

    // The options of a combo cell.
    QStringList Options(int column) const;

    struct CCell {
        int column = 0;
        QString text;
        // A frequency cell set from a frequency editor: the word and step code
        // it parsed (the text is then not read again).
        std::optional<std::pair<std::uint32_t, std::uint8_t>> frequency;
    };
    // A typed tone that is not in its table: the message and the text.
    struct CRefusedTone {
        int message = 0;
        QString text;
    };
    struct CStoreResult {
        bool stored = false;   // the row was stored into its channel
        bool clamped = false;  // a frequency was outside the range and was set to the nearest limit
        bool rejected = false; // a text fitted no entry of its column and was left out
        CRefusedTone refusedTone;
    };
    // Stores the texts into the row's channel in one go (the other fields as
    // they are), then shows the row again. Nothing is stored when no text fits.
    CStoreResult StoreCells(int row, const std::vector<CCell>& cells);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A typed cell: stored as StoreCells does; emits CellStored.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void CellStored(int row, bool clamped);
    // An edited cell's tone was not in the table; the cell keeps its tone.
    void CellRefused(int message, const QString& text);

private:
    // What a row shows, taken from the channel record.
    struct CRow {
        CChannelEditRecord edit;
        QString personality;
    };

    CRow ShowChannel(CChannelData& channel) const;
    QString CellText(const CRow& row, int rowNumber, int column) const;
    bool IsEditable(const CRow& row, int column) const;
    // The list entry a typed or pasted text means (case and blanks aside); nullopt when none.
    std::optional<std::uint8_t> ListEntry(int list, const QString& text) const;
    // The personality a text names: its position in the personality array, when valid.
    std::optional<std::size_t> PersonalityOf(const QString& text) const;
    void EmitRowChanged(int row);

    CRadioData& m_data;
    const CSettings& m_settings;
    CBand m_band; // the document's, in force while the grid is open
    std::vector<CRow> m_rows;
};

} // namespace qrv
