// The reference for the whole-process comparison with ondrel-run: the N-stage RC ladder of
// LadderChart.h written out by hand and driven by the same Step algorithm (Cash-Karp, error
// limit 1e-7, 1,000 intervals of 0.01), recording what a run records: per interval the time,
// the Clock's two outputs, the generator, every Sum and every Integrate. Time it as a whole
// process against `ondrel-run ladder-N.cht --quiet`; it prints the last state with all its
// digits so the two can be compared. With --chart it writes the ladder chart that ondrel-run
// is given instead, built as the engine bench builds it.
//
// With --per-block it keeps one history array per recorded signal, as the chart's blocks do,
// instead of one array of whole samples: the difference is what that layout costs.
//
//   hand_ladder N [--chart FILE | --per-block]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "LadderChart.h"
#include "core/engine/RunState.h"
#include "core/engine/RungeKuttaPairs.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"

namespace {

using namespace ondrel;
using namespace ondrel::bench;

constexpr double kTwoPi = 6.283185307179586;

// x_i' = k (x_{i-1} - x_i), x_0 the Sine Wave Generator: the equations of the ladder chart,
// evaluated as its blocks are (the generator's phase advances with the evaluation time).
class HandWrittenLadder final : public CRungeKutta45 {
public:
    HandWrittenLadder(int stages, RunState& run)
        : CRungeKutta45(stages, run), x_(static_cast<std::size_t>(stages)),
          sum_(static_cast<std::size_t>(stages)) {}

    bool Evaluate(double stageTime, double* derivatives) override {
        if (run->stopped) return false;
        const double t = run->intervalStart + stageTime;
        phase_ = phase_ + kTwoPi * (t - previousTime_);
        previousTime_ = t;
        generator_ = std::sin(phase_);
        double upstream = generator_;
        for (int i = 0; i < n; ++i) {
            sum_[static_cast<std::size_t>(i)] = upstream - x_[static_cast<std::size_t>(i)];
            derivatives[i] = sum_[static_cast<std::size_t>(i)] * kRate;
            upstream = x_[static_cast<std::size_t>(i)];
        }
        return true;
    }
    // Every recorded value of this instant, in the chart's list order.
    double* Record(double time, double* out) const {
        *out++ = time;
        for (const CBlock* aux : run->Document().auxList) *out++ = aux->value;
        *out++ = generator_;
        for (std::size_t i = 0; i < x_.size(); ++i) {
            *out++ = sum_[i];
            *out++ = x_[i];
        }
        return out;
    }
    // The same values appended to one history per signal.
    void RecordPerSignal(double time, std::vector<std::vector<double>>& histories) const {
        auto out = histories.begin();
        (out++)->push_back(time);
        for (const CBlock* aux : run->Document().auxList) (out++)->push_back(aux->value);
        (out++)->push_back(generator_);
        for (std::size_t i = 0; i < x_.size(); ++i) {
            (out++)->push_back(sum_[i]);
            (out++)->push_back(x_[i]);
        }
    }
    // The state of stage i (1..N).
    double State(int i) const { return x_[static_cast<std::size_t>(i - 1)]; }

protected:
    void LoadStates(double* y) const override { std::copy(x_.begin(), x_.end(), y); }
    void StoreStates(const double* y) override { std::copy(y, y + n, x_.begin()); }

private:
    std::vector<double> x_;
    std::vector<double> sum_;
    double generator_ = 0.0;
    double phase_ = 0.0;
    double previousTime_ = 0.0;
};

}  // namespace

int main(int argc, char** argv) {
    const int stages = argc > 1 ? std::atoi(argv[1]) : 0;
    if (stages < 1) {
        std::fprintf(stderr, "usage: hand_ladder N\n");
        return 2;
    }
    if (argc > 3 && std::strcmp(argv[2], "--chart") == 0) {
        CTarvekDoc chart;
        BuildLadder(chart, stages);
        StateOnlyViewHost host;
        return SaveChartFile(argv[3], chart, host) ? 0 : 1;
    }
    CTarvekDoc doc;
    BuildLadder(doc, 0);  // the Clock and its outputs carry the timing
    RunState run(doc);
    HandWrittenLadder ladder(stages, run);
    const double interval = kInterval;
    const double lastStart = kInterval * kIntervals - 0.5 * interval;
    const bool perSignal = argc > 2 && std::strcmp(argv[2], "--per-block") == 0;
    const std::size_t perSample = 4 + 2 * static_cast<std::size_t>(stages);
    const std::size_t sampleCount = static_cast<std::size_t>(kIntervals) + 2;
    std::unique_ptr<double[]> samples(new double[perSignal ? 1 : perSample * sampleCount]);
    std::vector<std::vector<double>> histories(perSignal ? perSample : 0);
    for (auto& history : histories) history.reserve(sampleCount);
    double* next = samples.get();
    const auto record = [&](double time) {
        if (perSignal) ladder.RecordPerSignal(time, histories);
        else next = ladder.Record(time, next);
    };
    record(0.0);
    run.stopped = false;
    double h = interval;
    double t = 0.0;
    for (; t < lastStart; t += interval) {
        run.intervalStart = t;
        // Step ends with an evaluation at the interval's end: the Sums hold their values there.
        h = ladder.Step(h, interval);
        record(t + interval);
    }
    const std::size_t values = perSignal ? perSample * histories.front().size()
                                         : static_cast<std::size_t>(next - samples.get());
    const int middle = stages < 100 ? stages : 100;
    std::printf("%d stages at t = %.6g: x_%d = %.17g, x_N = %.17g, %zu values recorded\n", stages, t,
                middle, ladder.State(middle), ladder.State(stages), values);
    return 0;
}
