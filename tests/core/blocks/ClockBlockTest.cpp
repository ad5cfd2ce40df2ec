#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/blocks/BlockCatalogue.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/ClockBlock.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

class ClockBlockTest : public ::testing::Test {
protected:
    // A document holding only a Clock at (x, y), as loading leaves it after the headers.
    static CClockBlock* AddClock(CTarvekDoc& doc, int x, int y) {
        auto pending = doc.CreateBlock(kTypeClock);
        pending->position = {x, y};
        doc.AddBlock(std::move(pending));
        return dynamic_cast<CClockBlock*>(doc.Clock());
    }

    static void ExpectAuxiliary(const CBlock* block, const char* label, GridPoint position) {
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block->label, label);
        EXPECT_EQ(block->position, position);
        EXPECT_EQ(block->typeName, "Dummy");
        EXPECT_EQ(block->typeId, 0);
        EXPECT_EQ(block->kind, BlockKind::Auxiliary);
        EXPECT_EQ(block->inputCount, 0);
        EXPECT_EQ(block->paramCount, 0);
    }

    test::RecordingPlatform platform;
};

TEST_F(ClockBlockTest, CreatesItsOutputsBesideAndBelowItselfOnce) {
    CTarvekDoc doc;
    CClockBlock* clock = AddClock(doc, 3, 4);
    ASSERT_NE(clock, nullptr);
    clock->label = "Timer";
    clock->CreateAuxiliaryOutputs();
    clock->CreateAuxiliaryOutputs();

    ASSERT_EQ(doc.blockList.size(), 3u);
    ASSERT_EQ(doc.auxList.size(), 2u);
    EXPECT_EQ(doc.auxList[0], clock->ErrorBlock());
    EXPECT_EQ(doc.auxList[1], clock->CountBlock());
    EXPECT_EQ(doc.blockList[1].get(), clock->ErrorBlock());
    ExpectAuxiliary(clock->ErrorBlock(), "TimerError", {-497, 4});
    ExpectAuxiliary(clock->CountBlock(), "TimerCount", {3, 504});
    EXPECT_EQ(clock->ErrorBlock()->chart, &doc);
}

TEST_F(ClockBlockTest, SetupRelabelsAndZeroesItsOutputs) {
    CTarvekDoc doc;
    doc.OnNewDocument();
    auto* clock = dynamic_cast<CClockBlock*>(doc.Clock());
    ASSERT_NE(clock, nullptr);
    ExpectAuxiliary(clock->ErrorBlock(), "ClockError", {-500, 0});
    ExpectAuxiliary(clock->CountBlock(), "ClockCount", {0, 500});
    clock->label = "T";
    clock->ErrorBlock()->value = 0.5;
    clock->CountBlock()->value = 12.0;
    EXPECT_EQ(clock->Setup(), 1);
    EXPECT_EQ(clock->ErrorBlock()->label, "TError");
    EXPECT_EQ(clock->CountBlock()->label, "TCount");
    EXPECT_EQ(clock->ErrorBlock()->value, 0.0);
    EXPECT_EQ(clock->CountBlock()->value, 0.0);
}

TEST_F(ClockBlockTest, RecordCarriesBothOutputsAndLoadingRecreatesThem) {
    CTarvekDoc saved;
    saved.OnNewDocument();
    auto* clock = dynamic_cast<CClockBlock*>(saved.Clock());
    clock->param[3] = 5.0;
    clock->history = {0.0, 0.1};
    clock->ErrorBlock()->notes = "largest error";
    clock->ErrorBlock()->history = {1e-9, 2e-9};
    clock->CountBlock()->label = "Steps";
    clock->CountBlock()->history = {0.0, 6.0};
    CArchive out = CArchive::ForWriting();
    clock->Serialize(out);
    const std::vector<std::uint8_t> bytes = out.TakeBuffer();

    CTarvekDoc loaded;
    CClockBlock* copy = AddClock(loaded, 2, 3);
    CArchive in = CArchive::ForReading(bytes);
    copy->Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(copy->param[3], 5.0);
    EXPECT_EQ(copy->history, clock->history);
    ASSERT_EQ(loaded.blockList.size(), 3u);
    ASSERT_EQ(loaded.auxList.size(), 2u);
    // Positions follow the loading Clock, everything else comes from the records.
    EXPECT_EQ(copy->ErrorBlock()->position, (GridPoint{-498, 3}));
    EXPECT_EQ(copy->CountBlock()->position, (GridPoint{2, 503}));
    EXPECT_EQ(copy->ErrorBlock()->notes, "largest error");
    EXPECT_EQ(copy->ErrorBlock()->history, clock->ErrorBlock()->history);
    EXPECT_EQ(copy->CountBlock()->label, "Steps");
    EXPECT_EQ(copy->CountBlock()->history, clock->CountBlock()->history);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(ClockBlockTest, ClockWithoutOutputsStillWritesAReadableRecord) {
    CTarvekDoc saved;
    CClockBlock* clock = AddClock(saved, 0, 0);
    CArchive out = CArchive::ForWriting();
    clock->Serialize(out);
    const std::vector<std::uint8_t> bytes = out.TakeBuffer();

    CTarvekDoc loaded;
    CClockBlock* copy = AddClock(loaded, 0, 0);
    CArchive in = CArchive::ForReading(bytes);
    copy->Serialize(in);
    EXPECT_FALSE(in.Failed());
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(loaded.auxList.size(), 2u);
}

TEST_F(ClockBlockTest, LoadingWithoutADocumentFailsTheArchive) {
    CTarvekDoc saved;
    saved.OnNewDocument();
    CArchive out = CArchive::ForWriting();
    saved.Clock()->Serialize(out);
    const std::vector<std::uint8_t> bytes = out.TakeBuffer();

    std::unique_ptr<CBlock> orphan = CreateCatalogueBlock(kTypeClock, nullptr);
    CArchive in = CArchive::ForReading(bytes);
    orphan->Serialize(in);
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(static_cast<CClockBlock*>(orphan.get())->ErrorBlock(), nullptr);
}

TEST_F(ClockBlockTest, ACutRecordCreatesTheOutputsButReadsNothingIntoThem) {
    CTarvekDoc saved;
    saved.OnNewDocument();
    saved.Clock()->label = "Keep";
    CArchive out = CArchive::ForWriting();
    saved.Clock()->Serialize(out);
    std::vector<std::uint8_t> bytes = out.TakeBuffer();
    bytes.resize(10);

    CTarvekDoc loaded;
    CClockBlock* copy = AddClock(loaded, 0, 0);
    CArchive in = CArchive::ForReading(bytes);
    copy->Serialize(in);
    EXPECT_TRUE(in.Failed());
    ASSERT_EQ(loaded.auxList.size(), 2u);
    EXPECT_EQ(copy->ErrorBlock()->label, "KeepError");  // the label survived the cut
    EXPECT_TRUE(copy->ErrorBlock()->history.empty());
}

}  // namespace
}  // namespace ondrel
