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
#include "core/platform/DenseKeyIndex.h"

namespace ondrel {

class BlockPositionIndex {
public:
    using BlockList = std::vector<std::unique_ptr<CBlock>>;

    explicit BlockPositionIndex(const BlockList& list);
    CBlock* First(GridPoint position) const;
    CBlock* Last(GridPoint position) const;

private:
    // The first and the last list index of the blocks at one position.
    struct Span {
        std::size_t first;
        std::size_t last;
    };
    const Span* At(GridPoint position) const;

    const BlockList& list_;
    std::size_t covered_;     // the list's length when the index was built
    DenseKeyIndex positions_;  // numbers the positions the list holds
    std::vector<Span> spans_;  // by position number
};

// The first and the last block of a list at a position, by a scan of the list.
CBlock* ScanFirstBlockAt(const BlockPositionIndex::BlockList& list, GridPoint position);
CBlock* ScanLastBlockAt(const BlockPositionIndex::BlockList& list, GridPoint position);

}  // namespace ondrel
