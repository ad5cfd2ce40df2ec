#include "views/chart/ChartMarkers.h"

#include <algorithm>

#include "blocks/CBlock.h"
#include "views/chart/ChartLayout.h"

namespace ondrel::gui {
namespace {

// Vertical slot of each port, counted down from the top of the icon.
constexpr int kOutputSlot = 7;
constexpr int kOneInputSlots[] = {11};
constexpr int kTwoInputSlots[] = {3, 19};
constexpr int kThreeInputSlots[] = {3, 11, 19};

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

void AppendPortMarkers(const CBlock& block, QPoint centre, double mag, std::vector<QRectF>& out) {
    const bool flipped = block.flipped != 0;
    const int* portSlots = nullptr;
    int count = 0;
    switch (block.inputCount) {
        case 1: portSlots = kOneInputSlots; count = 1; break;
        case 2: portSlots = kTwoInputSlots; count = 2; break;
        case 3: portSlots = kThreeInputSlots; count = 3; break;
        default: break;
    }
    for (int i = 0; i < count; ++i) AppendArrow(centre, mag, portSlots[i], false, flipped, out);
    if (block.showsValue) AppendArrow(centre, mag, kOutputSlot, true, flipped, out);
}

QRectF InitMarkRect(const CBlock& block, QPoint centre, double mag) {
    const int x = centre.x() + Magnified(mag, block.flipped ? -13 : 13);
    return Column(x, centre.y() - Magnified(mag, 4), Magnified(mag, 2), Magnified(mag, 8));
}

}  // namespace ondrel::gui
