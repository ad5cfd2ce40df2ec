// The commands that put a block into the chart or take it out: place, paste, delete and cut.
// A block out of the chart lives in its command, so the commands around it on the stack keep
// finding the same block with its samples.
#include <memory>
#include <string>
#include <utility>

#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/edits/RoutedCommand.h"

namespace ondrel {
namespace {

class PlaceCommand final : public ChartCommand {
public:
    PlaceCommand(std::unique_ptr<CBlock> block, GridPoint position, bool pasted)
        : block_(block.get()),
          position_(position),
          name_((pasted ? "Paste " : "Place ") + EditLabel(*block)) {
        out_.block = std::move(block);
    }

    std::string Name() const override { return name_; }

    void Apply(CTarvekDoc& doc) override {
        if (!out_.block) return;  // in the chart already
        if (!placedOnce_) {
            PlaceFirst(doc);
            placedOnce_ = true;
        } else {
            // Back at its place in the list, with the colour it was given the first time.
            doc.InsertBlock(out_.index, std::move(out_.block));
            doc.UpdateAllViews(nullptr, UpdateHint::BlockPlaced, block_);
        }
        out_ = DetachedBlock{};
        MarkChartChanged(doc);
    }

    void Revert(CTarvekDoc& doc) override {
        if (out_.block) return;
        // Views are told first (BlockDeleting), so none keeps the block while it is out.
        out_ = doc.DetachBlock(block_);
        MarkChartChanged(doc);
    }

private:
    // As the chart editor drops the block it was placing.
    void PlaceFirst(CTarvekDoc& doc) { doc.PlaceBlock(std::move(out_.block), position_.x, position_.y); }

    CBlock* block_;
    GridPoint position_;
    std::string name_;
    DetachedBlock out_;  // holds the block while it is out of the chart
    bool placedOnce_ = false;
};

class DeleteCommand final : public ChartCommand {
public:
    DeleteCommand(CBlock& block, bool cut)
        : block_(&block), name_((cut ? "Cut " : "Delete ") + EditLabel(block)) {}

    std::string Name() const override { return name_; }

    void Apply(CTarvekDoc& doc) override {
        if (out_.block) return;  // out already
        out_ = doc.DetachBlock(block_);
        MarkChartChanged(doc);
    }

    void Revert(CTarvekDoc& doc) override {
        if (!out_.block) return;
        // Marks the document modified and refreshes the views itself.
        doc.ReattachBlock(std::exchange(out_, DetachedBlock{}));
    }

private:
    CBlock* block_;
    std::string name_;
    DetachedBlock out_;  // the block, its place and the inputs it fed, while it is out
};

}  // namespace

std::unique_ptr<ChartCommand> MakePlaceCommand(std::unique_ptr<CBlock> block, GridPoint position,
                                               bool pasted) {
    if (!block) return nullptr;
    return std::make_unique<PlaceCommand>(std::move(block), position, pasted);
}

std::unique_ptr<ChartCommand> MakeDeleteCommand(CTarvekDoc& doc, CBlock& block, bool cut) {
    // The Clock and its outputs belong to every chart; a block not in the chart has nothing
    // to delete.
    if (!doc.CanDelete(&block)) return nullptr;
    return std::make_unique<DeleteCommand>(block, cut);
}

}  // namespace ondrel
