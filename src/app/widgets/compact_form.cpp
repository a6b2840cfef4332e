#include "widgets/compact_form.h"

#include <QAbstractScrollArea>
#include <QFormLayout>
#include <QGridLayout>
#include <QWidget>

namespace qrv {

bool HoldsScrollArea(const QLayout& layout)
{
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem* item = layout.itemAt(i);
        if (const QWidget* widget = item->widget()) {
            // A combo's list is a scroll area too, but a window of its own: only
            // what the widget lays out counts.
            if (qobject_cast<const QAbstractScrollArea*>(widget) != nullptr ||
                (widget->layout() != nullptr && HoldsScrollArea(*widget->layout())))
                return true;
        } else if (const QLayout* nested = item->layout(); nested != nullptr && HoldsScrollArea(*nested)) {
            return true;
        }
    }
    return false;
}

void LayOutCompactly(QWidget& root)
{
    for (QFormLayout* form : root.findChildren<QFormLayout*>()) {
        form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
        form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
        form->setLabelAlignment(Qt::AlignLeft);
    }
    for (QGridLayout* grid : root.findChildren<QGridLayout*>())
        if (!HoldsScrollArea(*grid))
            grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

} // namespace qrv
