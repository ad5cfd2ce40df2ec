#pragma once
// Everything a run keeps while it is under way, owned by the run driver for the length of one
// run (and by the engine's tests, which drive its parts alone): the run lists, the
// integrator, the step size, the simulated time and the interval it is in, the stop request
// and why the run ended, the run window. While it lives, every block of the chart sees it as
// its run context and the document as its run under way.
#include <memory>
#include <vector>

#include "core/blocks/RunContext.h"
#include "core/engine/CIntegrator.h"
#include "core/model/RunControl.h"
#include "core/model/RunEnd.h"

namespace ondrel {

class CBlock;
class CTarvekDoc;
class IRunWindow;

// The blocks of a run in the order they are evaluated: those advanced by the integrator, those
// computed at every evaluation, those computed once at the start.
struct RunLists {
    std::vector<CBlock*> stateList;
    std::vector<CBlock*> computeList;
    std::vector<CBlock*> initList;
};

class RunState final : public IRunContext, public IRunControl, public RunLists {
public:
    // Becomes the run context of every block of doc and the document's run under way. The
    // run starts stopped: the driver clears the flag when its set-up begins.
    explicit RunState(CTarvekDoc& doc);
    // Hands the blocks and the document back without a run.
    ~RunState();
    RunState(const RunState&) = delete;
    RunState& operator=(const RunState&) = delete;

    CTarvekDoc& Document() const { return doc_; }
    void SetTime(double time) { now_ = time; }
    void SetOutputInterval(double interval) { outputInterval_ = interval; }

    // Sets the stop flag and, for the first request of a run under way, records why the run
    // ends (block: the Quit block or the block in error).
    void Stop(RunEndKind kind, const CBlock* block = nullptr);
    // Shows a message of the engine at once (the run ends through Stop, as it always did).
    static void Show(const Status& status);

    // IRunContext
    void RequestQuit(const CBlock& block) override { Stop(RunEndKind::Quit, &block); }
    void ReportBlockError(const CBlock& block, const Status& status) override;
    // IRunControl
    bool Running() const override { return !stopped; }
    double Time() const override { return now_; }
    void RequestUserStop() override { Stop(RunEndKind::UserStop); }

    std::unique_ptr<CIntegrator> integrator;  // null when the chart has no states
    double stepSize = 0.0;
    double intervalStart = 0.0;
    bool stopped = true;
    RunEnd end;                  // None until the run ends
    IRunWindow* window = nullptr;  // this run's, when one is open

private:
    CTarvekDoc& doc_;
};

}  // namespace ondrel
