#pragma once
// The table of the channel list with the keys users of such grids expect:
// typing, F2 and Enter edit the current cell; arrows, Tab, Home and End move;
// Ctrl+C and Ctrl+V copy and paste; Delete empties. The first column stands
// for the whole row: a click there selects the row.
#include <QTableView>

namespace qrv {

class CChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit CChannelGrid(QWidget* parent = nullptr);

    // Takes an open cell editor's text into the record and closes the editor.
    void CommitOpenEditor();

signals:
    void CopyRequested();
    void PasteRequested();
    void ClearRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    // The Enter that ended an edit comes on to the grid; it must not start the next one.
    bool m_editorJustClosed = false;
};

} // namespace qrv
