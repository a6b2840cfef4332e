#include "shell/main_frame.h"

#include "dialogs/backup_actions.h"
#include "dialogs/dlg_about.h"
#include "dialogs/dlg_file.h"
#include "dialogs/dlg_import_channels.h"
#include "dialogs/dlg_language.h"
#include "dialogs/dlg_model.h"
#include "dialogs/dlg_port.h"
#include "dialogs/dlg_serial_trace.h"
#include "dialogs/dlg_transfer.h"
#include "editors/common/editor_context.h"
#include "editors/common/editor_view.h"
#include "editors/common/undo_controller.h"
#include "editors/data_watch_view.h"
#include "editors/embedded/view_embedded.h"
#include "editors/record_navigator.h"
#include "editors/settings/view_radio.h"
#include "factory/adjustment_command.h"
#include "factory/factory_commands.h"
#include "factory/factory_context.h"
#include "fleet/radio_compare.h"
#include "port_list.h"
#include "presentation/item_tables.h"
#include "printing/pdf_export.h"
#include "printing/print_commands.h"
#include "program_directory.h"
#include "radio_data/messages.h"
#include "radio_data/radio_data.h"
#include "radio_data/settings.h"
#include "radio_link/radio_link.h"
#include "radios/dlg_compare_result.h"
#include "radios/dlg_fleet_write.h"
#include "radios/simulated_radios.h"
#include "shell/child_frame.h"
#include "shell/help.h"
#include "shell/message_box.h"
#include "shell/navigation_tree.h"
#include "shell/port_selector.h"
#include "shell/qt_text.h"
#include "shell/view_factory.h"
#include "sim_radio.h"
#include "util/text_format.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDockWidget>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <set>

namespace qrv {

namespace {

constexpr int kPortText = 2231;
constexpr int kLogColumns[] = {900, 901, 902, 903};
constexpr int kInvalidColumns[] = {915, 916};
constexpr int kMaxRecentFiles = 4;
// How long the status bar shows that a command is done.
constexpr int kNoteMilliseconds = 10000;
const QString kRecentKey = QStringLiteral("RecentFiles");

QSettings RecentStore()
{
    return QSettings(QStringLiteral("QRV"), QStringLiteral("QL-210 Serial"));
}

} // namespace

CMainFrame::CMainFrame(CSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_session(settings), m_data(m_session.Data()),
      m_ranges(m_session.Ranges()), m_menus(settings),
      m_simulated(std::make_unique<CSimulatedRadios>([this] { return MakeSimulatedRadio(); }))
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(QIcon(Q((m_settings.ProgramDirectory() / "qrv.png").string())));
    m_help = new CHelp(m_settings, ResolveHelpDirectory(m_settings.ProgramDirectory()), this);
    m_context = new CEditorContext(m_data, m_settings, this);
    connect(m_context, &CEditorContext::Notified, this, &CMainFrame::ForwardNotification);
    m_context->SetRadioAccess(
        // Every radio command records its frames for Show Serial Trace.
        [this] {
            return std::make_unique<CRadioLink>(WrapWithTrace(std::make_unique<CPortSelector>(&SimulatedRadio())));
        },
        [this] { return Ports(); });
    m_print = new CPrintCommands(m_settings, m_data, this);
    connect(m_print, &CPrintCommands::Done, this,
            [this](const QString& note) { statusBar()->showMessage(note, kNoteMilliseconds); });
    m_undo = new CUndoController(*m_context, this);
    m_undo->SetCommit([this] { StoreOpenViews(); });
    m_session.SetCommitHook([this] { StoreOpenViews(); });
    connect(m_undo, &CUndoController::AboutToRestore, this, [this] {
        m_reopen = OpenItems();
        // Opened once more at the end, the window that was active is again.
        if (const auto* active = qobject_cast<const CChildFrame*>(m_mdi->activeSubWindow()))
            m_reopen.emplace_back(active->ItemNumber(), PositionOf(active));
        CloseAllChildren();
    });
    connect(m_undo, &CUndoController::Restored, this, [this] {
        Rebuild();
        Reopen(m_reopen);
        m_reopen.clear();
    });
    connect(m_undo, &CUndoController::AvailabilityChanged, this, [this] { UpdateUndoActions(); });
    connect(m_undo, &CUndoController::ModifiedChanged, this, &QWidget::setWindowModified);
    m_factory = std::make_unique<CFactoryContext>(
        CFactoryContext{m_settings, m_data, m_ranges, [this] { return m_context->MakeLink(); },
                        [this] { return Ports(); }, [this] { AfterRadioModeEntered(); }, this});
    m_help->Install();
    qApp->installEventFilter(this);
    m_mdi = new QMdiArea(this);
    m_mdi->setViewMode(QMdiArea::TabbedView);
    m_mdi->setTabsClosable(true);
    setCentralWidget(m_mdi);
    BuildDocks();
    BuildStatusBar();
    m_ranges.SetModel(m_settings.ProgramDirectory(), m_data.Identity());
    m_data.InvalidLog().SetChangedCallback([this] { UpdateInvalidLog(); });
    Relocalise();
    resize(1100, 720);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // In an editor window Undo and Redo are the codeplug's: the first Ctrl+Z
    // undoes the last change, not the typing in the field that has the focus.
    if (event->type() == QEvent::ShortcutOverride && m_mdi != nullptr) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        const auto* widget = qobject_cast<const QWidget*>(watched);
        const bool undoKey = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                             key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y);
        if (undoKey && widget != nullptr && m_mdi->isAncestorOf(widget)) {
            event->ignore();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

CMainFrame::~CMainFrame()
{
    qApp->removeEventFilter(this);
    m_data.InvalidLog().SetChangedCallback(nullptr);
    // The child windows store what they show into the codeplug as they are
    // hidden: they go first, while the session that owns it still stands.
    disconnect(m_mdi, nullptr, this, nullptr);
    delete m_mdi;
    m_mdi = nullptr;
}

void CMainFrame::BuildDocks()
{
    m_tree = new CNavigationTree(m_settings, this);
    connect(m_tree, &CNavigationTree::ItemChosen, this,
            [this](int number, int position, const QString&) { OpenItem(number, position); });
    connect(m_tree, &CNavigationTree::ChannelListRequested, this, [this] { OpenItem(item::kChannelList); });
    m_treeDock = new QDockWidget(this);
    m_treeDock->setObjectName(QStringLiteral("treeBar"));
    m_treeDock->setWidget(m_tree);
    addDockWidget(Qt::LeftDockWidgetArea, m_treeDock);

    const auto makeList = [this](const QString& name, std::initializer_list<int> widths) {
        auto* dock = new QDockWidget(this);
        dock->setObjectName(name);
        auto* list = new QTreeWidget(dock);
        list->setRootIsDecorated(false);
        list->setColumnCount(static_cast<int>(widths.size()));
        int column = 0;
        for (const int width : widths)
            list->setColumnWidth(column++, width);
        dock->setWidget(list);
        addDockWidget(Qt::BottomDockWidgetArea, dock);
        return dock;
    };
    m_logDock = makeList(QStringLiteral("logBar"), {200, 300, 200, 200});
    m_invalidDock = makeList(QStringLiteral("invalidBar"), {200, 500});
    m_invalidList = static_cast<QTreeWidget*>(m_invalidDock->widget());
    m_logDock->hide();
    m_invalidDock->hide();
}

void CMainFrame::BuildStatusBar()
{
    m_modelPane = new QLabel(this);
    m_rangePane = new QLabel(this);
    m_portPane = new QLabel(this);
    m_clockPane = new QLabel(this);
    for (QLabel* pane : {m_modelPane, m_rangePane, m_portPane, m_clockPane})
        statusBar()->addPermanentWidget(pane);
    m_clock = new QTimer(this);
    connect(m_clock, &QTimer::timeout, this, [this] {
        m_clockPane->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    });
    m_clock->start(1000);
}

void CMainFrame::BuildToolBar()
{
    if (m_toolBar == nullptr) {
        m_toolBar = addToolBar(QString());
        m_toolBar->setObjectName(QStringLiteral("toolBar"));
    }
    m_toolBar->clear();
    const std::pair<int, QStyle::StandardPixmap> tools[] = {{command::kNew, QStyle::SP_FileIcon},
                                                            {command::kOpen, QStyle::SP_DialogOpenButton},
                                                            {command::kSave, QStyle::SP_DialogSaveButton},
                                                            {command::kRead, QStyle::SP_ArrowDown},
                                                            {command::kWrite, QStyle::SP_ArrowUp}};
    for (const auto& [number, icon] : tools) {
        QAction* action = m_menus.Action(number);
        if (action == nullptr)
            continue;
        action->setIcon(style()->standardIcon(icon));
        action->setToolTip(Q(ToolTipOf(m_settings.GetText(number), m_settings.LanguageIndex())));
        m_toolBar->addAction(action);
    }
    m_toolBar->addSeparator();
    const std::tuple<int, int, QStyle::StandardPixmap> edits[] = {
        {command::kUndo, command::kUndoTip, QStyle::SP_ArrowBack},
        {command::kRedo, command::kRedoTip, QStyle::SP_ArrowForward}};
    for (const auto& [number, tip, icon] : edits) {
        if (QAction* action = m_menus.Action(number)) {
            action->setIcon(style()->standardIcon(icon));
            action->setToolTip(Q(m_settings.GetText(tip)));
            m_toolBar->addAction(action);
        }
    }
}

bool CMainFrame::HandlesCommand(int number) const
{
    using namespace command;
    static const std::set<int> handled{
        kNew,         kOpen,          kSave,         kSaveAs,     kExit,           kCloseAll,       kCloseAllButThis,
        kTreeBar,     kLogBar,        kInvalidBar,   kTabBar,     kRead,           kWrite,          kPort,
        kModel,       kLanguage,      kUpdateMemory, kHelp,       kAbout,          kAdjustment,     kBaseBand,
        kFactoryMode, kWriteTuneData, kUndo,         kRedo,       kImportChannels, kExportChannels, kOpenBackupFolder,
        kSerialTrace, kPrint,         kPrintPreview, kPrintSetup, kExportPdf,      kWriteFleet,     kCompare};
    if (handled.count(number) != 0 || (number >= kFirstRecent && number < kFirstRecent + kRecentCount))
        return true;
    const auto row = FindOpenableView(ItemOfCommand(number));
    return row && HasView(row->view);
}

void CMainFrame::Relocalise()
{
    m_qtTranslation.Select(m_settings.LanguageIndex());
    m_menus.Build(menuBar(), [this](int number) {
        DoCommand(number);
        // A dialog that closed leaves the focus with the main window, never nowhere.
        if (QApplication::activeWindow() == nullptr && isVisible())
            activateWindow();
    });
    // Commands whose windows and dialogs are not built yet stay disabled.
    for (const auto& [number, action] : m_menus.Actions())
        action->setEnabled(HandlesCommand(number));
    BuildToolBar();
    if (m_undo != nullptr)
        UpdateUndoActions();
    m_treeDock->setWindowTitle(Q(CaptionOf(m_settings.GetText(command::kTreeBar))));
    m_logDock->setWindowTitle(Q(CaptionOf(m_settings.GetText(command::kLogBar))));
    m_invalidDock->setWindowTitle(Q(CaptionOf(m_settings.GetText(command::kInvalidBar))));
    auto* log = static_cast<QTreeWidget*>(m_logDock->widget());
    QStringList logHeaders;
    for (const int n : kLogColumns)
        logHeaders << Q(m_settings.GetText(n));
    log->setHeaderLabels(logHeaders);
    QStringList invalidHeaders;
    for (const int n : kInvalidColumns)
        invalidHeaders << Q(m_settings.GetText(n));
    m_invalidList->setHeaderLabels(invalidHeaders);
    UpdateRecentFiles();
    Rebuild();
}

void CMainFrame::Rebuild()
{
    // The next start and File > New begin with the model of this document.
    m_settings.RememberModel(m_data.Identity());
    m_loadedModelId = m_data.Identity().modelId;
    m_tree->Rebuild(Q(m_data.Identity().modelName));
    m_tree->SetChildCount(item::kChannel, static_cast<int>(m_data.Channels().size()));
    m_tree->SetChildCount(item::kPersonality, static_cast<int>(m_data.Personalities().size()));
    m_tree->SetChildCount(item::kScan, static_cast<int>(m_data.ScanLists().size()));
    RefreshStatusBar();
    UpdateTitle();
}

void CMainFrame::RefreshStatusBar()
{
    m_modelPane->setText(Q(m_data.Identity().modelName));
    m_rangePane->setText(Q(m_data.Identity().freqRange + " MHz"));
    m_portPane->setText(PortPaneText());
    m_clockPane->setText(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

QString CMainFrame::PortPaneText() const
{
    // The port by the system's name; a Settings.ini of old remembers only its number.
    if (m_settings.PortName.empty())
        return Q(FormatMessageNumber(m_settings.GetMessage(kPortText), m_settings.ComPort));
    if (m_settings.PortName == kSimulatedPortName)
        return Q(m_settings.GetMessage(kSimulatedRadioText));
    return Q(PortShortName(m_settings.PortName));
}

QString CMainFrame::StatusText(int pane) const
{
    const QLabel* panes[] = {m_modelPane, m_rangePane, m_portPane, m_clockPane};
    return pane >= 0 && pane < 4 ? panes[pane]->text() : QString();
}

void CMainFrame::UpdateTitle()
{
    const QString caption = Q(m_settings.GetText(msg::kMainCaption));
    const auto& path = m_session.CurrentPath();
    // "[*]" shows the modified marker while the codeplug has unsaved changes.
    setWindowTitle(path.empty() ? caption + QStringLiteral("[*]")
                                : QStringLiteral("%1 [ %2 ][*]").arg(caption, Q(path.string())));
    setWindowModified(m_undo != nullptr && m_undo->IsModified());
}

void CMainFrame::UpdateInvalidLog()
{
    m_invalidList->clear();
    for (const CInvalidEntry& entry : m_data.InvalidLog().Entries()) {
        auto* row = new QTreeWidgetItem(m_invalidList, {Q(entry.title), Q(entry.text)});
        row->setData(0, Qt::UserRole, static_cast<qulonglong>(entry.key));
    }
    // The bar comes up with the first entry and goes with the last.
    if (m_data.InvalidLog().Count() > 0)
        m_invalidDock->show();
    else
        m_invalidDock->hide();
}

QList<CChildFrame*> CMainFrame::OpenChildren() const
{
    QList<CChildFrame*> children;
    for (QMdiSubWindow* window : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto* child = qobject_cast<CChildFrame*>(window))
            children.append(child);
    return children;
}

int CMainFrame::PositionOf(const CChildFrame* child)
{
    return child->property("position").toInt();
}

void CMainFrame::SetPosition(CChildFrame* child, int position)
{
    child->setProperty("position", position);
}

void CMainFrame::UpdateNavigation(CChildFrame* child)
{
    const auto row = FindOpenableView(child->ItemNumber());
    if (!row)
        return;
    const int position = PositionOf(child);
    int count = 1;
    if (const auto* records = dynamic_cast<const CRecordNavigator*>(child->View()))
        count = records->RecordCount();
    // The caption is the item's tree text: "Channel 3" for a numbered item.
    const QList<QTreeWidgetItem*> items = m_tree->ItemsOfKind(child->ItemNumber());
    QTreeWidgetItem* item = position < items.size() ? items[position] : m_tree->FindItem(child->ItemNumber());
    child->setWindowTitle(item != nullptr ? item->text(0) : Q(CaptionOf(m_settings.GetText(child->ItemNumber()))));
    child->SetNavigation(NavigationStateOf(row->view, position + 1, count), position + 1, count);
    if (item != nullptr)
        m_tree->Highlight(item);
}

void CMainFrame::ForwardNotification(const CNotification& notification, QObject* origin)
{
    for (CChildFrame* child : OpenChildren())
        if (auto* view = qobject_cast<CEditorView*>(child->View()))
            view->OnNotification(notification, origin);
    if (!notification.ChangesRecordCount())
        return;
    // A record was added or deleted somewhere: the tree and every record window's bar follow.
    m_tree->SetChildCount(item::kChannel, static_cast<int>(m_data.Channels().size()));
    m_tree->SetChildCount(item::kPersonality, static_cast<int>(m_data.Personalities().size()));
    m_tree->SetChildCount(item::kScan, static_cast<int>(m_data.ScanLists().size()));
    for (CChildFrame* child : OpenChildren()) {
        if (const auto* records = dynamic_cast<const CRecordNavigator*>(child->View())) {
            SetPosition(child, records->CurrentPosition());
            UpdateNavigation(child);
        }
    }
}

void CMainFrame::AfterRadioIdentified(CChildFrame* reader)
{
    // The document now holds the radio's model, signalling and range.
    CDocumentIdentity& identity = m_data.Identity();
    const std::string range = identity.freqRange;
    m_ranges.CheckNewFreqRange(m_settings, identity, static_cast<CViewEmbedded*>(reader->View())->RadioRange(),
                               AskNewRange(this, m_settings));
    for (CChildFrame* child : OpenChildren()) {
        if (child != reader) {
            child->close();
            m_mdi->removeSubWindow(child);
        }
    }
    if (identity.freqRange != range)
        m_ranges.SetModel(m_settings.ProgramDirectory(), identity);
    m_settings.RememberModel(identity);
    m_tree->SetRootText(Q(identity.modelName));
    RefreshStatusBar();
}

void CMainFrame::AfterRadioModeEntered()
{
    CloseAllChildren();
    if (m_data.Identity().modelId != m_loadedModelId) {
        // A radio of another model: its default codeplug, keeping the radio's firmware version.
        const std::string version = m_data.Identity().radioDataVersion;
        m_session.LoadDefaultImage();
        m_data.Identity().radioDataVersion = version;
        m_session.SetCurrentPath({});
        Relocalise();
        Loaded();
        return;
    }
    Rebuild();
}

void CMainFrame::FactoryCommand(int number)
{
    StoreOpenViews();
    // The radio's identity and tune data may come into the codeplug: no window keeps showing the old ones.
    if (number != command::kFactoryMode)
        CloseAllChildren();
    CFactoryCommands factory(*m_factory);
    switch (number) {
    case command::kAdjustment:
        CAdjustmentCommand(*m_factory).Run();
        break;
    case command::kBaseBand:
        factory.BaseBand();
        break;
    case command::kFactoryMode:
        factory.FactoryMode();
        break;
    case command::kWriteTuneData:
        factory.WriteTuneData();
        break;
    default:
        return;
    }
    // The tune data may have changed: an open data watch shows it at the next update.
    RefreshStatusBar();
}

void CMainFrame::StoreOpenViews()
{
    for (CChildFrame* child : OpenChildren())
        if (auto* view = qobject_cast<CEditorView*>(child->View()))
            view->StorePages();
}

void CMainFrame::ItemNotification(CChildFrame* child, int code)
{
    auto* records = dynamic_cast<CRecordNavigator*>(child->View());
    if (records == nullptr || code < record_command::kFirst || code > record_command::kGoTo)
        return;
    // The view has carried the command out on its records; the tree follows its count.
    const int count = records->RecordCount();
    if (child->ItemNumber() == item::kChannel || child->ItemNumber() == item::kPersonality ||
        child->ItemNumber() == item::kScan)
        m_tree->SetChildCount(child->ItemNumber(), count);
    SetPosition(child, records->CurrentPosition());
    UpdateNavigation(child);
}

CChildFrame* CMainFrame::OpenItem(int itemNumber, int position)
{
    for (CChildFrame* child : OpenChildren()) {
        if (child->ItemNumber() == itemNumber) {
            // One window per kind: another channel is shown in the open channel window.
            auto* records = dynamic_cast<CRecordNavigator*>(child->View());
            if (records != nullptr && position != records->CurrentPosition()) {
                records->Navigate(record_command::kGoTo, position);
                ItemNotification(child, record_command::kGoTo);
            }
            m_mdi->setActiveSubWindow(child);
            return child;
        }
    }
    const auto row = FindOpenableView(itemNumber);
    if (!row)
        return nullptr;
    QWidget* view = MakeView(row->view, *m_context, position);
    if (view == nullptr)
        return nullptr;
    auto* child = new CChildFrame(itemNumber, view);
    child->SetButtonTips(m_settings);
    // The view shows the first record when asked for one that is not there.
    if (const auto* records = dynamic_cast<const CRecordNavigator*>(view))
        position = records->CurrentPosition();
    SetPosition(child, position);
    const int section = CPrintCommands::SectionFormOfItem(itemNumber);
    child->PrintButton()->setEnabled(section != 0);
    connect(child, &CChildFrame::PrintRequested, this, [this, section] {
        StoreOpenViews();
        m_print->PrintView(section);
    });
    if (auto* editor = qobject_cast<CEditorView*>(view)) {
        connect(editor, &CEditorView::CurrentRecordChanged, this, [this, child] {
            if (const auto* records = dynamic_cast<const CRecordNavigator*>(child->View())) {
                SetPosition(child, records->CurrentPosition());
                UpdateNavigation(child);
            }
        });
    }
    if (auto* embedded = qobject_cast<CViewEmbedded*>(view))
        connect(embedded, &CViewEmbedded::RadioIdentified, this, [this, child] { AfterRadioIdentified(child); });
    connect(child, &CChildFrame::NavigationCommand, this, [this, child](int code) {
        if (auto* records = dynamic_cast<CRecordNavigator*>(child->View())) {
            records->Navigate(code, 0);
            ItemNotification(child, code);
        }
    });
    UpdateNavigation(child);
    m_mdi->addSubWindow(child);
    child->show();
    return child;
}

void CMainFrame::CloseAllChildren()
{
    // Out of the area at once, so that a load that follows opens fresh windows.
    for (QMdiSubWindow* window : m_mdi->subWindowList()) {
        window->close();
        m_mdi->removeSubWindow(window);
    }
}

void CMainFrame::ShowFileResult(const CFileResult& result)
{
    if (!result.ok && result.message != 0)
        ShowMessage(this, m_settings, result.message, QMessageBox::Ok, Q(result.argument));
}

bool CMainFrame::KeepUnsavedWork(int question)
{
    StoreOpenViews();
    m_undo->Record();
    if (!m_undo->IsModified())
        return true;
    const auto answer =
        ShowMessage(this, m_settings, question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    return answer == QMessageBox::No || SaveFile();
}

void CMainFrame::FileNew(bool silent)
{
    if (!silent && !KeepUnsavedWork(msg::kSaveChangesQuestion))
        return;
    CloseAllChildren();
    m_session.LoadDefaultImage();
    m_data.InvalidLog().Clear();
    Rebuild();
    Loaded();
}

bool CMainFrame::OpenFile(const std::filesystem::path& path, bool fromRecentList)
{
    const CFileResult result = m_session.Open(path, fromRecentList);
    if (!result.ok) {
        ShowFileResult(result);
        if (fromRecentList && result.message == msg::kRecentUnreadable)
            RemoveRecentFile(Q(path.string()));
        UpdateTitle();
        return false;
    }
    CloseAllChildren();
    if (fromRecentList)
        AddRecentFile(Q(path.string()));
    Rebuild();
    Loaded();
    return true;
}

void CMainFrame::OpenCommandLineFile(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i].startsWith(QLatin1String("--")))
            continue;
        if (OpenFile(FromUtf8Path(arguments[i].toStdString())))
            AddRecentFile(arguments[i]);
        return;
    }
}

bool CMainFrame::SaveFileAs(const std::filesystem::path& path, const std::string& comment)
{
    const CFileResult result = m_session.SaveAs(path, comment);
    ShowFileResult(result);
    if (result.ok) {
        AddRecentFile(Q(path.string()));
        m_undo->MarkSaved();
    }
    UpdateTitle();
    return result.ok;
}

bool CMainFrame::SaveAsWithDialog()
{
    CDlgFile dialog(false, m_settings, Q(m_session.CurrentPath().string()), this);
    dialog.SetHeader(FillHeader(m_data.Identity(), m_ranges.FlagsOf(m_data.Identity().freqRange)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return SaveFileAs(dialog.selectedFiles().first().toStdString(), dialog.Comment());
}

bool CMainFrame::SaveFile()
{
    const CFileResult result = m_session.Save();
    if (result.needsSaveAs)
        return SaveAsWithDialog();
    ShowFileResult(result);
    if (result.ok)
        m_undo->MarkSaved();
    UpdateTitle();
    return result.ok;
}

void CMainFrame::AddRecentFile(const QString& path)
{
    QSettings store = RecentStore();
    QStringList files = store.value(kRecentKey).toStringList();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kMaxRecentFiles)
        files.removeLast();
    store.setValue(kRecentKey, files);
    UpdateRecentFiles();
}

void CMainFrame::RemoveRecentFile(const QString& path)
{
    QSettings store = RecentStore();
    QStringList files = store.value(kRecentKey).toStringList();
    files.removeAll(path);
    store.setValue(kRecentKey, files);
    UpdateRecentFiles();
}

void CMainFrame::UpdateRecentFiles()
{
    const QStringList files = RecentStore().value(kRecentKey).toStringList();
    for (int i = 0; i < command::kRecentCount; ++i) {
        QAction* action = m_menus.Action(command::kFirstRecent + i);
        if (action == nullptr)
            continue;
        action->setVisible(i < files.size());
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]));
            action->setProperty("path", files[i]);
        }
    }
}

void CMainFrame::DoCommand(int number)
{
    using namespace command;
    if (number >= kFirstRecent && number < kFirstRecent + kRecentCount) {
        if (QAction* action = m_menus.Action(number))
            if (KeepUnsavedWork(msg::kSaveChangesQuestion))
                OpenFile(action->property("path").toString().toStdString(), true);
        return;
    }
    switch (number) {
    case kNew:
        FileNew(false);
        return;
    case kOpen: {
        if (!KeepUnsavedWork(msg::kSaveChangesQuestion))
            return;
        CDlgFile dialog(true, m_settings, QString(), this);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            OpenFile(dialog.selectedFiles().first().toStdString());
        return;
    }
    case kSave:
        SaveFile();
        return;
    case kSaveAs:
        SaveAsWithDialog();
        return;
    case kExit:
        close();
        return;
    case kRead:
        if (KeepUnsavedWork(msg::kSaveChangesQuestion))
            TransferCommand(true);
        return;
    case kWrite:
        TransferCommand(false);
        return;
    case kWriteFleet:
        if (auto dialog = MakeFleetDialog())
            dialog->exec();
        return;
    case kCompare:
        if (auto dialog = MakeCompareDialog(); dialog && dialog->exec() == QDialog::Accepted)
            AfterCompare(*dialog);
        return;
    case kPort:
        PortCommand();
        return;
    case kUpdateMemory:
        UpdateMemoryData();
        return;
    case kModel: {
        CDlgModel dialog(m_settings, m_data.Identity(), this);
        if (dialog.exec() == QDialog::Accepted)
            ChangeModel(dialog.ModelID(), dialog.ModelName(), dialog.FreqRange(), dialog.Signal());
        return;
    }
    case kLanguage: {
        CDlgLanguage dialog(m_settings, this);
        if (dialog.exec() == QDialog::Accepted)
            ChangeLanguage(dialog.LanguageIndex());
        return;
    }
    case kCloseAll:
        CloseAllChildren();
        return;
    case kCloseAllButThis: {
        QMdiSubWindow* active = m_mdi->activeSubWindow();
        for (QMdiSubWindow* window : m_mdi->subWindowList())
            if (window != active)
                window->close();
        return;
    }
    case kTreeBar:
        m_treeDock->setVisible(!m_treeDock->isVisible());
        return;
    case kLogBar:
        m_logDock->setVisible(!m_logDock->isVisible());
        return;
    case kInvalidBar:
        m_invalidDock->setVisible(!m_invalidDock->isVisible());
        return;
    case kHelp:
        m_help->ShowTopic({});
        return;
    case kUndo:
        m_undo->Undo();
        return;
    case kImportChannels:
        StoreOpenViews();
        if (ImportChannelsCommand(this, m_data, m_settings)) {
            // The channel table changed under the windows: they open again on it.
            const auto reopen = OpenItems();
            CloseAllChildren();
            Rebuild();
            Reopen(reopen);
            m_undo->Record();
        }
        return;
    case kExportChannels:
        StoreOpenViews();
        ExportChannelsCommand(this, m_data, m_settings);
        return;
    case kOpenBackupFolder:
        OpenBackupFolder(this, m_settings);
        return;
    case kPrint:
        StoreOpenViews();
        m_print->Print();
        return;
    case kPrintPreview:
        StoreOpenViews();
        m_print->PrintPreview();
        return;
    case kPrintSetup:
        m_print->PrintSetup();
        return;
    case kExportPdf:
        StoreOpenViews();
        m_print->ExportPdf(PdfPathBeside(m_session.CurrentPath()));
        return;
    case kSerialTrace: {
        CDlgSerialTrace trace(m_settings, ProgramTrace(), this);
        trace.exec();
        return;
    }
    case kRedo:
        m_undo->Redo();
        return;
    case kAdjustment:
    case kBaseBand:
    case kFactoryMode:
    case kWriteTuneData:
        FactoryCommand(number);
        return;
    case kAbout: {
        CDlgAbout about(m_settings, m_data.Identity(), this);
        about.exec();
        return;
    }
    case kTabBar:
        m_mdi->setViewMode(m_mdi->viewMode() == QMdiArea::TabbedView ? QMdiArea::SubWindowView : QMdiArea::TabbedView);
        return;
    default:
        if (number >= item::kRadio && number <= command::kLastItemCommand)
            OpenItem(ItemOfCommand(number));
        return;
    }
}

void CMainFrame::UpdateMemoryData()
{
    m_session.RebuildImage();
    for (CChildFrame* child : OpenChildren()) {
        if (auto* watch = qobject_cast<CDataWatchView*>(child->View())) {
            watch->Refresh();
            m_mdi->setActiveSubWindow(child);
        }
    }
}

void CMainFrame::ChangeModel(const std::string& modelId, const std::string& modelName, const std::string& range,
                             int signal)
{
    CDocumentIdentity& identity = m_data.Identity();
    const bool sameIdentity = modelId == identity.modelId && range == identity.freqRange && signal == identity.signal;
    if (sameIdentity && modelName == identity.modelName)
        return;
    if (sameIdentity) {
        // A new name alone keeps the codeplug.
        identity.modelName = modelName;
        m_settings.RememberModel(identity);
        m_settings.WriteChoices();
        CloseAllChildren();
        m_tree->SetRootText(Q(modelName));
        RefreshStatusBar();
        return;
    }
    if (!KeepUnsavedWork(msg::kSaveChangesQuestion))
        return;
    CloseAllChildren();
    m_session.SetIdentity({modelId, modelName, range, signal, CSettings::kProgramVersion});
    m_settings.WriteChoices();
    m_session.LoadDefaultImage();
    m_simulated->Clear();
    Relocalise();
    Loaded();
}

void CMainFrame::ChangeLanguage(int index)
{
    // The codeplug, its file, its unsaved edits and the undo history stay; the
    // windows that were open come back on the same records in the new language.
    StoreOpenViews();
    auto reopen = OpenItems();
    if (const auto* active = qobject_cast<const CChildFrame*>(m_mdi->activeSubWindow()))
        reopen.emplace_back(active->ItemNumber(), PositionOf(active));
    CloseAllChildren();
    m_settings.SelectLanguage(index);
    Relocalise();
    UpdateTitle();
    Reopen(reopen);
}

std::vector<std::pair<int, int>> CMainFrame::OpenItems() const
{
    std::vector<std::pair<int, int>> items;
    for (const CChildFrame* child : OpenChildren())
        items.emplace_back(child->ItemNumber(), PositionOf(child));
    return items;
}

void CMainFrame::Reopen(const std::vector<std::pair<int, int>>& items)
{
    // A record that is gone after the restore shows the first of its kind.
    for (const auto& [number, position] : items)
        OpenItem(number, position);
}

void CMainFrame::Loaded()
{
    m_undo->Reset();
    UpdateUndoActions();
}

void CMainFrame::UpdateUndoActions()
{
    if (QAction* undo = m_menus.Action(command::kUndo))
        undo->setEnabled(m_undo->CanUndo());
    if (QAction* redo = m_menus.Action(command::kRedo))
        redo->setEnabled(m_undo->CanRedo());
}

std::unique_ptr<sim::CSimRadio> CMainFrame::MakeSimulatedRadio() const
{
    // A radio of the current model and range holding the current codeplug.
    sim::CSimIdentity identity;
    const CDocumentIdentity& document = m_data.Identity();
    identity.modelName = document.modelName;
    identity.modelId = m_settings.GetModelText(msg::kAcceptedModelId);
    identity.range = sim::CSimIdentity::RangeBlock(m_ranges.FlagsOf(document.freqRange), document.LowerLimit(),
                                                   document.UpperLimit());
    auto radio = std::make_unique<sim::CSimRadio>(identity);
    Image image{};
    m_data.StoreToImage(image);
    radio->Memory() = image;
    return radio;
}

sim::CSimRadio& CMainFrame::SimulatedRadio(int number)
{
    return m_simulated->Radio(number);
}

CPortChoice CMainFrame::Ports() const
{
    CPortChoice choice{m_settings.PortName, SerialPortNames()};
    if (m_settings.PortName == kSimulatedPortName)
        choice.listed.clear();
    return choice;
}

std::unique_ptr<CDlgTransfer> CMainFrame::MakeTransferDialog(bool read)
{
    auto link = m_context->MakeLink();
    auto dialog = std::make_unique<CDlgTransfer>(read ? CDlgTransfer::Direction::Read : CDlgTransfer::Direction::Write,
                                                 std::move(link), m_settings, m_session, Ports(), this);
    dialog->SetBeforeLoad([this] { CloseAllChildren(); });
    return dialog;
}

void CMainFrame::AfterTransfer(bool read, bool ok)
{
    if (!ok) {
        if (read)
            Rebuild(); // a failed read may have put the previous range back
        return;
    }
    if (read) {
        Rebuild();
        Loaded();
        return;
    }
    for (CChildFrame* child : OpenChildren())
        if (auto* radio = qobject_cast<CViewRadio*>(child->View()))
            radio->LoadControls();
    RefreshStatusBar();
}

std::unique_ptr<CDlgFleetWrite> CMainFrame::MakeFleetDialog()
{
    // Nothing is sent while the data checks find errors.
    if (const CFileResult prepared = m_session.PrepareImage(); !prepared.ok) {
        ShowFileResult(prepared);
        return nullptr;
    }
    const CDocumentIdentity& identity = m_data.Identity();
    return std::make_unique<CDlgFleetWrite>(
        m_settings, CFleetRun::CCodeplug{identity, m_ranges.FlagsOf(identity.freqRange), m_data.GetImage()},
        ListSerialPorts(true), [this](int number) -> sim::CSimRadio& { return SimulatedRadio(number); }, this);
}

std::unique_ptr<CDlgTransfer> CMainFrame::MakeCompareDialog()
{
    // The codeplug compared is the one a write would send.
    if (const CFileResult prepared = m_session.PrepareImage(); !prepared.ok) {
        ShowFileResult(prepared);
        return nullptr;
    }
    auto dialog = MakeTransferDialog(true);
    dialog->SetCompareOnly();
    return dialog;
}

void CMainFrame::AfterCompare(const CDlgTransfer& dialog)
{
    const CTransferJob& job = dialog.Job();
    ShowComparison(this, m_settings,
                   ComparisonLines(m_settings, m_data.Identity(), job.Transfer().RadioRange(), job.ReadImage(),
                                   m_data.GetImage()));
}

void CMainFrame::TransferCommand(bool read)
{
    if (!read) {
        // Nothing is sent while the data checks find errors.
        if (const CFileResult prepared = m_session.PrepareImage(); !prepared.ok) {
            ShowFileResult(prepared);
            return;
        }
    }
    auto dialog = MakeTransferDialog(read);
    const bool ok = dialog->exec() == QDialog::Accepted;
    AfterTransfer(read, ok);
}

void CMainFrame::PortCommand()
{
    CDlgPort dialog(m_settings, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_settings.PortName = dialog.PortName();
    m_settings.ComPort = dialog.PortNumber();
    m_settings.WriteChoices();
    RefreshStatusBar();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Closing while the preview is up closes the preview only.
    if (m_print->PreviewRunning()) {
        event->ignore();
        return;
    }
    if (!KeepUnsavedWork(msg::kExitQuestion)) {
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace qrv
