#pragma once
// The block clipboard: one block shared by every chart of the program (not the system
// clipboard), replaced by every Copy and Cut and handed out as copies by Paste.
#include <memory>

#include "core/blocks/CBlock.h"

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class BlockClipboard {
public:
    static BlockClipboard& Instance();

    bool HasBlock() const { return block_ != nullptr; }
    // The held block becomes a copy of block (its type and attributes), made by doc.
    void Copy(ondrel::CTarvekDoc& doc, const ondrel::CBlock& block);
    // A new block like the held one, made by doc; null when nothing is held.
    std::unique_ptr<ondrel::CBlock> MakeCopy(ondrel::CTarvekDoc& doc) const;
    void Clear() { block_.reset(); }

private:
    std::unique_ptr<ondrel::CBlock> block_;
};

}  // namespace ondrel::gui
