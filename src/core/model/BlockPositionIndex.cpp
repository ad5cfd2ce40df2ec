#include "core/model/BlockPositionIndex.h"

#include <algorithm>
#include <tuple>

namespace ondrel {
namespace {

bool Before(GridPoint a, GridPoint b) { return std::tie(a.x, a.y) < std::tie(b.x, b.y); }

}  // namespace

BlockPositionIndex::BlockPositionIndex(const BlockList& list) : list_(list), covered_(list.size()) {
    entries_.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i]) entries_.push_back({list[i]->position, i});
    }
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        if (Before(a.position, b.position)) return true;
        if (Before(b.position, a.position)) return false;
        return a.index < b.index;
    });
}

std::pair<const BlockPositionIndex::Entry*, const BlockPositionIndex::Entry*> BlockPositionIndex::At(
    GridPoint position) const {
    const auto range = std::equal_range(
        entries_.begin(), entries_.end(), Entry{position, 0},
        [](const Entry& a, const Entry& b) { return Before(a.position, b.position); });
    return {entries_.data() + (range.first - entries_.begin()),
            entries_.data() + (range.second - entries_.begin())};
}

CBlock* BlockPositionIndex::First(GridPoint position) const {
    const auto [begin, end] = At(position);
    if (begin != end) return list_[begin->index].get();
    // Appended since: the few the list has grown by (a Clock's outputs while loading).
    for (std::size_t i = covered_; i < list_.size(); ++i) {
        if (list_[i] && list_[i]->position == position) return list_[i].get();
    }
    return nullptr;
}

CBlock* BlockPositionIndex::Last(GridPoint position) const {
    for (std::size_t i = list_.size(); i > covered_; --i) {
        if (list_[i - 1] && list_[i - 1]->position == position) return list_[i - 1].get();
    }
    const auto [begin, end] = At(position);
    return begin != end ? list_[(end - 1)->index].get() : nullptr;
}

CBlock* ScanFirstBlockAt(const BlockPositionIndex::BlockList& list, GridPoint position) {
    for (const auto& block : list) {
        if (block && block->position == position) return block.get();
    }
    return nullptr;
}

CBlock* ScanLastBlockAt(const BlockPositionIndex::BlockList& list, GridPoint position) {
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        if (*it && (*it)->position == position) return it->get();
    }
    return nullptr;
}

}  // namespace ondrel
