// What a run records after every interval: the output of each recorded block, and whatever
// more the blocks that keep their own records add to it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "core/engine/RunDriver.h"
#include "core/blocks/DelayBlock.h"
#include "core/blocks/DynamicBlocks.h"
#include "engine/EngineTestSupport.h"
#include "core/engine/SampleRecorder.h"

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
    RunChart(doc);
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

// A run window that either shows the samples or only the time; one that shows them checks
// at every pump that each recorded block already holds every sample so far.
class SampleWindow : public test::FakeRunWindow {
public:
    explicit SampleWindow(bool showsSamples) : showsSamples_(showsSamples) {}
    bool ShowsSamples() const override { return showsSamples_; }
    void Pump(CTarvekDoc& doc, bool lastInterval) override {
        test::FakeRunWindow::Pump(doc, lastInterval);
        if (!showsSamples_) return;
        const std::size_t expected = lastFlags.size() + 1;  // sample 0 and one per pump
        RunLists lists;  // the run's, built again
        SortBlocks(doc, lists);
        ForEachLoopRecorded(doc, lists, [&](CBlock& block) {
            if (block.history.size() != expected) ++behind;
        });
    }
    int behind = 0;

private:
    bool showsSamples_;
};

// A fresh chart for each run of a table.
struct Chart : test::EngineTest {
    void TestBody() override {}
};

// What a run leaves: every recorded history, then every block's final output.
struct RunOutcome {
    std::vector<std::vector<double>> histories;
    std::vector<double> outputs;
    bool operator==(const RunOutcome&) const = default;
};

// One run of a small chart with a state and a Sum that also reads itself; with a Delay,
// which records through its own RecordSample, or without.
RunOutcome RunSmallChart(std::size_t intervals, IRunWindow* window, bool withDelay) {
    Chart chart;
    test::ScopedRunWindow installed(window);
    CBlock* integrate = chart.AddIntegrate(1.0, 0.0);
    CBlock* sum = chart.Add(kTypeSum);
    chart.Wire(sum, 1, &chart.Clock());
    chart.Wire(sum, 3, sum);
    sum->param[3] = 0.5;
    chart.Wire(integrate, 1, &chart.Clock());
    if (withDelay) {
        CBlock* delay = chart.Add(kTypeDelay);
        chart.Wire(delay, 1, integrate);
        chart.Wire(sum, 2, delay);
    } else {
        chart.Wire(sum, 2, integrate);
    }
    chart.SetTiming(1e-7, 0.01, 0.01 * static_cast<double>(intervals));
    RunChart(chart.doc);
    EXPECT_TRUE(chart.platform.messages.shown.empty()) << intervals;
    RunOutcome outcome;
    RunLists lists;  // the run's, built again
    SortBlocks(chart.doc, lists);
    ForEachLoopRecorded(chart.doc, lists, [&](CBlock& block) { outcome.histories.push_back(block.history); });
    for (const auto& block : chart.doc.blockList) outcome.outputs.push_back(block->value);
    return outcome;
}

// A window that shows samples gets every sample and output handed over after every
// interval; the others let the samples collect in batches and the outputs stay with the
// integrator until the run ends. Neither may change a bit of what the run leaves.
TEST(SampleRecorderBatches, EveryWindowSeesTheSameSamplesAcrossBatchBoundaries) {
    constexpr std::size_t kBatch = SampleRecorder::kBatchSamples;
    for (bool withDelay : {true, false}) {
        for (std::size_t intervals : {std::size_t{1}, kBatch - 1, kBatch, kBatch + 1, 3 * kBatch + 5}) {
            SampleWindow showing(true);
            const RunOutcome reference = RunSmallChart(intervals, &showing, withDelay);
            EXPECT_EQ(showing.behind, 0) << intervals;
            EXPECT_EQ(showing.lastFlags.size(), intervals);
            ASSERT_FALSE(reference.histories.empty());
            for (const auto& history : reference.histories)
                EXPECT_EQ(history.size(), intervals + 1) << intervals;
            SampleWindow timeOnly(false);
            EXPECT_EQ(RunSmallChart(intervals, &timeOnly, withDelay), reference) << intervals;
            EXPECT_EQ(RunSmallChart(intervals, nullptr, withDelay), reference) << intervals;
        }
    }
}

}  // namespace
}  // namespace ondrel
