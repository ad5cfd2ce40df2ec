#include "gui/app/CChildFrame.h"


#include "gui/app/ChartSession.h"
#include "gui/app/PaneGrid.h"
#include "gui/help/HelpPages.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/ChartViewState.h"
#include "gui/views/chart/CTarvekView.h"

namespace ondrel::gui {

CChildFrame::CChildFrame(ChartSession& session, ChartViewState& state, QWidget* parent)
    : CDocumentFrame(session, parent), session_(session) {
    grid_ = new PaneGrid(kMaxRows, kMaxColumns, MakePane(state));
    connect(grid_, &PaneGrid::PaneShut, this, &CChildFrame::RemovePane);
    setWidget(grid_);
    RefreshCaption();
}

// The panes go first: each view detaches from the document, then its record is dropped.
CChildFrame::~CChildFrame() {
    for (CTarvekView* view : Views()) {
        const ChartViewState* state = &view->State();
        delete view;
        session_.ForgetState(state);
    }
}

CTarvekView* CChildFrame::MakePane(ChartViewState& state) {
    auto* view = new CTarvekView(session_.Document(), state);
    connect(view, &CTarvekView::TitleChanged, this, &CChildFrame::RefreshCaption);
    connect(view, &CTarvekView::EditStateChanged, this, &CChildFrame::EditStateChanged);
    ChartSession* session = &session_;
    view->SetCommandSink([session](std::unique_ptr<ChartCommand> command) {
        session->Perform(std::move(command));
    });
    return view;
}

void CChildFrame::OnInitialUpdate(bool) {
    for (CTarvekView* view : Views()) view->OnInitialUpdate();
    RefreshCaption();
}

std::vector<CTarvekView*> CChildFrame::Views() const {
    std::vector<CTarvekView*> views;
    for (QWidget* pane : grid_->Panes())
        if (auto* view = qobject_cast<CTarvekView*>(pane)) views.push_back(view);
    return views;
}

int CChildFrame::PaneCount() const { return static_cast<int>(Views().size()); }

CTarvekView* CChildFrame::TopLeftView() const { return qobject_cast<CTarvekView*>(grid_->TopLeft()); }

CTarvekView* CChildFrame::ActiveView() const { return qobject_cast<CTarvekView*>(grid_->FocusedPane()); }

bool CChildFrame::CanSplit() const { return grid_->CanSplit(); }

bool CChildFrame::Split() {
    CTarvekView* topLeft = TopLeftView();
    if (topLeft == nullptr) return false;
    // The new pane starts from the current look of the top-left pane. Its items may lag
    // behind its members, so an up-to-date copy is taken first.
    CSettingsGroup current;
    current.AssignFrom(topLeft->State().settings);
    const bool split = grid_->Split([&]() -> QWidget* {
        ChartViewState& state = session_.AddChartState();
        state.settings.CopyValuesFrom(current);
        CTarvekView* view = MakePane(state);
        view->OnInitialUpdate();
        return view;
    });
    // Each pane is a chart-view record of the file: one more is a change to save.
    if (split) session_.MarkUnrecordedChange();
    return split;
}

// A pane dragged shut is gone, with its record.
void CChildFrame::RemovePane(QWidget* pane) {
    auto* view = qobject_cast<CTarvekView*>(pane);
    if (view == nullptr) return;
    const ChartViewState* state = &view->State();
    delete view;
    session_.ForgetState(state);
}

void CChildFrame::FocusPane(int step) { grid_->FocusPane(step); }

QString CChildFrame::PaneTitle() const {
    CTarvekView* view = TopLeftView();
    return view != nullptr ? view->CaptionTitle() : QString();
}

int CChildFrame::HelpContext() const { return kHelpChartView; }

}  // namespace ondrel::gui
