#pragma once
// Help by topic number: a window showing the HTML page of a number, F1 taking
// the number of the control under focus (then of its page, view or dialog),
// and the default topic when no page has that number.
#include <QObject>
#include <QPointer>

#include <filesystem>
#include <vector>

class QTextBrowser;
class QWidget;

namespace qrv {

class CSettings;

class CHelp : public QObject {
    Q_OBJECT
public:
    // helpRoot holds one folder of pages per language.
    CHelp(const CSettings& settings, std::filesystem::path helpRoot, QWidget* owner);
    ~CHelp() override;

    // Becomes the help of the program: F1 anywhere, and ShowHelp below.
    void Install();
    static CHelp* Installed();

    // Shows the page of the first number that has one, else the default
    // topic; false (after saying so) when the help pages are missing.
    bool ShowTopic(const std::vector<int>& numbers);
    // The numbers F1 tries for a widget: its own, then those of the windows around it.
    std::vector<int> TopicsOf(const QWidget* widget) const;

    // The help window and its page, once shown.
    QWidget* Window() const;
    std::filesystem::path CurrentPage() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeWindow();

    const CSettings& m_settings;
    std::filesystem::path m_root;
    QPointer<QWidget> m_owner;
    QPointer<QWidget> m_window;
    QTextBrowser* m_browser = nullptr;
};

// The help button of a dialog or a view: the installed help at these numbers.
void ShowHelp(const std::vector<int>& numbers);
// The same for a widget: its number, then those of the windows around it.
void ShowHelpFor(const QWidget* widget);

} // namespace qrv
