#include "core/model/views/ViewRecordChange.h"

#include <algorithm>

#include "core/io/CArchive.h"
#include "core/model/views/ViewState.h"

namespace ondrel {
namespace {

std::vector<std::uint8_t> RecordOf(ViewState& view, CTarvekDoc& doc) {
    CArchive ar = CArchive::ForWriting();
    view.Serialize(ar, doc);
    return ar.Buffer();
}

}  // namespace

ViewRecordChange ViewRecordChange::Begin(CTarvekDoc& doc, const std::vector<ViewState*>& views) {
    ViewRecordChange change;
    change.entries_.reserve(views.size());
    for (ViewState* view : views)
        if (view != nullptr) change.entries_.push_back({view, RecordOf(*view, doc), {}});
    return change;
}

void ViewRecordChange::End(CTarvekDoc& doc) {
    for (Entry& entry : entries_) entry.after = RecordOf(*entry.view, doc);
    std::erase_if(entries_, [](const Entry& e) { return e.before == e.after; });
}

// A record this program wrote a moment ago reads back; block references resolve by grid
// position against the chart as it is now, which the change has just put back.
void ViewRecordChange::Restore(CTarvekDoc& doc, bool after) const {
    for (const Entry& entry : entries_) {
        const std::vector<std::uint8_t>& record = after ? entry.after : entry.before;
        CArchive ar = CArchive::ForReading(record);
        entry.view->Serialize(ar, doc);
    }
}

}  // namespace ondrel
