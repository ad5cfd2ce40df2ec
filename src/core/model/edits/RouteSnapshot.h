#pragma once
// What connector routing may change in a chart: every target's route records, every source's
// link letter and the document's next-link-letter counter. Routing a connector depends on the
// records all the others hold and may hand out a letter and show "Line Error", so an undoable
// change routes only once; undo and redo put the records back from these values instead.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/blocks/CBlock.h"

namespace ondrel {

class CTarvekDoc;

struct RouteEntry {
    const CBlock* block = nullptr;  // identifies the block; only compared, never followed
    std::array<RouteRecord, 4> route{};  // [1..3]
    std::string linkLetter;
    bool operator==(const RouteEntry&) const = default;
};

struct RouteSnapshot {
    std::vector<RouteEntry> entries;
    int nextLinkLetter = kFirstLinkLetter;

    // Every block of the document's list, in list order.
    static RouteSnapshot Capture(const CTarvekDoc& doc);
    // Writes the values back into those blocks of the document's list that the snapshot
    // holds, and the counter. Blocks the snapshot does not know keep theirs.
    void Restore(CTarvekDoc& doc) const;
};

// The routing side of one change: the values before and after it, for the blocks whose values
// differ only (entry i of each side is the same block).
class RouteChange {
public:
    // The whole chart before the change.
    static RouteChange Begin(const CTarvekDoc& doc);
    // The chart after the change; what the change left alone is dropped.
    void End(const CTarvekDoc& doc);

    void RestoreBefore(CTarvekDoc& doc) const { before_.Restore(doc); }
    void RestoreAfter(CTarvekDoc& doc) const { after_.Restore(doc); }

    // Takes in a later change made right after this one: the result goes from this one's
    // before to the later one's after.
    void Absorb(const RouteChange& later);

    std::size_t ChangedBlocks() const { return before_.entries.size(); }
    bool ChangesCounter() const { return before_.nextLinkLetter != after_.nextLinkLetter; }

private:
    void DropUnchanged();

    RouteSnapshot before_;
    RouteSnapshot after_;
};

}  // namespace ondrel
