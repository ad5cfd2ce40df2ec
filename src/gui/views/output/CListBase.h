#pragma once
// The list view: the recorded samples of chosen blocks as a table, one column per displayed
// block and one row per sample. The first column and the header row stay in place while the
// rest scrolls by whole columns and rows (the scroll bars count columns and rows).
//
// Keys: arrows scroll by a row or a column, Page Up / Page Down by a window of rows, Home /
// End to the first / last columns, Ctrl+Home to the top left, Ctrl+End to the last rows, Ctrl+A
// selects every row. A click on the fixed column selects that row, a shift-click the rows
// up to it; Copy puts the selected rows (every row without a selection) on the clipboard.
#include <cstdint>
#include <vector>

#include "gui/printing/PrintsThrough.h"
#include "gui/views/output/CTemplateView.h"
#include "gui/views/output/ListLayout.h"
#include "gui/views/output/ListPainter.h"

namespace ondrel {
class ListViewState;
struct ListTable;
}

namespace ondrel::gui {

class CListBase : public CTemplateView, public PrintsThrough {
    Q_OBJECT
public:
    // A list window splits into up to 2 x 2 panes.
    static constexpr int kMaxRows = 2;
    static constexpr int kMaxColumns = 2;

    CListBase(CTarvekDoc& doc, ListViewState& state, QWidget* parent = nullptr);

    ListViewState& List() const { return list_; }
    // A new split pane shows what the top-left one shows: its settings and its columns.
    static void CopyForSplit(const ListViewState& from, ListViewState& to);

    void OnInitialUpdate(bool newView) override;
    int HelpContext() const override;
    // The table at the scroll position; area's width and height are the drawing extents.
    void Paint(QPainter& painter, const QRect& area, double dotsPerInch) override;

    // The settings, notes or columns changed: measure again, resize the scroll range, repaint.
    void Refresh() override;
    const ListMetrics& Metrics() const { return metrics_; }
    int FirstColumn() const;
    std::int64_t FirstRow() const;
    void ScrollTo(int firstColumn, std::int64_t firstRow);
    // What a repaint of the window draws now: every header and cell text with its box.
    std::vector<DrawnText> DrawnTexts();

    // Selected rows (inclusive); none when first > last.
    std::int64_t SelectedFirst() const { return selectedFirst_; }
    std::int64_t SelectedLast() const { return selectedLast_; }
    void SelectRows(std::int64_t first, std::int64_t last);
    void SelectAll();
    // Edit > Copy: the selected rows, or the whole table, as tab-separated text.
    void CopyToClipboard();
    // File > Print to File: asks for a file and writes the table to it.
    void PrintToFile();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ListTable Table() const;
    // The drawing of table at the scroll position, without background or selection.
    ListPaintJob Job(const ListTable& table) const;
    void UpdateScrollBars();
    // The sample row at a viewport point of the fixed column; -1 elsewhere.
    std::int64_t RowAtFixedColumn(QPoint point) const;

    ListViewState& list_;
    ListMetrics metrics_;
    std::int64_t selectedFirst_ = 0;
    std::int64_t selectedLast_ = -1;
    std::int64_t anchor_ = -1;
};

}  // namespace ondrel::gui
