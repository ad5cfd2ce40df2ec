// The run lists and their dependency order: every block of a list comes after the blocks of
// the same list that feed its inputs.
#include <cstddef>
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
