#include "app/COutputFrame.h"

#include <QSplitter>
#include <algorithm>

#include "app/ChartSession.h"
#include "app/ViewWindows.h"
#include "views/output/OutputPane.h"

namespace ondrel::gui {
namespace {

constexpr int kMinPaneSize = 10;

QSplitter* RowAt(QSplitter* rows, int i) { return qobject_cast<QSplitter*>(rows->widget(i)); }

}  // namespace

COutputFrame::COutputFrame(ChartSession& session, ViewState& state, const OutputViewEntry& entry,
                           QWidget* parent)
    : CDocumentFrame(session, parent), entry_(entry) {
    rows_ = new QSplitter(Qt::Vertical);
    rows_->setChildrenCollapsible(true);
    connect(rows_, &QSplitter::splitterMoved, this, &COutputFrame::RemoveCollapsedPanes);
    AddPane(AddRow(), state);
    setWidget(rows_);
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

QSplitter* COutputFrame::AddRow() {
    auto* row = new QSplitter(Qt::Horizontal);
    row->setChildrenCollapsible(true);
    connect(row, &QSplitter::splitterMoved, this, &COutputFrame::RemoveCollapsedPanes);
    rows_->addWidget(row);
    return row;
}

IOutputPane* COutputFrame::AddPane(QSplitter* row, ViewState& state) {
    IOutputPane* pane = entry_.makePane(Session().Document(), state);
    pane->Widget()->setMinimumSize(kMinPaneSize, kMinPaneSize);
    pane->SetTitleListener([this] { RefreshCaption(); });
    row->addWidget(pane->Widget());
    panes_.push_back(pane);
    return pane;
}

IOutputPane* COutputFrame::AddPaneLike(QSplitter* row, IOutputPane& model) {
    ViewState& state = Session().AddState(entry_.kind);
    if (entry_.copyForSplit) entry_.copyForSplit(model.State(), state);
    IOutputPane* pane = AddPane(row, state);
    pane->OnInitialUpdate(true);
    return pane;
}

void COutputFrame::OnInitialUpdate(bool newView) {
    for (IOutputPane* pane : panes_) pane->OnInitialUpdate(newView);
    RefreshCaption();
}

std::vector<IOutputPane*> COutputFrame::Panes() const {
    // In reading order: row by row, left to right.
    std::vector<IOutputPane*> ordered;
    for (int r = 0; r < rows_->count(); ++r) {
        QSplitter* row = RowAt(rows_, r);
        for (int c = 0; row != nullptr && c < row->count(); ++c) {
            auto it = std::find_if(panes_.begin(), panes_.end(),
                                   [&](IOutputPane* p) { return p->Widget() == row->widget(c); });
            if (it != panes_.end()) ordered.push_back(*it);
        }
    }
    return ordered;
}

IOutputPane* COutputFrame::TopLeftPane() const {
    const auto panes = Panes();
    return panes.empty() ? nullptr : panes.front();
}

IOutputPane* COutputFrame::ActivePane() const {
    for (IOutputPane* pane : panes_) {
        QWidget* w = pane->Widget();
        if (w->hasFocus() || w->isAncestorOf(QWidget::focusWidget())) return pane;
    }
    return TopLeftPane();
}

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

bool COutputFrame::CanSplit() const {
    const QSplitter* first = RowAt(rows_, 0);
    return rows_->count() < entry_.maxRows || (first != nullptr && first->count() < entry_.maxColumns);
}

bool COutputFrame::Split() {
    IOutputPane* topLeft = TopLeftPane();
    if (topLeft == nullptr || !CanSplit()) return false;
    QSplitter* first = RowAt(rows_, 0);
    if (first->count() < entry_.maxColumns) {
        AddPaneLike(first, *topLeft);
        // A second row already present gets its second column too.
        if (QSplitter* second = RowAt(rows_, 1); second != nullptr && second->count() < entry_.maxColumns)
            AddPaneLike(second, *topLeft);
    } else {
        QSplitter* row = AddRow();
        for (int c = 0; c < first->count(); ++c) AddPaneLike(row, *topLeft);
    }
    Session().MarkUnrecordedChange();
    return true;
}

void COutputFrame::RemovePane(IOutputPane* pane) {
    std::erase(panes_, pane);
    const ViewState* state = &pane->State();
    delete pane->Widget();
    Session().ForgetState(state);
    Session().MarkUnrecordedChange();
}

// A pane dragged shut is gone, with its state; the last pane always stays.
void COutputFrame::RemoveCollapsedPanes() {
    for (int r = rows_->count() - 1; r >= 0; --r) {
        QSplitter* row = RowAt(rows_, r);
        const bool rowShut = rows_->count() > 1 && rows_->sizes().value(r) == 0;
        for (int c = row->count() - 1; c >= 0; --c) {
            const bool paneShut = row->count() > 1 && row->sizes().value(c) == 0;
            if ((!rowShut && !paneShut) || panes_.size() == 1) continue;
            auto it = std::find_if(panes_.begin(), panes_.end(),
                                   [&](IOutputPane* p) { return p->Widget() == row->widget(c); });
            if (it != panes_.end()) RemovePane(*it);
        }
        if (row->count() == 0) delete row;
    }
    RefreshCaption();
}

void COutputFrame::FocusPane(int step) {
    const auto panes = Panes();
    if (panes.empty()) return;
    const auto at = std::find(panes.begin(), panes.end(), ActivePane()) - panes.begin();
    const auto n = static_cast<long>(panes.size());
    panes[static_cast<std::size_t>(((at + step) % n + n) % n)]->Widget()->setFocus(Qt::OtherFocusReason);
}

}  // namespace ondrel::gui
