#pragma once
// The seven block toolbars of the main window as data: caption, bar id (the View menu command
// that shows or hides the bar) and the block commands of its buttons, in button order. The
// desktop program builds its bars from this; the text view reads block types and groups from
// it, so the two cannot disagree.
#include <string>
#include <vector>

namespace ondrel {

struct BlockToolbar {
    const char* caption;
    int barId;
    std::vector<int> commands;  // no separators on block bars

    // The tool name of every button, in button order; a button without a command string
    // (the Miscellaneous bar's spare) has none and is left out.
    std::vector<std::string> ToolNames() const;
    bool HasTool(const std::string& toolName) const;
};

// The bars in the order the text view reads them: Time, Math, Transcendental, Logic,
// Generators, Non-Linear, Miscellaneous.
const std::vector<BlockToolbar>& BlockToolbars();
const BlockToolbar* FindBlockToolbar(int barId);

// The short name of a block command: the part of its command string after the first newline
// ("Integrates Input Blocks\nIntegrate" gives "Integrate"); empty without one.
std::string ToolName(int commandId);

// Every tool name of the block bars, ascending by character code.
std::vector<std::string> SortedToolNames();

// The block's group: the first bar with a button whose tool name is typeName; null for none.
const BlockToolbar* BlockGroupOf(const std::string& typeName);

}  // namespace ondrel
