#pragma once
// A hexadecimal table of the 2048-byte image: 129 rows by 17 columns, where
// row 0 and column 0 hold the header texts and cell (r, c) with r, c >= 1
// shows byte (r - 1) * 16 + (c - 1). The header cells are shown in the
// table's own header bars, so they stay in place while the bytes scroll.
#include "util/bytes.h"

#include <QTableWidget>

namespace qrv {

class CHexGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 129;
    static constexpr int kColumns = 17;
    static constexpr int kHeaderColumnWidth = 66;
    static constexpr unsigned kMarkColour = 0x00FF00;

    // cornerText is the text of cell (0, 0).
    CHexGrid(const QString& cornerText, QWidget* parent = nullptr);

    void ShowImage(const Image& image);
    void SetByte(std::size_t offset, std::uint8_t value);
    // A marked cell has the mark colour; an unmarked one the default colour.
    void SetMarked(int row, int column, bool marked);
    bool IsMarked(int row, int column) const;
    // Makes the cell the current one and scrolls it into view.
    void FocusCell(int row, int column);
    QString CellText(int row, int column) const;
    // The width that shows all sixteen byte columns.
    int FullWidth() const;

    static int RowOf(std::size_t offset) { return static_cast<int>(offset / 16) + 1; }
    static int ColumnOf(std::size_t offset) { return static_cast<int>(offset % 16) + 1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetHeaderTexts(const QString& cornerText);
    QWidget* m_corner = nullptr;
};

} // namespace qrv
