#include "gui/app/COutputFrame.h"

#include <algorithm>

#include "gui/app/ChartSession.h"
#include "gui/app/PaneGrid.h"
#include "gui/app/ViewWindows.h"
#include "gui/views/output/OutputPane.h"

namespace ondrel::gui {

COutputFrame::COutputFrame(ChartSession& session, ViewState& state, const OutputViewEntry& entry,
                           QWidget* parent)
    : CDocumentFrame(session, parent), entry_(entry) {
    grid_ = new PaneGrid(entry_.maxRows, entry_.maxColumns, MakePane(state));
    connect(grid_, &PaneGrid::PaneShut, this, &COutputFrame::RemovePane);
    setWidget(grid_);
    RefreshCaption();
}

// The panes go first: each view detaches from the document, then its state is retired.
COutputFrame::~COutputFrame() {
    for (IOutputPane* pane : std::exchange(panes_, {})) {
        const ViewState* state = &pane->State();
        delete pane->Widget();
        Session().ForgetState(state);
    }
}

QWidget* COutputFrame::MakePane(ViewState& state) {
    IOutputPane* pane = entry_.makePane(Session().Document(), state);
    pane->SetTitleListener([this] { RefreshCaption(); });
    panes_.push_back(pane);
    return pane->Widget();
}

IOutputPane* COutputFrame::PaneOf(const QWidget* widget) const {
    auto it = std::find_if(panes_.begin(), panes_.end(), [&](IOutputPane* p) { return p->Widget() == widget; });
    return it != panes_.end() ? *it : nullptr;
}

void COutputFrame::OnInitialUpdate(bool newView) {
    for (IOutputPane* pane : panes_) pane->OnInitialUpdate(newView);
    RefreshCaption();
}

std::vector<IOutputPane*> COutputFrame::Panes() const {
    std::vector<IOutputPane*> ordered;
    for (QWidget* widget : grid_->Panes())
        if (IOutputPane* pane = PaneOf(widget)) ordered.push_back(pane);
    return ordered;
}

IOutputPane* COutputFrame::TopLeftPane() const { return PaneOf(grid_->TopLeft()); }
IOutputPane* COutputFrame::ActivePane() const { return PaneOf(grid_->FocusedPane()); }

int COutputFrame::HelpContext() const {
    IOutputPane* pane = ActivePane();
    return pane != nullptr ? pane->HelpContext() : 0;
}

QString COutputFrame::PaneTitle() const {
    IOutputPane* pane = TopLeftPane();
    return pane != nullptr ? pane->CaptionTitle() : QString();
}

// The window's views are part of the chart file: one fewer is a change to save.
void COutputFrame::OnClosing() { Session().MarkUnrecordedChange(); }

bool COutputFrame::CanSplit() const { return grid_->CanSplit(); }

// Each new pane shows a copy of what the top-left one shows; one pane more is a change to
// the chart file.
bool COutputFrame::Split() {
    IOutputPane* topLeft = TopLeftPane();
    if (topLeft == nullptr) return false;
    std::vector<IOutputPane*> added;
    const bool split = grid_->Split([&]() -> QWidget* {
        ViewState& state = Session().AddState(entry_.kind);
        if (entry_.copyForSplit) entry_.copyForSplit(topLeft->State(), state);
        QWidget* widget = MakePane(state);
        added.push_back(panes_.back());
        return widget;
    });
    for (IOutputPane* pane : added) pane->OnInitialUpdate(true);
    if (split) Session().MarkUnrecordedChange();
    return split;
}

// A pane dragged shut is gone, with its state.
void COutputFrame::RemovePane(QWidget* widget) {
    IOutputPane* pane = PaneOf(widget);
    if (pane == nullptr) return;
    std::erase(panes_, pane);
    const ViewState* state = &pane->State();
    delete widget;
    Session().ForgetState(state);
    Session().MarkUnrecordedChange();
    RefreshCaption();
}

void COutputFrame::FocusPane(int step) { grid_->FocusPane(step); }

}  // namespace ondrel::gui
