#include "app/Toolbars.h"

#include <algorithm>

#include "app/CommandIds.h"
#include "blocks/BlockCatalogue.h"

namespace ondrel::gui {
namespace {

// The commands of the catalogue rows from first to last (inclusive), in catalogue order.
std::vector<int> CatalogueCommands(int firstCommand, int lastCommand) {
    std::vector<int> commands;
    bool inside = false;
    for (const CatalogueEntry& entry : Catalogue()) {
        if (entry.commandId == firstCommand) inside = true;
        if (inside) commands.push_back(entry.commandId);
        if (entry.commandId == lastCommand) break;
    }
    return commands;
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
        {"Math", kViewMathBar, CatalogueCommands(32796, 32800), true},
        {"Time", kViewTimeBar, CatalogueCommands(32792, 32795), true},
        {"Transcendental", kViewTranscendentalBar, CatalogueCommands(32819, 32824), true},
        {"Miscellaneous", kViewMiscellaneousBar, {32855, 32856, kMiscellaneousSpare}, true},
        {"Logic", kViewLogicBar, CatalogueCommands(32834, 32839), true},
        {"Generators", kViewGeneratorsBar, CatalogueCommands(32840, 32859), true},
        {"Non-Linear", kViewNonLinearBar, CatalogueCommands(32844, 32854), true},
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
    using namespace cmd;
    return {kViewTimeBar,  kViewMathBar,       kViewTranscendentalBar, kViewLogicBar,
            kViewGeneratorsBar, kViewNonLinearBar, kViewMiscellaneousBar};
}

}  // namespace ondrel::gui
