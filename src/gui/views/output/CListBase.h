#pragma once
// The list view: the recorded samples of chosen blocks as a table, one column per displayed
// block and one row per sample. The first column and the header row stay in place while the
// rest scrolls by whole columns and rows.
#include "views/output/CTemplateView.h"

namespace ondrel {
class ListViewState;
}

namespace ondrel::gui {

class CListBase : public CTemplateView {
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

private:
    ListViewState& list_;
};

}  // namespace ondrel::gui
