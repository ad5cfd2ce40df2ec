#include "gui/app/CMainFrame.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <map>

#include "gui/app/CChildFrame.h"
#include "gui/app/MdiWindows.h"
#include "gui/app/COndrelApp.h"
#include "gui/app/COutputFrame.h"
#include "gui/app/ChartSession.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandText.h"
#include "gui/app/ToolbarLayout.h"
#include "gui/app/Toolbars.h"
#include "gui/app/ViewWindows.h"
#include "gui/app/WindowPlacement.h"
#include "core/model/views/ChartViewState.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"
#include "core/model/CTarvekDoc.h"
#include "gui/views/chart/CTarvekView.h"
#include "gui/views/text/CChrtText.h"
#include "gui/views/output/CGraphBase.h"
#include "gui/views/output/CListBase.h"

namespace ondrel::gui {
namespace {

// Buttons 23 pixels square (a 21-pixel image in a 1-pixel frame that shows on hover and
// while pressed; a checked button's frame takes the highlight colour, as its icon's ring does), so that the first-start rows, laid out at 23 pixels a button,
// show every button without an extension menu.
constexpr int kBarImageSide = 21;
constexpr int kBarButtonSide = 23;
const QString kCompactBarStyle = QStringLiteral(
    "QToolBar { spacing: 0px; padding: 0px; }"
    "QToolButton { padding: 0px; margin: 0px; border: 1px solid transparent; border-radius: 2px; }"
    "QToolButton:hover { border-color: palette(mid); background: palette(light); }"
    "QToolButton:pressed { border-color: palette(dark); background: palette(midlight); }"
    "QToolButton:checked { border-color: palette(highlight); background: palette(highlight); }");

constexpr int kFirstStartWidth = 800;
constexpr int kFirstStartHeight = 600;
const QString kIdleMessage = QStringLiteral("Ready");

}  // namespace

CMainFrame::CMainFrame(COndrelApp& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName("MainFrame");
    setWindowTitle(QString::fromStdString(LoadString(cmd::kMainTitleString)));
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
    resize(kFirstStartWidth, kFirstStartHeight);
    mdi_ = new QMdiArea;
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { RefreshCommandStates(); });

    statusBar()->showMessage(kIdleMessage);
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty()) statusBar()->showMessage(IdleStatusText());
    });
    CreateActions();
    CreateToolbars();
    CreateMenus();
    ConnectCommands();
    ShowMenus(false);
    RefreshCommandStates();
}

CMainFrame::~CMainFrame() {
    // The charts' windows go while the frame is still whole.
    for (CDocumentFrame* frame : Windows()) delete frame;
}

QAction* CMainFrame::Action(int commandId) const { return actions_.value(commandId, nullptr); }
QToolBar* CMainFrame::Toolbar(int barId) const { return toolbars_.value(barId, nullptr); }

void CMainFrame::CreateToolbars() {
    for (const ToolbarDefinition& def : ToolbarDefinitions()) {
        auto* bar = new QToolBar(QString::fromLatin1(def.caption), this);
        bar->setObjectName(QStringLiteral("Bar%1").arg(def.barId));
        bar->setIconSize(QSize(kBarImageSide, kBarImageSide));
        bar->setStyleSheet(kCompactBarStyle);
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        for (int id : def.buttons) {
            if (id == 0)
                bar->addSeparator();
            else if (QAction* action = Action(id))
                bar->addAction(action);
        }
        // The style would add its own margins around the image; the button keeps to its square.
        for (QAction* action : bar->actions()) {
            if (action->isSeparator()) continue;
            if (QWidget* button = bar->widgetForAction(action))
                button->setFixedSize(kBarButtonSide, kBarButtonSide);
        }
        toolbars_.insert(def.barId, bar);
        // The View menu item of a bar is its show/hide toggle, with the bar's prompt.
        QAction* toggle = bar->toggleViewAction();
        toggle->setStatusTip(PromptOf(def.barId));
        toggle->setToolTip(ToolTipOf(def.barId));
        actions_.insert(def.barId, toggle);
    }
    static const QMap<int, const char*> kToggleTexts{
        {cmd::kViewToolbar, "&Toolbar"},        {cmd::kViewDisplayBar, "&Display"},
        {cmd::kViewMathBar, "&Math"},           {cmd::kViewTranscendentalBar, "T&ranscendental"},
        {cmd::kViewTimeBar, "T&ime"},           {cmd::kViewLogicBar, "&Logic"},
        {cmd::kViewGeneratorsBar, "&Generators"}, {cmd::kViewNonLinearBar, "&Non-linear"},
        {cmd::kViewMiscellaneousBar, "Mis&cellaneous"},
    };
    for (auto it = kToggleTexts.begin(); it != kToggleTexts.end(); ++it)
        actions_[it.key()]->setText(QString::fromLatin1(it.value()));
    ApplyDefaultBarLayout(width());
}

void CMainFrame::ApplyDefaultBarLayout(int windowWidth) {
    for (QToolBar* bar : toolbars_) removeToolBar(bar);
    int row = -1;
    for (const BarPlacement& place : DefaultToolbarLayout(windowWidth)) {
        QToolBar* bar = Toolbar(place.barId);
        if (row >= 0 && place.row != row) addToolBarBreak(Qt::TopToolBarArea);
        row = place.row;
        addToolBar(Qt::TopToolBarArea, bar);
        bar->show();
    }
}

void CMainFrame::LoadBarState() {
    const std::string saved = Profile().GetString(kBarStateSection, kBarStateKey, "");
    if (saved.empty()) {
        ApplyDefaultBarLayout(width());
        return;
    }
    const QByteArray state = QByteArray::fromBase64(QByteArray::fromStdString(saved));
    if (!restoreState(state)) ApplyDefaultBarLayout(width());
}

void CMainFrame::SaveBarState() {
    Profile().WriteString(kBarStateSection, kBarStateKey, saveState().toBase64().toStdString());
}

std::vector<CChildFrame*> CMainFrame::Frames() const {
    std::vector<CChildFrame*> frames;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = qobject_cast<CChildFrame*>(w)) frames.push_back(frame);
    return frames;
}

std::vector<CDocumentFrame*> CMainFrame::Windows() const {
    std::vector<CDocumentFrame*> frames;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* frame = qobject_cast<CDocumentFrame*>(w)) frames.push_back(frame);
    return frames;
}

std::vector<CDocumentFrame*> CMainFrame::FramesOf(const ChartSession& session) const {
    std::vector<CDocumentFrame*> frames;
    for (CDocumentFrame* frame : Windows())
        if (&frame->Session() == &session) frames.push_back(frame);
    return frames;
}

CChildFrame* CMainFrame::ActiveFrame() const {
    return qobject_cast<CChildFrame*>(mdi_->currentSubWindow());
}

CDocumentFrame* CMainFrame::ActiveWindow() const {
    return qobject_cast<CDocumentFrame*>(mdi_->currentSubWindow());
}

ChartSession* CMainFrame::ActiveSession() const {
    CDocumentFrame* frame = ActiveWindow();
    return frame != nullptr ? &frame->Session() : nullptr;
}

CTarvekView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveFrame();
    return frame != nullptr ? frame->ActiveView() : nullptr;
}

CChrtText* CMainFrame::ActiveTextView() const {
    auto* frame = qobject_cast<COutputFrame*>(ActiveWindow());
    IOutputPane* pane = frame != nullptr ? frame->ActivePane() : nullptr;
    return pane != nullptr ? dynamic_cast<CChrtText*>(pane) : nullptr;
}

CGraphBase* CMainFrame::ActiveGraph() const {
    auto* frame = dynamic_cast<COutputFrame*>(ActiveWindow());
    return frame != nullptr ? dynamic_cast<CGraphBase*>(frame->ActivePane()) : nullptr;
}

CDocumentFrame* CMainFrame::OpenView(ChartSession& session, ViewState& state, bool newView) {
    CDocumentFrame* frame = MakeViewWindow(session, state);
    if (frame == nullptr) {
        CommandFailed();
        return nullptr;
    }
    frame->setAttribute(Qt::WA_DeleteOnClose);
    mdi_->addSubWindow(frame);
    connect(frame, &CDocumentFrame::CloseRequested, this, &CMainFrame::OnFrameClose);
    if (auto* chart = qobject_cast<CChildFrame*>(frame))
        connect(chart, &CChildFrame::EditStateChanged, this, &CMainFrame::RefreshCommandStates);
    ChartSession* owner = &session;
    connect(frame, &QObject::destroyed, this, [this, owner] { OnFrameDestroyed(owner); });
    ShowNewSubWindow(*mdi_, *frame,
                     qobject_cast<CChildFrame*>(frame) != nullptr ? NewWindowSize::FillArea : NewWindowSize::Share);
    // A message about a block shows that block in every chart window of its chart.
    CTarvekDoc* doc = &session.Document();
    doc->blockMessageObserver = [doc](const CBlock& block) {
        for (IDocumentView* view : doc->Views())
            if (auto* chart = dynamic_cast<CTarvekView*>(view)) chart->ShowBlock(const_cast<CBlock*>(&block));
    };
    frame->OnInitialUpdate(newView);
    mdi_->setActiveSubWindow(frame);
    RefreshCaptions();
    RefreshCommandStates();
    return frame;
}

CListBase* CMainFrame::ActiveList() const {
    auto* frame = qobject_cast<COutputFrame*>(mdi_->currentSubWindow());
    return frame != nullptr ? dynamic_cast<CListBase*>(frame->ActivePane()) : nullptr;
}

CChildFrame* CMainFrame::OpenChartView(ChartSession& session, ChartViewState& state) {
    return qobject_cast<CChildFrame*>(OpenView(session, state, true));
}

void CMainFrame::CloseFramesOf(const ChartSession& session) {
    for (CDocumentFrame* frame : FramesOf(session)) delete frame;
}

// Only the chart's last window asks about unsaved changes; the others just close.
void CMainFrame::OnFrameClose(CDocumentFrame* frame, bool* allowed) {
    ChartSession& session = frame->Session();
    *allowed = FramesOf(session).size() > 1 || app_.SaveModified(session);
}

void CMainFrame::OnFrameDestroyed(ChartSession* session) {
    // The dying frame no longer counts among the frames.
    if (FramesOf(*session).empty()) {
        app_.ForgetSession(session);
        return;
    }
    RefreshCaptions();
    RefreshCommandStates();
}

void CMainFrame::RefreshCaptions() {
    std::map<const ChartSession*, int> counts;
    for (CDocumentFrame* frame : Windows()) ++counts[&frame->Session()];
    std::map<const ChartSession*, int> numbers;
    for (CDocumentFrame* frame : Windows()) {
        const ChartSession* s = &frame->Session();
        frame->SetWindowNumber(counts[s] > 1 ? ++numbers[s] : 0);
    }
    QString title = QString::fromStdString(LoadString(cmd::kMainTitleString));
    if (CDocumentFrame* active = ActiveWindow()) title += QStringLiteral(" - ") + active->Caption();
    setWindowTitle(title);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!app_.SaveAllModified()) {
        event->ignore();
        return;
    }
    SaveBarState();
    SavePlacement(*this);
    for (CDocumentFrame* frame : Windows()) delete frame;
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

// Each file dropped opens as a chart.
void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    activateWindow();
    for (const QUrl& url : urls)
        if (url.isLocalFile()) app_.OpenChart(url.toLocalFile());
}

void CMainFrame::CommandFailed() { ShowMessage(LoadString(cmd::kCommandFailedString), LoadString(cmd::kAppTitleString)); }

}  // namespace ondrel::gui
