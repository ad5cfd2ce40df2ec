#include "gui/views/chart/ChartSelection.h"

#include "core/model/CTarvekDoc.h"

namespace ondrel::gui {

std::vector<ondrel::CBlock*> BlocksInside(const ondrel::CTarvekDoc& doc, const ChartGeometry& g,
                                          const QRect& rect) {
    std::vector<ondrel::CBlock*> inside;
    const QRect normal = rect.normalized();
    for (const auto& block : doc.blockList) {
        if (IsPlaceholder(*block)) continue;
        if (normal.contains(CellCentre(g, block->position))) inside.push_back(block.get());
    }
    return inside;
}

std::vector<ondrel::CBlock*> AllButTheClock(const ondrel::CTarvekDoc& doc) {
    std::vector<ondrel::CBlock*> all;
    for (const auto& block : doc.blockList) {
        if (block.get() == doc.Clock() || IsPlaceholder(*block)) continue;
        all.push_back(block.get());
    }
    return all;
}

}  // namespace ondrel::gui
