#include "gui/app/Toolbars.h"

#include <algorithm>

#include "gui/app/CommandIds.h"
#include "core/blocks/BlockToolbars.h"

namespace ondrel::gui {
namespace {

// A block bar's caption and buttons are the core's, so the text view's block types and
// groups are always those of the bars the user sees.
ToolbarDefinition BlockBar(int barId) {
    const BlockToolbar* bar = FindBlockToolbar(barId);
    return {bar ? bar->caption : "", barId, bar ? bar->commands : std::vector<int>{}, true};
}

std::vector<ToolbarDefinition> MakeDefinitions() {
    using namespace cmd;
    return {
        {"Main", kViewToolbar,
         {kFileNew, kFileOpen, kFileClose, kFileSave, 0, kEditCut, kEditCopy, kEditPaste, 0,
          kFilePrint, kFilePrintPreview, kAppAbout, kContextHelp},
         false},
        {"Display", kViewDisplayBar,
         {kOpenChartView, kOpenTextView, kOpenGraphView, kOpenListView, kViewing, kPreferences,
          kSnapshot, kRun, kInitialize},
         false},
        BlockBar(kViewMathBar),
        BlockBar(kViewTimeBar),
        BlockBar(kViewTranscendentalBar),
        BlockBar(kViewMiscellaneousBar),
        BlockBar(kViewLogicBar),
        BlockBar(kViewGeneratorsBar),
        BlockBar(kViewNonLinearBar),
    };
}

}  // namespace

int ToolbarDefinition::ButtonCount() const {
    return static_cast<int>(std::count_if(buttons.begin(), buttons.end(), [](int id) { return id != 0; }));
}

int ToolbarDefinition::SeparatorCount() const {
    return static_cast<int>(std::count(buttons.begin(), buttons.end(), 0));
}

const std::vector<ToolbarDefinition>& ToolbarDefinitions() {
    static const std::vector<ToolbarDefinition> kDefinitions = MakeDefinitions();
    return kDefinitions;
}

const ToolbarDefinition* FindToolbar(int barId) {
    for (const ToolbarDefinition& bar : ToolbarDefinitions())
        if (bar.barId == barId) return &bar;
    return nullptr;
}

std::vector<int> BlockToolbarOrder() {
    std::vector<int> order;
    for (const BlockToolbar& bar : BlockToolbars()) order.push_back(bar.barId);
    return order;
}

}  // namespace ondrel::gui
