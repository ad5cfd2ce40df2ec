#include "core/engine/CIntegrator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "core/blocks/ClockBlock.h"
#include "core/engine/RunMessages.h"
#include "core/engine/RunState.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {

namespace {

// The first n blocks of the state list: the states this integrator advances.
std::vector<CBlock*> ListedStates(const RunState& run, int n) {
    const std::size_t wanted = n > 0 ? static_cast<std::size_t>(n) : 0;
    const std::size_t listed = std::min(run.stateList.size(), wanted);
    return {run.stateList.begin(), run.stateList.begin() + static_cast<std::ptrdiff_t>(listed)};
}

}  // namespace

struct CIntegrator::StepScope {
    explicit StepScope(CIntegrator& rk) : integrator(rk) {
        integrator.inStep_ = true;
        integrator.BeginStep();
    }
    ~StepScope() {
        integrator.EndStep();
        integrator.inStep_ = false;
    }
    StepScope(const StepScope&) = delete;
    StepScope& operator=(const StepScope&) = delete;
    CIntegrator& integrator;
};

CIntegrator::CIntegrator(int stateCount, int stageCount, RunState& runState)
    : run(&runState),
      n(stateCount),
      s(stageCount),
      c(static_cast<std::size_t>(stageCount)),
      a(static_cast<std::size_t>(stageCount) * stageCount),
      b(static_cast<std::size_t>(stageCount)),
      e(static_cast<std::size_t>(stageCount)),
      yWork(static_cast<std::size_t>(stateCount)),
      yStart(static_cast<std::size_t>(stateCount)),
      yNew(static_cast<std::size_t>(stateCount)),
      k(static_cast<std::size_t>(stageCount) * stateCount),
      program_(runState.Document().Clock(), runState.computeList, ListedStates(runState, stateCount)) {
    clock_ = runState.Document().Clock();
    if (clock_ != nullptr) errorLimit = clock_->param[1];
    if (const auto* clock = dynamic_cast<const CClockBlock*>(clock_)) {
        errorOutput_ = clock->ErrorBlock();
        countOutput_ = clock->CountBlock();
    }
}

double CIntegrator::Step(double h, double interval) {
    const StepScope scope(*this);
    lastStep = h;
    double accumulated = 0.0;   // time covered by accepted steps of this interval
    double largestError = 0.0;  // of the accepted steps
    double attempts = 0.0;      // rejected ones included
    LoadStates(yStart.data());
    for (;;) {
        attempts += 1.0;
        const double hTry = h;
        if (!Attempt(hTry, accumulated)) return 0.0;
        const double err = MaxError();
        // A state that went to infinity or NaN is neither accepted nor rejected by the error
        // test, so the attempts would repeat forever.
        if (!std::isfinite(err)) {
            ReportIntegrationFailure();
            return 0.0;
        }
        h = NextStepSize(err, hTry);
        if (interval / h > run->Document().maxSteps) {
            ReportExcessiveSteps(interval / h);
            return 0.0;
        }
        // An error exactly at the limit is neither accepted nor a failure: the attempt is
        // simply repeated with the controller's slightly smaller step.
        if (err < errorLimit) {
            if (err > largestError) largestError = err;
            accumulated += hTry;
            lastStep = hTry;
            const double remaining = interval - accumulated;
            if (h > remaining) h = remaining;  // meet the interval end exactly
            if (accumulated >= interval) break;
            std::copy(yNew.begin(), yNew.end(), yStart.begin());
        }
    }
    StoreStates(yNew.data());
    // Leaves every block of the compute list holding its value for the new states; a stop
    // requested meanwhile only means the values stay as the last stage left them.
    Evaluate(interval, yWork.data());
    ReportIntervalStatistics(largestError, attempts);
    return lastStep;
}

bool CIntegrator::Attempt(double hTry, double t) {
    for (int j = 0; j < s; ++j) {
        StageInput(j);
        StoreStates(yWork.data());
        if (!Evaluate(c[j] * hTry + t, yWork.data())) return false;
        double* kj = K(j);
        for (int i = 0; i < n; ++i) kj[i] = yWork[i] * hTry;
    }
    CombineNewState();
    return true;
}

void CIntegrator::StageInput(int j) {
    // The stage sum is accumulated on its own, stage by stage, and only then added to the
    // start state: the same order of operations on every build.
    double* y = yWork.data();
    std::fill(y, y + n, 0.0);
    for (int m = 0; m < j; ++m) {
        const double coefficient = A(j, m);
        const double* km = K(m);
        for (int i = 0; i < n; ++i) y[i] += coefficient * km[i];
    }
    for (int i = 0; i < n; ++i) y[i] = yStart[i] + y[i];
}

void CIntegrator::CombineNewState() {
    double* y = yNew.data();
    std::fill(y, y + n, 0.0);
    for (int j = 0; j < s; ++j) {
        const double weight = b[j];
        const double* kj = K(j);
        for (int i = 0; i < n; ++i) y[i] += weight * kj[i];
    }
    for (int i = 0; i < n; ++i) y[i] = yStart[i] + y[i];
}

double CIntegrator::MaxError() const {
    double largest = 0.0;
    for (int i = 0; i < n; ++i) {
        double sum = 0.0;
        for (int j = 0; j < s; ++j) sum += e[j] * K(j)[i];
        const double magnitude = std::fabs(sum);
        // A plain maximum would let a NaN slip by and the run go on with garbage.
        if (std::isnan(magnitude)) return magnitude;
        if (magnitude > largest) largest = magnitude;
    }
    return largest;
}

double CIntegrator::NextStepSize(double err, double h) const {
    // No bound on growth: an error of 0 proposes an infinite step, which the interval end
    // then clips.
    const double ratio = errorLimit / err;
    const double exponent = errorLimit >= err ? growExponent : shrinkExponent;
    return std::fabs(std::pow(ratio, exponent)) * safety * h;
}

bool CIntegrator::Evaluate(double stageTime, double* derivatives) {
    RunState& state = *run;
    if (state.stopped) return false;
    const double time = state.intervalStart + stageTime;
    state.SetTime(time);
    if (clock_ != nullptr) clock_->value = time;
    if (inStep_) {
        program_.Evaluate(time, derivatives, static_cast<std::size_t>(n));
        return true;
    }
    // On its own the evaluation starts from and leaves its results in the blocks.
    program_.Load();
    program_.Evaluate(time, derivatives, static_cast<std::size_t>(n));
    program_.Publish();
    return true;
}

void CIntegrator::LoadStates(double* y) const {
    const double* states = program_.States();
    for (std::size_t i = 0; i < program_.StateCount(); ++i) y[i] = states[i];
}

void CIntegrator::StoreStates(const double* y) { program_.StoreStates(y); }

void CIntegrator::BeginStep() { program_.Load(); }

void CIntegrator::EndStep() {
    if (!holdResults_) program_.Publish();
}

void CIntegrator::ReportExcessiveSteps(double stepsNeeded) const {
    // The count is shown as a whole number; a need beyond the int range (a step that
    // shrank to almost nothing) is shown as the largest int rather than converted blindly.
    constexpr int kLargestCount = std::numeric_limits<int>::max();
    const double whole = std::trunc(stepsNeeded);
    const int count = whole < static_cast<double>(kLargestCount) ? static_cast<int>(whole)
                                                                 : kLargestCount;
    RunState::Show(Status{kExcessiveStepsText + std::to_string(count) + kExcessiveStepsTimeText +
                              RunMessageTime(run->Now()),
                          kRunFailureCaption, MsgButtons::Ok, MsgIcon::Error, {}});
}

void CIntegrator::ReportIntegrationFailure() const {
    RunState::Show(Status{kIntegrationFailedText + RunMessageTime(run->Now()), kRunFailureCaption,
                          MsgButtons::Ok, MsgIcon::Error, {}});
}

void CIntegrator::ReportIntervalStatistics(double largestError, double attempts) const {
    if (errorOutput_ != nullptr) errorOutput_->value = largestError;
    if (countOutput_ != nullptr) countOutput_->value = attempts;
}

}  // namespace ondrel
