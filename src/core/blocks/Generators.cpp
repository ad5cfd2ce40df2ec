#include "core/blocks/Generators.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/blocks/BlockFamilies.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/RandomSource.h"
#include "core/io/CArchive.h"
#include "core/blocks/RunContext.h"

namespace ondrel {
namespace {

constexpr double kTwoPi = 6.283185307179586;


// A connected Switch below 0 turns the generator off.
bool SwitchedOffBelowZero(const CBlock& b) { return b.input[3] && b.input[3]->value < 0.0; }

// The time to the next Jitter pulse: uniform between the maximum and the minimum time.
double JitterInterval(const CBlock& b) {
    const double maximum = b.InputOrParam(1);
    const double minimum = b.InputOrParam(2);
    return maximum + (minimum - maximum) * DrawRandom() / kRandomMax;
}

}  // namespace

// --- Random ------------------------------------------------------------------------------

int CRandomBlock::Setup() {
    SeedFromSetting(param[3]);
    return 1;
}

void CRandomBlock::Compute() {
    value = 0.0;
    if (SwitchedOffBelowZero(*this)) return;
    const double lower = InputOrParam(1);
    const double upper = InputOrParam(2);
    value = lower + (upper - lower) * DrawRandom() / kRandomMax;
}

// --- Gaussian ----------------------------------------------------------------------------

int CGaussianBlock::Setup() {
    SeedFromSetting(param[3]);
    return 1;
}

void CGaussianBlock::Compute() {
    if (SwitchedOffBelowZero(*this)) {
        value = 0.0;
        return;
    }
    // A draw of 0 would put ln(0) into the deviate: both uniforms are kept in (0, 1].
    const int r1 = std::max(DrawRandom(), 1);
    const int r2 = std::max(DrawRandom(), 1);
    const double u1 = static_cast<double>(r1) / kRandomMax;
    const double u2 = static_cast<double>(r2) / kRandomMax;
    const double z = std::sqrt(std::fabs(2.0 * std::log(u2))) * std::cos(kTwoPi * u1);
    value = InputOrParam(1) + InputOrParam(2) * z;
}

// --- Jitter ------------------------------------------------------------------------------

void CJitterBlock::Serialize(CArchive& ar) {
    CBlock::Serialize(ar);
    ar.Io(nextTime);
}

int CJitterBlock::Setup() {
    SeedFromSetting(param[3]);
    nextTime = JitterInterval(*this);
    return 1;
}

void CJitterBlock::Compute() {
    value = 0.0;
    if (SwitchedOffBelowZero(*this)) return;
    const double t = Now();
    if (nextTime >= t) return;
    value = 1.0;
    nextTime = t + JitterInterval(*this);
}

// --- Sine Wave Generator -----------------------------------------------------------------

void CSineWaveGeneratorBlock::Serialize(CArchive& ar) {
    CBlock::Serialize(ar);
    ar.Io(phase);
}

int CSineWaveGeneratorBlock::Setup() {
    phase = InputOrParam(2);
    previousTime = 0.0;
    return 1;
}

void CSineWaveGeneratorBlock::Compute() {
    const bool on = !input[3] || input[3]->value > 0.0;
    value = Advance(Now(), on, InputOrParam(1));
}

// --- Time Pulse Generator ----------------------------------------------------------------

void CTimePulseGeneratorBlock::Serialize(CArchive& ar) {
    CBlock::Serialize(ar);
    ar.Io(started);
    ar.Io(nextTime);
}

int CTimePulseGeneratorBlock::Setup() {
    started = 0;
    nextTime = -1.0;
    return 1;
}

void CTimePulseGeneratorBlock::Compute() {
    const double t = Now();
    value = 0.0;
    if (input[3]) {
        if (input[3]->value < 0.0) {
            started = 0;
            return;
        }
    } else if (t < param[3]) {
        return;
    }
    if (t < nextTime) return;
    value = InputOrParam(2);
    if (started) {
        nextTime = nextTime + InputOrParam(1);
    } else {
        started = 1;
        nextTime = t + InputOrParam(1);
    }
}

// --- the family's maker ------------------------------------------------------------------

std::unique_ptr<CBlock> MakeGeneratorBlock(int typeId, int bitmapId, IBlockChart* chart,
                                           int commandId) {
    switch (typeId) {
        case kTypeRandom:
            return std::make_unique<CRandomBlock>(bitmapId, chart, commandId, typeId);
        case kTypeGaussian:
            return std::make_unique<CGaussianBlock>(bitmapId, chart, commandId, typeId);
        case kTypeJitter:
            return std::make_unique<CJitterBlock>(bitmapId, chart, commandId, typeId);
        case kTypeSineWaveGenerator:
            return std::make_unique<CSineWaveGeneratorBlock>(bitmapId, chart, commandId,
                                                             typeId);
        case kTypeTimePulseGenerator:
            return std::make_unique<CTimePulseGeneratorBlock>(bitmapId, chart, commandId,
                                                              typeId);
        default:
            return nullptr;
    }
}

}  // namespace ondrel
