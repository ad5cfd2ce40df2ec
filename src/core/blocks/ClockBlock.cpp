#include "core/blocks/ClockBlock.h"

#include <cstdint>
#include <memory>

#include "core/io/CArchive.h"
#include "core/blocks/BlockChart.h"

namespace ondrel {

CDummyBlock::CDummyBlock(IBlockChart* chart) : CBlock(0, chart, 0, 0) {
    inputCount = 0;
    paramCount = 0;
    kind = BlockKind::Auxiliary;
    typeName = "Dummy";
}

void CClockBlock::CreateAuxiliaryOutputs() {
    if (!chart || errorBlock_ || countBlock_) return;
    auto error = std::make_unique<CDummyBlock>(chart);
    auto count = std::make_unique<CDummyBlock>(chart);
    error->label = label + "Error";
    count->label = label + "Count";
    errorBlock_ = chart->AppendAuxiliaryBlock(std::move(error));
    countBlock_ = chart->AppendAuxiliaryBlock(std::move(count));
    PlaceAuxiliaryOutputs();
}

namespace {

// Grid coordinates are int32 in files; a Clock read at the edge of that range puts its outputs
// across it, wrapping as the 32-bit arithmetic of every earlier build did (never overflowing).
std::int32_t Offset(std::int32_t coordinate, std::int32_t by) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(coordinate) + static_cast<std::uint32_t>(by));
}

}  // namespace

// Their positions are not stored: they always follow from the Clock's.
void CClockBlock::PlaceAuxiliaryOutputs() {
    if (errorBlock_) errorBlock_->position = {Offset(position.x, -kClockAuxiliaryOffset), position.y};
    if (countBlock_) countBlock_->position = {position.x, Offset(position.y, kClockAuxiliaryOffset)};
}

void CClockBlock::Serialize(CArchive& ar) {
    CBlock::Serialize(ar);
    if (ar.IsLoading()) {
        // Later records may name the outputs as sources by position, so they must exist
        // (at their places) before any other record is read.
        CreateAuxiliaryOutputs();
        PlaceAuxiliaryOutputs();
        if (!errorBlock_ || !countBlock_) {
            ar.Fail();  // no document to hold them: the rest of the file cannot be read
            return;
        }
        if (ar.Failed()) return;
    }
    SerializeAuxiliary(ar, errorBlock_, chart);
    SerializeAuxiliary(ar, countBlock_, chart);
}

// A Clock that never made its outputs still writes two records, so the file keeps the
// layout every reader expects.
void CClockBlock::SerializeAuxiliary(CArchive& ar, CBlock* block, IBlockChart* chart) {
    if (block) {
        block->Serialize(ar);
        return;
    }
    CDummyBlock placeholder(chart);
    placeholder.Serialize(ar);
}

int CClockBlock::Setup() {
    if (errorBlock_) {
        errorBlock_->label = label + "Error";
        errorBlock_->value = 0.0;
    }
    if (countBlock_) {
        countBlock_->label = label + "Count";
        countBlock_->value = 0.0;
    }
    return 1;
}

}  // namespace ondrel
