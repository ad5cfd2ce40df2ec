#pragma once
// What a graph view keeps of itself: four axis slots (slot 0 the X axis, slots 1 to 3 the
// curves), each with its block and its look; the number of curves in use; the view-wide
// look; the title and the notes. The look lives in five settings groups, all in the profile
// section "GraphView": the X axis, one per curve, and a miscellaneous one.
//
// Record: the five groups (X axis, curve 1, curve 2, curve 3, miscellaneous), the curve count
// (int32), curve count + 1 block references (X first), the title and the notes. A reference
// that finds no block leaves its slot empty; every use of a slot skips an empty one.
#include <array>

#include "core/model/views/BlockReference.h"
#include "core/model/views/ViewState.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

inline constexpr int kMaxCurves = 3;

// One axis slot. Locn is used by the curves only: curve 1 0 "Left", 1 "Right"; curve 2
// 0 "Best Fit", 1 "With 1", 2 "Opposite 1"; curve 3 0 "Best Fit", 1 "With 1", 2 "With 2".
struct GraphSlot {
    BlockReference block;
    ColorRef Color = 0;
    double High = 0.0;
    double Low = 0.0;
    bool Fixed = false;  // rescaling keeps High and Low instead of searching the samples
    int Width = 0;  // pen width, 0..99; 0 is the thinnest line the device draws
    int Locn = 0;
};

class GraphViewState : public ViewState {
public:
    GraphViewState();

    ViewKind Kind() const override { return ViewKind::Graph; }
    void Serialize(CArchive& ar, CTarvekDoc& doc) override;
    // Empties or refills every slot that shows block; later curves move down to close gaps.
    void OnBlockDeleting(const CBlock& block, const CTarvekDoc& doc) override;

    // A graph without an X block plots time against time: X and curve 1 both show the
    // document's first block (the Clock), curves 2 and 3 are emptied, one curve.
    void CompleteDefaults(const CTarvekDoc& doc);
    // Curve k (1..3) takes its built-in look and loses its block.
    void ResetCurveToDefaults(int k);
    // True when curve k (1..3) is within the curve count and has a block to plot.
    bool CurveShown(int k) const;

    // Curve k+1 moves into slot k: its block and scale go, slot k keeps its colour and takes
    // location 0; slot k+1 returns to its built-in look with no block.
    void MoveCurveDown(int k);

    static ColorRef DefaultCurveColor(int k);

    std::array<GraphSlot, kMaxCurves + 1> axisSlots;
    int curveCount = 0;  // curve slots in use, 0..3
    int Grids = 0;       // 0 none, 1 horizontal, 2 vertical, 3 both
    FontDescription LabelsFont;
    FontDescription LegendsFont;
    FontDescription NotesFont;
    ColorRef NotesColor = kWindowTextColor;
    bool DisplayNotes = false;

    CSettingsGroup xAxisSettings;
    std::array<CSettingsGroup, kMaxCurves> curveSettings;  // [0] is curve 1
    CSettingsGroup miscSettings;

private:
    void AddXAxisItems();
    void AddCurveItems(int k);
    void AddMiscItems();
    void SerializeReferences(CArchive& ar, const CTarvekDoc& doc);
    void DropCurve();
};

}  // namespace ondrel
