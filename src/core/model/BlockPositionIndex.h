#pragma once
// The blocks of a document's list by grid position, for resolving the thousands of stored
// positions of a chart being read in one pass rather than one scan of the list each.
//
// Answers exactly as a scan of the list would: the first block at a position (how inputs
// are resolved) or the last one (how views refer to blocks). Blocks appended to the list
// after the index was built are still found; any other change of the list needs a new
// index.
#include <cstddef>
#include <memory>
#include <vector>

#include "core/blocks/CBlock.h"

namespace ondrel {

class BlockPositionIndex {
public:
    using BlockList = std::vector<std::unique_ptr<CBlock>>;

    explicit BlockPositionIndex(const BlockList& list);
    CBlock* First(GridPoint position) const;
    CBlock* Last(GridPoint position) const;

private:
    struct Entry {
        GridPoint position;
        std::size_t index;
    };
    // The entries at position, in list order.
    std::pair<const Entry*, const Entry*> At(GridPoint position) const;

    const BlockList& list_;
    std::size_t covered_;  // the list's length when the index was built
    std::vector<Entry> entries_;  // by position, then list index
};

// The first and the last block of a list at a position, by a scan of the list.
CBlock* ScanFirstBlockAt(const BlockPositionIndex::BlockList& list, GridPoint position);
CBlock* ScanLastBlockAt(const BlockPositionIndex::BlockList& list, GridPoint position);

}  // namespace ondrel
