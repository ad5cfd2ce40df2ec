#include "gui/views/chart/BlockClipboard.h"

#include "core/model/CTarvekDoc.h"
#include "gui/views/chart/GroupClipboard.h"

namespace ondrel::gui {

BlockClipboard& BlockClipboard::Instance() {
    static BlockClipboard clipboard;
    return clipboard;
}

void BlockClipboard::Copy(ondrel::CTarvekDoc& doc, const ondrel::CBlock& block) {
    std::unique_ptr<ondrel::CBlock> copy = DuplicateBlock(doc, block);
    if (copy == nullptr) return;
    // The chart it came from may close while the copy is held.
    copy->chart = nullptr;
    block_ = std::move(copy);
}

std::unique_ptr<ondrel::CBlock> BlockClipboard::MakeCopy(ondrel::CTarvekDoc& doc) const {
    if (block_ == nullptr) return nullptr;
    return DuplicateBlock(doc, *block_);
}

}  // namespace ondrel::gui
