#pragma once
// The main window: the navigation tree, the child windows of the opened
// items, the menus and tool bar, the status bar panes, the log bars, and the
// file commands that replace the codeplug.
#include "radio_data/model_catalog.h"
#include "session/codeplug_session.h"
#include "shell/menus.h"
#include "shell/qt_translation.h"

#include <QMainWindow>

#include <filesystem>
#include <memory>
#include <optional>

class QDockWidget;
class QLabel;
class QMdiArea;
class QTimer;
class QTreeWidget;

namespace qrv {

namespace sim {
class CSimRadio;
}

class CChildFrame;
class CHelp;
class CEditorContext;
class CUndoController;
class CPrintCommands;
struct CFactoryContext;
struct CNotification;
class CDlgFleetWrite;
class CDlgTransfer;
class CRadioLink;
struct CPortChoice;
class CNavigationTree;
class CRadioData;
class CSettings;
class CSimulatedRadios;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CSettings& settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // File New; the first one after start-up asks nothing.
    void FileNew(bool silent);
    bool OpenFile(const std::filesystem::path& path, bool fromRecentList = false);
    // The file named on the command line ("qrv FILE", the desktop's %f),
    // opened with the checks and messages of File > Open; options are skipped.
    void OpenCommandLineFile(const QStringList& arguments);
    bool SaveFile();
    bool SaveFileAs(const std::filesystem::path& path, const std::string& comment);

    // Opens the item of that number (position: which of a numbered kind), or activates its open window.
    CChildFrame* OpenItem(int itemNumber, int position = 0);
    QList<CChildFrame*> OpenChildren() const;
    void CloseAllChildren();
    void DoCommand(int number);

    // Read from Radio and Write to Radio: the dialog (not yet started), then
    // what the main window does with its result.
    std::unique_ptr<CDlgTransfer> MakeTransferDialog(bool read);
    void AfterTransfer(bool read, bool ok);
    // Write to Several Radios: the dialog over the current codeplug after the
    // data checks of Write to Radio; nullptr (after their message) when they fail.
    std::unique_ptr<CDlgFleetWrite> MakeFleetDialog();
    // Compare with Radio: the read dialog (not yet started) that changes
    // nothing, after the data checks; then what it found is shown.
    std::unique_ptr<CDlgTransfer> MakeCompareDialog();
    void AfterCompare(const CDlgTransfer& dialog);
    // The radio that the "Simulated radio" port joins (number 1), or another
    // of the fleet write's; made from the current codeplug on first use.
    sim::CSimRadio& SimulatedRadio(int number = 1);

    // Update Memory Data: the image takes the records; an open data watch view lists what changed.
    void UpdateMemoryData();

    // The model dialog's choice: a new name alone keeps the codeplug; another
    // identity asks, then starts from the default image of the new one.
    void ChangeModel(const std::string& modelId, const std::string& modelName, const std::string& range, int signal);
    // Everything in the new language, starting from the default image.
    void ChangeLanguage(int index);

    // A view of a numbered item moved to another record (0 first, 1 previous,
    // 2 next, 3 last) or added (4) or deleted (5) one: the tree, the window's
    // caption and its navigation bar follow.
    void ItemNotification(CChildFrame* child, int code);
    // Which of its kind the window shows (0 for the first channel).
    static int PositionOf(const CChildFrame* child);

    // Every open view stores its pages (before a save, a write, an update of the image).
    void StoreOpenViews();
    CEditorContext& Context() const { return *m_context; }
    CUndoController& Undo() const { return *m_undo; }

    // After a codeplug was loaded: tree, item counts, status bar, title.
    void Rebuild();
    void Relocalise();
    void RefreshStatusBar();
    QString PortPaneText() const;

    CNavigationTree* Tree() const { return m_tree; }
    CHelp* Help() const { return m_help; }
    QTreeWidget* InvalidLogList() const { return m_invalidList; }
    QDockWidget* InvalidLogBar() const { return m_invalidDock; }
    const CMenus& Menus() const { return m_menus; }
    CCodeplugSession& Session() { return m_session; }
    CFreqRangeList& Ranges() { return m_ranges; }
    QString StatusText(int pane) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildDocks();
    void BuildStatusBar();
    void BuildToolBar();
    bool HandlesCommand(int number) const;
    void ShowFileResult(const CFileResult& result);
    // Before the codeplug is replaced or the program ends: true to go on. With
    // unsaved changes the user is asked (question) whether to save them first.
    bool KeepUnsavedWork(int question);
    void UpdateTitle();
    void UpdateInvalidLog();
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);
    void UpdateRecentFiles();
    bool SaveAsWithDialog();
    void SetPosition(CChildFrame* child, int position);
    void ForwardNotification(const CNotification& notification, QObject* origin);
    // A factory function put the radio's model or range into the settings.
    void AfterRadioModeEntered();
    void FactoryCommand(int number);
    // The open windows: which item and record each shows, in opening order.
    std::vector<std::pair<int, int>> OpenItems() const;
    void Reopen(const std::vector<std::pair<int, int>>& items);
    void UpdateUndoActions();
    // A codeplug was loaded: a new undo history.
    void Loaded();
    // The embedded-message window identified the radio while reading.
    void AfterRadioIdentified(CChildFrame* reader);
    void UpdateNavigation(CChildFrame* child);
    void TransferCommand(bool read);
    void PortCommand();
    CPortChoice Ports() const;
    std::unique_ptr<sim::CSimRadio> MakeSimulatedRadio() const;

    CSettings& m_settings;
    CCodeplugSession m_session;
    CRadioData& m_data;
    CFreqRangeList& m_ranges;
    CMenus m_menus;
    CQtTranslation m_qtTranslation;
    QMdiArea* m_mdi = nullptr;
    CNavigationTree* m_tree = nullptr;
    QDockWidget* m_treeDock = nullptr;
    QDockWidget* m_logDock = nullptr;
    QDockWidget* m_invalidDock = nullptr;
    QTreeWidget* m_invalidList = nullptr;
    QLabel* m_modelPane = nullptr;
    QLabel* m_rangePane = nullptr;
    QLabel* m_portPane = nullptr;
    QLabel* m_clockPane = nullptr;
    QTimer* m_clock = nullptr;
    QToolBar* m_toolBar = nullptr;
    CHelp* m_help = nullptr;
    CEditorContext* m_context = nullptr;
    CUndoController* m_undo = nullptr;
    CPrintCommands* m_print = nullptr;
    // The windows open before an undo or a redo, opened again after it.
    std::vector<std::pair<int, int>> m_reopen;
    std::unique_ptr<CFactoryContext> m_factory;
    // The model of the codeplug last loaded: a factory function that meets
    // another model's radio starts from that model's default image.
    std::string m_loadedModelId;
    std::unique_ptr<CSimulatedRadios> m_simulated;
};

} // namespace qrv
