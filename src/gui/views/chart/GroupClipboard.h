#pragma once
// The clipboard for a group of blocks, shared by every chart of the program like the block
// clipboard: copies of the blocks, where each lies relative to the group's first block in
// reading order (top row first, then left to right), and the wires among them. Wires from
// or to blocks outside the group are not kept.
#include <memory>
#include <vector>

#include "core/blocks/CBlock.h"
#include "core/model/edits/GroupCommands.h"

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

// A group ready to paste: new blocks of a chart, their offsets from the anchor block and the
// wires among them (indexes into blocks).
struct PastedGroup {
    std::vector<std::unique_ptr<ondrel::CBlock>> blocks;
    std::vector<ondrel::GridPoint> offsets;
    std::vector<ondrel::GroupWire> wires;
};

// The offsets of blocks from the first of them in reading order.
std::vector<ondrel::GridPoint> OffsetsFromAnchor(const std::vector<ondrel::CBlock*>& blocks);

class GroupClipboard {
public:
    static GroupClipboard& Instance();

    bool HasGroup() const { return !group_.blocks.empty(); }
    std::size_t Count() const { return group_.blocks.size(); }
    // Holds copies of blocks (at least two; the Clock is left out by the caller).
    void Copy(ondrel::CTarvekDoc& doc, const std::vector<ondrel::CBlock*>& blocks);
    // New blocks like the held ones, made by doc, with the offsets and wires.
    PastedGroup MakeCopy(ondrel::CTarvekDoc& doc) const;
    void Clear() { group_ = {}; }

private:
    PastedGroup group_;
};

// A block's attributes and, for a Function Generator, its table, as a new block of doc.
std::unique_ptr<ondrel::CBlock> DuplicateBlock(ondrel::CTarvekDoc& doc, const ondrel::CBlock& block);

}  // namespace ondrel::gui
