// The compiled evaluation against every block computed through its own Compute: the same
// samples, the same final values and the same messages, to the last bit, however the run
// ends; and a program compiled afresh for every run.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

#include "core/engine/RunDriver.h"
#include "engine/EngineTestSupport.h"
#include "core/engine/EvaluationProgram.h"
#include "core/engine/RungeKuttaPairs.h"

namespace ondrel {
namespace {

// The evaluation as every block would do it alone: the compute list through Compute, the
// states and their derivatives read and written through the state blocks.
template <class Pair>
class PerBlockEvaluation final : public Pair {
public:
    PerBlockEvaluation(int n, RunState& run) : Pair(n, run), states_(run.stateList) {}
    bool Evaluate(double stageTime, double* derivatives) override {
        RunState& run = *this->run;
        if (run.stopped) return false;
        run.SetTime(run.intervalStart + stageTime);
        run.Document().Clock()->value = run.Now();
        for (CBlock* block : run.computeList) block->Compute();
        for (std::size_t i = 0; i < states_.size(); ++i) {
            const CBlock* source = states_[i]->input[1];
            derivatives[i] = source ? source->value * states_[i]->param[1] : 0.0;
        }
        return true;
    }

protected:
    void LoadStates(double* y) const override {
        for (std::size_t i = 0; i < states_.size(); ++i) y[i] = states_[i]->value;
    }
    void StoreStates(const double* y) override {
        for (std::size_t i = 0; i < states_.size(); ++i) states_[i]->value = y[i];
    }
    void BeginStep() override {}
    void EndStep() override {}

private:
    std::vector<CBlock*> states_;
};

enum class Ending { kSimulationEnd, kQuit, kDivideByZero, kStepLimit };

struct Chart {
    CBlock* Add(int typeId, std::initializer_list<double> params = {}) {
        doc.PlaceBlock(doc.CreateBlock(typeId), 2 * ++placed, 2);
        CBlock* block = doc.blockList.back().get();
        int k = 1;
        for (double p : params) block->param[k++] = p;
        return block;
    }
    CBlock* Fed(int typeId, std::initializer_list<double> params,
                std::initializer_list<CBlock*> sources) {
        CBlock* block = Add(typeId, params);
        int k = 1;
        for (CBlock* source : sources) block->input[k++] = source;
        return block;
    }
    CTarvekDoc doc;
    int placed = 0;
    CBlock* constant = nullptr;
    CBlock* sum3 = nullptr;  // of the wave, a state and the Clock
};

// Stages repeated as a ladder is built by copy and paste, each with its own gains: states
// side by side, a Sum per stage reading the state before and its own and giving the
// derivative (the first reads the wave), then products of neighbours and sums of three;
// these go through consecutive slots and run over arrays. A chain of Gains, each reading the
// one before, and three Negates stay step by step.
constexpr std::size_t kStepsOverArrays = 7 + 6 + 5;

void AddRepeatedStages(Chart& c, CBlock* wave) {
    constexpr int kStages = 8;
    std::vector<CBlock*> x;
    for (int i = 0; i < kStages; ++i)
        x.push_back(c.Add(kTypeIntegrate, {1.0 + 0.25 * i, 0.1 * i}));
    for (int i = 0; i < kStages; ++i) {
        CBlock* upstream = i == 0 ? wave : x[i - 1];
        x[i]->input[1] = c.Fed(kTypeSum, {1.0 + 0.125 * i, -1.0}, {upstream, x[i]});
    }
    for (int i = 0; i + 1 < 7; ++i) c.Fed(kTypeMultiply, {0.5 * i, -1.5}, {x[i], x[i + 1]});
    CBlock* chained = x[0];
    for (int i = 0; i < 5; ++i) chained = c.Fed(kTypeGain, {-0.5 - i}, {chained});
    for (int i = 0; i + 2 < 7; ++i)
        c.Fed(kTypeSum, {1.0, -0.5 * i, 0.25}, {x[i], x[i + 1], x[i + 2]});
    for (int i = 0; i < 3; ++i) c.Fed(kTypeNegate, {2.0}, {x[i]});
}

// Every operation the program evaluates in place, each input count, blocks computed through
// Compute between them, and the sources a run can offer. Gain and Negate without their
// required input only pass when the run's checks are left out (checked false).
void BuildChart(Chart& c, Ending ending, bool checked = false) {
    CTarvekDoc& doc = c.doc;
    doc.OnNewDocument();
    CBlock* clock = doc.Clock();
    clock->param[1] = 1e-6;
    clock->param[2] = 0.05;
    clock->param[3] = 1.0;
    CBlock* early = c.Add(kTypeSum, {1.0, -1.0, 0.5});  // fed by later blocks: sorted behind them
    CBlock* wave = c.Add(kTypeSineWaveGenerator, {1.5, 0.3, 0.2});  // all from parameters
    CBlock* constant = c.Add(kTypeConstant, {0.7});
    CBlock* x1 = c.Add(kTypeIntegrate, {-2.0, 1.0});
    CBlock* x2 = c.Fed(kTypeIntegrate, {1.0, 0.0}, {x1});
    CBlock* sum3 = c.Fed(kTypeSum, {1.0, -1.0, 0.5}, {wave, x1, clock});
    x1->input[1] = sum3;
    CBlock* gapped = c.Fed(kTypeSum, {0.25, 99.0, -0.75}, {x2, nullptr, constant});
    CBlock* selfFed = c.Fed(kTypeSum, {0.5, 1.0}, {nullptr, wave});
    // Fed by itself it reads what it held, from one run into the next: left out of the
    // chart whose runs are compared after an edit.
    if (!checked) selfFed->input[1] = selfFed;
    c.Add(kTypeSum);
    c.Add(kTypeMultiply);
    CBlock* m1 = c.Fed(kTypeMultiply, {-1.5}, {gapped});
    CBlock* m2 = c.Fed(kTypeMultiply, {-1.5, 2.0}, {x1, wave});
    CBlock* m3 = c.Fed(kTypeMultiply, {1.1, 0.9, 1.3}, {sum3, x2, selfFed});
    c.Fed(kTypeGain, {3.0}, {m3});
    CBlock* negated = c.Fed(kTypeNegate, {0.5}, {gapped});
    // States whose derivatives the steps of their sources write, or the gathering after them.
    for (CBlock* source : {gapped, gapped, m2, c.Fed(kTypeGain, {3.0}, {x1}), negated})
        c.Fed(kTypeIntegrate, {-0.3, 0.2}, {source});
    if (!checked) {
        c.Add(kTypeGain, {2.0});  // unconnected: 0.0 for ever
        // Unconnected: -0.0 for ever, and a derivative of a state.
        c.Fed(kTypeIntegrate, {1.0, 0.0}, {c.Add(kTypeNegate, {2.0})});
    }
    CBlock* limited = c.Fed(kTypeLimiter, {1.0, 0.4, -0.4}, {m3});
    c.Fed(kTypeGain, {2.0}, {limited});
    c.Fed(kTypeIntegrate, {0.5, 0.1}, {limited});
    c.Fed(kTypeDecay, {1.0, 0.3, 0.2}, {x2});
    CBlock* once = c.Fed(kTypeGain, {2.0}, {constant});
    once->initFlag = 1;  // computed at run start only
    CBlock* onceRead = c.Fed(kTypeSum, {1.0, 1.0}, {once, x1});
    CBlock* switched = c.Fed(kTypeSineWaveGenerator, {1.0, 0.0, 0.0}, {constant, nullptr, sum3});
    switched->initFlag = 1;  // always computed, flagged or not
    CBlock* aux = c.Fed(kTypeSum, {1.0, 1.0}, {doc.auxList[0], doc.auxList[1]});
    early->input[1] = m2;
    early->input[2] = switched;
    early->input[3] = c.Fed(kTypeMultiply, {1.0, 1.0}, {aux, onceRead});
    c.Fed(kTypeSum, {1.0, 1.0, 1.0}, {m1, negated, early});
    AddRepeatedStages(c, wave);
    if (ending == Ending::kQuit) {
        c.Fed(kTypeQuit, {1.0, -0.47}, {c.Fed(kTypeNegate, {1.0}, {clock})});
    } else if (ending == Ending::kDivideByZero) {
        CBlock* whole = c.Fed(kTypeInteger, {2.1}, {clock});  // 1 from t = 0.476 on
        CBlock* denominator = c.Fed(kTypeSum, {1.0, -1.0}, {whole, c.Add(kTypeConstant, {1.0})});
        c.Fed(kTypeDivide, {1.0, 1.0}, {wave, denominator});
    }
    doc.maxSteps = ending == Ending::kStepLimit ? 3.0 : 1000.0;
    c.constant = constant;
    c.sum3 = sum3;
}

// The run driver's set-up phase, sample 0 included.
void SetUp(RunState& run) {
    CTarvekDoc& doc = run.Document();
    run.stopped = false;
    for (const auto& block : doc.blockList) block->ClearHistory();
    doc.outputInterval = doc.Clock()->param[2];
    run.SetOutputInterval(doc.outputInterval);
    doc.Clock()->Setup();
    run.SetTime(0.0);
    doc.Clock()->value = 0.0;
    for (CBlock* block : run.initList) block->Setup();
    for (CBlock* block : run.initList) block->Compute();
    for (CBlock* block : run.stateList) block->Setup();
    for (CBlock* block : run.computeList) block->Setup();
    for (CBlock* block : run.computeList) block->Compute();
    for (const auto& block : doc.blockList) block->RecordSample();
}

// The run driver's loop, recording what it records.
template <class Integrator>
void Run(CTarvekDoc& doc) {
    RunState run(doc);
    ASSERT_TRUE(SortBlocks(doc, run));
    SetUp(run);
    Integrator rk(static_cast<int>(run.stateList.size()), run);
    const double interval = doc.outputInterval;
    const double lastStart = doc.Clock()->param[3] - 0.5 * interval;
    double h = interval;
    for (double t = 0.0; !run.stopped && t < lastStart; t += interval) {
        run.intervalStart = t;
        run.SetTime(t);
        h = rk.Step(h, interval);
        if (h == 0.0) run.stopped = true;
        doc.Clock()->RecordSample();
        for (const auto* list : {&run.stateList, &run.computeList, &doc.auxList})
            for (CBlock* block : *list) block->RecordSample();
    }
}

bool SameBits(double x, double y) { return std::memcmp(&x, &y, sizeof x) == 0; }

void ExpectSameBlocks(const CTarvekDoc& compiled, const CTarvekDoc& perBlock) {
    ASSERT_EQ(compiled.blockList.size(), perBlock.blockList.size());
    for (std::size_t i = 0; i < compiled.blockList.size(); ++i) {
        const CBlock& x = *compiled.blockList[i];
        const CBlock& y = *perBlock.blockList[i];
        EXPECT_TRUE(SameBits(x.value, y.value)) << x.label << ": " << x.value << " " << y.value;
        ASSERT_EQ(x.history.size(), y.history.size()) << x.label;
        for (std::size_t m = 0; m < x.history.size(); ++m) {
            ASSERT_TRUE(SameBits(x.history[m], y.history[m]))
                << x.label << " sample " << m << ": " << x.history[m] << " " << y.history[m];
        }
    }
}

struct EndingCase {
    Ending ending;
    std::size_t samples;  // of the Clock; 0 when the count is not known in advance
};

class CompiledEvaluationTest : public ::testing::TestWithParam<EndingCase> {
protected:
    test::RecordingPlatform platform;
};

template <class Pair>
void CompareWithPerBlock(Ending ending, test::RecordingPlatform& platform,
                         std::size_t samples) {
    Chart compiled;
    Chart perBlock;
    BuildChart(compiled, ending);
    BuildChart(perBlock, ending);
    Run<Pair>(compiled.doc);
    const std::vector<test::ShownMessage> compiledMessages = platform.messages.shown;
    platform.messages.shown.clear();
    Run<PerBlockEvaluation<Pair>>(perBlock.doc);
    ExpectSameBlocks(compiled.doc, perBlock.doc);
    ASSERT_EQ(compiledMessages.size(), platform.messages.shown.size());
    for (std::size_t i = 0; i < compiledMessages.size(); ++i)
        EXPECT_EQ(compiledMessages[i].text, platform.messages.shown[i].text);
    if (samples != 0) {
        EXPECT_EQ(compiled.doc.Clock()->history.size(), samples);
    }
    // A block error and the step limit each end the run with their message.
    if (ending == Ending::kDivideByZero || ending == Ending::kStepLimit) {
        EXPECT_EQ(compiledMessages.size(), 1u);
    }
    platform.messages.shown.clear();
}

TEST_P(CompiledEvaluationTest, GivesThePerBlockSamplesToTheLastBit) {
    {
        SCOPED_TRACE("4/5");
        CompareWithPerBlock<CRungeKutta45>(GetParam().ending, platform, GetParam().samples);
    }
    {
        SCOPED_TRACE("7/8");
        CompareWithPerBlock<CRungeKutta78>(GetParam().ending, platform, GetParam().samples);
    }
}

INSTANTIATE_TEST_SUITE_P(Endings, CompiledEvaluationTest,
                         ::testing::Values(EndingCase{Ending::kSimulationEnd, 21},
                                           EndingCase{Ending::kQuit, 11},
                                           EndingCase{Ending::kDivideByZero, 11},
                                           EndingCase{Ending::kStepLimit, 0}));

// Charts drawn at random from groups of blocks of one type, each group reading consecutive
// sources (states, the wave, earlier groups) or, now and then, chaining each block to the one
// placed before it; the states take their derivatives from anywhere. Runs over arrays and
// step-by-step runs meet in every combination the groups give.
void BuildRandomChart(Chart& c, std::mt19937& random) {
    const auto pick = [&random](std::size_t count) {
        return static_cast<std::size_t>(random() % count);
    };
    const auto gain = [&] { return static_cast<double>(static_cast<int>(pick(17)) - 8) / 4.0; };
    CTarvekDoc& doc = c.doc;
    doc.OnNewDocument();
    doc.Clock()->param[1] = 1e-6;
    doc.Clock()->param[2] = 0.05;
    doc.Clock()->param[3] = 0.5;
    std::vector<CBlock*> states;
    for (int i = 0; i < 6; ++i) states.push_back(c.Add(kTypeIntegrate, {gain(), gain()}));
    std::vector<CBlock*> sources = states;
    sources.push_back(c.Add(kTypeSineWaveGenerator, {1.0, 0.0, 0.0}));
    const int types[] = {kTypeSum, kTypeMultiply, kTypeGain, kTypeNegate};
    for (int group = 0; group < 6; ++group) {
        const int type = types[pick(4)];
        const bool formula = type == kTypeSum || type == kTypeMultiply;
        const int inputs = formula ? 1 + static_cast<int>(pick(3)) : 1;
        const std::size_t length = 1 + pick(7);
        const bool chained = pick(4) == 0;
        std::size_t first[3];
        for (std::size_t& start : first) start = pick(sources.size());
        for (std::size_t i = 0; i < length; ++i) {
            CBlock* block = c.Add(type, {gain(), gain(), gain()});
            for (int k = 0; k < inputs; ++k) {
                const bool chain = chained && k == 0 && i > 0;
                block->input[k + 1] =
                    chain ? sources.back() : sources[(first[k] + i) % sources.size()];
            }
            sources.push_back(block);
        }
    }
    const std::size_t others = sources.size() - states.size();
    for (CBlock* state : states) state->input[1] = sources[states.size() + pick(others)];
}

TEST(CompiledEvaluation, RandomChartsGiveThePerBlockSamples) {
    test::RecordingPlatform platform;
    std::size_t overArrays = 0;
    std::size_t stepByStep = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Chart compiled;
        Chart perBlock;
        std::mt19937 random(seed);
        BuildRandomChart(compiled, random);
        random.seed(seed);
        BuildRandomChart(perBlock, random);
        ondrel::Run<CRungeKutta45>(compiled.doc);
        ondrel::Run<PerBlockEvaluation<CRungeKutta45>>(perBlock.doc);
        ExpectSameBlocks(compiled.doc, perBlock.doc);
        RunLists lists;
        SortBlocks(compiled.doc, lists);
        const EvaluationProgram program(compiled.doc.Clock(), lists.computeList, lists.stateList);
        overArrays += program.ArrayCount();
        stepByStep += program.InlinedCount() - program.ArrayCount();
    }
    // Both kinds of run were compared.
    EXPECT_GT(overArrays, 40u);
    EXPECT_GT(stepByStep, 40u);
}

TEST(CompiledEvaluation, EvaluatesTheCommonBlocksInPlace) {
    test::RecordingPlatform platform;
    Chart chart;
    BuildChart(chart, Ending::kSimulationEnd);
    RunLists lists;
    ASSERT_TRUE(SortBlocks(chart.doc, lists));
    const EvaluationProgram program(chart.doc.Clock(), lists.computeList, lists.stateList);
    // Everything in the compute list but the Limiter and the Decay.
    EXPECT_EQ(program.InlinedCount(), lists.computeList.size() - 2);
    EXPECT_EQ(program.ArrayCount(), kStepsOverArrays);
    EXPECT_EQ(program.StateCount(), lists.stateList.size());
}

// A run compiles the chart as it is at its start: what was edited since the last run counts.
TEST(CompiledEvaluation, FollowsEditsMadeBetweenRuns) {
    test::RecordingPlatform platform;
    Chart edited;
    Chart fresh;
    BuildChart(edited, Ending::kSimulationEnd, true);
    BuildChart(fresh, Ending::kSimulationEnd, true);
    RunChart(edited.doc);
    ASSERT_EQ(edited.doc.Clock()->history.size(), 21u);
    for (Chart* chart : {&edited, &fresh}) {
        chart->sum3->param[3] = -0.25;
        chart->sum3->input[1] = chart->constant;  // in place of the wave
    }
    RunChart(edited.doc);
    RunChart(fresh.doc);
    EXPECT_TRUE(platform.messages.shown.empty());
    ExpectSameBlocks(edited.doc, fresh.doc);
}

// Called on its own, an evaluation leaves its results in the blocks at once.
TEST(CompiledEvaluation, EvaluationOutsideAStepLeavesTheValuesInTheBlocks) {
    test::RecordingPlatform platform;
    Chart chart;
    chart.doc.OnNewDocument();
    CBlock* x = chart.Add(kTypeIntegrate, {4.0, 0.5});
    CBlock* sum = chart.Fed(kTypeSum, {2.0, -1.0}, {chart.doc.Clock(), x});
    x->input[1] = sum;
    RunState run(chart.doc);
    ASSERT_TRUE(SortBlocks(chart.doc, run));
    x->Setup();
    run.stopped = false;
    CRungeKutta45 rk(1, run);
    double derivative = 0.0;
    ASSERT_TRUE(rk.Evaluate(0.25, &derivative));
    EXPECT_EQ(chart.doc.Clock()->value, 0.25);
    EXPECT_EQ(sum->value, 0.25 * 2.0 - 0.5);
    EXPECT_EQ(derivative, sum->value * 4.0);
}

}  // namespace
}  // namespace ondrel
