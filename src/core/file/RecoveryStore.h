#pragma once
// The recovery folder: auto-saved copies of modified charts, so that a crash, a power cut or
// a killed session loses at most the last few seconds of work.
//
// Every running program is one session with a name of its own (process id, process start
// and a counter, so a reused process id never passes for its predecessor). In the folder:
//
//   NAME.lock        the session's lock: "PID START\n", START the process's start time
//                    in clock ticks since boot (0 where that cannot be told)
//   NAME-SLOT.cht    a chart, written with the same atomic save as File > Save
//   NAME-SLOT.info   its side record, written after the chart, so a chart without one is
//                    an unfinished save and never offered:
//                        Ondrel recovery 1
//                        original=PATH      the chart's own file; empty for a new chart
//                        title=TITLE        the title its windows showed
//                        saved=SECONDS      calendar seconds of the auto-save
//                    values escape '\' as "\\", LF as "\n" and CR as "\r"; unknown keys are
//                    ignored.
//
// A session whose lock names a process that is no longer running (or none at all) left
// its charts behind: they are orphans, offered on the next start. Before offering them a
// program claims the session by taking over its lock, so two programs starting at once
// never recover the same charts. Everything read from the folder is untrusted.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace ondrel {

struct RecoveryInfo {
    std::string originalPath;
    std::string title;
    std::int64_t savedAt = 0;
};

// A chart some ended session left in the folder.
struct RecoveryEntry {
    std::string session;    // the session that wrote it
    std::string chartPath;  // the recovery chart
    RecoveryInfo info;
};

class RecoveryStore {
public:
    // A store on folder for this process; session names the store's own session (a new
    // unique name when empty).
    explicit RecoveryStore(std::string folder, std::string session = {});
    // Close().
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Creates the folder and takes the session's lock; the locks of ended sessions that
    // left no charts are swept away. False with the reason on failure.
    bool Open(std::string& error);
    // The end of a session that ends normally: its charts, its lock and the locks of
    // sessions it claimed and did not finish with go.
    void Close();

    // Saves the chart of slot (one per open chart) with its side record.
    bool Write(int slot, std::span<const std::uint8_t> chart, const RecoveryInfo& info,
               std::string& error);
    // The chart of slot is saved or closed: its files go.
    void Remove(int slot);

    // Charts of sessions no running program holds, oldest first. Charts without a
    // readable side record are left out.
    std::vector<RecoveryEntry> Orphans() const;
    // Takes over the lock of an ended session. False when a running program holds it or
    // another program claimed it first.
    bool Claim(const std::string& session);
    // Gives a claimed session back, its charts kept for the next start.
    void Release(const std::string& session);
    // Deletes an orphan's chart and side record; the session's lock goes with its last chart.
    void Discard(const RecoveryEntry& entry);

    const std::string& Folder() const { return folder_; }
    const std::string& Session() const { return session_; }
    std::string ChartPath(int slot) const;

private:
    std::string Path(const std::string& name) const;
    std::string LockPath(const std::string& session) const;
    bool SessionIsLive(const std::string& session) const;
    bool SessionHasCharts(const std::string& session) const;
    void SweepEmptyStaleLocks();

    std::string folder_;
    std::string session_;
    bool open_ = false;
    std::vector<std::string> claimed_;
};

// Whether the process a lock's text names is running: its id answers and, where the lock
// holds a start time, the process of that id started then (not a later one given the same
// id). Text that is no lock counts as no process.
bool LockHolderIsRunning(const std::string& lockText);
// The text of this process's lock.
std::string OwnLockText();

// The side record as text and back; reading fails on anything but a record of this form.
std::string FormatRecoveryInfo(const RecoveryInfo& info);
bool ParseRecoveryInfo(const std::string& text, RecoveryInfo& info);

}  // namespace ondrel
