#pragma once
// Changes to a group of blocks, each one step on the undo stack: delete (or cut) a group,
// paste a group with the wires among its blocks, and move a group. Like every command they
// route as the single-block edits do and give back the exact route records on revert.
#include <memory>
#include <string>
#include <vector>

#include "core/blocks/CBlock.h"
#include "core/model/edits/ChartCommand.h"

namespace ondrel {

// A wire among the blocks of a pasted group: input k (1..3) of block target takes block
// source; both are indexes into the group's blocks.
struct GroupWire {
    int target = 0;
    int k = 1;
    int source = 0;
    bool operator==(const GroupWire&) const = default;
};

// What the Edit menu calls a group: the block's label for one block, "3 Blocks" for more.
std::string GroupName(const std::vector<CBlock*>& blocks);

// Takes every block of blocks that may leave the chart out of it, in one step. Null when
// none may (only the Clock, say). cut only changes the name ("Cut 3 Blocks").
std::unique_ptr<ChartCommand> MakeGroupDeleteCommand(CTarvekDoc& doc, const std::vector<CBlock*>& blocks,
                                                     bool cut = false);
// Places blocks (new, not in the chart) at positions (same length), then connects wires
// among them, routing each connector as the editor does. Null when blocks is empty, the
// lengths differ or a wire names a block or row that does not exist.
std::unique_ptr<ChartCommand> MakeGroupPasteCommand(std::vector<std::unique_ptr<CBlock>> blocks,
                                                    const std::vector<GridPoint>& positions,
                                                    const std::vector<GroupWire>& wires);
// Moves every block by the same number of columns and rows and routes their connectors.
// Null for no blocks. The caller checks that the new positions are free and on the chart.
std::unique_ptr<ChartCommand> MakeGroupMoveCommand(const std::vector<CBlock*>& blocks, GridPoint offset);

}  // namespace ondrel
