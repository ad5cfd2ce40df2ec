#pragma once
// The Clock: the first block of every chart. Its parameters carry the run's timing ("Error
// Limit", "Output Interval", "Simulation Time") and its output is the simulated time, which
// the run driver writes. It owns two auxiliary display blocks, "Error" (the largest accepted
// error estimate of an interval) and "Count" (the step attempts of an interval), which the
// integrator fills; they sit in the document's block list and auxiliary list, and their
// records travel inside the Clock's record.
#include "core/blocks/CBlock.h"

namespace ondrel {

// Grid offsets of the auxiliary outputs from the Clock: "Error" to its left, "Count" below.
inline constexpr int kClockAuxiliaryOffset = 500;

// One of the Clock's auxiliary outputs: no inputs, no parameters, no command, no icon,
// never drawn and never offered to the user. Its value is written from outside.
class CDummyBlock final : public CBlock {
public:
    explicit CDummyBlock(IBlockChart* chart);
    void Compute() override {}
};

class CClockBlock final : public CBlock {
public:
    using CBlock::CBlock;

    // Creates "Error" at (x - 500, y) and "Count" at (x, y + 500) of the Clock, labelled
    // with the Clock's label followed by "Error" and "Count", and appends them to the
    // document. Does nothing when they exist already or the Clock is in no chart.
    void CreateAuxiliaryOutputs();

    // Own base record, then the base records of "Error" and "Count". Loading creates the
    // auxiliary outputs right after the Clock's own record when they do not exist yet.
    void Serialize(CArchive& ar) override;
    // Relabels the auxiliary outputs after the Clock's current label and zeroes them.
    int Setup() override;
    // The run driver sets the time; there is nothing to compute.
    void Compute() override {}

    CBlock* ErrorBlock() const { return errorBlock_; }
    CBlock* CountBlock() const { return countBlock_; }

private:
    void PlaceAuxiliaryOutputs();
    static void SerializeAuxiliary(CArchive& ar, CBlock* block, IBlockChart* chart);

    CBlock* errorBlock_ = nullptr;  // owned by the document
    CBlock* countBlock_ = nullptr;  // owned by the document
};

}  // namespace ondrel
