#include "core/blocks/DynamicBlocks.h"

#include <cmath>
#include <memory>

#include "core/blocks/BlockFamilies.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/DelayBlock.h"
#include "core/blocks/IntegrateBlock.h"
#include "core/blocks/StatelessBlocks.h"
#include "core/io/CArchive.h"
#include "core/blocks/RunContext.h"

namespace ondrel {
namespace {


// Beyond this many time constants the approach counts as complete.
constexpr double kDecayCutOff = 660.0;

}  // namespace

// --- Decay -------------------------------------------------------------------------------

int CDecayBlock::Setup() {
    value = InputOrParam(3);
    lastRecordTime = 0.0;
    return 1;
}

void CDecayBlock::RecordSample() {
    CBlock::RecordSample();
    lastRecordTime = Now();
}

void CDecayBlock::Compute() {
    if (history.empty()) {
        value = InputOrParam(3);
        return;
    }
    const double asymptote = InputOrParam(1);
    const double rate = std::fabs(InputOrParam(2));
    const double last = history.back();
    if (rate == 0.0) {
        value = asymptote;
        return;
    }
    const double tau = (Now() - lastRecordTime) / rate;
    value = tau > kDecayCutOff ? asymptote : last + (asymptote - last) * (1.0 - std::exp(-tau));
}

// --- Back Lash ---------------------------------------------------------------------------

void CBackLashBlock::Serialize(CArchive& ar) {
    CBlock::Serialize(ar);
    ar.Io(held);
}

int CBackLashBlock::Setup() {
    if (param[1] > 1.0) param[1] = 1.0;
    if (param[1] < -1.0) param[1] = -1.0;
    held = InputOrParam(3);
    return 1;
}

void CBackLashBlock::Compute() {
    const double x = InputOrZero(*this, 1);
    const double width = std::fabs(InputOrParam(2));
    const double d = param[1];
    const double above = width * (1.0 + d) / 2.0;  // play above the held value
    const double below = width * (1.0 - d) / 2.0;  // play below it
    const double upper = held + above;
    const double lower = upper - width;
    if (x > upper) {
        held = x - above;
    } else if (x < lower) {
        held = x + below;
    }
    value = held;
}

// --- Zero Order Hold ---------------------------------------------------------------------

int CZeroOrderHoldBlock::Setup() {
    param[2] = param[1];
    return 1;
}

void CZeroOrderHoldBlock::Compute() {
    if (InputOrZero(*this, 2) > InputOrParam(3)) {
        param[2] = InputOrZero(*this, 1);
        value = param[2];
    } else {
        value = param[2];
    }
}

// --- One Shot ----------------------------------------------------------------------------

void COneShotBlock::Serialize(CArchive& ar) {
    CBlock::Serialize(ar);
    ar.Io(armed);
    ar.Io(running);
    ar.Io(start);
}

int COneShotBlock::Setup() {
    armed = 0;
    running = 0;
    start = -1.0;
    end = -1.0;
    return 1;
}

void COneShotBlock::Compute() {
    const double t = Now();
    const double trigger = InputOrZero(*this, 1);
    value = 0.0;
    if (armed && trigger > 0.0) {
        start = t + param[1];
        end = start + InputOrParam(3);
        running = 1;
        armed = 0;
    }
    if (!running) {
        if (!armed && trigger <= 0.0) armed = 1;
        return;
    }
    if (!(t > end)) {
        if (!(t >= start)) return;  // scheduled, not begun
        value = InputOrParam(2);
        if (t != end) return;       // the pulse goes on; its last instant ends it below
    }
    running = 0;
    if (trigger <= 0.0) armed = 1;
}

// --- the family's maker ------------------------------------------------------------------

std::unique_ptr<CBlock> MakeDynamicBlock(int typeId, int bitmapId, IBlockChart* chart,
                                         int commandId) {
    switch (typeId) {
        case kTypeIntegrate:
            return std::make_unique<CIntegrateBlock>(bitmapId, chart, commandId, typeId);
        case kTypeDelay:
            return std::make_unique<CDelayBlock>(bitmapId, chart, commandId, typeId);
        case kTypeDecay:
            return std::make_unique<CDecayBlock>(bitmapId, chart, commandId, typeId);
        case kTypeBackLash:
            return std::make_unique<CBackLashBlock>(bitmapId, chart, commandId, typeId);
        case kTypeZeroOrderHold:
            return std::make_unique<CZeroOrderHoldBlock>(bitmapId, chart, commandId, typeId);
        case kTypeOneShot:
            return std::make_unique<COneShotBlock>(bitmapId, chart, commandId, typeId);
        default:
            return nullptr;
    }
}

}  // namespace ondrel
