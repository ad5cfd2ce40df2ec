#include "gui/app/PaneGrid.h"

#include <algorithm>

namespace ondrel::gui {

PaneGrid::PaneGrid(int maxRows, int maxColumns, QWidget* first, QWidget* parent)
    : QSplitter(Qt::Vertical, parent), maxRows_(maxRows), maxColumns_(maxColumns) {
    setChildrenCollapsible(true);
    connect(this, &QSplitter::splitterMoved, this, &PaneGrid::RemoveShutPanes);
    Add(AddRow(), first);
}

QSplitter* PaneGrid::Row(int i) const { return qobject_cast<QSplitter*>(widget(i)); }

QSplitter* PaneGrid::AddRow() {
    auto* row = new QSplitter(Qt::Horizontal);
    row->setChildrenCollapsible(true);
    connect(row, &QSplitter::splitterMoved, this, &PaneGrid::RemoveShutPanes);
    addWidget(row);
    return row;
}

void PaneGrid::Add(QSplitter* row, QWidget* pane) {
    pane->setMinimumSize(kMinPaneSize, kMinPaneSize);
    row->addWidget(pane);
}

std::vector<QWidget*> PaneGrid::Panes() const {
    std::vector<QWidget*> panes;
    for (int r = 0; r < count(); ++r) {
        QSplitter* row = Row(r);
        for (int c = 0; row != nullptr && c < row->count(); ++c) panes.push_back(row->widget(c));
    }
    return panes;
}

QWidget* PaneGrid::TopLeft() const {
    const auto panes = Panes();
    return panes.empty() ? nullptr : panes.front();
}

QWidget* PaneGrid::FocusedPane() const {
    for (QWidget* pane : Panes())
        if (pane->hasFocus() || pane->isAncestorOf(QWidget::focusWidget())) return pane;
    return TopLeft();
}

void PaneGrid::FocusPane(int step) {
    const auto panes = Panes();
    if (panes.empty()) return;
    const auto at = std::find(panes.begin(), panes.end(), FocusedPane()) - panes.begin();
    const auto n = static_cast<long>(panes.size());
    panes[static_cast<std::size_t>(((at + step) % n + n) % n)]->setFocus(Qt::OtherFocusReason);
}

bool PaneGrid::CanSplit() const {
    const QSplitter* first = Row(0);
    return count() < maxRows_ || (first != nullptr && first->count() < maxColumns_);
}

bool PaneGrid::Split(const std::function<QWidget*()>& makePane) {
    if (!CanSplit()) return false;
    QSplitter* first = Row(0);
    if (first->count() < maxColumns_) {
        Add(first, makePane());
        // A second row already present gets its second column too.
        if (QSplitter* second = Row(1); second != nullptr && second->count() < maxColumns_)
            Add(second, makePane());
        return true;
    }
    QSplitter* row = AddRow();
    for (int c = 0; c < first->count(); ++c) Add(row, makePane());
    return true;
}

void PaneGrid::RemoveShutPanes() {
    for (int r = count() - 1; r >= 0; --r) {
        QSplitter* row = Row(r);
        const bool rowShut = count() > 1 && sizes().value(r) == 0;
        for (int c = row->count() - 1; c >= 0; --c) {
            const bool paneShut = row->count() > 1 && row->sizes().value(c) == 0;
            if ((rowShut || paneShut) && Panes().size() > 1) emit PaneShut(row->widget(c));
        }
        if (row->count() == 0) delete row;
    }
}

}  // namespace ondrel::gui
