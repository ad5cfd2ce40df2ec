#include "gui/views/chart/ChartMarkers.h"

#include <algorithm>

#include "core/blocks/CBlock.h"
#include "gui/views/chart/ChartLayout.h"

namespace ondrel::gui {
namespace {

// A mark whose top edge is at chart y top, height units downward.
QRectF Column(int x, int top, int width, int height) { return QRectF(x, -top, width, height); }

// One arrow: a stub touching the icon, then columns 5, 3 and 1 high forming a triangle that
// points along the signal flow.
void AppendArrow(QPoint centre, double mag, int slot, bool output, bool flipped,
                 std::vector<QRectF>& out) {
    const int reach = output ? (flipped ? -12 : 13) : (flipped ? 12 : -12);
    const int firstTall = output ? (flipped ? -1 : 1) : (flipped ? 3 : -3);
    const int step = flipped ? -1 : 1;
    const int x0 = centre.x() + Magnified(mag, reach);
    const int y0 = centre.y() + Magnified(mag, 11 - slot);
    const int width = std::max(1, Magnified(mag, 1));
    out.push_back(Column(x0, y0, width, width));
    out.push_back(Column(x0 + Magnified(mag, firstTall), y0 + Magnified(mag, 2), width, Magnified(mag, 5)));
    out.push_back(Column(x0 + Magnified(mag, firstTall + step), y0 + Magnified(mag, 1), width,
                         Magnified(mag, 3)));
    out.push_back(Column(x0 + Magnified(mag, firstTall + 2 * step), y0, width, width));
}

}  // namespace

int InputSlot(const CBlock& block, int k) {
    // One input sits in the middle, two at the top and bottom, three fill all three slots.
    switch (block.inputCount) {
        case 1: return k == 1 ? 11 : -1;
        case 2: return k == 1 ? 3 : k == 2 ? 19 : -1;
        case 3: return k >= 1 && k <= 3 ? 3 + 8 * (k - 1) : -1;
        default: return -1;
    }
}

void AppendPortMarkers(const CBlock& block, QPoint centre, double mag, std::vector<QRectF>& out) {
    const bool flipped = block.flipped;
    for (int k = 1; k <= 3; ++k) {
        const int slot = InputSlot(block, k);
        if (slot >= 0) AppendArrow(centre, mag, slot, false, flipped, out);
    }
    if (block.showsValue) AppendArrow(centre, mag, kOutputSlot, true, flipped, out);
}

QRectF InitMarkRect(const CBlock& block, QPoint centre, double mag) {
    const int x = centre.x() + Magnified(mag, block.flipped ? -13 : 13);
    return Column(x, centre.y() - Magnified(mag, 4), Magnified(mag, 2), Magnified(mag, 8));
}

}  // namespace ondrel::gui
