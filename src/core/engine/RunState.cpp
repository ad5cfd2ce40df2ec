#include "core/engine/RunState.h"

#include "core/model/CTarvekDoc.h"
#include "core/platform/Platform.h"

namespace ondrel {

RunState::RunState(CTarvekDoc& doc) : doc_(doc) {
    for (const auto& block : doc_.blockList) block->run = this;
    doc_.SetRunUnderWay(this);
}

RunState::~RunState() {
    if (doc_.RunUnderWay() == this) doc_.SetRunUnderWay(nullptr);
    for (const auto& block : doc_.blockList) {
        if (block->run == this) block->run = nullptr;
    }
}

void RunState::Stop(RunEndKind kind, const CBlock* block) {
    // Only a run under way records why it ends; the first cause stays.
    if (!stopped && end.kind == RunEndKind::None) end = RunEnd{kind, block ? block->label : "", now_};
    stopped = true;
}

void RunState::Show(const Status& status) { ShowStatus(status); }

void RunState::ReportBlockError(const CBlock& block, const Status& status) {
    // The windows are told which block the message is about before it shows.
    doc_.NoteMessageAbout(block);
    Show(status);
    Stop(RunEndKind::BlockError, &block);
}

}  // namespace ondrel
