#include "gui/app/ViewWindows.h"

#include <algorithm>
#include <vector>

#include "gui/app/CChildFrame.h"
#include "gui/app/COutputFrame.h"
#include "gui/app/ChartSession.h"
#include "core/model/views/ChartViewState.h"
#include "core/model/views/GraphViewState.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/TextViewState.h"
#include "gui/views/output/CGraphBase.h"
#include "gui/views/output/CListBase.h"
#include "gui/views/text/CChrtText.h"

namespace ondrel::gui {
namespace {

// The output view kinds that have windows, one entry each.
const std::vector<OutputViewEntry>& Entries() {
    static const std::vector<OutputViewEntry> kEntries{
        {ViewKind::List,
         [](CTarvekDoc& doc, ViewState& state) -> IOutputPane* {
             return new CListBase(doc, static_cast<ListViewState&>(state));
         },
         CListBase::kMaxRows, CListBase::kMaxColumns,
         [](const ViewState& from, ViewState& to) {
             CListBase::CopyForSplit(static_cast<const ListViewState&>(from),
                                     static_cast<ListViewState&>(to));
         }},
        {ViewKind::Text,
         [](CTarvekDoc& doc, ViewState& state) -> IOutputPane* {
             return new CChrtText(doc, static_cast<TextViewState&>(state));
         },
         1, 1, {}},
        {ViewKind::Graph,
         [](CTarvekDoc& doc, ViewState& state) -> IOutputPane* {
             return new CGraphBase(doc, static_cast<GraphViewState&>(state));
         },
         1, 1, {}},
    };
    return kEntries;
}

}  // namespace

const OutputViewEntry* FindOutputViewEntry(ViewKind kind) {
    const auto& entries = Entries();
    auto it = std::find_if(entries.begin(), entries.end(), [kind](const auto& e) { return e.kind == kind; });
    return it != entries.end() ? &*it : nullptr;
}

bool HasViewWindow(ViewKind kind) { return kind == ViewKind::Chart || FindOutputViewEntry(kind) != nullptr; }

CDocumentFrame* MakeViewWindow(ChartSession& session, ViewState& state) {
    if (state.Kind() == ViewKind::Chart)
        return new CChildFrame(session, static_cast<ChartViewState&>(state));
    const OutputViewEntry* entry = FindOutputViewEntry(state.Kind());
    return entry != nullptr ? new COutputFrame(session, state, *entry) : nullptr;
}

}  // namespace ondrel::gui
