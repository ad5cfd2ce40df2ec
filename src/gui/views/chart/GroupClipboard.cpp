#include "gui/views/chart/GroupClipboard.h"

#include <algorithm>
#include <unordered_map>

#include "core/blocks/FunctionGenerator.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel::gui {

std::unique_ptr<ondrel::CBlock> DuplicateBlock(ondrel::CTarvekDoc& doc, const ondrel::CBlock& block) {
    std::unique_ptr<ondrel::CBlock> copy = doc.CreateBlock(block.typeId);
    if (copy == nullptr) return nullptr;
    ondrel::CTarvekDoc::CopyBlockAttributes(block, *copy);
    // A pasted generator that forgot its curve would compute something else.
    const auto* table = dynamic_cast<const ondrel::CFunctionGeneratorBlock*>(&block);
    if (auto* generator = dynamic_cast<ondrel::CFunctionGeneratorBlock*>(copy.get()); generator && table)
        generator->SetOrdinates(table->Ordinates());
    return copy;
}

std::vector<ondrel::GridPoint> OffsetsFromAnchor(const std::vector<ondrel::CBlock*>& blocks) {
    if (blocks.empty()) return {};
    // Rows count downward as they grow more negative: the top row is the largest y.
    const auto first = std::min_element(blocks.begin(), blocks.end(), [](const auto* a, const auto* b) {
        if (a->position.y != b->position.y) return a->position.y > b->position.y;
        return a->position.x < b->position.x;
    });
    const ondrel::GridPoint anchor = (*first)->position;
    std::vector<ondrel::GridPoint> offsets;
    for (const ondrel::CBlock* block : blocks)
        offsets.push_back({block->position.x - anchor.x, block->position.y - anchor.y});
    return offsets;
}

GroupClipboard& GroupClipboard::Instance() {
    static GroupClipboard clipboard;
    return clipboard;
}

void GroupClipboard::Copy(ondrel::CTarvekDoc& doc, const std::vector<ondrel::CBlock*>& blocks) {
    PastedGroup group;
    for (const ondrel::CBlock* block : blocks) {
        std::unique_ptr<ondrel::CBlock> copy = DuplicateBlock(doc, *block);
        if (copy == nullptr) return;
        copy->chart = nullptr;  // the chart it came from may close while the copy is held
        group.blocks.push_back(std::move(copy));
    }
    group.offsets = OffsetsFromAnchor(blocks);
    std::unordered_map<const ondrel::CBlock*, int> index;
    for (std::size_t i = 0; i < blocks.size(); ++i) index.emplace(blocks[i], static_cast<int>(i));
    for (std::size_t t = 0; t < blocks.size(); ++t) {
        for (int k = 1; k <= blocks[t]->inputCount && k <= 3; ++k) {
            const auto source = index.find(blocks[t]->input[k]);
            if (source == index.end()) continue;  // a wire from outside the group is dropped
            group.wires.push_back({static_cast<int>(t), k, source->second});
        }
    }
    group_ = std::move(group);
}

PastedGroup GroupClipboard::MakeCopy(ondrel::CTarvekDoc& doc) const {
    PastedGroup copy;
    for (const auto& block : group_.blocks) {
        std::unique_ptr<ondrel::CBlock> made = DuplicateBlock(doc, *block);
        if (made == nullptr) return {};
        copy.blocks.push_back(std::move(made));
    }
    copy.offsets = group_.offsets;
    copy.wires = group_.wires;
    return copy;
}

}  // namespace ondrel::gui
