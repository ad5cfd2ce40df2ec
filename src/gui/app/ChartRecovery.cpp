#include "gui/app/ChartRecovery.h"

#include <QString>
#include <algorithm>
#include <set>

#include "gui/app/AutoSaver.h"
#include "gui/app/COndrelApp.h"
#include "gui/dialogs/RecoverChartsDialog.h"

namespace ondrel::gui {
namespace {

// Claims every session the charts come from; the charts of a session another program
// claimed first are not offered.
std::vector<RecoveryEntry> ClaimOrphans(RecoveryStore& store, std::set<std::string>& claimed) {
    std::vector<RecoveryEntry> entries = store.Orphans();
    for (const RecoveryEntry& entry : entries)
        if (!claimed.contains(entry.session) && store.Claim(entry.session)) claimed.insert(entry.session);
    std::erase_if(entries, [&claimed](const RecoveryEntry& e) { return !claimed.contains(e.session); });
    return entries;
}

// The recovered chart gets a recovery copy of its own at once; only then does the old one
// go, so that a crash right now loses nothing either.
bool Recover(COndrelApp& app, AutoSaver& saver, const RecoveryEntry& entry) {
    ChartSession* session = app.OpenRecovered(entry.chartPath, QString::fromStdString(entry.info.originalPath),
                                              QString::fromStdString(entry.info.title));
    if (session == nullptr) return false;
    if (saver.Save(*session)) saver.Store().Discard(entry);
    return true;
}

}  // namespace

bool OfferRecovery(COndrelApp& app, AutoSaver& saver, QWidget* parent) {
    RecoveryStore& store = saver.Store();
    std::set<std::string> claimed;
    const std::vector<RecoveryEntry> entries = ClaimOrphans(store, claimed);
    if (entries.empty()) return false;
    RecoverChartsDialog dialog(entries, parent);
    dialog.exec();
    bool recovered = false;
    switch (dialog.Chosen()) {
        case RecoverChartsDialog::Choice::Recover:
            for (const RecoveryEntry& entry : entries) recovered = Recover(app, saver, entry) || recovered;
            break;
        case RecoverChartsDialog::Choice::Discard:
            for (const RecoveryEntry& entry : entries) store.Discard(entry);
            break;
        case RecoverChartsDialog::Choice::Later:
            break;
    }
    // Whatever is left (Later, or a copy that would not load) waits for the next start.
    for (const std::string& session : claimed) store.Release(session);
    return recovered;
}

}  // namespace ondrel::gui
