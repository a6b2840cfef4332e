#include "editors/channel_list/channel_cell_delegate.h"

#include "editors/channel_list/channel_table_model.h"
#include "radio_data/document_identity.h"
#include "records/frequency.h"
#include "shell/qt_text.h"
#include "widgets/freq_edit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace qrv {

namespace {

using Kind = CChannelTableModel::CellKind;

// The longest tone texts: "254.1" and "754".
constexpr int kCtcssLength = 5;
constexpr int kCdcssLength = 3;

} // namespace

CChannelCellDelegate::CChannelCellDelegate(const CDocumentIdentity& document, QObject* parent)
    : QStyledItemDelegate(parent), m_lowerMHz(document.LowerLimit()), m_upperMHz(document.UpperLimit())
{
}

void CChannelCellDelegate::CommitAndClose(QWidget* editor)
{
    emit commitData(editor);
    emit closeEditor(editor);
}

QWidget* CChannelCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const
{
    auto* self = const_cast<CChannelCellDelegate*>(this); // editors report to the delegate that made them
    const Kind kind = CChannelTableModel::KindOf(index.column());
    const auto* model = qobject_cast<const CChannelTableModel*>(index.model());
    switch (kind) {
    case Kind::Frequency: {
        auto* edit = new CFreqEdit(parent);
        edit->SetRange(m_lowerMHz, m_upperMHz);
        connect(edit, &CFreqEdit::OutOfRange, self, &CChannelCellDelegate::FrequencyOutOfRange);
        return edit;
    }
    case Kind::List:
    case Kind::Personality:
    case Kind::Ctcss:
    case Kind::Cdcss: {
        auto* combo = new QComboBox(parent);
        if (model != nullptr)
            combo->addItems(model->Options(index.column()));
        if (kind == Kind::Ctcss || kind == Kind::Cdcss) {
            // A tone may also be typed (one not in the table is refused); the
            // typed text ends the edit like any cell text. A validator, not a
            // length limit, so that a stored code outside the table is shown whole.
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);
            const QString allowed = kind == Kind::Ctcss ? QStringLiteral("[0-9.]{0,%1}").arg(kCtcssLength)
                                                        : QStringLiteral("[0-9]{0,%1}").arg(kCdcssLength);
            combo->setValidator(new QRegularExpressionValidator(QRegularExpression(allowed), combo));
        } else {
            connect(combo, &QComboBox::activated, self, [self, combo] { self->CommitAndClose(combo); });
        }
        return combo;
    }
    case Kind::Flag: {
        auto* edit = new QLineEdit(parent);
        edit->setMaxLength(1);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[01]")), edit));
        return edit;
    }
    case Kind::Number:
        break;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void CChannelCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* edit = qobject_cast<CFreqEdit*>(editor)) {
        // The record's step code stays until the user types.
        edit->SetValue(index.data(CChannelTableModel::kWordRole).toUInt(),
                       static_cast<std::uint8_t>(index.data(CChannelTableModel::kStepRole).toUInt()));
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QSignalBlocker quiet(combo);
        const int found = combo->findText(text);
        if (combo->isEditable())
            combo->setEditText(text);
        if (found >= 0 || !combo->isEditable())
            combo->setCurrentIndex(found);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
}

void CChannelCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* edit = qobject_cast<CFreqEdit*>(editor)) {
        // The edit commits on Enter by itself; when the focus left it, the text is taken here.
        if (edit->isModified())
            edit->Commit();
        // Re-entering the shown frequency changes nothing, not even the step code.
        if (edit->Value() == index.data(CChannelTableModel::kWordRole).toUInt())
            return;
        model->setData(index, QVariantList{edit->Value(), edit->StepCode()}, CChannelTableModel::kWordRole);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (!combo->isEditable() && combo->currentIndex() < 0)
            return; // nothing chosen
        model->setData(index, combo->currentText());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        model->setData(index, line->text());
    } else {
        QStyledItemDelegate::setModelData(editor, model, index);
    }
}

} // namespace qrv
