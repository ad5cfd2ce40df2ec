#pragma once
// The nine toolbars of the main frame: caption, bar id (the View menu command that toggles
// it) and buttons in order (command ids, 0 a separator), in creation order.
#include <string>
#include <vector>

namespace ondrel::gui {

struct ToolbarDefinition {
    const char* caption;
    int barId;
    std::vector<int> buttons;
    bool isBlockBar;  // a bar of block commands (the order block bars are read in differs)

    int ButtonCount() const;
    int SeparatorCount() const;
};

// Creation order: Main, Display, Math, Time, Transcendental, Miscellaneous, Logic,
// Generators, Non-Linear.
const std::vector<ToolbarDefinition>& ToolbarDefinitions();
const ToolbarDefinition* FindToolbar(int barId);

// The block toolbars in the order the text view and its options read block types from:
// Time, Math, Transcendental, Logic, Generators, Non-Linear, Miscellaneous.
std::vector<int> BlockToolbarOrder();

}  // namespace ondrel::gui
