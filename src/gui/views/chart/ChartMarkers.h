#pragma once
// The small marks around a block's icon: an arrow at each input and at the output, and the
// bar that shows a block takes part in initialisation. Rectangles are in world units
// (chart units with y pointing down), ready to fill.
#include <QPoint>
#include <QRectF>
#include <vector>

namespace ondrel {
class CBlock;
}

namespace ondrel::gui {

// Where the ports sit: a vertical slot counted down from the top of the icon. The output's is
// fixed; input k's (1..3) depends on how many inputs the block shows, -1 for one it lacks.
inline constexpr int kOutputSlot = 7;
int InputSlot(const ondrel::CBlock& block, int k);

// Appends the arrows of block's inputs and, when it has one, its output. centre is the
// block's cell centre in chart units (y up); mag the icon magnification.
void AppendPortMarkers(const ondrel::CBlock& block, QPoint centre, double mag, std::vector<QRectF>& out);
// The initialisation bar beside the icon (on the output side).
QRectF InitMarkRect(const ondrel::CBlock& block, QPoint centre, double mag);

}  // namespace ondrel::gui
