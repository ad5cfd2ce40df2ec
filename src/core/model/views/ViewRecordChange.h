#pragma once
// What a chart change did to the records of the other views of the chart. List and graph
// views drop their references to a block that leaves the chart (a graph also moves its
// curves down); putting the block back does not bring those back. So an undoable change
// keeps the record of every view it altered, as the view wrote it before and after, and
// undo and redo read the matching record back into the view.
#include <cstdint>
#include <vector>

namespace ondrel {

class CTarvekDoc;
class ViewState;

class ViewRecordChange {
public:
    // The records of views, taken before a change.
    static ViewRecordChange Begin(CTarvekDoc& doc, const std::vector<ViewState*>& views);
    // The records after the change; only the views whose record changed are kept.
    void End(CTarvekDoc& doc);

    void RestoreBefore(CTarvekDoc& doc) const { Restore(doc, false); }
    void RestoreAfter(CTarvekDoc& doc) const { Restore(doc, true); }
    bool Empty() const { return entries_.empty(); }

private:
    struct Entry {
        ViewState* view = nullptr;
        std::vector<std::uint8_t> before;
        std::vector<std::uint8_t> after;
    };
    void Restore(CTarvekDoc& doc, bool after) const;

    std::vector<Entry> entries_;
};

}  // namespace ondrel
