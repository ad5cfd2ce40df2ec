#include "core/file/RecoveryStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/file/ChartFile.h"

namespace ondrel {
namespace {

namespace fs = std::filesystem;

constexpr const char* kChartSuffix = ".cht";
constexpr const char* kInfoSuffix = ".info";
constexpr const char* kLockSuffix = ".lock";
constexpr std::size_t kLargestLock = 256;
constexpr std::size_t kLargestInfo = 64 * 1024;

std::string NewSessionName() {
    static std::atomic<int> counter{0};
    std::string lock = OwnLockText();
    lock.pop_back();
    std::replace(lock.begin(), lock.end(), ' ', '_');
    return lock + "_" + std::to_string(counter++);
}

// A small regular file, whole; false when it is missing, not regular, or larger than limit.
// Opened without blocking, so a FIFO planted in the folder cannot stall start-up.
bool ReadSmallFile(const std::string& path, std::size_t limit, std::string& text) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
              static_cast<std::uintmax_t>(info.st_size) <= limit;
    if (ok) {
        text.assign(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t done = 0;
        while (ok && done < text.size()) {
            const ssize_t n = ::read(fd, text.data() + done, text.size() - done);
            if (n < 0 && errno == EINTR) continue;
            ok = n > 0;
            if (ok) done += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
    return ok;
}

// Puts this process's lock at path unless a file is there already: the text is written
// to a file of its own first and then linked into place, so a reader never meets a lock
// half written.
bool PlaceLock(const std::string& path, std::string& error) {
    std::string pattern = path + ".new.XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    const std::string text = OwnLockText();
    bool ok = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ok = ::close(fd) == 0 && ok;
    if (ok && ::link(pattern.c_str(), path.c_str()) != 0) ok = false;
    if (!ok) error = std::strerror(errno);
    ::unlink(pattern.c_str());
    return ok;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "SESSION-SLOT" into its parts; false for any other name.
bool SplitEntryName(const std::string& base, std::string& session) {
    const std::size_t dash = base.rfind('-');
    if (dash == std::string::npos || dash == 0 || dash + 1 == base.size()) return false;
    if (!std::all_of(base.begin() + static_cast<std::ptrdiff_t>(dash) + 1, base.end(),
                     [](char ch) { return ch >= '0' && ch <= '9'; }))
        return false;
    session = base.substr(0, dash);
    return true;
}

std::string InfoPathOf(const std::string& chartPath) {
    return chartPath.substr(0, chartPath.size() - std::strlen(kChartSuffix)) + kInfoSuffix;
}

}  // namespace

RecoveryStore::RecoveryStore(std::string folder, std::string session)
    : folder_(std::move(folder)), session_(session.empty() ? NewSessionName() : std::move(session)) {}

RecoveryStore::~RecoveryStore() { Close(); }

std::string RecoveryStore::Path(const std::string& name) const { return (fs::path(folder_) / name).string(); }

std::string RecoveryStore::LockPath(const std::string& session) const { return Path(session + kLockSuffix); }

std::string RecoveryStore::ChartPath(int slot) const {
    return Path(session_ + "-" + std::to_string(slot) + kChartSuffix);
}

bool RecoveryStore::Open(std::string& error) {
    if (open_) return true;
    std::error_code failure;
    fs::create_directories(folder_, failure);
    if (failure) {
        error = failure.message();
        return false;
    }
    // Charts are the user's work: nobody else may read them.
    fs::permissions(folder_, fs::perms::owner_all, failure);
    open_ = PlaceLock(LockPath(session_), error);
    if (open_) SweepEmptyStaleLocks();
    return open_;
}

bool RecoveryStore::SessionHasCharts(const std::string& session) const {
    const std::string prefix = session + "-";
    std::error_code failure;
    for (const auto& item : fs::directory_iterator(folder_, failure)) {
        const std::string name = item.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && EndsWith(name, kInfoSuffix) && item.is_regular_file(failure))
            return true;
    }
    return false;
}

// A program killed with nothing unsaved leaves only its lock; without this every such end
// would leave one more file behind for good.
void RecoveryStore::SweepEmptyStaleLocks() {
    std::vector<std::string> stale;
    std::error_code failure;
    for (const auto& item : fs::directory_iterator(folder_, failure)) {
        const std::string name = item.path().filename().string();
        if (name.front() == '.' || !EndsWith(name, kLockSuffix)) continue;
        const std::string session = name.substr(0, name.size() - std::strlen(kLockSuffix));
        if (session != session_ && !SessionIsLive(session) && !SessionHasCharts(session)) stale.push_back(session);
    }
    for (const std::string& session : stale) ::unlink(LockPath(session).c_str());
}

void RecoveryStore::Close() {
    if (!open_) return;
    std::error_code failure;
    for (const auto& item : fs::directory_iterator(folder_, failure)) {
        const std::string name = item.path().filename().string();
        std::string session;
        const bool chart = EndsWith(name, kChartSuffix), info = EndsWith(name, kInfoSuffix);
        if (!chart && !info) continue;
        const std::string base = name.substr(0, name.size() - std::strlen(chart ? kChartSuffix : kInfoSuffix));
        if (SplitEntryName(base, session) && session == session_) ::unlink(item.path().c_str());
    }
    ::unlink(LockPath(session_).c_str());
    for (const std::string& session : claimed_) ::unlink(LockPath(session).c_str());
    claimed_.clear();
    open_ = false;
}

bool RecoveryStore::Write(int slot, std::span<const std::uint8_t> chart, const RecoveryInfo& info,
                          std::string& error) {
    // A folder removed while the program runs (a clean-up tool, the user) is made again,
    // with the lock, rather than auto-saving into nothing until the program ends.
    std::error_code failure;
    if (open_ && !fs::is_directory(folder_, failure)) open_ = false;
    if (!open_ && !Open(error)) return false;
    const std::string chartPath = ChartPath(slot);
    if (!WriteFileAtomically(chartPath, chart, error)) return false;
    const std::string text = FormatRecoveryInfo(info);
    return WriteFileAtomically(InfoPathOf(chartPath),
                               {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, error);
}

void RecoveryStore::Remove(int slot) {
    const std::string chartPath = ChartPath(slot);
    ::unlink(InfoPathOf(chartPath).c_str());
    ::unlink(chartPath.c_str());
}

bool RecoveryStore::SessionIsLive(const std::string& session) const {
    std::string text;
    return ReadSmallFile(LockPath(session), kLargestLock, text) && LockHolderIsRunning(text);
}

std::vector<RecoveryEntry> RecoveryStore::Orphans() const {
    std::vector<RecoveryEntry> entries;
    std::error_code failure;
    for (const auto& item : fs::directory_iterator(folder_, failure)) {
        const std::string name = item.path().filename().string();
        RecoveryEntry entry;
        if (name.front() == '.' || !EndsWith(name, kInfoSuffix)) continue;
        const std::string base = name.substr(0, name.size() - std::strlen(kInfoSuffix));
        if (!SplitEntryName(base, entry.session) || entry.session == session_) continue;
        const bool claimed = std::find(claimed_.begin(), claimed_.end(), entry.session) != claimed_.end();
        if (!claimed && SessionIsLive(entry.session)) continue;
        std::string text;
        if (!ReadSmallFile(item.path().string(), kLargestInfo, text) || !ParseRecoveryInfo(text, entry.info))
            continue;
        entry.chartPath = Path(base + kChartSuffix);
        struct stat chart {};
        if (::stat(entry.chartPath.c_str(), &chart) != 0 || !S_ISREG(chart.st_mode)) continue;
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(), [](const RecoveryEntry& a, const RecoveryEntry& b) {
        return a.info.savedAt != b.info.savedAt ? a.info.savedAt < b.info.savedAt : a.chartPath < b.chartPath;
    });
    return entries;
}

bool RecoveryStore::Claim(const std::string& session) {
    if (session == session_) return false;
    if (std::find(claimed_.begin(), claimed_.end(), session) != claimed_.end()) return true;
    const std::string lock = LockPath(session);
    std::string text;
    if (ReadSmallFile(lock, kLargestLock, text)) {
        if (LockHolderIsRunning(text)) return false;
        // Only one program can move the stale lock aside. What was moved is checked: had
        // another program replaced the stale lock with its own in between, it goes back.
        const std::string aside = lock + ".stale-" + session_;
        if (::rename(lock.c_str(), aside.c_str()) != 0) return false;
        std::string moved;
        const bool same = ReadSmallFile(aside, kLargestLock, moved) && moved == text;
        if (!same) ::link(aside.c_str(), lock.c_str());
        ::unlink(aside.c_str());
        if (!same) return false;
    } else if (::access(lock.c_str(), F_OK) == 0) {
        return false;  // something that is no lock of ours stands there: leave it alone
    }
    std::string error;
    if (!PlaceLock(lock, error)) return false;
    claimed_.push_back(session);
    return true;
}

void RecoveryStore::Release(const std::string& session) {
    auto it = std::find(claimed_.begin(), claimed_.end(), session);
    if (it == claimed_.end()) return;
    ::unlink(LockPath(session).c_str());
    claimed_.erase(it);
}

void RecoveryStore::Discard(const RecoveryEntry& entry) {
    if (entry.session == session_ || !EndsWith(entry.chartPath, kChartSuffix)) return;
    const bool claimed = std::find(claimed_.begin(), claimed_.end(), entry.session) != claimed_.end();
    if (!claimed && SessionIsLive(entry.session)) return;
    ::unlink(InfoPathOf(entry.chartPath).c_str());
    ::unlink(entry.chartPath.c_str());
    if (SessionHasCharts(entry.session)) return;  // more to come
    ::unlink(LockPath(entry.session).c_str());
    std::erase(claimed_, entry.session);
}

}  // namespace ondrel
