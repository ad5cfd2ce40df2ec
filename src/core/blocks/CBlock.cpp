#include "core/blocks/CBlock.h"

#include <string>

#include "core/io/CArchive.h"
#include "core/blocks/BlockChart.h"
#include "core/blocks/RunContext.h"
#include "core/platform/LoadError.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"

namespace ondrel {
namespace {

constexpr int kHelpIdOffset = 0x10000;
// "needs the first input filled." .. "needs the third input filled."
constexpr int kFirstUnfilledInputString = 61582;

constexpr char kRunTimeErrorCaption[] = "Run Time Error";

// The captions of rows a type's catalogue entry leaves unnamed.
constexpr std::array<std::string_view, 4> kBaseInputCaptions{"", "Input 1", "Input 2", "Input 3"};
constexpr std::array<std::string_view, 4> kBaseParamCaptions{"", "Gain 1", "Gain 2", "Gain 3"};

IBlockEditor* installedEditor = nullptr;

bool IsRow(int k) { return k >= 1 && k <= 3; }

void IoKey(CArchive& ar, GridPoint& key) {
    ar.Io(key.x);
    ar.Io(key.y);
}

void IoRoute(CArchive& ar, RouteRecord& route) {
    for (std::int32_t& v : route) ar.Io(v);
}

std::string UnfilledInputMessage(const CBlock& block, int k) {
    return "A " + std::string(block.typeName) + " block, " + block.label + ", " +
           LoadString(kFirstUnfilledInputString + k - 1);
}

}  // namespace

CBlock::CBlock(int bitmapId_, IBlockChart* chart_, int commandId_, int typeId_)
    : typeId(typeId_),
      bitmapId(bitmapId_),
      commandId(commandId_),
      helpId(commandId_ + kHelpIdOffset),
      chart(chart_) {
    typeName = LoadString(typeId_);
    label = typeName;
    inputLabel = kBaseInputCaptions;
    paramLabel = kBaseParamCaptions;
}

void CBlock::Serialize(CArchive& ar) {
    ar.Io(label);
    ar.Io(linkLetter);
    ar.Io(color);
    ar.Io(notes);
    ar.IoFlag(flipped);
    ar.IoFlag(initFlag);
    for (int k = 1; k <= 3; ++k) {
        GridPoint key = ConnectionKey(k);
        IoKey(ar, key);
        if (ar.IsLoading()) {
            // A damaged record reads as zeros, which would connect to whatever sits at (0, 0);
            // a key for a row this type does not offer would break the rule that only
            // offered rows are ever connected. Neither is resolved.
            if (k > inputCount) {
                input[k] = nullptr;
            } else if (!ar.Failed()) {
                ResolveInput(key, k);
            }
        }
        ar.Io(param[k]);
        IoRoute(ar, route[k]);
    }
    // The count is checked against the bytes left before anything is allocated.
    ar.IoDoubles(history);
}

int CBlock::Setup() { return 1; }

void CBlock::ClearHistory() { history.clear(); }

void CBlock::RecordSample() { history.push_back(value); }

bool CBlock::ResolveInput(GridPoint key, int k) {
    if (!IsRow(k)) return false;
    if (key == kNoConnection) {
        input[k] = nullptr;
        return true;
    }
    if (chart != nullptr) {
        // First match in list order: of two blocks on one cell the earlier one wins.
        if (CBlock* found = chart->FirstBlockAt(key)) {
            input[k] = found;
            return true;
        }
    }
    ReportLoadError("Unable to find a match for input " + std::to_string(k) + " of block '" + label + "'.");
    return false;
}

double CBlock::Now() const { return run != nullptr ? run->Now() : 0.0; }

double CBlock::ValueAt(std::int64_t i) const {
    if (i < 0 || static_cast<std::uint64_t>(i) >= history.size()) return 0.0;
    return history[static_cast<std::size_t>(i)];
}

bool CBlock::EditProperties() {
    return installedEditor != nullptr && installedEditor->Edit(*this);
}

void SetBlockEditor(IBlockEditor* editor) { installedEditor = editor; }

std::vector<UnfilledInput> UnfilledRequiredInputs(const std::vector<std::unique_ptr<CBlock>>& blocks) {
    std::vector<UnfilledInput> unfilled;
    for (const auto& block : blocks) {
        const int required = block->requiredInputs < 3 ? block->requiredInputs : 3;
        for (int k = 1; k <= required; ++k) {
            if (block->input[k] != nullptr) continue;
            unfilled.push_back({block.get(), Status{UnfilledInputMessage(*block, k), kRunTimeErrorCaption,
                                                    MsgButtons::OkCancel, MsgIcon::None, {}}});
        }
    }
    return unfilled;
}

}  // namespace ondrel
