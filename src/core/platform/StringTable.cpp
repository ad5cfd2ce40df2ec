#include "core/platform/StringTable.h"

#include <unordered_map>

namespace ondrel {
namespace {

const std::unordered_map<int, std::string>& Table() {
    static const std::unordered_map<int, std::string> table{
#include "StringTable.inc"
    };
    return table;
}

}  // namespace

const std::string& LoadString(int id) {
    static const std::string empty;
    auto it = Table().find(id);
    return it == Table().end() ? empty : it->second;
}

bool HasString(int id) { return Table().count(id) != 0; }

std::string CommandPrompt(int commandId) {
    const std::string& text = LoadString(commandId);
    return text.substr(0, text.find('\n'));
}

std::string CommandToolTip(int commandId) {
    const std::string& text = LoadString(commandId);
    auto newline = text.find('\n');
    return newline == std::string::npos ? std::string() : text.substr(newline + 1);
}

}  // namespace ondrel
