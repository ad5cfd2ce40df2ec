#pragma once
// Every change a user makes to a chart, as a small command that can be applied and reverted
// any number of times in strict alternation (apply, revert, apply, ...). The desktop program
// keeps them on the chart's undo stack; tests drive them directly.
//
// A command changes the document only through its operations, which notify the views and
// mark the document modified. Reverting gives back the chart exactly as it was (the saved
// bytes included: connector routes and link letters too), and applying again gives back the
// chart exactly as the first application left it. Neither shows a message: a connector that
// found no lane on the first application is not routed again, its records are restored.
//
// Blocks are referred to by pointer. A block a command takes out of the chart (delete, or
// the revert of a placement) is kept alive by that command until it is put back, so every
// other command on the stack still finds the same block, with its recorded samples.
#include <memory>
#include <string>

#include "core/blocks/CBlock.h"
#include "core/model/edits/BlockEdit.h"
#include "core/model/edits/ModelSettingsEdit.h"
#include "core/model/edits/ViewSettingsEdit.h"

namespace ondrel {

class CTarvekDoc;
class ChartViewState;

class ChartCommand {
public:
    virtual ~ChartCommand() = default;
    // The first application and every redo.
    virtual void Apply(CTarvekDoc& doc) = 0;
    virtual void Revert(CTarvekDoc& doc) = 0;
    // What the Edit menu names: "Place Integrate", "Move Gain", "Connect", "Delete Sum",
    // "Cut Sum", "Paste Sum", "Edit Sum", "Function Data", "Model Properties",
    // "Viewing Properties".
    virtual std::string Name() const = 0;
    // Moves of one block made one after the other become one change: a command returns true
    // and takes next's destination when next moves the same block. Both have been applied.
    virtual bool MergeWith(const ChartCommand& /*next*/) { return false; }
};

// How the Edit menu names a block: its label, or its type's name when it has none. Two
// blocks of one type are told apart by their labels ("Move Spring", "Move Damper").
std::string EditLabel(const CBlock& block);

// Places block (a new or pasted block, not yet in the chart) at position as the document
// places its pending block: appended to the block list and coloured from the palette. The
// name is "Place <type>" or, with pasted set, "Paste <type>". Null for no block.
std::unique_ptr<ChartCommand> MakePlaceCommand(std::unique_ptr<CBlock> block, GridPoint position,
                                               bool pasted = false);
// Moves block to position and routes its connectors (those into it and those leaving it).
std::unique_ptr<ChartCommand> MakeMoveCommand(CBlock& block, GridPoint position);
// Input k (1..3) of target takes source, and that connector is routed. Null for a row the
// target's type does not offer. Reverting gives the input back what it held before.
std::unique_ptr<ChartCommand> MakeConnectCommand(CBlock& target, int k, CBlock& source);
// Takes block out of the chart (every input it fed loses its source); reverting puts it back
// at its place in the block list with those inputs, routes and samples. Null for the Clock
// and its outputs, which cannot be deleted, and for a block not in doc. cut only changes the
// name ("Cut <type>").
std::unique_ptr<ChartCommand> MakeDeleteCommand(CTarvekDoc& doc, CBlock& block, bool cut = false);
// The block editor's OK (and the Function Generator table's): before is the block as it was,
// after what the editor made of it. The change has not been applied yet.
std::unique_ptr<ChartCommand> MakeBlockEditCommand(CBlock& block, BlockEdit before, BlockEdit after);
// The Model Properties dialog's OK.
std::unique_ptr<ChartCommand> MakeModelSettingsCommand(ModelSettingsEdit edit);
// The Chart Viewing Properties dialog's OK or Apply on view. The command refers to view, so
// it must not outlive that view's state.
std::unique_ptr<ChartCommand> MakeViewSettingsCommand(ChartViewState& view, ViewSettingsEdit edit);

}  // namespace ondrel
