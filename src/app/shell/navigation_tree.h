#pragma once
// The navigation tree: one item per editor view, built from the tree table,
// with one item per channel and per personality under their folders.
#include <QIcon>
#include <QTreeWidget>

namespace qrv {

class CSettings;

class CNavigationTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kItemRole = Qt::UserRole;
    static constexpr int kControlNumber = 1017;

    explicit CNavigationTree(const CSettings& settings, QWidget* parent = nullptr);

    // Root text, the items of the tree table the user level may see, expanded.
    void Rebuild(const QString& rootText);
    // Exactly n numbered items under the folder of that item number (side by
    // side for a kind without a folder).
    void SetChildCount(int folderItem, int count);
    void SetRootText(const QString& text);

    QTreeWidgetItem* FindItem(int itemNumber) const;
    // The numbered items of a kind (channel 1, 2, ...), in order.
    QList<QTreeWidgetItem*> ItemsOfKind(int itemNumber) const;
    void Highlight(QTreeWidgetItem* item);

    // Whether the item shows the highlight image.
    bool IsHighlighted(const QTreeWidgetItem* item) const
    {
        return item->icon(0).cacheKey() == m_highlightImage.cacheKey();
    }

signals:
    void ItemChosen(int itemNumber, int position, const QString& caption);
    // From the context menu of the channel folder and its channels.
    void ChannelListRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    // Enter opens the current item, as a click does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Choose(QTreeWidgetItem* item);
    void SetSiblingCount(int itemNumber, int count);

    const CSettings& m_settings;
    QIcon m_itemImage;
    QIcon m_highlightImage;
};

} // namespace qrv
