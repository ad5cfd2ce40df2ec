#include "core/model/edits/BlockEdit.h"

#include <utility>

#include "core/blocks/FunctionGenerator.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/NumberFormat.h"

namespace ondrel {
namespace {

constexpr int kCurrentValueDigits = 5;

bool IsRow(int k) { return k >= 1 && k <= 3; }

// The first block of the list at key, as loading resolves connections; null when none.
CBlock* BlockAt(const CTarvekDoc& document, GridPoint key) {
    for (const auto& candidate : document.blockList) {
        if (candidate->position == key) return candidate.get();
    }
    return nullptr;
}

// Only the inputs whose source differs are touched. A source that comes back (the undo of a
// cleared input) keeps the route record it had, which was never changed while it was gone.
void ApplySources(const CTarvekDoc& document, CBlock& block, const BlockEdit& edit) {
    for (int k = 1; k <= 3; ++k) {
        if (edit.source[k] == block.ConnectionKey(k)) continue;
        if (edit.source[k] == kNoConnection) {
            block.input[k] = nullptr;
        } else if (k <= block.inputCount) {
            if (CBlock* found = BlockAt(document, edit.source[k])) block.input[k] = found;
        }
    }
}

// Returns true when the table or the bounds changed, so the spline must be prepared again.
bool ApplyTable(CBlock& block, const BlockEdit& edit) {
    auto* generator = dynamic_cast<CFunctionGeneratorBlock*>(&block);
    if (generator == nullptr) return false;
    bool changed = edit.param[2] != block.param[2] || edit.param[3] != block.param[3];
    if (edit.ordinates && *edit.ordinates != generator->Ordinates()) {
        generator->SetOrdinates(*edit.ordinates);
        changed = true;
    }
    return changed;
}

}  // namespace

BlockEdit BlockEdit::From(const CBlock& block) {
    BlockEdit edit;
    edit.label = block.label;
    edit.notes = block.notes;
    edit.color = block.color;
    edit.flipped = block.flipped;
    edit.initFlag = block.initFlag;
    for (int k = 1; k <= 3; ++k) {
        edit.param[k] = block.param[k];
        edit.source[k] = block.ConnectionKey(k);
    }
    if (const auto* generator = dynamic_cast<const CFunctionGeneratorBlock*>(&block))
        edit.ordinates = generator->Ordinates();
    return edit;
}

void BlockEdit::ClearInput(int k) {
    if (IsRow(k)) source[k] = kNoConnection;
}

bool BlockEdit::HasSource(int k) const { return IsRow(k) && source[k] != kNoConnection; }

void BlockEdit::SetParamText(int k, std::string_view text) {
    if (IsRow(k)) param[k] = ParseDecimal(text);
}

std::string ParamText(double value) { return FormatNumber("%g", value); }

std::string CurrentValueText(double value) {
    return FormatSignificant(value, kCurrentValueDigits);
}

void ApplyBlockEdit(CTarvekDoc& document, CBlock& block, const BlockEdit& edit,
                    EditRouting routing) {
    // Before the parameters change: the comparison of the bounds needs the old ones.
    const bool tableChanged = ApplyTable(block, edit);
    block.label = edit.label;
    for (int k = 1; k <= 3; ++k) block.param[k] = edit.param[k];
    ApplySources(document, block, edit);
    block.color = edit.color;
    block.notes = edit.notes;
    block.initFlag = edit.initFlag;
    // Setup discards the spline and reserves room for it, so the next Compute prepares it
    // from the new table and bounds without allocating.
    if (tableChanged) block.Setup();
    if (edit.flipped != block.flipped) {
        block.flipped = edit.flipped;
        if (routing == EditRouting::Reroute) document.RerouteBlock(&block);
    }
    document.SetModifiedFlag(true);
    // The Clock's outputs carry its label; Setup relabels them.
    if (&block == document.Clock()) block.Setup();
    document.UpdateAllViews(nullptr, UpdateHint::Refresh, nullptr);
}

}  // namespace ondrel
