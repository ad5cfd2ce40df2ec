#pragma once
// The one place that makes the window for a view state, by the state's kind: the chart
// view's frame for a chart state, otherwise an output frame with the pane that the kind's
// entry makes. A view kind gets windows by adding its entry to the table in ViewWindows.cpp.
#include <functional>

#include "core/model/views/ViewState.h"

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class CDocumentFrame;
class ChartSession;
class IOutputPane;

struct OutputViewEntry {
    ViewKind kind;
    // The pane that shows state on doc (a widget owned by the frame that holds it).
    std::function<IOutputPane*(CTarvekDoc& doc, ViewState& state)> makePane;
    // Panes a window of this kind splits into; 1 x 1 for a window without splitters.
    int maxRows = 1;
    int maxColumns = 1;
    // A new split pane's state takes what it keeps of the top-left pane's; needed when the
    // kind splits.
    std::function<void(const ViewState& from, ViewState& to)> copyForSplit;
};

// The entry of an output view kind; null for a kind that has no window.
const OutputViewEntry* FindOutputViewEntry(ViewKind kind);
// Whether states of this kind get windows.
bool HasViewWindow(ViewKind kind);
// A new, not yet shown window on session showing state; null when this kind has none.
CDocumentFrame* MakeViewWindow(ChartSession& session, ViewState& state);

}  // namespace ondrel::gui
