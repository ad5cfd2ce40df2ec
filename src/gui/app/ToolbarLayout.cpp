#include "gui/app/ToolbarLayout.h"

#include "gui/app/CommandIds.h"
#include "gui/app/Toolbars.h"

namespace ondrel::gui {
namespace {

constexpr int kButtonWidth = 23;
constexpr int kSeparatorWidth = 8;
constexpr int kBarFrameWidth = 16;
constexpr int kOverlap = 2;
constexpr int kRowHeight = 30;
constexpr int kStart = -2;

}  // namespace

int DefaultBarWidth(int buttons, int separators) {
    return kButtonWidth * buttons + kSeparatorWidth * separators + kBarFrameWidth;
}

std::vector<int> DefaultLayoutOrder() {
    using namespace cmd;
    return {kViewToolbar,   kViewDisplayBar,    kViewTimeBar,
            kViewMathBar,   kViewTranscendentalBar, kViewLogicBar,
            kViewGeneratorsBar, kViewNonLinearBar, kViewMiscellaneousBar};
}

std::vector<BarPlacement> DefaultToolbarLayout(int windowWidth) {
    std::vector<BarPlacement> placements;
    int x = kStart;
    int y = kStart;
    int row = 0;
    int remaining = windowWidth;
    for (int barId : DefaultLayoutOrder()) {
        const ToolbarDefinition* bar = FindToolbar(barId);
        const int width = DefaultBarWidth(bar->ButtonCount(), bar->SeparatorCount());
        if (width < remaining) {
            remaining -= width;
        } else {
            // A bar that does not fit starts a new row (even the first, in a tiny window).
            y += kRowHeight;
            x = kStart;
            ++row;
            remaining = windowWidth - width;
        }
        placements.push_back({barId, x, y, width, row});
        x += width - kOverlap;
    }
    return placements;
}

}  // namespace ondrel::gui
