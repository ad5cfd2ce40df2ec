#pragma once
// What the graph's property sheet edits while it is open: unbound copies of the graph's five
// settings groups, the block of each axis slot, the title and the notes. The pages work on
// these; the graph itself changes only when the sheet is closed with OK, through one
// undoable command ("Graph Properties") that swaps the graph's whole record.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class CBlock;
class CTarvekDoc;
class ChartCommand;
class GraphViewState;

// The one message of the curve pages.
inline constexpr const char* kFixedIgnoredMessage = "Fixed is ignored if Low is not less than High";

class GraphSheetValues {
public:
    // Item positions, the same in the X axis group and in every curve group.
    enum Item : std::size_t { kColor = 0, kHigh, kLow, kFixed, kWidth, kLocn };

    explicit GraphSheetValues(const GraphViewState& view);
    GraphSheetValues(const GraphSheetValues&) = delete;
    GraphSheetValues& operator=(const GraphSheetValues&) = delete;

    // Slot 0 the X axis, 1..3 the curves.
    CSettingsGroup& Slot(int slot) { return slot == 0 ? xAxis : curves[slot - 1]; }
    double& High(int slot);
    double& Low(int slot);
    bool Fixed(int slot);
    void SetFixed(int slot, bool fixed);

    // "Clear" on curve page k; false when it does nothing (no block there, or, on Graph 1,
    // no curve 2 to move up).
    bool ClearCurve(int k);
    // The High and Low of every slot that is not Fixed in the view show the view's current
    // (automatic) limits.
    void ShowAutomaticLimits(const GraphViewState& view);
    // Every group reloads from the profile ("Recall") or takes its built-in values ("Reset").
    void RecallAll();
    void ResetAll();
    void WriteAllToProfile();

    // The view takes every value: groups, blocks (a curve 3 without a curve 2 moves down),
    // curve count, title and notes. The document resolves nothing here.
    void ApplyTo(GraphViewState& view) const;

    // Blocks the pages offer: the document's blocks with initialisation flag 0, in order.
    static std::vector<CBlock*> OfferedBlocks(const CTarvekDoc& doc);

    CSettingsGroup xAxis;
    std::array<CSettingsGroup, 3> curves;  // [0] is curve 1
    CSettingsGroup misc;
    std::array<CBlock*, 4> blocks{};
    std::string title;
    std::string notes;

private:
    // Curve from's block, High, Low and Width go to curve to; curve to's location returns to
    // its default; curve from returns to its built-in values without a block.
    void MoveScaleDown(int to, int from);
    void ResetCurve(int k);
};

// The sheet's OK on view: the graph's record before and after, read back on undo and redo.
// The change has not been applied yet. The command refers to view, so it must not outlive
// that view's state.
std::unique_ptr<ChartCommand> MakeGraphPropertiesCommand(CTarvekDoc& doc, GraphViewState& view,
                                                         const GraphSheetValues& values);

}  // namespace ondrel
