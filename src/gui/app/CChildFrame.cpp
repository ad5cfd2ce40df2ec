#include "app/CChildFrame.h"

#include <QSplitter>
#include <algorithm>

#include "app/ChartSession.h"
#include "help/HelpPages.h"
#include "model/edits/ChartCommand.h"
#include "model/views/ChartViewState.h"
#include "views/chart/CTarvekView.h"

namespace ondrel::gui {
namespace {

QSplitter* RowAt(QSplitter* rows, int i) { return qobject_cast<QSplitter*>(rows->widget(i)); }

}  // namespace

CChildFrame::CChildFrame(ChartSession& session, ChartViewState& state, QWidget* parent)
    : CDocumentFrame(session, parent), session_(session) {
    rows_ = new QSplitter(Qt::Vertical);
    rows_->setChildrenCollapsible(true);
    connect(rows_, &QSplitter::splitterMoved, this, &CChildFrame::RemoveCollapsedPanes);
    auto* row = new QSplitter(Qt::Horizontal);
    connect(row, &QSplitter::splitterMoved, this, &CChildFrame::RemoveCollapsedPanes);
    rows_->addWidget(row);
    AddPane(row, state);
    setWidget(rows_);
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

CTarvekView* CChildFrame::AddPane(QSplitter* row, ChartViewState& state) {
    auto* view = new CTarvekView(session_.Document(), state);
    view->setMinimumSize(kMinPaneSize, kMinPaneSize);
    row->addWidget(view);
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
    for (int r = 0; r < rows_->count(); ++r) {
        QSplitter* row = RowAt(rows_, r);
        for (int c = 0; row != nullptr && c < row->count(); ++c)
            if (auto* view = qobject_cast<CTarvekView*>(row->widget(c))) views.push_back(view);
    }
    return views;
}

int CChildFrame::PaneCount() const { return static_cast<int>(Views().size()); }

CTarvekView* CChildFrame::TopLeftView() const {
    const auto views = Views();
    return views.empty() ? nullptr : views.front();
}

CTarvekView* CChildFrame::ActiveView() const {
    for (CTarvekView* view : Views())
        if (view->hasFocus() || view->isAncestorOf(QWidget::focusWidget()) ||
            view->viewport()->hasFocus())
            return view;
    return TopLeftView();
}

bool CChildFrame::CanSplit() const {
    const QSplitter* first = RowAt(rows_, 0);
    return rows_->count() < kMaxRows || (first != nullptr && first->count() < kMaxColumns);
}

bool CChildFrame::Split() {
    CTarvekView* topLeft = TopLeftView();
    if (topLeft == nullptr || !CanSplit()) return false;
    // The new pane starts from the current look of the top-left pane. Its items may lag
    // behind its members, so an up-to-date copy is taken first.
    CSettingsGroup current;
    current.AssignFrom(topLeft->State().settings);
    auto addLike = [&](QSplitter* row) {
        ChartViewState& state = session_.AddChartState();
        state.settings.CopyValuesFrom(current);
        AddPane(row, state)->OnInitialUpdate();
    };
    QSplitter* first = RowAt(rows_, 0);
    if (first->count() < kMaxColumns) {
        addLike(first);
        // A second row already present gets its second column too.
        if (QSplitter* second = RowAt(rows_, 1); second != nullptr && second->count() < kMaxColumns)
            addLike(second);
        return true;
    }
    auto* row = new QSplitter(Qt::Horizontal);
    connect(row, &QSplitter::splitterMoved, this, &CChildFrame::RemoveCollapsedPanes);
    rows_->addWidget(row);
    for (int c = 0; c < first->count(); ++c) addLike(row);
    return true;
}

// A pane dragged shut is gone, with its record; the last pane always stays.
void CChildFrame::RemoveCollapsedPanes() {
    for (int r = rows_->count() - 1; r >= 0; --r) {
        QSplitter* row = RowAt(rows_, r);
        const bool rowShut = rows_->count() > 1 && rows_->sizes().value(r) == 0;
        for (int c = row->count() - 1; c >= 0; --c) {
            const bool paneShut = row->count() > 1 && row->sizes().value(c) == 0;
            if (!rowShut && !paneShut) continue;
            auto* view = qobject_cast<CTarvekView*>(row->widget(c));
            if (view == nullptr || PaneCount() == 1) continue;
            const ChartViewState* state = &view->State();
            delete view;
            session_.ForgetState(state);
        }
        if (row->count() == 0) delete row;
    }
}

void CChildFrame::FocusPane(int step) {
    const auto views = Views();
    if (views.empty()) return;
    const auto at = std::find(views.begin(), views.end(), ActiveView()) - views.begin();
    const auto n = static_cast<long>(views.size());
    views[static_cast<std::size_t>(((at + step) % n + n) % n)]->setFocus(Qt::OtherFocusReason);
}

QString CChildFrame::PaneTitle() const {
    CTarvekView* view = TopLeftView();
    return view != nullptr ? view->CaptionTitle() : QString();
}

int CChildFrame::HelpContext() const { return kHelpChartView; }

}  // namespace ondrel::gui
