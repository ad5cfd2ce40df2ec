#include "core/blocks/BlockToolbars.h"

#include <algorithm>

#include "core/blocks/BlockCatalogue.h"
#include "core/platform/StringTable.h"

namespace ondrel {
namespace {

// The Miscellaneous bar's third button: a command with no string and no handler.
constexpr int kMiscellaneousSpare = 32857;

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

std::vector<BlockToolbar> MakeBars() {
    return {
        {"Time", 32804, CatalogueCommands(32792, 32795)},
        {"Math", 32803, CatalogueCommands(32796, 32800)},
        {"Transcendental", 32827, CatalogueCommands(32819, 32824)},
        {"Logic", 32806, CatalogueCommands(32834, 32839)},
        {"Generators", 32807, CatalogueCommands(32840, 32859)},
        {"Non-Linear", 32809, CatalogueCommands(32844, 32854)},
        {"Miscellaneous", 32810, {32855, 32856, kMiscellaneousSpare}},
    };
}

}  // namespace

std::vector<std::string> BlockToolbar::ToolNames() const {
    std::vector<std::string> names;
    for (int command : commands) {
        std::string name = ToolName(command);
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

bool BlockToolbar::HasTool(const std::string& toolName) const {
    return std::any_of(commands.begin(), commands.end(),
                       [&](int command) { return !toolName.empty() && ToolName(command) == toolName; });
}

const std::vector<BlockToolbar>& BlockToolbars() {
    static const std::vector<BlockToolbar> kBars = MakeBars();
    return kBars;
}

const BlockToolbar* FindBlockToolbar(int barId) {
    for (const BlockToolbar& bar : BlockToolbars())
        if (bar.barId == barId) return &bar;
    return nullptr;
}

std::string ToolName(int commandId) { return CommandToolTip(commandId); }

std::vector<std::string> SortedToolNames() {
    std::vector<std::string> names;
    for (const BlockToolbar& bar : BlockToolbars()) {
        std::vector<std::string> more = bar.ToolNames();
        names.insert(names.end(), more.begin(), more.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

const BlockToolbar* BlockGroupOf(const std::string& typeName) {
    for (const BlockToolbar& bar : BlockToolbars())
        if (bar.HasTool(typeName)) return &bar;
    return nullptr;
}

}  // namespace ondrel
