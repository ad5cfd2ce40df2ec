#pragma once
// What a block needs of the chart that holds it: the block at a grid position (how the
// connection keys of a chart file become inputs) and a place for the blocks a block brings
// with it (the Clock's outputs). The document implements it.
#include <memory>

#include "core/blocks/CBlock.h"

namespace ondrel {

class IBlockChart {
public:
    // The first block of the chart's list at position; null when none is there.
    virtual CBlock* FirstBlockAt(GridPoint position) const = 0;
    // Takes in a block that is not user-placed and returns it; null for no block.
    virtual CBlock* AppendAuxiliaryBlock(std::unique_ptr<CBlock> block) = 0;

protected:
    ~IBlockChart() = default;
};

}  // namespace ondrel
