// The run lists and their dependency order: every block of a list comes after the blocks of
// the same list that feed its inputs.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/engine/RunDriver.h"
#include "core/io/ChartFormat.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/DenseKeyIndex.h"

namespace ondrel {
namespace {

// The positions of a list's blocks, looked up by address, and where the sources of every
// block's inputs stand in the list: the loop check and the repair then walk compact arrays
// rather than reading each block again, which on a large chart is a cache miss per input.
class PositionIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    explicit PositionIndex(const std::vector<CBlock*>& list)
        : blocks_(DenseKeyIndex::ForNearbyKeys(list.size(), kBlockSpacingBits)), next_(list.size(), kNone) {
        // A block listed more than once has its positions chained in increasing order.
        std::vector<std::size_t> lastPosition;
        lastPosition.reserve(list.size());
        firstPosition_.reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            bool isNew = false;
            const std::size_t number = blocks_.Add(KeyOf(list[i]), isNew);
            if (isNew) {
                firstPosition_.push_back(i);
                lastPosition.push_back(i);
            } else {
                next_[lastPosition[number]] = i;
                lastPosition[number] = i;
            }
        }
        // Two passes: the first only reads every block's inputs, which lets the processor
        // fetch many blocks at once; the second then looks their addresses up.
        sourcePosition_.reserve(3 * list.size());
        for (const CBlock* block : list) {
            for (int k = 1; k <= 3; ++k) sourcePosition_.push_back(KeyOf(block->input[k]));
        }
        for (std::size_t& entry : sourcePosition_) entry = FirstPosition(entry);
    }
    // The first position of the source of input k of the block at position at, or kNone.
    std::size_t FirstSourcePosition(std::size_t at, int k) const {
        return sourcePosition_[3 * at + static_cast<std::size_t>(k - 1)];
    }
    // Every position of that source, in increasing order.
    template <typename Visit>
    void ForEachSourcePosition(std::size_t at, int k, Visit visit) const {
        for (std::size_t p = FirstSourcePosition(at, k); p != kNone; p = next_[p]) visit(p);
    }

private:
    // Two blocks never start closer than a block is long, and blocks made one after another
    // lie close together: their addresses in these units are distinct keys near each other.
    static constexpr int kBlockSpacingBits = 8;
    static_assert(sizeof(CBlock) >= (std::size_t{1} << kBlockSpacingBits));
    static_assert(sizeof(std::uintptr_t) <= sizeof(std::size_t));
    static std::size_t KeyOf(const CBlock* block) { return reinterpret_cast<std::uintptr_t>(block); }
    // The first position of the block with that key, or kNone when the key is a null
    // block's or no block of the list has it.
    std::size_t FirstPosition(std::size_t key) const {
        if (key == 0) return kNone;
        const std::size_t number = blocks_.Find(key);
        return number == DenseKeyIndex::npos ? kNone : firstPosition_[number];
    }

    DenseKeyIndex blocks_;                     // numbers the list's blocks by address
    std::vector<std::size_t> firstPosition_;   // by block number
    std::vector<std::size_t> next_;            // by position: the block's next position, or kNone
    std::vector<std::size_t> sourcePosition_;  // [3 * position + k - 1]: first position of input k's source
};

// The list being repaired, as slots: slot i is the block the list held at position i when the
// repair began. Each slot knows the slots of the blocks that feed it (a block listed twice
// feeds through both of its slots) and where it stands now, so that finding a block's first
// later feeder costs its inputs, not a pass over the rest of the list.
class FeedSlots {
public:
    // position is the index of list, shared with the loop check so that a list is indexed by
    // address once.
    FeedSlots(const std::vector<CBlock*>& list, const PositionIndex& position) : blocks_(list) {
        const std::size_t n = list.size();
        feederStart_.reserve(n + 1);
        feeders_.reserve(3 * n);
        // A source of an input is a feeder once for every slot that holds it (an input counted
        // twice does no harm: only the nearest position matters).
        for (std::size_t i = 0; i < n; ++i) {
            feederStart_.push_back(feeders_.size());
            for (int k = 1; k <= 3; ++k)
                position.ForEachSourcePosition(i, k, [this](std::size_t slot) { feeders_.push_back(slot); });
        }
        feederStart_.push_back(feeders_.size());
        order_.resize(n);
        position_.resize(n);
        for (std::size_t i = 0; i < n; ++i) order_[i] = position_[i] = i;
    }

    // The first position after j whose block feeds the block at j, or 0 when none does.
    std::size_t FirstLaterFeeder(std::size_t j) const {
        const std::size_t slot = order_[j];
        std::size_t first = 0;
        for (std::size_t f = feederStart_[slot]; f < feederStart_[slot + 1]; ++f) {
            const std::size_t at = position_[feeders_[f]];
            if (at > j && (first == 0 || at < first)) first = at;
        }
        return first;
    }
    // Moves the block at position from to position to (to < from); the blocks between move up.
    void MoveToFront(std::size_t from, std::size_t to) {
        const std::size_t moved = order_[from];
        for (std::size_t i = from; i > to; --i) {
            order_[i] = order_[i - 1];
            position_[order_[i]] = i;
        }
        order_[to] = moved;
        position_[moved] = to;
    }
    std::size_t size() const { return order_.size(); }
    // The blocks in their present order.
    void WriteTo(std::vector<CBlock*>& list) const {
        for (std::size_t i = 0; i < order_.size(); ++i) list[i] = blocks_[order_[i]];
    }

private:
    std::vector<CBlock*> blocks_;          // by slot
    std::vector<std::size_t> feederStart_;  // feeders of slot s: feeders_[start[s] .. start[s + 1])
    std::vector<std::size_t> feeders_;
    std::vector<std::size_t> order_;     // slot at each position
    std::vector<std::size_t> position_;  // position of each slot
};

// True when some blocks of the list feed one another in a ring (a block feeding itself does
// not count: the repair only ever compares two positions). Such a list has no order without a
// block fed by a later one, so its repair could only end at MaxSort moves, however many
// that allows.
bool HasFeedbackLoop(const std::vector<CBlock*>& list, const PositionIndex& position) {
    enum class Mark : unsigned char { Unvisited, OnPath, Done };
    std::vector<Mark> mark(list.size(), Mark::Unvisited);
    // Depth-first over "is fed by", with an explicit stack of (block, next input to follow).
    std::vector<std::pair<std::size_t, int>> stack;
    for (std::size_t start = 0; start < list.size(); ++start) {
        if (mark[start] != Mark::Unvisited) continue;
        mark[start] = Mark::OnPath;
        stack.push_back({start, 1});
        while (!stack.empty()) {
            auto& [at, k] = stack.back();
            if (k > 3) {
                mark[at] = Mark::Done;
                stack.pop_back();
                continue;
            }
            const std::size_t next = position.FirstSourcePosition(at, k++);
            if (next == PositionIndex::kNone || next == at) continue;
            if (mark[next] == Mark::OnPath) return true;
            if (mark[next] == Mark::Unvisited) {
                mark[next] = Mark::OnPath;
                stack.push_back({next, 1});
            }
        }
    }
    return false;
}

}  // namespace

bool SortBlocks(const CTarvekDoc& doc, RunLists& lists) {
    std::vector<CBlock*>& computeList = lists.computeList;
    std::vector<CBlock*>& stateList = lists.stateList;
    std::vector<CBlock*>& initList = lists.initList;
    computeList.clear();
    stateList.clear();
    initList.clear();
    for (const auto& owned : doc.blockList) {
        CBlock* block = owned.get();
        if (block->initFlag) initList.push_back(block);
        if ((block->kind == BlockKind::Algebraic && !block->initFlag) ||
            block->kind == BlockKind::AlwaysComputed) {
            computeList.push_back(block);
        }
        if (block->kind == BlockKind::State && block->typeId != kClockTypeId) stateList.push_back(block);
    }
    return OrderList(computeList, doc.maxSort) && OrderList(stateList, doc.maxSort) &&
           OrderList(initList, doc.maxSort);
}

bool OrderList(std::vector<CBlock*>& list, int maxSort) {
    // MaxSort bounds the moves a list may take, which is what ends the repair of a list that
    // holds a feedback loop. The scan resumes at the position just repaired rather than at
    // the front: the blocks before it still have nothing after them that feeds them, so the
    // order, the outcome and the number of moves are those of a scan from the front.
    if (maxSort <= 0) return false;
    // A ring of feeds fails whatever MaxSort allows; saying so at once keeps a large MaxSort
    // from making the check take minutes. Same outcome, same order for every list that can
    // be ordered.
    const PositionIndex position(list);
    if (HasFeedbackLoop(list, position)) return false;
    FeedSlots slots(list, position);
    int moves = 0;
    std::size_t j = 0;
    bool ordered = true;
    while (j < slots.size()) {
        const std::size_t feeder = slots.FirstLaterFeeder(j);
        if (feeder == 0) {
            ++j;
            continue;
        }
        slots.MoveToFront(feeder, j);
        if (++moves >= maxSort) {
            ordered = false;
            break;
        }
    }
    // A failed repair leaves the list as far as its moves took it.
    slots.WriteTo(list);
    return ordered;
}

}  // namespace ondrel
