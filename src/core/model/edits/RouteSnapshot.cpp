#include "core/model/edits/RouteSnapshot.h"

#include <algorithm>
#include <utility>

#include "core/model/CTarvekDoc.h"

namespace ondrel {
namespace {

// Index of block's entry; hint is where it most likely is (both sides in list order).
std::size_t Find(const std::vector<RouteEntry>& entries, const CBlock* block, std::size_t hint) {
    if (hint < entries.size() && entries[hint].block == block) return hint;
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [block](const RouteEntry& e) { return e.block == block; });
    return static_cast<std::size_t>(found - entries.begin());
}

}  // namespace

RouteSnapshot RouteSnapshot::Capture(const CTarvekDoc& doc) {
    RouteSnapshot snapshot;
    snapshot.nextLinkLetter = doc.nextLinkLetter;
    snapshot.entries.reserve(doc.blockList.size());
    for (const auto& block : doc.blockList)
        snapshot.entries.push_back({block.get(), block->route, block->linkLetter});
    return snapshot;
}

void RouteSnapshot::Restore(CTarvekDoc& doc) const {
    // Walks the document's blocks rather than the entries: a block is only written to while
    // the chart holds it, whatever became of the others.
    for (std::size_t i = 0; i < doc.blockList.size(); ++i) {
        CBlock& block = *doc.blockList[i];
        const std::size_t at = Find(entries, &block, i);
        if (at == entries.size()) continue;
        block.route = entries[at].route;
        block.linkLetter = entries[at].linkLetter;
    }
    doc.nextLinkLetter = nextLinkLetter;
}

RouteChange RouteChange::Begin(const CTarvekDoc& doc) {
    RouteChange change;
    change.before_ = RouteSnapshot::Capture(doc);
    change.after_.nextLinkLetter = change.before_.nextLinkLetter;
    return change;
}

void RouteChange::End(const CTarvekDoc& doc) {
    RouteSnapshot now = RouteSnapshot::Capture(doc);
    after_.nextLinkLetter = now.nextLinkLetter;
    // Only what the change touched is kept, in vectors of their own: an undo record must not
    // hold on to the whole chart's records.
    std::vector<RouteEntry> before;
    std::vector<RouteEntry> after;
    for (std::size_t i = 0; i < before_.entries.size(); ++i) {
        const std::size_t at = Find(now.entries, before_.entries[i].block, i);
        // A block that left the chart during the change has nothing to restore.
        if (at == now.entries.size() || before_.entries[i] == now.entries[at]) continue;
        before.push_back(std::move(before_.entries[i]));
        after.push_back(std::move(now.entries[at]));
    }
    before_.entries = std::move(before);
    after_.entries = std::move(after);
}

void RouteChange::Absorb(const RouteChange& later) {
    for (std::size_t j = 0; j < later.before_.entries.size(); ++j) {
        const RouteEntry& laterAfter = later.after_.entries[j];
        const std::size_t at = Find(before_.entries, laterAfter.block, j);
        if (at < before_.entries.size()) {
            after_.entries[at] = laterAfter;
        } else {
            // Untouched by this change, so its value before the later one is also its value
            // before this one.
            before_.entries.push_back(later.before_.entries[j]);
            after_.entries.push_back(laterAfter);
        }
    }
    after_.nextLinkLetter = later.after_.nextLinkLetter;
    DropUnchanged();
}

void RouteChange::DropUnchanged() {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < before_.entries.size(); ++i) {
        if (before_.entries[i] == after_.entries[i]) continue;
        if (kept != i) {
            before_.entries[kept] = std::move(before_.entries[i]);
            after_.entries[kept] = std::move(after_.entries[i]);
        }
        ++kept;
    }
    before_.entries.resize(kept);
    after_.entries.resize(kept);
    before_.entries.shrink_to_fit();
    after_.entries.shrink_to_fit();
}

}  // namespace ondrel
