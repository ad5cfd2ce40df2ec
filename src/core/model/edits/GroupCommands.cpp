// Group edits are built from the single-block commands where their order cannot disturb
// one another (delete, place, connect), so each part keeps its own exact undo; a move is
// one routed change, because moving the blocks one by one could land a block on a position
// another block of the group has not left yet.
#include "core/model/edits/GroupCommands.h"

#include <utility>

#include "core/model/CTarvekDoc.h"
#include "core/model/edits/RoutedCommand.h"

namespace ondrel {
namespace {

// Applies its parts in order and reverts them in the opposite order.
class CompositeCommand final : public ChartCommand {
public:
    CompositeCommand(std::string name, std::vector<std::unique_ptr<ChartCommand>> parts)
        : name_(std::move(name)), parts_(std::move(parts)) {}

    std::string Name() const override { return name_; }
    void Apply(CTarvekDoc& doc) override {
        for (auto& part : parts_) part->Apply(doc);
    }
    void Revert(CTarvekDoc& doc) override {
        for (auto it = parts_.rbegin(); it != parts_.rend(); ++it) (*it)->Revert(doc);
    }

private:
    std::string name_;
    std::vector<std::unique_ptr<ChartCommand>> parts_;
};

class GroupMoveCommand final : public RoutedCommand {
public:
    GroupMoveCommand(const std::vector<CBlock*>& blocks, GridPoint offset)
        : blocks_(blocks), name_("Move " + GroupName(blocks)) {
        for (CBlock* block : blocks_) {
            from_.push_back(block->position);
            to_.push_back({block->position.x + offset.x, block->position.y + offset.y});
        }
    }

    std::string Name() const override { return name_; }

protected:
    void ApplyFirst(CTarvekDoc& doc) override {
        Reapply(doc);
        for (CBlock* block : blocks_) doc.RerouteBlock(block);
    }
    void Reapply(CTarvekDoc&) override { Place(to_); }
    void Unapply(CTarvekDoc&) override { Place(from_); }

private:
    void Place(const std::vector<GridPoint>& positions) {
        for (std::size_t i = 0; i < blocks_.size(); ++i) blocks_[i]->position = positions[i];
    }

    std::vector<CBlock*> blocks_;
    std::vector<GridPoint> from_;
    std::vector<GridPoint> to_;
    std::string name_;
};

}  // namespace

std::string GroupName(const std::vector<CBlock*>& blocks) {
    if (blocks.size() == 1) return EditLabel(*blocks.front());
    return std::to_string(blocks.size()) + " Blocks";
}

std::unique_ptr<ChartCommand> MakeGroupDeleteCommand(CTarvekDoc& doc, const std::vector<CBlock*>& blocks,
                                                     bool cut) {
    std::vector<CBlock*> leaving;
    for (CBlock* block : blocks) {
        if (block != nullptr && doc.CanDelete(block)) leaving.push_back(block);
    }
    if (leaving.empty()) return nullptr;
    if (leaving.size() == 1) return MakeDeleteCommand(doc, *leaving.front(), cut);
    std::vector<std::unique_ptr<ChartCommand>> parts;
    for (CBlock* block : leaving) parts.push_back(MakeDeleteCommand(doc, *block, cut));
    return std::make_unique<CompositeCommand>((cut ? "Cut " : "Delete ") + GroupName(leaving),
                                              std::move(parts));
}

std::unique_ptr<ChartCommand> MakeGroupPasteCommand(std::vector<std::unique_ptr<CBlock>> blocks,
                                                    const std::vector<GridPoint>& positions,
                                                    const std::vector<GroupWire>& wires) {
    if (blocks.empty() || blocks.size() != positions.size()) return nullptr;
    const int count = static_cast<int>(blocks.size());
    std::vector<CBlock*> pasted;
    for (const auto& block : blocks) {
        if (block == nullptr) return nullptr;
        pasted.push_back(block.get());
    }
    for (const GroupWire& wire : wires) {
        const bool inside = wire.target >= 0 && wire.target < count && wire.source >= 0 && wire.source < count;
        if (!inside || wire.k < 1 || wire.k > pasted[static_cast<std::size_t>(wire.target)]->inputCount)
            return nullptr;
    }
    const std::string name = "Paste " + GroupName(pasted);
    std::vector<std::unique_ptr<ChartCommand>> parts;
    for (std::size_t i = 0; i < blocks.size(); ++i)
        parts.push_back(MakePlaceCommand(std::move(blocks[i]), positions[i], true));
    for (const GroupWire& wire : wires) {
        parts.push_back(MakeConnectCommand(*pasted[static_cast<std::size_t>(wire.target)], wire.k,
                                           *pasted[static_cast<std::size_t>(wire.source)]));
    }
    return std::make_unique<CompositeCommand>(name, std::move(parts));
}

std::unique_ptr<ChartCommand> MakeGroupMoveCommand(const std::vector<CBlock*>& blocks, GridPoint offset) {
    if (blocks.empty()) return nullptr;
    if (blocks.size() == 1) {
        CBlock& block = *blocks.front();
        return MakeMoveCommand(block, {block.position.x + offset.x, block.position.y + offset.y});
    }
    return std::make_unique<GroupMoveCommand>(blocks, offset);
}

}  // namespace ondrel
