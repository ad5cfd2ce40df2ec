// The commands that route: the shared apply/revert sequence, moving a block and connecting
// an input. The block list commands (place, paste, delete, cut) are in BlockListCommands.cpp,
// the editors' commands in EditorCommands.cpp.
#include "core/model/edits/ChartCommand.h"

#include <memory>
#include <string>
#include <utility>

#include "core/model/CTarvekDoc.h"
#include "core/model/edits/RoutedCommand.h"

namespace ondrel {

void MarkChartChanged(CTarvekDoc& doc) {
    doc.SetModifiedFlag(true);
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh, nullptr);
}

std::string EditLabel(const CBlock& block) {
    return block.label.empty() ? std::string(block.typeName) : block.label;
}

void RoutedCommand::Apply(CTarvekDoc& doc) {
    if (inChart_) return;  // applied twice in a row: the change is there already
    if (!applied_) {
        RouteChange change = RouteChange::Begin(doc);
        ApplyFirst(doc);
        change.End(doc);
        routes_ = std::move(change);
        applied_ = true;
    } else {
        Reapply(doc);
        routes_.RestoreAfter(doc);
    }
    inChart_ = true;
    MarkChartChanged(doc);
}

void RoutedCommand::Revert(CTarvekDoc& doc) {
    if (!inChart_) return;
    Unapply(doc);
    routes_.RestoreBefore(doc);
    inChart_ = false;
    MarkChartChanged(doc);
}

namespace {

class MoveCommand final : public RoutedCommand {
public:
    MoveCommand(CBlock& block, GridPoint to)
        : block_(block), from_(block.position), to_(to), name_("Move " + EditLabel(block)) {}

    std::string Name() const override { return name_; }

    bool MergeWith(const ChartCommand& next) override {
        const auto* move = dynamic_cast<const MoveCommand*>(&next);
        if (move == nullptr || &move->block_ != &block_ || !Applied() || !move->Applied())
            return false;
        to_ = move->to_;
        Routes().Absorb(move->Routes());
        return true;
    }

protected:
    void ApplyFirst(CTarvekDoc& doc) override {
        block_.position = to_;
        doc.RerouteBlock(&block_);
    }
    void Reapply(CTarvekDoc&) override { block_.position = to_; }
    void Unapply(CTarvekDoc&) override { block_.position = from_; }

private:
    CBlock& block_;
    GridPoint from_;
    GridPoint to_;
    std::string name_;
};

class ConnectCommand final : public RoutedCommand {
public:
    ConnectCommand(CBlock& target, int k, CBlock& source)
        : target_(target), k_(k), source_(source), previous_(target.input[k]) {}

    std::string Name() const override { return "Connect"; }

protected:
    void ApplyFirst(CTarvekDoc& doc) override { doc.ConnectInput(&target_, k_, &source_); }
    void Reapply(CTarvekDoc&) override { target_.input[k_] = &source_; }
    void Unapply(CTarvekDoc&) override { target_.input[k_] = previous_; }

private:
    CBlock& target_;
    int k_;
    CBlock& source_;
    // What the input held before; the chart editor only connects free inputs, but another
    // caller may replace a source, and undo gives it back.
    CBlock* previous_;
};

}  // namespace

std::unique_ptr<ChartCommand> MakeMoveCommand(CBlock& block, GridPoint position) {
    return std::make_unique<MoveCommand>(block, position);
}

std::unique_ptr<ChartCommand> MakeConnectCommand(CBlock& target, int k, CBlock& source) {
    // Only the rows the type offers can be connected.
    if (k < 1 || k > 3 || k > target.inputCount) return nullptr;
    return std::make_unique<ConnectCommand>(target, k, source);
}

}  // namespace ondrel
