#include "core/model/BlockPositionIndex.h"

#include <cstdint>

namespace ondrel {
namespace {

std::uint64_t KeyOf(GridPoint position) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(position.x)) << 32 |
           static_cast<std::uint32_t>(position.y);
}

}  // namespace

BlockPositionIndex::BlockPositionIndex(const BlockList& list)
    : list_(list), covered_(list.size()), positions_(list.size()) {
    spans_.reserve(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i]) continue;
        bool isNew = false;
        const std::size_t number = positions_.Add(KeyOf(list[i]->position), isNew);
        if (isNew) {
            spans_.push_back({i, i});
        } else {
            spans_[number].last = i;
        }
    }
}

const BlockPositionIndex::Span* BlockPositionIndex::At(GridPoint position) const {
    const std::size_t number = positions_.Find(KeyOf(position));
    return number == DenseKeyIndex::npos ? nullptr : &spans_[number];
}

CBlock* BlockPositionIndex::First(GridPoint position) const {
    if (const Span* span = At(position)) return list_[span->first].get();
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
    const Span* span = At(position);
    return span != nullptr ? list_[span->last].get() : nullptr;
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
