#pragma once
// A printable for a view's saved state alone, without a window: how the headless printing
// prints every view stored in a chart. One entry per view kind.
#include <memory>

#include "gui/printing/PrintableView.h"

namespace ondrel {
class CTarvekDoc;
class ViewState;
}  // namespace ondrel

namespace ondrel::gui {

// Null for a view kind that cannot print.
// A graph rescales its state when it prints, as its window does.
std::unique_ptr<IPrintableView> MakeStatePrintable(const ondrel::CTarvekDoc& doc, ondrel::ViewState& state);

}  // namespace ondrel::gui
