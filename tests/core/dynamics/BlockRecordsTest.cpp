#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <vector>

#include "DynamicsTestSupport.h"
#include "core/blocks/DelayBlock.h"
#include "core/blocks/DynamicBlocks.h"
#include "core/blocks/FunctionGenerator.h"
#include "core/blocks/Generators.h"

namespace ondrel::test {
namespace {

using BlockRecordsTest = DynamicsTest;

// One block type's extra fields: how a test fills them, what the bytes after the base
// record must read as, and how a loaded block must look.
struct RecordCase {
    const char* name;
    int typeId;
    std::function<void(CBlock&)> fill;
    std::function<void(CArchive&)> expectExtra;  // reads and checks the fields in order
    std::function<void(const CBlock&)> expectLoaded;
};

template <class T>
std::function<void(CBlock&)> Fill(std::function<void(T&)> f) {
    return [f](CBlock& b) { f(dynamic_cast<T&>(b)); };
}
template <class T>
std::function<void(const CBlock&)> Check(std::function<void(const T&)> f) {
    return [f](const CBlock& b) { f(dynamic_cast<const T&>(b)); };
}

std::vector<RecordCase> Cases() {
    return {
        {"Delay", kTypeDelay,
         Fill<CDelayBlock>([](CDelayBlock& b) { b.inputRecord = {1.5, -2.0, 3.0}; }),
         [](CArchive& ar) {
             EXPECT_EQ(ar.ReadInt32(), 3);
             EXPECT_EQ(ar.ReadDouble(), 1.5);
             EXPECT_EQ(ar.ReadDouble(), -2.0);
             EXPECT_EQ(ar.ReadDouble(), 3.0);
         },
         Check<CDelayBlock>([](const CDelayBlock& b) {
             EXPECT_EQ(b.inputRecord, (std::vector<double>{1.5, -2.0, 3.0}));
         })},
        {"Back Lash", kTypeBackLash, Fill<CBackLashBlock>([](CBackLashBlock& b) { b.held = 2.5; }),
         [](CArchive& ar) { EXPECT_EQ(ar.ReadDouble(), 2.5); },
         Check<CBackLashBlock>([](const CBackLashBlock& b) { EXPECT_EQ(b.held, 2.5); })},
        {"One Shot", kTypeOneShot,
         Fill<COneShotBlock>([](COneShotBlock& b) {
             b.armed = 1;
             b.running = 1;
             b.start = 0.75;
         }),
         [](CArchive& ar) {
             EXPECT_EQ(ar.ReadInt32(), 1);
             EXPECT_EQ(ar.ReadInt32(), 1);
             EXPECT_EQ(ar.ReadDouble(), 0.75);
         },
         Check<COneShotBlock>([](const COneShotBlock& b) {
             EXPECT_EQ(b.armed, 1);
             EXPECT_EQ(b.running, 1);
             EXPECT_EQ(b.start, 0.75);
         })},
        {"Jitter", kTypeJitter, Fill<CJitterBlock>([](CJitterBlock& b) { b.nextTime = 0.625; }),
         [](CArchive& ar) { EXPECT_EQ(ar.ReadDouble(), 0.625); },
         Check<CJitterBlock>([](const CJitterBlock& b) { EXPECT_EQ(b.nextTime, 0.625); })},
        {"Sine Wave Generator", kTypeSineWaveGenerator,
         Fill<CSineWaveGeneratorBlock>([](CSineWaveGeneratorBlock& b) { b.phase = 1.25; }),
         [](CArchive& ar) { EXPECT_EQ(ar.ReadDouble(), 1.25); },
         Check<CSineWaveGeneratorBlock>(
             [](const CSineWaveGeneratorBlock& b) { EXPECT_EQ(b.phase, 1.25); })},
        {"Time Pulse Generator", kTypeTimePulseGenerator,
         Fill<CTimePulseGeneratorBlock>([](CTimePulseGeneratorBlock& b) {
             b.started = 1;
             b.nextTime = 0.875;
         }),
         [](CArchive& ar) {
             EXPECT_EQ(ar.ReadInt32(), 1);
             EXPECT_EQ(ar.ReadDouble(), 0.875);
         },
         Check<CTimePulseGeneratorBlock>([](const CTimePulseGeneratorBlock& b) {
             EXPECT_EQ(b.started, 1);
             EXPECT_EQ(b.nextTime, 0.875);
         })},
        {"Function Generator", kTypeFunctionGenerator,
         Fill<CFunctionGeneratorBlock>(
             [](CFunctionGeneratorBlock& b) { b.SetOrdinates({4.0, -1.0, 0.5, 8.0}); }),
         [](CArchive& ar) {
             EXPECT_EQ(ar.ReadInt32(), 4);
             for (double v : {4.0, -1.0, 0.5, 8.0}) EXPECT_EQ(ar.ReadDouble(), v);
         },
         Check<CFunctionGeneratorBlock>([](const CFunctionGeneratorBlock& b) {
             EXPECT_EQ(b.Ordinates(), (std::vector<double>{4.0, -1.0, 0.5, 8.0}));
             EXPECT_EQ(b.PreparedPoints(), 0u);
         })},
        // These keep their state in fields that are not stored (or in a parameter).
        {"Decay", kTypeDecay, [](CBlock&) {}, [](CArchive&) {}, [](const CBlock&) {}},
        {"Zero Order Hold", kTypeZeroOrderHold, [](CBlock& b) { b.param[2] = 6.5; },
         [](CArchive&) {}, [](const CBlock& b) { EXPECT_EQ(b.param[2], 6.5); }},
    };
}

TEST_F(BlockRecordsTest, ExtraFieldsFollowTheBaseRecordAndComeBack) {
    for (const RecordCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CBlock> original = CreateCatalogueBlock(c.typeId, &doc);
        ASSERT_NE(original, nullptr);
        original->param[3] = 0.375;
        original->history = {1.0, 2.0};
        c.fill(*original);
        const std::vector<std::uint8_t> bytes = RecordOf(*original);
        const std::size_t baseSize = BaseRecordOf(*original).size();
        ASSERT_LE(baseSize, bytes.size());

        CArchive extra = CArchive::ForReading(std::span(bytes).subspan(baseSize));
        c.expectExtra(extra);
        EXPECT_FALSE(extra.Failed());
        EXPECT_TRUE(extra.AtEnd()) << "no field beyond those expected";

        std::unique_ptr<CBlock> loaded = CreateCatalogueBlock(c.typeId, &doc);
        CArchive in = CArchive::ForReading(bytes);
        loaded->Serialize(in);
        EXPECT_FALSE(in.Failed());
        EXPECT_TRUE(in.AtEnd());
        EXPECT_EQ(loaded->param[3], 0.375);
        EXPECT_EQ(loaded->history, (std::vector<double>{1.0, 2.0}));
        c.expectLoaded(*loaded);
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(BlockRecordsTest, EveryTruncatedRecordFailsSafely) {
    for (const RecordCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CBlock> original = CreateCatalogueBlock(c.typeId, &doc);
        c.fill(*original);
        const std::vector<std::uint8_t> bytes = RecordOf(*original);
        for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
            std::unique_ptr<CBlock> loaded = CreateCatalogueBlock(c.typeId, &doc);
            CArchive in = CArchive::ForReading(std::span(bytes).first(cut));
            loaded->Serialize(in);
            EXPECT_TRUE(in.Failed()) << "cut at " << cut;
        }
    }
}

TEST_F(BlockRecordsTest, AnImpossibleCountAllocatesNothing) {
    for (int typeId : {int(kTypeDelay), int(kTypeFunctionGenerator)}) {
        for (std::int32_t count : {0x7FFFFFFF, 5, -1}) {
            std::unique_ptr<CBlock> original = CreateCatalogueBlock(typeId, &doc);
            CArchive out = CArchive::ForWriting();
            original->CBlock::Serialize(out);
            out.WriteInt32(count);
            out.WriteDouble(1.0);  // fewer values than the count claims
            const std::vector<std::uint8_t> bytes = out.TakeBuffer();

            std::unique_ptr<CBlock> loaded = CreateCatalogueBlock(typeId, &doc);
            CArchive in = CArchive::ForReading(bytes);
            loaded->Serialize(in);
            EXPECT_TRUE(in.Failed()) << typeId << " count " << count;
            if (auto* d = dynamic_cast<CDelayBlock*>(loaded.get())) {
                EXPECT_TRUE(d->inputRecord.empty());
            } else {
                EXPECT_TRUE(dynamic_cast<CFunctionGeneratorBlock&>(*loaded).Ordinates().empty());
            }
        }
    }
}

}  // namespace
}  // namespace ondrel::test
