#include "views/chart/BlockClipboard.h"

#include "blocks/FunctionGenerator.h"
#include "model/CTarvekDoc.h"

namespace ondrel::gui {
namespace {

// A block's attributes and, for a Function Generator, its table: a pasted generator that
// forgot its curve would compute something else than the one that was copied.
std::unique_ptr<ondrel::CBlock> Duplicate(ondrel::CTarvekDoc& doc, const ondrel::CBlock& block) {
    std::unique_ptr<ondrel::CBlock> copy = doc.CreateBlock(block.typeId);
    if (copy == nullptr) return nullptr;
    ondrel::CTarvekDoc::CopyBlockAttributes(block, *copy);
    const auto* table = dynamic_cast<const ondrel::CFunctionGeneratorBlock*>(&block);
    if (auto* generator = dynamic_cast<ondrel::CFunctionGeneratorBlock*>(copy.get()); generator && table)
        generator->SetOrdinates(table->Ordinates());
    return copy;
}

}  // namespace

BlockClipboard& BlockClipboard::Instance() {
    static BlockClipboard clipboard;
    return clipboard;
}

void BlockClipboard::Copy(ondrel::CTarvekDoc& doc, const ondrel::CBlock& block) {
    std::unique_ptr<ondrel::CBlock> copy = Duplicate(doc, block);
    if (copy == nullptr) return;
    // The chart it came from may close while the copy is held.
    copy->document = nullptr;
    block_ = std::move(copy);
}

std::unique_ptr<ondrel::CBlock> BlockClipboard::MakeCopy(ondrel::CTarvekDoc& doc) const {
    if (block_ == nullptr) return nullptr;
    return Duplicate(doc, *block_);
}

}  // namespace ondrel::gui
