#pragma once
// The split panes of a window: rows of side-by-side panes in splitters, at most maxRows x
// maxColumns. A split first gives every row a second column, then adds a second row as wide
// as the first. A pane the user drags shut is handed to the owner to remove (the last pane
// always stays). The grid owns the pane widgets.
#include <QSplitter>
#include <functional>
#include <vector>

namespace ondrel::gui {

class PaneGrid : public QSplitter {
    Q_OBJECT
public:
    static constexpr int kMinPaneSize = 10;

    PaneGrid(int maxRows, int maxColumns, QWidget* first, QWidget* parent = nullptr);

    // In reading order: row by row, left to right.
    std::vector<QWidget*> Panes() const;
    QWidget* TopLeft() const;
    // The pane holding the focus, otherwise the top-left one.
    QWidget* FocusedPane() const;
    void FocusPane(int step);

    bool CanSplit() const;
    // Adds the panes of one split, each made by makePane; false when the grid is full.
    bool Split(const std::function<QWidget*()>& makePane);

signals:
    // The user dragged pane shut; the owner deletes it.
    void PaneShut(QWidget* pane);

private:
    QSplitter* Row(int i) const;
    QSplitter* AddRow();
    void Add(QSplitter* row, QWidget* pane);
    void RemoveShutPanes();

    int maxRows_;
    int maxColumns_;
};

}  // namespace ondrel::gui
