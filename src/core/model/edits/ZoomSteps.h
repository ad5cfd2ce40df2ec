#pragma once
// Zooming a chart view from the keyboard and the wheel: the magnification (MagBmp) moves
// through fixed steps within the range Viewing Properties accepts (1 to 10), and the other
// sizes follow it as the dialog's sizing lock makes them follow. A zoom is a change of the
// view's settings: saved with the chart and marking it modified, but not a step to undo.
#include "core/model/views/ChartViewState.h"

namespace ondrel {

class CTarvekDoc;

inline constexpr double kMinZoom = 1.0;
inline constexpr double kMaxZoom = 10.0;

// The next step above (direction > 0) or below (direction < 0) current; current itself,
// clamped to the range, at either end.
double NextZoomStep(double current, int direction);

// Gives the view the magnification (clamped to the range) with the sizing-lock rescale and
// the connector-room checks of the dialog. True when anything changed; then doc is marked
// modified and its views repaint.
bool ApplyZoom(CTarvekDoc& doc, ChartViewState& view, double magnification);

}  // namespace ondrel
