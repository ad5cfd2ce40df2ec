#include "core/model/edits/GraphSheetValues.h"

#include <cstdint>

#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/GraphViewState.h"

namespace ondrel {

GraphSheetValues::GraphSheetValues(const GraphViewState& view) {
    xAxis.AssignFrom(view.xAxisSettings);
    for (int k = 0; k < kMaxCurves; ++k) curves[k].AssignFrom(view.curveSettings[k]);
    misc.AssignFrom(view.miscSettings);
    for (int i = 0; i <= kMaxCurves; ++i) blocks[i] = view.axisSlots[i].block.block;
    title = view.title;
    notes = view.notes;
}

double& GraphSheetValues::High(int slot) { return *Slot(slot).Item(kHigh).Value<double>(); }

double& GraphSheetValues::Low(int slot) { return *Slot(slot).Item(kLow).Value<double>(); }

bool GraphSheetValues::Fixed(int slot) { return *Slot(slot).Item(kFixed).Value<bool>(); }

void GraphSheetValues::SetFixed(int slot, bool fixed) {
    *Slot(slot).Item(kFixed).Value<bool>() = fixed;
}

void GraphSheetValues::ResetCurve(int k) {
    Slot(k).ResetToDefaults();
    blocks[k] = nullptr;
}

void GraphSheetValues::MoveScaleDown(int to, int from) {
    CSettingsGroup& target = Slot(to);
    const CSettingsGroup& source = Slot(from);
    for (std::size_t item : {kHigh, kLow, kWidth}) target.Item(item).CopyFrom(source.Item(item));
    target.Item(kLocn).ResetToDefault();
    blocks[to] = blocks[from];
    ResetCurve(from);
}

bool GraphSheetValues::ClearCurve(int k) {
    switch (k) {
        case 3:
            if (blocks[3] == nullptr) return false;
            ResetCurve(3);
            return true;
        case 2:
            if (blocks[2] == nullptr) return false;
            ResetCurve(2);
            if (blocks[3] != nullptr) MoveScaleDown(2, 3);
            return true;
        case 1:
            // Curve 1 is never left empty from here: the button works only with a curve 2.
            if (blocks[2] == nullptr) return false;
            MoveScaleDown(1, 2);
            if (blocks[3] != nullptr) {
                // The whole look of curve 3 comes along, its colour included.
                curves[1].CopyValuesFrom(curves[2]);
                blocks[2] = blocks[3];
                ResetCurve(3);
            }
            return true;
        default:
            return false;
    }
}

void GraphSheetValues::ShowAutomaticLimits(const GraphViewState& view) {
    for (int i = 0; i <= kMaxCurves; ++i) {
        const GraphSlot& slot = view.axisSlots[i];
        if (slot.Fixed) continue;
        High(i) = slot.High;
        Low(i) = slot.Low;
    }
}

void GraphSheetValues::RecallAll() {
    xAxis.ReadProfile();
    for (auto& group : curves) group.ReadProfile();
    misc.ReadProfile();
}

void GraphSheetValues::ResetAll() {
    xAxis.ResetToDefaults();
    for (auto& group : curves) group.ResetToDefaults();
    misc.ResetToDefaults();
}

void GraphSheetValues::WriteAllToProfile() {
    xAxis.WriteProfile();
    for (auto& group : curves) group.WriteProfile();
    misc.WriteProfile();
}

void GraphSheetValues::ApplyTo(GraphViewState& view) const {
    view.xAxisSettings.CopyValuesFrom(xAxis);
    for (int k = 0; k < kMaxCurves; ++k) view.curveSettings[k].CopyValuesFrom(curves[k]);
    view.miscSettings.CopyValuesFrom(misc);
    // A slot whose block did not change keeps its reference as it is (an unresolved one is
    // saved back with the position it was read with).
    for (int i = 0; i <= kMaxCurves; ++i)
        if (view.axisSlots[i].block.block != blocks[i]) view.axisSlots[i].block.Set(blocks[i]);
    if (blocks[3] != nullptr && blocks[2] == nullptr) view.MoveCurveDown(2);
    view.curveCount = 1;
    for (int k = kMaxCurves; k >= 1; --k) {
        if (!view.axisSlots[k].block.IsEmpty()) {
            view.curveCount = k;
            break;
        }
    }
    view.title = title;
    view.notes = notes;
}

std::vector<CBlock*> GraphSheetValues::OfferedBlocks(const CTarvekDoc& doc) {
    std::vector<CBlock*> offered;
    for (const auto& block : doc.blockList)
        if (!block->initFlag) offered.push_back(block.get());
    return offered;
}

namespace {

std::vector<std::uint8_t> RecordOf(GraphViewState& view, CTarvekDoc& doc) {
    CArchive ar = CArchive::ForWriting();
    view.Serialize(ar, doc);
    return ar.Buffer();
}

// Swaps the graph's whole record: what the sheet changed is exactly what the file keeps.
class GraphPropertiesCommand final : public ChartCommand {
public:
    GraphPropertiesCommand(GraphViewState& view, std::vector<std::uint8_t> before,
                           std::vector<std::uint8_t> after)
        : view_(view), before_(std::move(before)), after_(std::move(after)) {}

    std::string Name() const override { return "Graph Properties"; }
    void Apply(CTarvekDoc& doc) override { Put(after_, doc); }
    void Revert(CTarvekDoc& doc) override { Put(before_, doc); }

private:
    void Put(const std::vector<std::uint8_t>& record, CTarvekDoc& doc) {
        CArchive ar = CArchive::ForReading(record);
        view_.Serialize(ar, doc);
        doc.SetModifiedFlag();
        doc.UpdateAllViews(nullptr, UpdateHint::Refresh);
    }

    GraphViewState& view_;
    std::vector<std::uint8_t> before_;
    std::vector<std::uint8_t> after_;
};

}  // namespace

std::unique_ptr<ChartCommand> MakeGraphPropertiesCommand(CTarvekDoc& doc, GraphViewState& view,
                                                         const GraphSheetValues& values) {
    std::vector<std::uint8_t> before = RecordOf(view, doc);
    // The new record is made on a scratch graph, so the view changes only when the command
    // is applied.
    GraphViewState scratch;
    {
        CArchive ar = CArchive::ForReading(before);
        scratch.Serialize(ar, doc);
    }
    values.ApplyTo(scratch);
    return std::make_unique<GraphPropertiesCommand>(view, std::move(before), RecordOf(scratch, doc));
}

}  // namespace ondrel
