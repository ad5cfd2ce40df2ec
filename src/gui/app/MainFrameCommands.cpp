// The main frame's commands: the actions behind menus, bars and accelerators, the two menu
// sets, and what each command does.
#include <QAction>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/COndrelApp.h"
#include "gui/app/ChartSession.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandText.h"
#include "gui/app/MdiWindows.h"
#include "gui/app/Toolbars.h"
#include "gui/app/ViewWindows.h"
#include "core/blocks/BlockCatalogue.h"
#include "gui/dialogs/DebugSettingsDialog.h"
#include "gui/dialogs/ListParametersDialog.h"
#include "gui/dialogs/ModelPropertiesDialog.h"
#include "gui/dialogs/ViewingPropertiesDialog.h"
#include "gui/help/HelpPages.h"
#include "core/engine/RunDriver.h"
#include "core/model/RunEnd.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/ChartViewState.h"
#include "core/platform/Platform.h"
#include "gui/resources/BlockIcons.h"
#include "gui/views/chart/CTarvekView.h"
#include "gui/views/text/CChrtText.h"
#include "gui/views/text/ChartTextOptionsDialog.h"
#include "gui/views/output/CGraphBase.h"
#include "gui/views/output/CListBase.h"
#include "gui/views/output/CSnapshotDlg.h"
#include "gui/views/output/GraphExport.h"
#include "gui/views/output/GraphPropertySheet.h"

namespace ondrel::gui {
namespace {

using namespace cmd;

// The menu texts of the commands that have their own action.
const QMap<int, const char*>& MenuTexts() {
    static const QMap<int, const char*> kTexts{
        {kFileNew, "&New"}, {kFileOpen, "&Open..."}, {kFileClose, "&Close"},
        {kFileSave, "&Save"}, {kFileSaveAs, "Save &As..."}, {kFilePrint, "&Print..."},
        {kFilePrintToFile, "Print to File..."}, {kFilePrintPreview, "Print Pre&view"},
        {kFileSaveReportAs, "Save &Report As..."},
        {kFilePrintSetup, "P&rint Setup..."}, {kFileExport, "&Export..."},
        {kExportGraphData, "Export Graph &Data..."}, {kExportGraphImage, "Export Graph &Image..."}, {kAppExit, "E&xit"},
        {kEditUndo, "&Undo"}, {kEditRedo, "&Redo"},
        {kEditCut, "Cu&t"}, {kEditCopy, "&Copy"}, {kEditPaste, "&Paste"}, {kEditDelete, "&Delete"},
        {kDebugSettings, "&Debugging..."},
        {kViewStatusBar, "&Status Bar"},
        {kViewing, "&Viewing"}, {kRun, "&Run"}, {kInitialize, "&Initialize"},
        {kOpenChartView, "&Chart"}, {kOpenTextView, "&Text"}, {kOpenListView, "&List"},
        {kOpenGraphView, "&Graph"}, {kPreferences, "&Preferences"}, {kSnapshot, "&Snapshot"},
        {kTerminateRun, "&Terminate Run"},
        {kWindowCascade, "&Cascade"}, {kWindowTile, "&Tile"}, {kWindowArrange, "&Arrange Icons"},
        {kWindowSplit, "S&plit"}, {kNextPane, "Next Pane"}, {kPreviousPane, "Previous Pane"},
        {kHelpIndex, "&Index"}, {kHelpUsing, "&Using Help"}, {kContextHelp, "Context &Help"},
        {kHelp, "&Help"}, {kAppAbout, "&About Ondrel..."},
    };
    return kTexts;
}

// Commands whose windows and dialogs come with later parts of the program: shown, but off.
bool NotYetAvailable(int id) {
    static const QList<int> kLater{kMiscellaneousSpare};
    if (id == kOpenTextView) return !HasViewWindow(ViewKind::Text);
    if (id == kOpenGraphView) return !HasViewWindow(ViewKind::Graph);
    return kLater.contains(id);
}

// Commands that need an open chart.
bool NeedsDocument(int id) {
    static const QList<int> kDocument{kFileClose, kFileSave, kFileSaveAs, kRun, kInitialize,
                                      kViewing, kPreferences, kDebugSettings,
                                      kTerminateRun, kOpenChartView, kOpenTextView, kSnapshot,
                                      kOpenListView, kOpenGraphView, kWindowCascade,
                                      kWindowTile, kWindowArrange, kWindowSplit, kNextPane,
                                      kPreviousPane, kExportGraphData, kExportGraphImage};
    return kDocument.contains(id) || FindCatalogueEntryByCommand(id) != nullptr;
}

}  // namespace

QAction* CMainFrame::MakeAction(int commandId, const QString& menuText) {
    auto* action = new QAction(menuText, this);
    action->setStatusTip(PromptOf(commandId));
    action->setToolTip(ToolTipOf(commandId).isEmpty() ? QString(menuText).remove('&')
                                                      : ToolTipOf(commandId));
    action->setShortcuts(AcceleratorsOf(commandId));
    action->setData(commandId);
    addAction(action);  // accelerators work whichever menu is showing
    actions_.insert(commandId, action);
    return action;
}

void CMainFrame::CreateActions() {
    const auto& texts = MenuTexts();
    for (auto it = texts.begin(); it != texts.end(); ++it)
        MakeAction(it.key(), QString::fromLatin1(it.value()));
    for (const ToolbarDefinition& bar : ToolbarDefinitions()) {
        for (int id : bar.buttons) {
            if (id == 0) continue;
            QAction* action = actions_.contains(id) ? Action(id) : nullptr;
            if (action == nullptr) {
                const CatalogueEntry* entry = FindCatalogueEntryByCommand(id);
                action = MakeAction(id, ToolTipOf(id));
                action->setIcon(entry != nullptr ? BlockToolIcon(entry->bitmapId) : CommandIcon(id));
            } else {
                action->setIcon(CommandIcon(id));
            }
        }
    }
    // Accelerator-only block commands (the keypad keys of the group bars).
    for (int id : CommandsWithAccelerators())
        if (!actions_.contains(id) && FindCatalogueEntryByCommand(id) != nullptr)
            MakeAction(id, ToolTipOf(id));
    Action(kRun)->setCheckable(true);
    Action(kTerminateRun)->setCheckable(true);
    Action(kViewStatusBar)->setCheckable(true);
    Action(kViewStatusBar)->setChecked(true);
    // A block tool shows a check mark while the placing it armed waits for its click.
    for (const CatalogueEntry& entry : Catalogue())
        if (QAction* action = Action(entry.commandId)) action->setCheckable(true);
}

void CMainFrame::CreateMenus() {
    auto menu = [this](const char* title, const QList<int>& ids) {
        auto* m = new QMenu(QString::fromLatin1(title), this);
        for (int id : ids) {
            if (id == 0)
                m->addSeparator();
            else if (id == kFileMru1)
                m->addActions(recentActions_);
            else
                m->addAction(Action(id));
        }
        return m;
    };
    for (int i = 0; i < RecentFiles::kSize; ++i) {
        auto* recent = new QAction(this);
        recent->setStatusTip(PromptOf(kFileMru1 + i));
        connect(recent, &QAction::triggered, this, [this, recent] {
            app_.OpenChart(recent->data().toString());
        });
        recentActions_ << recent;
    }
    noDocumentMenus_ = {
        menu("&File", {kFileNew, kFileOpen, 0, kFilePrintSetup, 0, kFileMru1, 0, kAppExit}),
        menu("&View", {kViewToolbar, kViewStatusBar}),
        menu("&Help", {kHelpIndex, kHelpUsing, 0, kAppAbout}),
    };
    // The Window menu lists the open windows each time it opens.
    auto WindowMenu = [this](QMenu* windowMenu) {
        connect(windowMenu, &QMenu::aboutToShow, this, [this, windowMenu] { ListWindowsInMenu(*mdi_, *windowMenu); });
        return windowMenu;
    };
    documentMenus_list_ = {
        menu("&File", {kFileNew, kFileOpen, kFileClose, kFileSave, kFileSaveAs, kFileSaveReportAs,
                       0, kFilePrint, kFilePrintToFile, kFilePrintPreview, kFilePrintSetup, kFileExport,
                       0, kExportGraphData, kExportGraphImage, 0, kFileMru1, 0, kAppExit}),
        menu("&Edit", {kEditUndo, kEditRedo, 0, kEditCut, kEditCopy, kEditPaste, kEditDelete}),
        menu("&View", {kViewToolbar, kViewStatusBar, 0, kViewDisplayBar, kViewMathBar,
                       kViewTranscendentalBar, kViewTimeBar, kViewLogicBar, kViewGeneratorsBar,
                       kViewNonLinearBar, kViewMiscellaneousBar}),
        menu("&Options", {kViewing, kRun, kInitialize, 0, kOpenChartView, kOpenTextView,
                          kOpenListView, kOpenGraphView, 0, kPreferences, kDebugSettings,
                          kSnapshot}),
        WindowMenu(menu("&Window", {kWindowCascade, kWindowTile, kWindowArrange, kWindowSplit})),
        menu("&Help", {kHelpIndex, kHelpUsing, kContextHelp, 0, kAppAbout}),
    };
}

void CMainFrame::ShowMenus(bool documentOpen) {
    if (documentOpen == documentMenus_ && !menuBar()->actions().isEmpty()) return;
    documentMenus_ = documentOpen;
    menuBar()->clear();
    for (QMenu* m : documentOpen ? documentMenus_list_ : noDocumentMenus_) menuBar()->addMenu(m);
}

void CMainFrame::RefreshRecentFiles() {
    const auto& paths = app_.Recent().Paths();
    for (int i = 0; i < recentActions_.size(); ++i) {
        QAction* recent = recentActions_[i];
        const bool used = static_cast<std::size_t>(i) < paths.size();
        recent->setVisible(used);
        if (!used) continue;
        const QString path = QString::fromStdString(paths[static_cast<std::size_t>(i)]);
        recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
        recent->setData(path);
    }
}

void CMainFrame::RefreshCommandStates() {
    ChartSession* session = ActiveSession();
    const bool hasDocument = session != nullptr;
    ShowMenus(hasDocument);
    for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        const int id = it.key();
        if (FindToolbar(id) != nullptr || id == kViewStatusBar) continue;  // bar toggles
        it.value()->setEnabled(!NotYetAvailable(id) && (!NeedsDocument(id) || hasDocument));
    }
    CDocumentFrame* frame = ActiveWindow();
    Action(kWindowSplit)->setEnabled(frame != nullptr && frame->CanSplit());
    const bool printable = ActivePrintable() != nullptr;
    Action(kFilePrint)->setEnabled(printable);
    Action(kFilePrintPreview)->setEnabled(printable);
    Action(kFileExport)->setEnabled(printable);
    const bool running = hasDocument && session->Document().IsRunning();
    Action(kRun)->setChecked(running);
    Action(kTerminateRun)->setChecked(running);
    RefreshEditStates(session);
    RefreshCaptions();
}

// Undo and Redo name the change they take back; the Edit commands and the block tools follow
// the active chart view's editing state, the graph commands the active graph window.
void CMainFrame::RefreshEditStates(ChartSession* session) {
    QUndoStack* stack = session != nullptr ? &session->UndoStack() : nullptr;
    const bool canUndo = stack != nullptr && stack->canUndo();
    const bool canRedo = stack != nullptr && stack->canRedo();
    Action(kEditUndo)->setEnabled(canUndo);
    Action(kEditUndo)->setText(canUndo ? tr("&Undo %1").arg(stack->undoText()) : tr("&Undo"));
    Action(kEditRedo)->setEnabled(canRedo);
    Action(kEditRedo)->setText(canRedo ? tr("&Redo %1").arg(stack->redoText()) : tr("&Redo"));
    CTarvekView* view = ActiveView();
    const bool selected = view != nullptr && view->CanCopy();
    // A list or graph window copies the samples it shows, a text window its report.
    const bool text = ActiveTextView() != nullptr;
    const bool graph = ActiveGraph() != nullptr;
    Action(kEditCopy)->setEnabled(selected || text || ActiveList() != nullptr || graph);
    Action(kFileSaveReportAs)->setEnabled(text);
    Action(kFilePrintToFile)->setEnabled(ActiveList() != nullptr);
    Action(kExportGraphData)->setEnabled(graph);
    Action(kExportGraphImage)->setEnabled(graph);
    Action(kEditCut)->setEnabled(selected);
    Action(kEditDelete)->setEnabled(selected);
    Action(kEditPaste)->setEnabled(view != nullptr && view->CanPaste());
    const int placing = view != nullptr ? view->PlacingCommand() : 0;
    for (const CatalogueEntry& entry : Catalogue())
        if (QAction* action = Action(entry.commandId)) action->setChecked(entry.commandId == placing);
    // What a click will do now stays in the status bar until the editing state changes.
    const QString guidance = view != nullptr ? view->GuidanceText() : QString();
    if (guidance != shownGuidance_) {
        shownGuidance_ = guidance;
        statusBar()->showMessage(IdleStatusText());
    }
}

QString CMainFrame::IdleStatusText() const {
    const CTarvekView* view = ActiveView();
    const QString guidance = view != nullptr ? view->GuidanceText() : QString();
    return guidance.isEmpty() ? QStringLiteral("Ready") : guidance;
}

void CMainFrame::ConnectCommands() {
    auto on = [this](int id, auto handler) {
        connect(Action(id), &QAction::triggered, this, handler);
    };
    on(kFileNew, [this] { app_.NewChart(); });
    on(kFileOpen, [this] { app_.OnFileOpen(); });
    on(kFileClose, [this] { if (ChartSession* s = ActiveSession()) app_.CloseChart(*s); });
    on(kFileSave, [this] { if (ChartSession* s = ActiveSession()) app_.SaveChart(*s, false); });
    on(kFileSaveAs, [this] { if (ChartSession* s = ActiveSession()) app_.SaveChart(*s, true); });
    on(kAppExit, [this] { close(); });
    on(kFilePrint, [this] { OnPrint(); });
    on(kFilePrintPreview, [this] { OnPrintPreview(); });
    on(kFilePrintSetup, [this] { OnPrintSetup(); });
    on(kFileExport, [this] { OnExport(); });
    on(kViewStatusBar, [this](bool shown) { statusBar()->setVisible(shown); });
    on(kRun, [this] { OnRun(); });
    on(kSnapshot, [this] { OnSnapshot(); });
    on(kInitialize, [this] { OnInitialize(); });
    on(kTerminateRun, [this] {
        if (ChartSession* s = ActiveSession()) s->Document().OnTerminateRun();
    });
    on(kOpenChartView, [this] { OnOpenNewView(ViewKind::Chart); });
    on(kOpenListView, [this] { OnOpenNewView(ViewKind::List); });
    on(kOpenGraphView, [this] { OnOpenNewView(ViewKind::Graph); });
    on(kOpenTextView, [this] { OnOpenNewView(ViewKind::Text); });
    on(kPreferences, [this] { OnPreferencesCommand(); });
    on(kDebugSettings, [this] {
        if (ChartSession* s = ActiveSession()) OnDebugSettings(s->Document(), this);
    });
    on(kEditUndo, [this] { if (ChartSession* s = ActiveSession()) s->UndoStack().undo(); });
    on(kEditRedo, [this] { if (ChartSession* s = ActiveSession()) s->UndoStack().redo(); });
    on(kEditCopy, [this] {
        if (CListBase* list = ActiveList()) list->CopyToClipboard();
        else if (CGraphBase* g = ActiveGraph()) g->CopyToClipboard();
        else if (CTarvekView* v = ActiveView()) v->Copy();
        else if (CChrtText* t = ActiveTextView()) t->CopyToClipboard();
    });
    on(kFileSaveReportAs, [this] { if (CChrtText* t = ActiveTextView()) t->SaveReportAs(); });
    on(kFilePrintToFile, [this] { if (CListBase* list = ActiveList()) list->PrintToFile(); });
    on(kExportGraphData, [this] { OnExportGraphData(); });
    on(kExportGraphImage, [this] { OnExportGraphImage(); });
    on(kEditCut, [this] { if (CTarvekView* v = ActiveView()) v->Cut(); });
    on(kEditPaste, [this] { if (CTarvekView* v = ActiveView()) v->Paste(); });
    on(kEditDelete, [this] { if (CTarvekView* v = ActiveView()) v->DeleteSelected(); });
    on(kViewing, [this] { OnViewingCommand(); });
    on(kWindowCascade, [this] { mdi_->cascadeSubWindows(); });
    on(kWindowTile, [this] { mdi_->tileSubWindows(); });
    on(kWindowArrange, [this] { mdi_->cascadeSubWindows(); });
    on(kWindowSplit, [this] {
        if (CDocumentFrame* f = ActiveWindow()) f->Split();
        RefreshCommandStates();
    });
    on(kNextPane, [this] { if (CDocumentFrame* f = ActiveWindow()) f->FocusPane(1); });
    on(kPreviousPane, [this] { if (CDocumentFrame* f = ActiveWindow()) f->FocusPane(-1); });
    on(kAppAbout, [this] { OnAbout(); });
    for (int id : {kHelpIndex, kHelpUsing, kContextHelp, kHelp})
        on(id, [this, id] { OnHelp(id); });
    for (const CatalogueEntry& entry : Catalogue()) {
        const int id = entry.commandId;
        if (QAction* action = Action(id))
            connect(action, &QAction::triggered, this, [this, id] { OnBlockTool(id); });
    }
}

void CMainFrame::Execute(int commandId) {
    if (QAction* action = Action(commandId)) action->trigger();
}

// Options > Chart, Text, List, Graph: one more window of that kind on the active chart. The
// chart counts as changed, since the new window is saved with it.
void CMainFrame::OnOpenNewView(ViewKind kind) {
    ChartSession* session = ActiveSession();
    if (session == nullptr || !HasViewWindow(kind)) {
        CommandFailed();
        return;
    }
    ViewState& state = session->AddState(kind);
    session->MarkUnrecordedChange();
    if (OpenView(*session, state, true) == nullptr) session->ForgetState(&state);
}

// Options > Preferences: the model's settings and title, for the active chart.
void CMainFrame::OnPreferencesCommand() {
    ChartSession* session = ActiveSession();
    if (session == nullptr) return;
    if (auto edit = RunModelProperties(session->Document(), this))
        session->Perform(MakeModelSettingsCommand(std::move(*edit)));
    RefreshCommandStates();
}

// Options > Viewing: the look of the active chart window (applying changes the connectors'
// lanes, so every connector is routed again), or the options of the active text window; the
// window's caption follows its title.
void CMainFrame::OnViewingCommand() {
    ChartSession* session = ActiveSession();
    if (CListBase* list = ActiveList(); list != nullptr && session != nullptr) {
        OnListParameters(list->Document(), list->List(), this, [list, session](ListSettingsEdit&& edit) {
            session->Perform(MakeListSettingsCommand(list->List(), std::move(edit)));
        });
        RefreshCommandStates();
        return;
    }
    if (CGraphBase* graph = ActiveGraph(); graph != nullptr && session != nullptr) {
        OnGraphViewing(*graph, *session);
        return;
    }
    if (CChrtText* text = ActiveTextView(); text != nullptr && session != nullptr) {
        TextViewState& state = text->Text();
        OnTextViewParameters(text->Document(), state, this, [&state, session](TextOptionsEdit&& edit) {
            session->Perform(MakeTextOptionsCommand(state, std::move(edit)));
        });
        RefreshCommandStates();
        return;
    }
    CTarvekView* view = ActiveView();
    if (view == nullptr || session == nullptr) return;
    OnViewParameters(view->Document(), view->State(), this, [view, session](ViewSettingsEdit&& edit) {
        session->Perform(MakeViewSettingsCommand(view->State(), std::move(edit)));
    });
    RefreshCommandStates();
}

// Options > Snapshot: the chart's Snapshot window, made when it has none.
void CMainFrame::OnSnapshot() {
    ChartSession* session = ActiveSession();
    if (session == nullptr) return;
    QDialog* window = session->SnapshotWindow();
    if (window == nullptr) {
        window = new CSnapshotDlg(session->Document(), this);
        session->SetSnapshotWindow(window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

namespace {

// A run or Initialize replaced the samples: the Snapshot window, if open, shows the new ones.
// It is told here rather than on every refresh of the chart, where a slider position the user
// has not applied yet would jump back after an unrelated edit.
void ShowNewSamples(ChartSession& session) {
    if (auto* snapshot = qobject_cast<CSnapshotDlg*>(session.SnapshotWindow())) snapshot->Refresh();
}

}  // namespace

void CMainFrame::OnRun() {
    ChartSession* session = ActiveSession();
    if (session == nullptr || session->Document().IsRunning()) return;
    Action(kRun)->setChecked(true);
    Action(kTerminateRun)->setChecked(true);
    RunChart(session->Document());
    session->MarkUnrecordedChange();
    ShowNewSamples(*session);
    RefreshCommandStates();
    // Why the run ended stays in the status bar until the next message.
    if (const std::string ended = RunEndText(session->Document().LastRunEnd()); !ended.empty())
        statusBar()->showMessage(QString::fromStdString(ended));
}

void CMainFrame::OnInitialize() {
    ChartSession* session = ActiveSession();
    if (session == nullptr || session->Document().IsRunning()) return;
    InitializeChart(session->Document());
    session->MarkUnrecordedChange();
    ShowNewSamples(*session);
    RefreshCommandStates();
}

// A block tool: the active chart view waits for a click on the grid to place the block.
void CMainFrame::OnBlockTool(int commandId) {
    if (CTarvekView* view = ActiveView()) {
        view->StartPlacing(commandId);
        view->setFocus(Qt::OtherFocusReason);
    }
    RefreshCommandStates();
}

void CMainFrame::OnHelp(int commandId) {
    IHelp* help = Platform().help;
    if (help == nullptr) return;
    const bool forWindow = commandId == kHelp || commandId == kContextHelp;
    CDocumentFrame* window = ActiveWindow();
    help->ShowHelp(forWindow && window != nullptr ? window->HelpContext() : kHelpContents);
}

void CMainFrame::OnAbout() { app_.ShowAbout(); }

}  // namespace ondrel::gui

namespace ondrel::gui {

// Options > Viewing on a graph window: the property sheet; its OK is one undoable change.
void CMainFrame::OnGraphViewing(CGraphBase& graph, ChartSession& session) {
    OnGraphProperties(graph.Document(), graph.Graph(), this, [&graph, &session](const GraphSheetValues& values) {
        session.Perform(MakeGraphPropertiesCommand(graph.Document(), graph.Graph(), values));
    });
    RefreshCommandStates();
}

void CMainFrame::OnExportGraphData() {
    if (CGraphBase* graph = ActiveGraph()) ExportGraphData(*graph, this);
}

void CMainFrame::OnExportGraphImage() {
    if (CGraphBase* graph = ActiveGraph()) ExportGraphImage(*graph, this);
}

}  // namespace ondrel::gui
