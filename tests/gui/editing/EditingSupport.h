#pragma once
// Clicks on a chart view where a user would click: on grid positions, beside them, and on
// ports, computed from the view's own geometry.
#include <QTest>

#include "core/blocks/CBlock.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"
#include "gui/views/chart/CTarvekView.h"

namespace ondrel::guitest {

// Block tool commands and their types used by the tests.
inline constexpr int kIntegrateTool = 32792;
inline constexpr int kGainTool = 32800;
inline constexpr int kConstantTool = 32855;
inline constexpr int kConstantType = 61625;
inline constexpr int kIntegrateType = 61588;

inline void ClickChart(gui::CTarvekView& view, QPoint chartPoint, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(view.viewport(), button, Qt::NoModifier, view.ToViewportPoint(chartPoint));
}

// A click offset chart units from the centre of grid position cell.
inline void ClickCell(gui::CTarvekView& view, GridPoint cell, QPoint offset = {},
                      Qt::MouseButton button = Qt::LeftButton) {
    ClickChart(view, gui::CellCentre(view.Geometry(), cell) + offset, button);
}

// A click on a port of block: 0 the output, 1..3 the inputs.
inline void ClickPort(gui::CTarvekView& view, CBlock& block, int port) {
    ClickChart(view, gui::PortConnectionPoint(view.Geometry(), view.State().MagBmp, {&block, port}));
}

// The block at a grid position, or null.
inline CBlock* BlockAtCell(const CTarvekDoc& doc, GridPoint cell) {
    for (const auto& block : doc.blockList)
        if (block->position == cell) return block.get();
    return nullptr;
}

}  // namespace ondrel::guitest
