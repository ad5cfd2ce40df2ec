#pragma once
// The samples a graph shows, as text: the X block and every shown curve, one row per sample
// whose X value lies in the visible X range, a header of block labels first. Exporting a
// graph's data writes it as CSV; copying puts it on the clipboard tab-separated.
#include <string>

namespace ondrel {

class CTarvekDoc;
class GraphViewState;

// Values print with "%.17g", so they read back to the same doubles. Rows end in "\n". A
// graph without an X block gives the empty text.
std::string GraphDataText(const GraphViewState& state, const CTarvekDoc& doc, double xLow, double xHigh,
                          char separator);

}  // namespace ondrel
