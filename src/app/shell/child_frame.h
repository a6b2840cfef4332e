#pragma once
// A child window: one editor view with the navigation bar along its bottom
// (close, print, help, and the record buttons of numbered items).
#include "presentation/item_tables.h"

#include <QMdiSubWindow>

#include <array>

class QLineEdit;
class QPushButton;
class QWidget;

namespace qrv {

class CSettings;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    CChildFrame(int itemNumber, QWidget* view, QWidget* parent = nullptr);

    int ItemNumber() const { return m_itemNumber; }
    QWidget* View() const { return m_view; }
    // Shows the record buttons by the state of a numbered item (number k of c).
    void SetNavigation(const CNavigationState& state, int number, int count);
    const std::array<QPushButton*, 6>& RecordButtons() const { return m_record; }
    // "k / c" of the record shown.
    QString PositionText() const;
    QPushButton* PrintButton() const { return m_print; }
    QPushButton* HelpButton() const { return m_help; }
    // The buttons show icons only: their names, in the language, are their tips.
    void SetButtonTips(const CSettings& settings);

signals:
    // A record button: 0 first, 1 previous, 2 next, 3 last, 4 add, 5 delete.
    void NavigationCommand(int code);
    void PrintRequested();

private:
    int m_itemNumber;
    QWidget* m_view;
    std::array<QPushButton*, 6> m_record{};
    QLineEdit* m_position = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_help = nullptr;
};

} // namespace qrv
