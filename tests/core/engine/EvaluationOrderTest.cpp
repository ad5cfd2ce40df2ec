#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <random>
#include <vector>

#include "core/engine/RunDriver.h"
#include "core/blocks/BlockTypeIds.h"
#include "engine/EngineTestSupport.h"

namespace ondrel {
namespace {

// A block of any kind and initialisation setting; the sort looks at nothing else.
class Node final : public CBlock {
public:
    Node(CTarvekDoc* document, BlockKind kind_, int initFlag_ = 0, int typeId_ = kTypeSum)
        : CBlock(0, document, 0, typeId_) {
        kind = kind_;
        initFlag = initFlag_;
    }
    void Compute() override {}
};

class EvaluationOrderTest : public ::testing::Test {
protected:
    CBlock* NewNode(BlockKind kind = BlockKind::Algebraic, int initFlag = 0, int typeId = kTypeSum) {
        nodes.push_back(std::make_unique<Node>(&doc, kind, initFlag, typeId));
        return nodes.back().get();
    }
    // A chain a -> b -> c, listed c, b, a.
    std::vector<CBlock*> ReversedChain(CBlock*& a, CBlock*& b, CBlock*& c) {
        a = NewNode();
        b = NewNode();
        c = NewNode();
        b->input[1] = a;
        c->input[3] = b;
        return {c, b, a};
    }

    test::RecordingPlatform platform;
    CTarvekDoc doc;
    std::vector<std::unique_ptr<Node>> nodes;
};

// The chain takes two moves (b before c, then a before b); a list that needs MaxSort moves
// fails even though the last move completed the order.
TEST_F(EvaluationOrderTest, ReversedChainTakesTwoMoves) {
    struct Case {
        int maxSort;
        bool succeeds;
    };
    for (const Case& c : {Case{3, true}, Case{500, true}, Case{2, false}, Case{1, false}}) {
        CBlock *a, *b, *cBlock;
        std::vector<CBlock*> list = ReversedChain(a, b, cBlock);
        doc.maxSort = c.maxSort;
        EXPECT_EQ(OrderList(list, doc.maxSort), c.succeeds) << "MaxSort " << c.maxSort;
        if (c.succeeds) {
            EXPECT_EQ(list, (std::vector<CBlock*>{a, b, cBlock}));
        }
    }
}

TEST_F(EvaluationOrderTest, MaxSortOfOneAcceptsOnlyAnOrderedList) {
    CBlock* source = NewNode();
    CBlock* sink = NewNode();
    sink->input[2] = source;
    doc.maxSort = 1;
    std::vector<CBlock*> ordered{source, sink};
    EXPECT_TRUE(OrderList(ordered, doc.maxSort));
    std::vector<CBlock*> needsOneMove{sink, source};
    EXPECT_FALSE(OrderList(needsOneMove, doc.maxSort));
    doc.maxSort = 2;
    EXPECT_TRUE(OrderList(needsOneMove, doc.maxSort));
    EXPECT_EQ(needsOneMove, ordered);
}

TEST_F(EvaluationOrderTest, MaxSortOfZeroOrLessFailsEvenAnEmptyList) {
    for (int maxSort : {0, -1}) {
        doc.maxSort = maxSort;
        std::vector<CBlock*> empty;
        EXPECT_FALSE(OrderList(empty, doc.maxSort)) << maxSort;
    }
}

TEST_F(EvaluationOrderTest, FeedbackLoopWithinAListFails) {
    CBlock* first = NewNode();
    CBlock* second = NewNode();
    first->input[1] = second;
    second->input[1] = first;
    std::vector<CBlock*> list{first, second};
    EXPECT_FALSE(OrderList(list, doc.maxSort));
}

// However many moves MaxSort allows, a ring fails at once and leaves the list untouched.
TEST_F(EvaluationOrderTest, RingFailsWithoutSpendingMaxSortMoves) {
    CBlock* a = NewNode();
    CBlock* b = NewNode();
    CBlock* c = NewNode();
    CBlock* selfFed = NewNode();
    b->input[2] = a;
    c->input[1] = b;
    a->input[3] = c;
    selfFed->input[1] = selfFed;  // feeds itself: never an out-of-order pair
    doc.maxSort = std::numeric_limits<int>::max();
    std::vector<CBlock*> ring{selfFed, a, b, c};
    EXPECT_FALSE(OrderList(ring, doc.maxSort));
    EXPECT_EQ(ring, (std::vector<CBlock*>{selfFed, a, b, c}));
    std::vector<CBlock*> alone{selfFed};
    EXPECT_TRUE(OrderList(alone, doc.maxSort));
}

// Each block lands in the lists its kind and initialisation setting call for.
TEST_F(EvaluationOrderTest, SortBlocksBuildsTheThreeLists) {
    struct Case {
        BlockKind kind;
        int initFlag, typeId;
        bool init, compute, state;
    };
    const Case cases[] = {
        {BlockKind::State, 0, kTypeClock, false, false, false},
        {BlockKind::Auxiliary, 0, kTypeSum, false, false, false},
        {BlockKind::Algebraic, 0, kTypeSum, false, true, false},
        {BlockKind::Algebraic, 1, kTypeSum, true, false, false},
        {BlockKind::Fixed, 1, kTypeConstant, true, false, false},
        {BlockKind::AlwaysComputed, 0, kTypeQuit, false, true, false},
        {BlockKind::AlwaysComputed, 1, kTypeQuit, true, true, false},
        {BlockKind::State, 0, kTypeIntegrate, false, false, true},
        {BlockKind::State, 1, kTypeIntegrate, true, false, true},
    };
    for (const Case& c : cases) {
        doc.blockList.push_back(std::make_unique<Node>(&doc, c.kind, c.initFlag, c.typeId));
    }
    RunLists run;
    ASSERT_TRUE(SortBlocks(doc, run));
    auto holds = [](const std::vector<CBlock*>& list, const CBlock* block) {
        return std::find(list.begin(), list.end(), block) != list.end();
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const CBlock* block = doc.blockList[i].get();
        SCOPED_TRACE(i);
        EXPECT_EQ(holds(run.initList, block), cases[i].init);
        EXPECT_EQ(holds(run.computeList, block), cases[i].compute);
        EXPECT_EQ(holds(run.stateList, block), cases[i].state);
    }
    // Rebuilding starts from empty lists.
    ASSERT_TRUE(SortBlocks(doc, run));
    EXPECT_EQ(run.initList.size(), 4u);
    EXPECT_EQ(run.computeList.size(), 3u);
    EXPECT_EQ(run.stateList.size(), 2u);
}

// The repair restarts from the front after every move, literally.
bool ReferenceOrder(std::vector<CBlock*>& list, int maxSort) {
    if (maxSort <= 0) return false;
    int moves = 0;
    for (;;) {
        bool moved = false;
        for (std::size_t j = 0; j < list.size() && !moved; ++j) {
            for (std::size_t k = j + 1; k < list.size() && !moved; ++k) {
                const CBlock* t = list[j];
                if (t->input[1] != list[k] && t->input[2] != list[k] && t->input[3] != list[k])
                    continue;
                CBlock* block = list[k];
                list.erase(list.begin() + static_cast<std::ptrdiff_t>(k));
                list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), block);
                moved = true;
            }
        }
        if (!moved) return true;
        if (++moves >= maxSort) return false;
    }
}

// Same order, same outcome and same number of moves as the literal repair, on random
// graphs with and without loops, for every MaxSort around the number of moves needed.
TEST_F(EvaluationOrderTest, AgreesWithTheRepairFromTheFront) {
    std::mt19937 random(12345);
    for (int graph = 0; graph < 200; ++graph) {
        nodes.clear();
        std::vector<CBlock*> blocks;
        for (int i = 0; i < 7; ++i) blocks.push_back(NewNode());
        const bool acyclic = graph % 3 != 0;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            for (int k = 1; k <= 3; ++k) {
                const std::size_t source = random() % blocks.size();
                if (random() % 2 == 0 || (acyclic && source >= i)) continue;
                blocks[i]->input[k] = blocks[source];
            }
        }
        std::shuffle(blocks.begin(), blocks.end(), random);
        for (int maxSort = 1; maxSort <= 25; ++maxSort) {
            std::vector<CBlock*> fast = blocks;
            std::vector<CBlock*> literal = blocks;
            doc.maxSort = maxSort;
            const bool expected = ReferenceOrder(literal, maxSort);
            ASSERT_EQ(OrderList(fast, doc.maxSort), expected) << "graph " << graph << " MaxSort " << maxSort;
            // A failure leaves the list as far as the same moves took it; a ring of feeds is
            // refused before any move, since no number of moves could settle it.
            if (acyclic || expected) {
                ASSERT_EQ(fast, literal) << "graph " << graph << " MaxSort " << maxSort;
            }
        }
    }
}

// Larger lists, some blocks listed twice, some fed by themselves or by blocks of no list: the
// same order and outcome as the literal repair at MaxSort just below, at and above the
// number of moves it needs, so the moves counted are the same too.
TEST_F(EvaluationOrderTest, AgreesWithTheRepairOnLargerListsWithRepeatsAndOutsiders) {
    std::mt19937 random(2026);
    for (int graph = 0; graph < 60; ++graph) {
        nodes.clear();
        std::vector<CBlock*> blocks;
        const std::size_t size = 10 + random() % 30;
        for (std::size_t i = 0; i < size; ++i) blocks.push_back(NewNode());
        CBlock* outsider = NewNode();
        const bool acyclic = graph % 4 != 0;
        for (std::size_t i = 0; i < size; ++i) {
            for (int k = 1; k <= 3; ++k) {
                const std::size_t source = random() % (size + 1);
                if (random() % 3 == 0 || (acyclic && source > i && source < size)) continue;
                blocks[i]->input[k] = source == size ? outsider : blocks[source];
            }
        }
        std::vector<CBlock*> list = blocks;
        if (graph % 5 == 1) list.push_back(blocks[random() % size]);  // listed twice
        std::shuffle(list.begin(), list.end(), random);
        // The fewest MaxSort the literal repair succeeds with is one more than its moves.
        int needed = 0;
        for (int step = 1 << 12; step > 0; step /= 2) {
            std::vector<CBlock*> probe = list;
            if (!acyclic && needed + step > 300) continue;
            if (!ReferenceOrder(probe, needed + step)) needed += step;
        }
        for (int maxSort : {1, needed - 1, needed, needed + 1, needed + 2, 5000}) {
            if (maxSort < 1 || (!acyclic && maxSort > 300)) continue;
            std::vector<CBlock*> fast = list;
            std::vector<CBlock*> literal = list;
            doc.maxSort = maxSort;
            const bool expected = ReferenceOrder(literal, maxSort);
            ASSERT_EQ(OrderList(fast, doc.maxSort), expected) << "graph " << graph << " MaxSort " << maxSort;
            if (acyclic || expected) {
                ASSERT_EQ(fast, literal) << "graph " << graph << " MaxSort " << maxSort;
            }
        }
    }
}

}  // namespace
}  // namespace ondrel
