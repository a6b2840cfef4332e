#pragma once
// The in-place editors of the channel list: a frequency edit with the
// model's range for the frequency cells, drop-down lists for the value-list
// and personality cells, editable lists of all table tones for the tone
// cells, and a one-digit edit for the auto-start-scan flag.
#include <QStyledItemDelegate>

namespace qrv {

struct CDocumentIdentity;

class CChannelCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // document: whose band the frequency editors offer.
    explicit CChannelCellDelegate(const CDocumentIdentity& document, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    // A typed frequency was outside the range and was set to the nearest limit.
    void FrequencyOutOfRange();

private:
    // A choice in a drop-down list ends the edit at once.
    void CommitAndClose(QWidget* editor);

    int m_lowerMHz = 0;
    int m_upperMHz = 0;
};

} // namespace qrv
