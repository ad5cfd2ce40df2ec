// A run whose recorded samples would pass the history budget stops there with the
// out-of-memory message and keeps what it recorded.
#include <gtest/gtest.h>

#include "core/engine/RunDriver.h"
#include "engine/EngineTestSupport.h"
#include "core/engine/HistoryBudget.h"
#include "core/engine/RunMessages.h"

namespace ondrel {
namespace {

using HistoryBudgetTest = test::EngineTest;

constexpr std::uint64_t kBudget = 64 * 1024;

// A fresh chart for each case of a table.
struct Chart : test::EngineTest {
    void TestBody() override {}
};

TEST_F(HistoryBudgetTest, RunsStopAtTheBudgetKeepingTheirSamples) {
    struct Case {
        const char* what;
        double interval;
        double end;
        bool withState;
        bool stopsAtBudget;
    };
    const Case cases[] = {
        // A denormal interval passes the timing check but never reaches the end.
        {"denormal interval", 1e-309, 1.0, false, true},
        {"long run with a state", 1e-3, 1e6, true, true},
        {"short run within the budget", 0.1, 1.0, true, false},
    };
    ScopedHistoryBudget budget(kBudget);
    for (const Case& c : cases) {
        Chart chart;
        if (c.withState) chart.Wire(chart.AddIntegrate(1.0, 0.0), 1, chart.AddConstant(1.0));
        chart.SetTiming(1e-6, c.interval, c.end);
        RunChart(chart.doc);
        const auto& shown = chart.platform.messages.shown;
        const std::size_t samples = chart.Clock().history.size();
        std::size_t recorded = 0;
        for (const auto& block : chart.doc.blockList) {
            // Blocks computed only at the start (the Constant) keep sample 0 alone.
            if (block->history.size() <= 1) continue;
            ++recorded;
            EXPECT_EQ(block->history.size(), samples) << c.what << ": " << block->label;
        }
        EXPECT_FALSE(chart.doc.HasRunUnderWay()) << c.what;
        if (!c.stopsAtBudget) {
            EXPECT_TRUE(shown.empty()) << c.what;
            EXPECT_EQ(samples, 11u) << c.what;
            continue;
        }
        ASSERT_EQ(shown.size(), 1u) << c.what;
        EXPECT_EQ(shown[0].text.rfind(kOutOfMemoryText, 0), 0u) << c.what << ": " << shown[0].text;
        EXPECT_EQ(shown[0].caption, kRunFailureCaption) << c.what;
        // Close to the budget: neither far past it nor stopped early.
        const std::uint64_t bytes = samples * recorded * sizeof(double);
        EXPECT_LE(bytes, kBudget) << c.what;
        EXPECT_GT(bytes, kBudget / 2) << c.what;
    }
}

TEST(HistoryBudget, MegabytesAboveZeroSetTheBudgetAndTheRestTheDefault) {
    ScopedHistoryBudget keep(HistoryBudgetBytes());
    const std::pair<std::int64_t, std::uint64_t> cases[] = {
        {1, 1024 * 1024},
        {300, 300ull * 1024 * 1024},
        {0, DefaultHistoryBudgetBytes()},
        {-5, DefaultHistoryBudgetBytes()},
    };
    for (const auto& [megabytes, bytes] : cases) {
        SetHistoryBudgetMegabytes(megabytes);
        EXPECT_EQ(HistoryBudgetBytes(), bytes) << megabytes;
    }
    EXPECT_GT(DefaultHistoryBudgetBytes(), 0u);
}

}  // namespace
}  // namespace ondrel
