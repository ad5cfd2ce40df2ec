#include "views/output/CListBase.h"

#include "help/HelpPages.h"
#include "model/CTarvekDoc.h"
#include "model/views/ListViewState.h"

namespace ondrel::gui {

CListBase::CListBase(CTarvekDoc& doc, ListViewState& state, QWidget* parent)
    : CTemplateView(doc, state, parent), list_(state) {}

void CListBase::CopyForSplit(const ListViewState& from, ListViewState& to) {
    // The members may be ahead of the items (a dialog applied them); the copy takes the
    // members' values.
    CSettingsGroup current;
    current.AssignFrom(from.settings);
    to.settings.CopyValuesFrom(current);
    to.displayedBlocks = from.displayedBlocks;
}

void CListBase::OnInitialUpdate(bool newView) {
    if (newView) list_.CompleteDefaults(Document());
    CTemplateView::OnInitialUpdate(newView);
}

int CListBase::HelpContext() const { return kHelpListView; }

}  // namespace ondrel::gui
