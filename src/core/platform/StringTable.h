#pragma once
// The compiled string table: block type names, command prompts and messages by numeric id.
#include <string>

namespace ondrel {

// The string with this id, or an empty string when the table holds none.
const std::string& LoadString(int id);
bool HasString(int id);

// Command strings are "prompt\nshort name": the status-bar prompt and the tool tip.
std::string CommandPrompt(int commandId);
std::string CommandToolTip(int commandId);

}  // namespace ondrel
