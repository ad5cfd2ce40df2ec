#pragma once
// Charts for engine tests: a new document (the Clock with its "Error" and "Count" outputs)
// with blocks made through the catalogue and wired directly, and a run window that records
// how the run drives it.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "core/engine/RunDriver.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/CBlock.h"
#include "core/blocks/ClockBlock.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/Platform.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {

class EngineTest : public ::testing::Test {
public:  // the chart-building helpers are also used from table-driven cases
    EngineTest() { doc.OnNewDocument(); }

    // A block of the type placed on the next free cell of the chart.
    CBlock* Add(int typeId) {
        auto pending = doc.CreateBlock(typeId);
        if (!pending) {
            ADD_FAILURE() << "no block for type " << typeId;
            return nullptr;
        }
        ++placed_;
        doc.PlaceBlock(std::move(pending), 2 * placed_, 2);
        return doc.blockList.back().get();
    }
    CBlock* AddConstant(double value) {
        CBlock* block = Add(kTypeConstant);
        block->param[1] = value;
        return block;
    }
    CBlock* AddIntegrate(double gain, double initialValue) {
        CBlock* block = Add(kTypeIntegrate);
        block->param[1] = gain;
        block->param[2] = initialValue;
        return block;
    }
    static void Wire(CBlock* target, int k, CBlock* source) { target->input[k] = source; }

    void SetTiming(double errorLimit, double interval, double end) {
        Clock().param[1] = errorLimit;
        Clock().param[2] = interval;
        Clock().param[3] = end;
    }

    CBlock& Clock() { return *doc.Clock(); }
    CClockBlock& TypedClock() { return dynamic_cast<CClockBlock&>(Clock()); }
    CBlock& ErrorOutput() { return *TypedClock().ErrorBlock(); }
    CBlock& CountOutput() { return *TypedClock().CountBlock(); }

    RecordingPlatform platform;
    CTarvekDoc doc;

private:
    int placed_ = 0;
};

// A run window that records what the run asks of it; it can refuse to open and can stop
// the run at a given pump, as a click would.
class FakeRunWindow : public IRunWindow {
public:
    bool Open(CTarvekDoc&) override {
        ++opens;
        return opensOk;
    }
    void Pump(CTarvekDoc& doc, bool lastInterval) override {
        lastFlags.push_back(lastInterval);
        times.push_back(doc.RunTime());
        attached.push_back(doc.HasRunUnderWay());
        if (lastFlags.size() == stopAtPump) doc.OnTerminateRun();
        if (runAgainAtPump && lastFlags.size() == runAgainAtPump) RunChart(doc);
    }
    void Close(CTarvekDoc&) override { ++closes; }

    bool opensOk = true;
    std::size_t stopAtPump = 0;      // 0: never
    std::size_t runAgainAtPump = 0;  // 0: never
    int opens = 0;
    int closes = 0;
    std::vector<bool> lastFlags;
    std::vector<double> times;
    std::vector<bool> attached;  // whether the document had its run under way during the pump
};

// Installs a run window for its lifetime, keeping the other services in force.
class ScopedRunWindow {
public:
    explicit ScopedRunWindow(IRunWindow* window)
        : scope_(PlatformServices{nullptr, nullptr, nullptr, nullptr, window, nullptr}) {}

private:
    ScopedPlatform scope_;
};

}  // namespace ondrel::test
