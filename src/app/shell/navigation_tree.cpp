#include "shell/navigation_tree.h"

#include "presentation/item_tables.h"
#include "radio_data/settings.h"
#include "shell/qt_text.h"
#include "util/text_format.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <vector>

namespace qrv {

namespace {

// Image 0 marks an item, image 1 the highlighted one.
QIcon ItemImage(bool highlighted, const QPalette& palette)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (highlighted) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(palette.color(QPalette::Highlight));
        const QPointF arrow[] = {{4, 3}, {13, 8}, {4, 13}};
        painter.drawPolygon(arrow, 3);
    } else {
        painter.setPen(QPen(palette.color(QPalette::Mid), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(5, 5, 6, 6));
    }
    return QIcon(pixmap);
}

} // namespace

CNavigationTree::CNavigationTree(const CSettings& settings, QWidget* parent)
    : QTreeWidget(parent), m_settings(settings), m_itemImage(ItemImage(false, palette())),
      m_highlightImage(ItemImage(true, palette()))
{
    setProperty("controlNumber", kControlNumber);
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
        if (previous != nullptr)
            previous->setIcon(0, m_itemImage);
        if (current != nullptr)
            current->setIcon(0, m_highlightImage);
    });
    setObjectName(QStringLiteral("navigationTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    connect(this, &QTreeWidget::itemClicked, this, &CNavigationTree::Choose);
}

void CNavigationTree::Choose(QTreeWidgetItem* item)
{
    if (item == nullptr || item->parent() == nullptr)
        return;
    const int number = item->data(0, kItemRole).toInt();
    // The record's position among the items of its kind, not among its siblings.
    const int position = std::max(0, static_cast<int>(ItemsOfKind(number).indexOf(item)));
    Highlight(item);
    emit ItemChosen(number, position, item->text(0));
}

void CNavigationTree::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem() != nullptr &&
        currentItem()->parent() != nullptr) {
        Choose(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void CNavigationTree::Rebuild(const QString& rootText)
{
    clear();
    auto* root = new QTreeWidgetItem(this, {rootText});
    // The last row at each level is the parent of the rows one level below
    // it; a row the user level hides leaves nullptr there, so its children
    // stay hidden with it.
    std::vector<QTreeWidgetItem*> lastAtLevel;
    const int userLevel = m_settings.GetUserLevel();
    for (const CTreeRow& row : TreeTable()) {
        if (row.item == 0)
            continue;
        const auto level = static_cast<std::size_t>(row.level);
        QTreeWidgetItem* parent = level == 0 ? root : (level <= lastAtLevel.size() ? lastAtLevel[level - 1] : nullptr);
        lastAtLevel.resize(level + 1);
        if (parent == nullptr || !TreeShows(row.item, userLevel)) {
            lastAtLevel[level] = nullptr;
            continue;
        }
        auto* item = new QTreeWidgetItem(parent, {Q(m_settings.GetText(row.item))});
        item->setData(0, kItemRole, row.item);
        item->setIcon(0, m_itemImage);
        lastAtLevel[level] = item;
    }
    root->setExpanded(true);
}

void CNavigationTree::SetRootText(const QString& text)
{
    if (topLevelItemCount() > 0)
        topLevelItem(0)->setText(0, text);
}

QTreeWidgetItem* CNavigationTree::FindItem(int itemNumber) const
{
    QTreeWidgetItemIterator it(const_cast<CNavigationTree*>(this));
    for (; *it != nullptr; ++it)
        if ((*it)->data(0, kItemRole).toInt() == itemNumber)
            return *it;
    return nullptr;
}

QList<QTreeWidgetItem*> CNavigationTree::ItemsOfKind(int itemNumber) const
{
    QList<QTreeWidgetItem*> items;
    const QTreeWidgetItem* first = FindItem(itemNumber);
    if (first == nullptr || first->parent() == nullptr)
        return items;
    const QTreeWidgetItem* parent = first->parent();
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->data(0, kItemRole).toInt() == itemNumber)
            items.append(parent->child(i));
    return items;
}

void CNavigationTree::SetChildCount(int folderItem, int count)
{
    // The numbered items hang off the row above them in the tree table; with
    // none left, that row and the language file's text still name them.
    QTreeWidgetItem* parent = nullptr;
    const auto rows = TreeTable();
    for (std::size_t i = 1; i < rows.size() && parent == nullptr; ++i)
        if (rows[i].item == folderItem && rows[i - 1].level < rows[i].level)
            parent = FindItem(rows[i - 1].item);
    if (parent == nullptr) {
        SetSiblingCount(folderItem, count);
        return;
    }
    const QTreeWidgetItem* first = FindItem(folderItem);
    const std::string text = first != nullptr ? S(first->text(0)) : m_settings.GetText(folderItem);
    const std::string base = SplitTrailingNumber(text).first;
    while (parent->childCount() > count)
        delete parent->takeChild(parent->childCount() - 1);
    for (int k = parent->childCount() + 1; k <= count; ++k) {
        auto* item = new QTreeWidgetItem(parent, {Q(base + Format("%d", k))});
        item->setData(0, kItemRole, folderItem);
        item->setIcon(0, m_itemImage);
    }
}

void CNavigationTree::SetSiblingCount(int itemNumber, int count)
{
    // Records without a folder (the scan lists) stand side by side: one item
    // keeps the plain text, several are numbered.
    QList<QTreeWidgetItem*> items = ItemsOfKind(itemNumber);
    if (items.isEmpty())
        return;
    QTreeWidgetItem* parent = items.front()->parent();
    count = std::max(count, 1);
    while (items.size() > count)
        delete parent->takeChild(parent->indexOfChild(items.takeLast()));
    while (items.size() < count) {
        auto* item = new QTreeWidgetItem;
        item->setData(0, kItemRole, itemNumber);
        item->setIcon(0, m_itemImage);
        parent->insertChild(parent->indexOfChild(items.back()) + 1, item);
        items.append(item);
    }
    const QString text = Q(m_settings.GetText(itemNumber));
    for (int k = 0; k < count; ++k)
        items[k]->setText(0, count == 1 ? text : text + QStringLiteral(" %1").arg(k + 1));
}

void CNavigationTree::Highlight(QTreeWidgetItem* item)
{
    setCurrentItem(item);
}

void CNavigationTree::contextMenuEvent(QContextMenuEvent* event)
{
    const QTreeWidgetItem* item = itemAt(viewport()->mapFrom(this, event->pos()));
    const int number = item != nullptr ? item->data(0, kItemRole).toInt() : 0;
    if (number != item::kChannelFolder && number != item::kChannel)
        return;
    QMenu menu(this);
    QAction* list = menu.addAction(Q(m_settings.GetText(item::kChannelList)));
    connect(list, &QAction::triggered, this, &CNavigationTree::ChannelListRequested);
    menu.exec(event->globalPos());
}

} // namespace qrv
