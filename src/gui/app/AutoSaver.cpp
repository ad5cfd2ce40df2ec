#include "gui/app/AutoSaver.h"

#include <QDir>
#include <QStandardPaths>
#include <QStatusBar>

#include "gui/app/CMainFrame.h"
#include "gui/app/COndrelApp.h"
#include "gui/app/ChartSession.h"
#include "core/file/ChartFile.h"
#include "core/platform/Platform.h"

namespace ondrel::gui {

QString AutoSaver::RecoveryFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("recovery");
}

AutoSaver::AutoSaver(COndrelApp& app, const QString& folder) : app_(app), store_(folder.toStdString()) {
    std::string error;
    // A folder that cannot be made is told at the first auto-save, where it matters.
    (void)store_.Open(error);
    connect(&timer_, &QTimer::timeout, this, &AutoSaver::SaveChanged);
    ApplyProfile();
}

AutoSaver::~AutoSaver() { store_.Close(); }

void AutoSaver::ApplyProfile() {
    const int seconds = Profile().GetInt(kAutoSaveSection, kAutoSaveKey, kDefaultAutoSaveSeconds);
    // The timer ticks every interval: a chart that changes just after a tick is written at
    // the next one, within the interval.
    constexpr int kLongestSeconds = 24 * 60 * 60;
    if (seconds <= 0) {
        timer_.stop();
        return;
    }
    timer_.start(std::min(seconds, kLongestSeconds) * 1000);
}

bool AutoSaver::AnyRunUnderWay() const {
    for (const auto& session : app_.Sessions())
        if (session->Document().IsRunning()) return true;
    return false;
}

void AutoSaver::SaveChanged() {
    // A run is left alone: the chart is half way through its samples, and the next tick
    // writes it once the run has ended.
    if (AnyRunUnderWay()) return;
    for (const auto& session : app_.Sessions()) {
        if (!session->Document().IsModified()) continue;
        auto found = slots_.find(session.get());
        if (found != slots_.end() && found->second.written &&
            found->second.savedChanges == session->ChangeCount())
            continue;
        Save(*session);
    }
}

bool AutoSaver::Save(ChartSession& session) {
    Slot& slot = slots_[&session];
    if (slot.id == 0) slot.id = nextSlot_++;
    const RecoveryInfo info{session.Path().toStdString(), session.Document().FrameworkTitle(),
                            Platform().clock->CalendarSeconds()};
    std::string error;
    if (!store_.Write(slot.id, ChartBytes(session.Document(), session), info, error)) {
        ReportFailure(error);
        return false;
    }
    slot.savedChanges = session.ChangeCount();
    slot.written = true;
    failureShown_ = false;
    emit chartAutoSaved();
    return true;
}

void AutoSaver::ReportFailure(const std::string& error) {
    if (failureShown_ || app_.MainFrame() == nullptr) return;
    failureShown_ = true;
    app_.MainFrame()->statusBar()->showMessage(
        QStringLiteral("Auto-save failed: %1 (in %2)")
            .arg(QString::fromStdString(error), QString::fromStdString(store_.Folder())));
}

void AutoSaver::Forget(const ChartSession& session) {
    auto found = slots_.find(&session);
    if (found == slots_.end()) return;
    store_.Remove(found->second.id);
    slots_.erase(found);
}

QString AutoSaver::RecoveryFileOf(const ChartSession& session) const {
    auto found = slots_.find(&session);
    if (found == slots_.end() || !found->second.written) return {};
    return QString::fromStdString(store_.ChartPath(found->second.id));
}

}  // namespace ondrel::gui
