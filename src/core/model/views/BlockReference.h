#pragma once
// A view's reference to one block of its document: not owning, and stored in chart files as
// the block's grid position (x, y as two int32).
#include "core/blocks/CBlock.h"

namespace ondrel {

class CArchive;
class CTarvekDoc;

struct BlockReference {
    CBlock* block = nullptr;
    // The position read from a file while the reference is unresolved. It is written back
    // unchanged, so that a chart whose reference found no block is saved as it was read.
    GridPoint unresolvedPosition = kNoConnection;

    BlockReference() = default;
    explicit BlockReference(CBlock* b) : block(b) {}

    // An empty slot: no block to show. Every use of a reference skips it.
    bool IsEmpty() const { return block == nullptr; }
    void Set(CBlock* b) {
        block = b;
        unresolvedPosition = kNoConnection;
    }
    void Clear() { Set(nullptr); }
    // What the file holds for this reference: the block's position, or for an empty slot the
    // position it was read with ((-99, -99) when it never had one).
    GridPoint StoredPosition() const { return block ? block->position : unresolvedPosition; }
};

// The last block of the document's list at position; null when none is there. The last one
// wins so that, of two blocks stacked on one cell, the one drawn on top is meant.
CBlock* FindLastBlockAt(const CTarvekDoc& doc, GridPoint position);

// Writes the reference's position, or reads a position and resolves it (an unresolved one
// leaves an empty slot that keeps the position read).
void SerializeBlockReference(CArchive& ar, const CTarvekDoc& doc, BlockReference& ref);

}  // namespace ondrel
