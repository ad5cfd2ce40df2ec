// The Run and Initialize commands: checks, set-up, what is recorded, how a run ends.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <new>
#include <regex>
#include <string>
#include <vector>

#include "core/engine/RunDriver.h"
#include "engine/EngineTestSupport.h"

namespace ondrel {
namespace {

using test::FakeRunWindow;
using test::ScopedRunWindow;

class RecordingView : public IDocumentView {
public:
    void OnUpdate(IDocumentView*, UpdateHint hint, CBlock*) override { hints.push_back(hint); }
    std::vector<UpdateHint> hints;
};

class RunDriverTest : public test::EngineTest {
public:
    void ExpectOnlyMessage(const std::string& text, const std::string& caption,
                           MsgIcon icon = MsgIcon::None) {
        const auto& shown = platform.OnlyMessage();
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.caption, caption);
        EXPECT_EQ(shown.buttons, MsgButtons::Ok);
        EXPECT_EQ(shown.icon, icon);
    }
    // Every block the loop records holds the same number of samples.
    void ExpectRecordedSamples(std::size_t count) {
        EXPECT_EQ(Clock().history.size(), count);
        RunLists run;  // the lists the run had, built again
        SortBlocks(doc, run);
        for (const auto* list : {&run.stateList, &run.computeList, &doc.auxList}) {
            for (const CBlock* block : *list) {
                EXPECT_EQ(block->history.size(), count) << block->label;
            }
        }
        EXPECT_EQ(doc.snapshotIndex, static_cast<int>(count) - 1);
        EXPECT_FALSE(doc.HasRunUnderWay());  // and with it the integrator is gone
    }
    // A block whose first input is the Clock's time scaled by gain.
    CBlock* OfTime(int typeId, double gain) {
        CBlock* block = Add(typeId);
        Wire(block, 1, &Clock());
        block->param[1] = gain;
        return block;
    }
    // An Integrate that keeps the integrator stepping.
    CBlock* AddStateBlock() {
        CBlock* y = AddIntegrate(-1.0, 1.0);
        Wire(y, 1, y);
        return y;
    }
};

TEST_F(RunDriverTest, NewChartRecordsElevenClockSamples) {
    RecordingView view;
    doc.AddView(&view);
    RunChart(doc);
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectRecordedSamples(11);
    for (std::size_t m = 0; m < 11; ++m) {
        EXPECT_NEAR(Clock().history[m], 0.1 * static_cast<double>(m), 1e-12);
        EXPECT_EQ(ErrorOutput().history[m], 0.0);
        EXPECT_EQ(CountOutput().history[m], 0.0);
    }
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::Refresh});
    EXPECT_EQ(ErrorOutput().label, Clock().label + "Error");
}

// A window that checks at every pump that each block sees the run under way at the time the
// document reports.
class RunContextWindow : public FakeRunWindow {
public:
    void Pump(CTarvekDoc& doc, bool lastInterval) override {
        if (!doc.IsRunning()) ++unseen;
        for (const auto& block : doc.blockList) {
            if (block->run == nullptr || block->Now() != doc.RunTime()) ++unseen;
        }
        FakeRunWindow::Pump(doc, lastInterval);  // may stop the run
    }
    int unseen = 0;
};

// Blocks see the run, and the document has it under way, only while it lasts: whether it
// runs to the end, stops, or is refused by a check.
TEST_F(RunDriverTest, BlocksSeeTheRunOnlyWhileItLasts) {
    struct Case {
        const char* name;
        std::function<void(RunDriverTest&, RunContextWindow&)> build;
        std::size_t pumps;
    };
    const std::vector<Case> cases = {
        {"to the end", [](RunDriverTest& t, RunContextWindow&) { t.AddStateBlock(); }, 10},
        {"stopped by the user", [](RunDriverTest& t, RunContextWindow& w) {
             t.AddStateBlock();
             w.stopAtPump = 4;
         }, 4},
        {"a Quit at the start", [](RunDriverTest& t, RunContextWindow&) {
             t.OfTime(kTypeQuit, 1.0)->param[2] = 1.0;
         }, 0},
        {"timing refused", [](RunDriverTest& t, RunContextWindow&) { t.SetTiming(0.0, 0.1, 1.0); }, 0},
        {"order refused", [](RunDriverTest& t, RunContextWindow&) {
             CBlock* a = t.Add(kTypeSum);
             CBlock* b = t.Add(kTypeSum);
             t.Wire(a, 1, b);
             t.Wire(b, 1, a);
         }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.OnNewDocument();
        RunContextWindow window;
        ScopedRunWindow installed(&window);
        c.build(*this, window);
        RunChart(doc);
        EXPECT_EQ(window.lastFlags.size(), c.pumps);
        EXPECT_EQ(window.unseen, 0);
        EXPECT_FALSE(doc.HasRunUnderWay());
        EXPECT_EQ(doc.RunTime(), 0.0);
        for (const auto& block : doc.blockList) EXPECT_EQ(block->run, nullptr) << block->label;
        // Without a run the user's stop has nothing to stop.
        doc.OnTerminateRun();
        EXPECT_FALSE(doc.IsRunning());
    }
}

TEST_F(RunDriverTest, NumberOfSamplesFollowsTheTiming) {
    struct Case {
        double interval, end;
        std::size_t samples;
    };
    const Case cases[] = {
        {0.1, 0.1, 2}, {0.1, 0.14, 2}, {0.1, 0.16, 3}, {0.25, 1.0, 5}, {0.1, 2.0, 21},
    };
    for (const Case& c : cases) {
        SetTiming(1e-7, c.interval, c.end);
        AddStateBlock();
        RunChart(doc);
        SCOPED_TRACE(c.end);
        ExpectRecordedSamples(c.samples);
    }
}

TEST_F(RunDriverTest, TimingParametersAreChecked) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double errorLimit, interval, end;
    };
    const Case cases[] = {{0.0, 0.1, 1.0},  {-1e-7, 0.1, 1.0}, {nan, 0.1, 1.0}, {1e-7, 0.1, 0.05},
                          {1e-7, 0.0, 1.0}, {1e-7, -0.1, 1.0}, {1e-7, nan, 1.0}, {1e-7, 0.1, nan}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.errorLimit) + " " + std::to_string(c.interval) + " " +
                     std::to_string(c.end));
        platform.messages.shown.clear();
        Clock().history = {42.0};
        SetTiming(c.errorLimit, c.interval, c.end);
        RunChart(doc);
        ExpectOnlyMessage("Timing Parameters Error", "Run Time Error");
        EXPECT_EQ(Clock().history, std::vector<double>{42.0});  // nothing was set up
        EXPECT_FALSE(doc.HasRunUnderWay());
    }
}

TEST_F(RunDriverTest, UnfilledInputsAreReportedUntilCancel) {
    CBlock* divide = Add(kTypeDivide);
    divide->label = "Ratio";
    Clock().history = {42.0};
    RunChart(doc);
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[0].text,
              "A Divide block, Ratio, needs the first input filled.");
    EXPECT_EQ(platform.messages.shown[1].text,
              "A Divide block, Ratio, needs the second input filled.");
    for (const auto& shown : platform.messages.shown) {
        EXPECT_EQ(shown.caption, "Run Time Error");
        EXPECT_EQ(shown.buttons, MsgButtons::OkCancel);
    }
    EXPECT_EQ(Clock().history, std::vector<double>{42.0});

    platform.messages.shown.clear();
    platform.messages.answers = {MsgResult::Cancel};
    RunChart(doc);
    EXPECT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(Clock().history, std::vector<double>{42.0});
}

TEST_F(RunDriverTest, SortFailuresRefuseTheRun) {
    struct Case {
        const char* what;
        void (*build)(RunDriverTest&);
    };
    const Case cases[] = {
        {"algebraic loop",
         [](RunDriverTest& t) {
             CBlock* a = t.Add(kTypeGain);
             CBlock* b = t.Add(kTypeGain);
             Wire(a, 1, b);
             Wire(b, 1, a);
         }},
        {"integrates feeding each other",
         [](RunDriverTest& t) {
             CBlock* a = t.AddIntegrate(1.0, 1.0);
             CBlock* b = t.AddIntegrate(-1.0, 0.0);
             Wire(a, 1, b);
             Wire(b, 1, a);
         }},
        {"MaxSort 0, Clock only", [](RunDriverTest& t) { t.doc.maxSort = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        doc.OnNewDocument();
        doc.maxSort = 500;
        platform.messages.shown.clear();
        c.build(*this);
        RunChart(doc);
        ExpectOnlyMessage("Sort Failure", "Run Time Error");
        EXPECT_TRUE(Clock().history.empty());
    }
}

TEST_F(RunDriverTest, IntegratesFeedingEachOtherThroughAGainRun) {
    CBlock* a = AddIntegrate(1.0, 1.0);
    CBlock* b = AddIntegrate(-1.0, 0.0);
    CBlock* gain = Add(kTypeGain);
    Wire(a, 1, gain);
    Wire(gain, 1, b);
    Wire(b, 1, a);
    RunChart(doc);
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectRecordedSamples(11);
}

TEST_F(RunDriverTest, InitializeLeavesOneSamplePerBlock) {
    AddStateBlock();
    CBlock* initOnly = OfTime(kTypeGain, 2.0);
    initOnly->initFlag = 1;
    AddConstant(3.0);
    RunChart(doc);
    RecordingView view;
    doc.AddView(&view);
    doc.SetModifiedFlag(false);
    InitializeChart(doc);
    for (const auto& block : doc.blockList) EXPECT_EQ(block->history.size(), 1u) << block->label;
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.snapshotIndex, 0);
    EXPECT_FALSE(doc.HasRunUnderWay());
    EXPECT_EQ(view.hints, std::vector<UpdateHint>{UpdateHint::Refresh});
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(RunDriverTest, InitialisationOnlyBlockKeepsSampleZeroAlone) {
    CBlock* initOnly = OfTime(kTypeGain, 2.0);
    initOnly->initFlag = 1;
    CBlock* constant = AddConstant(3.0);
    AddStateBlock();
    RunChart(doc);
    ExpectRecordedSamples(11);
    EXPECT_EQ(initOnly->history, std::vector<double>{0.0});
    EXPECT_EQ(constant->history, std::vector<double>{3.0});
}

TEST_F(RunDriverTest, QuitEndsTheRunAfterItsInterval) {
    for (bool withState : {false, true}) {
        SCOPED_TRACE(withState);
        doc.OnNewDocument();
        if (withState) AddStateBlock();
        CBlock* quit = OfTime(kTypeQuit, -1.0);  // quits once -t < -0.35
        quit->param[2] = -0.35;
        RunChart(doc);
        EXPECT_TRUE(platform.messages.shown.empty());
        ExpectRecordedSamples(5);
        // With states, the stop refuses the rest of the interval's evaluations: the last
        // sample holds the values of the evaluation that quit.
        EXPECT_GT(Clock().history.back(), 0.35);
        EXPECT_LE(Clock().history.back(), 0.4);
    }
}

// A stop requested while the initial values are computed ends the run right after sample 0.
TEST_F(RunDriverTest, StopDuringSetUpEndsAfterSampleZero) {
    FakeRunWindow window;
    ScopedRunWindow installed(&window);
    AddStateBlock();
    CBlock* quit = OfTime(kTypeQuit, 1.0);  // 0 < 1 at once
    quit->param[2] = 1.0;
    RunChart(doc);
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectRecordedSamples(1);
    EXPECT_TRUE(window.lastFlags.empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(RunDriverTest, DivideByZeroDuringSetUpIsReportedOnce) {
    CBlock* divide = Add(kTypeDivide);
    Wire(divide, 1, AddConstant(1.0));
    Wire(divide, 2, &Clock());
    AddStateBlock();
    RunChart(doc);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].caption, "RunTime Error");
    ExpectRecordedSamples(1);
}

TEST_F(RunDriverTest, DivideByZeroEndsTheRunAfterThatInterval) {
    // The denominator 1 - trunc(5 t) reaches 0 at t = 0.2.
    CBlock* steps = OfTime(kTypeInteger, 5.0);
    CBlock* denominator = Add(kTypeSum);
    Wire(denominator, 1, AddConstant(1.0));
    Wire(denominator, 2, steps);
    denominator->param[2] = -1.0;
    CBlock* divide = Add(kTypeDivide);
    Wire(divide, 1, AddConstant(1.0));
    Wire(divide, 2, denominator);
    RunChart(doc);
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].caption, "RunTime Error");
    ExpectRecordedSamples(3);
}

TEST_F(RunDriverTest, ExcessiveStepsEndTheRunAfterRecording) {
    AddStateBlock();
    doc.maxSteps = 0.5;
    SetTiming(1e-12, 0.1, 1.0);
    RunChart(doc);
    const auto& shown = platform.OnlyMessage();
    const std::regex expected(R"(Excessive integration steps \(\d+\) at time 0\.0875)");
    EXPECT_TRUE(std::regex_match(shown.text, expected)) << shown.text;
    EXPECT_EQ(shown.caption, "RunTime Error");
    EXPECT_EQ(shown.icon, MsgIcon::Error);
    ExpectRecordedSamples(2);
}

// y' = 1000 y with limits that accept almost anything overflows within the run; the
// run ends with a message instead of retrying forever and keeps what it recorded.
TEST_F(RunDriverTest, NonFiniteErrorEstimateEndsTheRun) {
    CBlock* y = AddIntegrate(1000.0, 1.0);
    Wire(y, 1, y);
    SetTiming(1e300, 0.1, 10.0);
    doc.maxSteps = 1e9;
    RunChart(doc);
    const auto& shown = platform.OnlyMessage();
    EXPECT_EQ(shown.text.rfind("Integration failed at time ", 0), 0u) << shown.text;
    EXPECT_EQ(shown.caption, "RunTime Error");
    EXPECT_EQ(shown.icon, MsgIcon::Error);
    const std::size_t samples = Clock().history.size();
    EXPECT_GT(samples, 3u);
    EXPECT_LT(samples, 101u);
    ExpectRecordedSamples(samples);
    for (std::size_t m = 0; m + 1 < samples; ++m) EXPECT_TRUE(std::isfinite(y->history[m])) << m;
}

// A block whose recording runs out of memory at a given sample.
class ExhaustingBlock final : public CBlock {
public:
    ExhaustingBlock(CTarvekDoc* document, std::size_t failAt)
        : CBlock(0, document, 0, kTypeSum), failAt_(failAt) {}
    void Compute() override {}
    void RecordSample() override {
        if (history.size() == failAt_) throw std::bad_alloc();
        CBlock::RecordSample();
    }

private:
    std::size_t failAt_;
};

TEST_F(RunDriverTest, OutOfMemoryWhileRecordingEndsTheRunKeepingTheSamples) {
    for (bool withState : {false, true}) {
        SCOPED_TRACE(withState);
        doc.OnNewDocument();
        platform.messages.shown.clear();
        if (withState) AddStateBlock();
        CBlock* before = OfTime(kTypeGain, 1.0);  // recorded ahead of the failing block
        doc.blockList.push_back(std::make_unique<ExhaustingBlock>(&doc, 3));
        RunChart(doc);
        ExpectOnlyMessage("Out of memory at time 0.3", "RunTime Error", MsgIcon::Error);
        ExpectRecordedSamples(3);
        EXPECT_EQ(before->history.size(), 3u);
    }
}

TEST_F(RunDriverTest, RunWindowIsPumpedOncePerInterval) {
    FakeRunWindow window;
    ScopedRunWindow installed(&window);
    AddStateBlock();
    RunChart(doc);
    EXPECT_EQ(window.opens, 1);
    EXPECT_EQ(window.closes, 1);
    ASSERT_EQ(window.lastFlags.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(window.lastFlags[i], i == 9) << i;
        EXPECT_TRUE(window.attached[i]) << i;
        EXPECT_NEAR(window.times[i], 0.1 * static_cast<double>(i + 1), 1e-12);
    }
    EXPECT_FALSE(doc.HasRunUnderWay());
    ExpectRecordedSamples(11);
}

TEST_F(RunDriverTest, RunWindowThatCannotOpenLeavesTheRunWithoutOne) {
    FakeRunWindow window;
    window.opensOk = false;
    ScopedRunWindow installed(&window);
    AddStateBlock();
    RunChart(doc);
    EXPECT_EQ(window.opens, 1);
    EXPECT_TRUE(window.lastFlags.empty());
    EXPECT_EQ(window.closes, 0);
    EXPECT_FALSE(doc.HasRunUnderWay());
    ExpectRecordedSamples(11);
}

TEST_F(RunDriverTest, RunCommandDuringARunIsIgnored) {
    FakeRunWindow window;
    window.runAgainAtPump = 2;
    ScopedRunWindow installed(&window);
    AddStateBlock();
    RunChart(doc);
    EXPECT_EQ(window.opens, 1);
    EXPECT_EQ(window.lastFlags.size(), 10u);
    ExpectRecordedSamples(11);
}

// A click during the third pump stops the run there; no further interval repeats the
// values of the third.
TEST_F(RunDriverTest, StopFromTheRunWindowEndsAfterTheCurrentInterval) {
    for (bool withState : {false, true}) {
        SCOPED_TRACE(withState);
        doc.OnNewDocument();
        FakeRunWindow window;
        window.stopAtPump = 3;
        ScopedRunWindow installed(&window);
        if (withState) AddStateBlock();
        RunChart(doc);
        EXPECT_EQ(window.lastFlags.size(), 3u);
        EXPECT_EQ(window.closes, 1);
        ExpectRecordedSamples(4);
        EXPECT_NEAR(Clock().history.back(), 0.3, 1e-12);
        EXPECT_TRUE(platform.messages.shown.empty());
    }
}

}  // namespace
}  // namespace ondrel

namespace ondrel {
namespace {

class RunEndTest : public RunDriverTest {};

// Each way a run ends is told apart, with the block that ended it and when.
TEST_F(RunEndTest, TheDocumentKnowsHowTheLastRunEnded) {
    struct Case {
        const char* name;
        std::function<void(RunEndTest&, FakeRunWindow&)> build;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"to the end", [](RunEndTest&, FakeRunWindow&) {}, "Run ended at t = 1"},
        {"Quit", [](RunEndTest& t, FakeRunWindow&) {
             CBlock* quit = t.OfTime(kTypeQuit, -1.0);
             quit->param[2] = -0.35;
             quit->label = "Terminate";
         }, "Stopped by the Quit block Terminate at t = 0.4"},
        {"a click", [](RunEndTest&, FakeRunWindow& w) { w.stopAtPump = 3; }, "Stopped at t = 0.3"},
        {"a block error", [](RunEndTest& t, FakeRunWindow& w) {
             CBlock* divide = t.Add(kTypeDivide);
             divide->label = "Ratio";
             t.Wire(divide, 1, t.AddConstant(1.0));
             CBlock* steps = t.OfTime(kTypeInteger, -2.0);  // 0 until t = 0.5... then -1
             CBlock* denominator = t.Add(kTypeSum);
             t.Wire(denominator, 1, t.AddConstant(1.0));
             t.Wire(denominator, 2, steps);
             t.Wire(divide, 2, denominator);
             w.stopAtPump = 9;  // after the error: it must not count
         }, "Stopped by an error in block Ratio at t = 0.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.OnNewDocument();
        platform.messages.shown.clear();
        FakeRunWindow window;
        ScopedRunWindow installed(&window);
        c.build(*this, window);
        EXPECT_EQ(RunEndText(doc.LastRunEnd()), "");
        RunChart(doc);
        EXPECT_EQ(RunEndText(doc.LastRunEnd()), c.text);
    }
    InitializeChart(doc);
    EXPECT_EQ(doc.LastRunEnd().kind, RunEndKind::None);
}

}  // namespace
}  // namespace ondrel
