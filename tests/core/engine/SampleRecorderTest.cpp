// What a run records after every interval: the output of each recorded block, and whatever
// more the blocks that keep their own records add to it.
#include <gtest/gtest.h>

#include <initializer_list>

#include "blocks/DelayBlock.h"
#include "blocks/DynamicBlocks.h"
#include "engine/EngineTestSupport.h"
#include "engine/SampleRecorder.h"

namespace ondrel {
namespace {

using SampleRecorderTest = test::EngineTest;

TEST_F(SampleRecorderTest, BlocksWithRecordsOfTheirOwnStillKeepThemInStep) {
    auto* delay = dynamic_cast<CDelayBlock*>(Add(kTypeDelay));
    auto* decay = dynamic_cast<CDecayBlock*>(Add(kTypeDecay));
    ASSERT_NE(delay, nullptr);
    ASSERT_NE(decay, nullptr);
    Wire(delay, 1, &Clock());
    CBlock* sum = Add(kTypeSum);
    Wire(sum, 1, delay);
    Wire(sum, 2, decay);
    doc.OnRun();
    ASSERT_TRUE(platform.messages.shown.empty());
    const std::size_t samples = Clock().history.size();
    ASSERT_EQ(samples, 11u);
    for (const CBlock* block : std::initializer_list<const CBlock*>{delay, decay, sum})
        EXPECT_EQ(block->history.size(), samples) << block->label;
    // The Delay's record of its input, sample by sample: the time of each sample.
    ASSERT_EQ(delay->inputRecord.size(), samples);
    for (std::size_t m = 0; m < samples; ++m)
        EXPECT_NEAR(delay->inputRecord[m], 0.1 * static_cast<double>(m), 1e-12);
    EXPECT_NEAR(decay->lastRecordTime, 1.0, 1e-12);  // the time of the last sample
    EXPECT_FALSE(SampleRecorder::RecordsOutputOnly(*delay));
    EXPECT_FALSE(SampleRecorder::RecordsOutputOnly(*decay));
    EXPECT_TRUE(SampleRecorder::RecordsOutputOnly(*sum));
}

}  // namespace
}  // namespace ondrel
