#include "editors/channel_list/channel_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QTimer>

namespace qrv {

CChannelGrid::CChannelGrid(QWidget* parent) : QTableView(parent)
{
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setTabKeyNavigation(true);
    // The first column numbers the rows.
    verticalHeader()->hide();
}

void CChannelGrid::CommitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = indexWidget(currentIndex());
    if (editor == nullptr)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CChannelGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        emit CopyRequested();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        emit PasteRequested();
        event->accept();
        return;
    }
    if (state() != QAbstractItemView::EditingState && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Delete:
            emit ClearRequested();
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_editorJustClosed) {
                event->accept();
                return;
            }
            if (currentIndex().isValid() && edit(currentIndex(), QAbstractItemView::EditKeyPressed, event)) {
                event->accept();
                return;
            }
            break;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void CChannelGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    QTableView::closeEditor(editor, hint);
    m_editorJustClosed = true;
    QTimer::singleShot(0, this, [this] { m_editorJustClosed = false; });
}

QItemSelectionModel::SelectionFlags CChannelGrid::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    QItemSelectionModel::SelectionFlags flags = QTableView::selectionCommand(index, event);
    if (index.isValid() && index.column() == 0 && flags != QItemSelectionModel::NoUpdate)
        flags |= QItemSelectionModel::Rows;
    return flags;
}

} // namespace qrv
