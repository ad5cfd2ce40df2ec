// Loading resolves stored positions through an index of the blocks; it must find exactly the
// block a scan of the list finds, on charts with many blocks stacked on one cell.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/BlockPositionIndex.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {
namespace {

constexpr int kTypes[] = {kTypeSum, kTypeGain, kTypeIntegrate};

// A chart of `blocks` blocks crowded onto a small grid, every offered input fed by a block
// picked anywhere in the list (the Clock and its outputs included).
void CrowdedChart(CTarvekDoc& doc, std::mt19937& random, int blocks, int side) {
    doc.OnNewDocument();
    std::uniform_int_distribution<int> cell(0, side - 1);
    for (int i = 0; i < blocks; ++i) {
        doc.PlaceBlock(doc.CreateBlock(kTypes[i % 3]), cell(random), cell(random));
    }
    std::uniform_int_distribution<std::size_t> any(0, doc.blockList.size() - 1);
    for (auto& block : doc.blockList) {
        if (block->kind == BlockKind::Auxiliary) continue;  // the Clock makes their inputs itself
        for (int k = 1; k <= block->inputCount; ++k) {
            if (random() % 4 != 0) block->input[k] = doc.blockList[any(random)].get();
        }
    }
}

TEST(PositionIndex, AnswersLikeAScanAlsoForBlocksAppendedLater) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        RecordingPlatform platform;
        std::mt19937 random(seed);
        CTarvekDoc doc;
        CrowdedChart(doc, random, static_cast<int>(seed % 13) * 5, 2 + static_cast<int>(seed % 4));
        const BlockPositionIndex index(doc.blockList);
        for (int appended = 0; appended < static_cast<int>(seed % 4); ++appended) {
            doc.PlaceBlock(doc.CreateBlock(kTypeGain), static_cast<int>(random() % 4), static_cast<int>(random() % 4));
        }
        for (int x = -1; x <= 6; ++x) {
            for (int y = -1; y <= 6; ++y) {
                ASSERT_EQ(index.First({x, y}), ScanFirstBlockAt(doc.blockList, {x, y})) << seed;
                ASSERT_EQ(index.Last({x, y}), ScanLastBlockAt(doc.blockList, {x, y})) << seed;
            }
        }
        // Outside any block's cell, including the Clock outputs' far-away positions.
        ASSERT_EQ(index.First(kNoConnection), ScanFirstBlockAt(doc.blockList, kNoConnection));
    }
}

// Each input of the chart read back is the first block of the read list at the position
// that was saved for it, as a scan would resolve it; and none went unresolved.
TEST(PositionIndex, LoadingResolvesEveryInputToTheFirstBlockThere) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        RecordingPlatform platform;
        std::mt19937 random(seed);
        CTarvekDoc original;
        CrowdedChart(original, random, 30 + static_cast<int>(seed) * 7, 3 + static_cast<int>(seed % 3));
        StateOnlyViewHost host;
        const auto bytes = ChartBytes(original, host);

        CTarvekDoc loaded;
        StateOnlyViewHost loadedHost;
        CArchive ar = CArchive::ForReading(bytes);
        ASSERT_TRUE(ReadChart(ar, loaded, loadedHost));
        ASSERT_EQ(loaded.blockList.size(), original.blockList.size());
        // The Clock's outputs come back behind the blocks read: compare the others in order.
        const auto placed = [](const CTarvekDoc& doc) {
            std::vector<CBlock*> blocks;
            for (const auto& block : doc.blockList)
                if (block->kind != BlockKind::Auxiliary) blocks.push_back(block.get());
            return blocks;
        };
        const auto before = placed(original);
        const auto after = placed(loaded);
        ASSERT_EQ(before.size(), after.size());
        int stackedHits = 0;
        for (std::size_t i = 0; i < before.size(); ++i) {
            for (int k = 1; k <= 3; ++k) {
                const GridPoint key = before[i]->ConnectionKey(k);
                CBlock* expected = key == kNoConnection ? nullptr : ScanFirstBlockAt(loaded.blockList, key);
                ASSERT_EQ(after[i]->input[k], expected) << seed << " block " << i;
                stackedHits += expected != nullptr && expected != ScanLastBlockAt(loaded.blockList, key);
            }
        }
        // The chart is crowded enough that first and last match differ, or this proves little.
        EXPECT_GT(stackedHits, 5) << seed;
        for (const auto& message : platform.messages.shown)
            EXPECT_NE(message.caption, "Load Error") << message.text;
        EXPECT_EQ(loaded.FirstBlockAt({0, 0}), loaded.Clock());
    }
}

}  // namespace
}  // namespace ondrel::test
