// The run lists and their dependency order: every block of a list comes after the blocks of
// the same list that feed its inputs.
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "model/CTarvekDoc.h"

namespace ondrel {
namespace {

// True when source is the block behind input 1, 2 or 3 of target.
bool Feeds(const CBlock* source, const CBlock* target) {
    return target->input[1] == source || target->input[2] == source ||
           target->input[3] == source;
}

// The first position k after j whose block feeds the block at j, or 0 when none does.
std::size_t FirstLaterFeeder(const std::vector<CBlock*>& list, std::size_t j) {
    for (std::size_t k = j + 1; k < list.size(); ++k) {
        if (Feeds(list[k], list[j])) return k;
    }
    return 0;
}

// Moves the block at position from to position to (to < from); the blocks between move up.
void MoveToFront(std::vector<CBlock*>& list, std::size_t from, std::size_t to) {
    CBlock* moved = list[from];
    for (std::size_t i = from; i > to; --i) list[i] = list[i - 1];
    list[to] = moved;
}

// True when some blocks of the list feed one another in a ring (a block feeding itself does
// not count: the repair only ever compares two positions). Such a list has no order without a
// block fed by a later one, so its repair could only end at MaxSort moves, however many
// that allows.
// The positions of a list's blocks, looked up by address: one array, so that checking a
// large chart costs a few allocations rather than one per block.
class PositionIndex {
public:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    explicit PositionIndex(const std::vector<CBlock*>& list) {
        entries_.reserve(list.size());
        for (std::size_t i = 0; i < list.size(); ++i) entries_.push_back({list[i], i});
        std::sort(entries_.begin(), entries_.end());
    }
    // The first position of block in the list, or kNone.
    std::size_t Find(const CBlock* block) const {
        const auto at = std::lower_bound(entries_.begin(), entries_.end(),
                                         std::pair<const CBlock*, std::size_t>{block, 0});
        return at != entries_.end() && at->first == block ? at->second : kNone;
    }

private:
    std::vector<std::pair<const CBlock*, std::size_t>> entries_;
};

bool HasFeedbackLoop(const std::vector<CBlock*>& list) {
    const PositionIndex position(list);
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
            const CBlock* source = list[at]->input[k++];
            const std::size_t next = source ? position.Find(source) : PositionIndex::kNone;
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

bool CTarvekDoc::SortBlocks() {
    computeList.clear();
    stateList.clear();
    initList.clear();
    for (const auto& owned : blockList) {
        CBlock* block = owned.get();
        if (block->initFlag) initList.push_back(block);
        if ((block->kind == kKindAlgebraic && !block->initFlag) ||
            block->kind == kKindAlwaysComputed) {
            computeList.push_back(block);
        }
        if (block->kind == kKindState && block->typeId != kClockTypeId) stateList.push_back(block);
    }
    return OrderList(computeList) && OrderList(stateList) && OrderList(initList);
}

bool CTarvekDoc::OrderList(std::vector<CBlock*>& list) {
    // MaxSort bounds the moves a list may take, which is what ends the repair of a list that
    // holds a feedback loop. The scan resumes at the position just repaired rather than at
    // the front: the blocks before it still have nothing after them that feeds them, so the
    // order, the outcome and the number of moves are those of a scan from the front.
    if (maxSort <= 0) return false;
    // A ring of feeds fails whatever MaxSort allows; saying so at once keeps a large MaxSort
    // from making the check take minutes. Same outcome, same order for every list that can
    // be ordered.
    if (HasFeedbackLoop(list)) return false;
    int moves = 0;
    std::size_t j = 0;
    while (j < list.size()) {
        const std::size_t feeder = FirstLaterFeeder(list, j);
        if (feeder == 0) {
            ++j;
            continue;
        }
        MoveToFront(list, feeder, j);
        if (++moves >= maxSort) return false;
    }
    return true;
}

}  // namespace ondrel
