#pragma once
// A grid of frequency texts, one row per test channel or tuning point, with a
// receive and a transmit column. The grid only shows and takes texts; what a
// typed text means is the view's business.
#include <QTableWidget>

namespace qrv {

class CFreqGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRxColumn = 0;
    static constexpr int kTxColumn = 1;

    CFreqGrid(int rows, QWidget* parent = nullptr);

    void SetColumnTitles(const QString& rx, const QString& tx);
    // Rows are numbered from 1.
    void NumberRows();
    // Sets a cell's text without reporting it as typed.
    void ShowText(int row, int column, const QString& text);
    QString Text(int row, int column) const;
    void SetEditable(bool editable);
    // Takes the text of a cell still being edited (before a save or a write).
    void CommitPending();

signals:
    // The user finished typing a cell.
    void TextEntered(int row, int column, const QString& text);

private:
    bool m_showing = false;
};

} // namespace qrv
