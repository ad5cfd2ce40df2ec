#pragma once
// The Run and Initialize commands and the evaluation order of a chart's blocks.
#include <vector>

#include "core/engine/RunState.h"
#include "core/model/RunControl.h"

namespace ondrel {

class CBlock;
class CTarvekDoc;

// The Run command: the checks before a run (their messages shown, Cancel ends them), the
// set-up that records sample 0 and the loop over the output intervals. Nothing while a run
// of the document is under way or it holds no Clock. How the run ended is then the
// document's LastRunEnd.
void RunChart(CTarvekDoc& doc);
// Asks about every required input left unfilled (UnfilledRequiredInputs), in order, each
// window told first which block it is about; Cancel ends the questions. True when there was
// none to ask about.
bool CheckRequiredInputs(CTarvekDoc& doc);
// The Initialize command: the checks and the set-up of a run without its intervals, which
// compute the chart's initial values and record sample 0. A chart read without samples is
// initialised through it.
void InitializeChart(CTarvekDoc& doc);

// Builds the run lists from the document's blocks in list order and puts each list in
// dependency order; false when a list cannot be ordered (a feedback loop, MaxSort moves).
bool SortBlocks(const CTarvekDoc& doc, RunLists& lists);
// Repairs the order of list in at most maxSort moves: every block after the blocks of the
// list that feed it. False when that cannot be done; the list is then left as far as the
// moves took it.
bool OrderList(std::vector<CBlock*>& list, int maxSort);

}  // namespace ondrel
