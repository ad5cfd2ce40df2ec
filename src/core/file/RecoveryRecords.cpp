// The two small records of the recovery folder: a session's lock and a chart's side record.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <fstream>
#include <sstream>

#include "core/file/RecoveryStore.h"

namespace ondrel {
namespace {

constexpr const char* kInfoHeading = "Ondrel recovery 1";
constexpr std::size_t kLargestInfo = 64 * 1024;

// The start of process pid in clock ticks since boot; 0 when it cannot be told. The
// command name in /proc/PID/stat may hold spaces and parentheses, so the fields are
// counted from the last ')'.
std::uint64_t ProcessStart(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return 0;
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    // State is field 3, the start time field 22.
    for (int i = 3; i <= 22; ++i)
        if (!(fields >> field)) return 0;
    std::uint64_t start = 0;
    auto [end, status] = std::from_chars(field.data(), field.data() + field.size(), start);
    return status == std::errc() && end == field.data() + field.size() ? start : 0;
}

template <typename Number>
bool ParseWhole(std::string_view text, Number& number) {
    auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), number);
    return status == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::string Escape(const std::string& value) {
    std::string escaped;
    for (char ch : value) {
        if (ch == '\\') escaped += "\\\\";
        else if (ch == '\n') escaped += "\\n";
        else if (ch == '\r') escaped += "\\r";
        else escaped += ch;
    }
    return escaped;
}

bool Unescape(std::string_view text, std::string& value) {
    value.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            value += text[i];
            continue;
        }
        if (++i == text.size()) return false;
        if (text[i] == '\\') value += '\\';
        else if (text[i] == 'n') value += '\n';
        else if (text[i] == 'r') value += '\r';
        else return false;
    }
    return true;
}

}  // namespace

std::string OwnLockText() {
    const long pid = static_cast<long>(::getpid());
    return std::to_string(pid) + " " + std::to_string(ProcessStart(pid)) + "\n";
}

bool LockHolderIsRunning(const std::string& lockText) {
    std::string_view text(lockText);
    if (text.empty() || text.back() != '\n') return false;
    text.remove_suffix(1);
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos) return false;
    long pid = 0;
    std::uint64_t start = 0;
    if (!ParseWhole(text.substr(0, space), pid) || !ParseWhole(text.substr(space + 1), start)) return false;
    // 0 and negative ids would name process groups.
    if (pid <= 0 || pid > INT_MAX) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno != EPERM) return false;
    const std::uint64_t actual = start == 0 ? 0 : ProcessStart(pid);
    return start == 0 || actual == 0 || actual == start;
}

std::string FormatRecoveryInfo(const RecoveryInfo& info) {
    return std::string(kInfoHeading) + "\noriginal=" + Escape(info.originalPath) +
           "\ntitle=" + Escape(info.title) + "\nsaved=" + std::to_string(info.savedAt) + "\n";
}

bool ParseRecoveryInfo(const std::string& text, RecoveryInfo& info) {
    if (text.size() > kLargestInfo) return false;
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != kInfoHeading) return false;
    RecoveryInfo parsed;
    bool saved = false;
    while (std::getline(lines, line)) {
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string_view value = std::string_view(line).substr(equals + 1);
        if (key == "original" && !Unescape(value, parsed.originalPath)) return false;
        if (key == "title" && !Unescape(value, parsed.title)) return false;
        if (key == "saved" && !(saved = ParseWhole(value, parsed.savedAt))) return false;
    }
    if (!saved) return false;
    info = std::move(parsed);
    return true;
}

}  // namespace ondrel
