#pragma once
// The data watch view: the whole image as a hexadecimal table and a list of
// the bytes that changed each time the editors' data was stored into it.
#include "radio_data/change_log.h"

#include <QWidget>

class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace qrv {

class CHexGrid;
class CRadioData;
class CSettings;

class CDataWatchView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kForm = 3509;
    static constexpr int kOffsetHeader = 3510;
    static constexpr int kDetails = 3546;
    static constexpr int kGrid = 3547;
    static constexpr int kClearButton = 3548;
    static constexpr int kChangeList = 3549;

    // Takes the snapshot of the image as it is now.
    CDataWatchView(CRadioData& radioData, const CSettings& settings, QWidget* parent = nullptr);

    // After the editors' data was stored into the image: lists and colours
    // every byte that differs from the snapshot and advances the snapshot.
    void Refresh();
    // Uncolours the listed cells and empties the list and the details; the
    // snapshot stays, so the next refresh lists what changed since the last one.
    void Clear();

    QListWidget* ChangeList() const { return m_list; }
    CHexGrid* Grid() const { return m_grid; }
    QPushButton* ClearButton() const { return m_clear; }
    // The details as shown, one text line per line.
    QString DetailsText() const;
    QString CellText(int row, int column) const;
    bool IsCellChanged(int row, int column) const;

    QSize sizeHint() const override;

private:
    void ShowSelectedLine();
    void SelectLineOfCell(int row, int column);
    void ShowChange(const CByteChange& change);

    const CRadioData& m_data;
    CChangeLog m_log; // its changes run parallel to the list lines
    CHexGrid* m_grid = nullptr;
    QListWidget* m_list = nullptr;
    QPlainTextEdit* m_details = nullptr;
    QPushButton* m_clear = nullptr;
};

} // namespace qrv
