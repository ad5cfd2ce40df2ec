#pragma once
// Auto-save: every modified chart is written to the recovery folder no later than
// AutoSaveSeconds (profile "Settings", default 60, 0 = off) after it changed, through the
// same atomic save as File > Save and never over the chart's own file. A chart unchanged
// since its last auto-save is not written again; nothing is written while a run is under
// way; a failure is told once in the status bar, never in a box.
//
// The recovery copies go when their chart is saved or closed, and all of them (with the
// session's lock) when the program ends normally, that is when this object goes.
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <map>

#include "core/file/RecoveryStore.h"

namespace ondrel::gui {

class COndrelApp;
class ChartSession;

inline constexpr const char* kAutoSaveSection = "Settings";
inline constexpr const char* kAutoSaveKey = "AutoSaveSeconds";
inline constexpr int kDefaultAutoSaveSeconds = 60;

class AutoSaver : public QObject {
    Q_OBJECT
public:
    // The recovery folder under the application's data folder.
    static QString RecoveryFolder();

    explicit AutoSaver(COndrelApp& app, const QString& folder = RecoveryFolder());
    ~AutoSaver() override;

    // Takes the interval from the profile and starts (or stops) the timer.
    void ApplyProfile();
    const QTimer& Timer() const { return timer_; }

    // Writes every modified chart changed since its last auto-save, unless a run is under way.
    void SaveChanged();
    // Writes session's chart now; false when it could not (told in the status bar once).
    bool Save(ChartSession& session);
    // The chart was saved to its own file, or closed: its recovery copy goes.
    void Forget(const ChartSession& session);

    RecoveryStore& Store() { return store_; }
    // The recovery chart of session; empty when it has none.
    QString RecoveryFileOf(const ChartSession& session) const;

signals:
    // After each recovery file written.
    void chartAutoSaved();

private:
    struct Slot {
        int id = 0;
        std::uint64_t savedChanges = 0;
        bool written = false;
    };
    bool AnyRunUnderWay() const;
    void ReportFailure(const std::string& error);

    COndrelApp& app_;
    RecoveryStore store_;
    QTimer timer_;
    std::map<const ChartSession*, Slot> slots_;
    int nextSlot_ = 1;
    bool failureShown_ = false;
};

}  // namespace ondrel::gui
