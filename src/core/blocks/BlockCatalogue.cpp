#include "core/blocks/BlockCatalogue.h"

#include "core/blocks/BlockFamilies.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/ClockBlock.h"

namespace ondrel {
namespace {

// A caption left null keeps the base caption ("Input k" / "Gain k").
constexpr const char* kBase = nullptr;
using Labels = std::array<const char*, 3>;
using Defaults = std::array<double, 3>;
constexpr Labels kBaseLabels{kBase, kBase, kBase};
constexpr Labels kInput{"Input", kBase, kBase};
constexpr Defaults kOnes{1.0, 1.0, 1.0};

// One row per type, in toolbar order: Math, Time, Transcendental, Logic, Generator,
// Non-linear, Miscellaneous, then the Clock, which no toolbar offers.
const std::vector<CatalogueEntry> kRows{
    // Math
    {kTypeMultiply, 32796, 144, 3, kBaseLabels, 0, 3, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeDivide, 32797, 149, 2, {"Numerator", "Denominator", kBase}, 2, 2, kBaseLabels, kOnes,
     BlockKind::Algebraic},
    {kTypePower, 32798, 150, 2, {"Base", "Exponent", kBase}, 2, 2, kBaseLabels, kOnes,
     BlockKind::Algebraic},
    {kTypeSquareRoot, 32799, 138, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeSum, 32801, 151, 3, kBaseLabels, 0, 3, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeNegate, 32802, 152, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeGain, 32800, 257, 1, kInput, 1, 1, {"Gain", kBase, kBase}, kOnes, BlockKind::Algebraic},
    // Time
    {kTypeIntegrate, 32792, 165, 2, {"Input", "Initial Value", kBase}, 1, 2,
     {"Gain", "Initial Value", kBase}, {1.0, 0.0, 1.0}, BlockKind::State},
    {kTypeDelay, 32794, 166, 3, {"Input", "Delay", "Initial Value"}, 1, 3,
     {"Gain", "Delay", "Initial Value"}, kOnes, BlockKind::Algebraic},
    {kTypeDecay, 32795, 167, 3, {"Asymptote", "Approach Rate", "Initial Value"}, 0, 3,
     {"Asymptote", "Approach Rate", "Initial Value"}, {1.0, 1.0, 0.0}, BlockKind::Algebraic},
    // Transcendental
    {kTypeSine, 32819, 168, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeCosine, 32818, 169, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeArcTangent, 32822, 170, 2, {"Input 1 (X)", "Input 2 (Y)", kBase}, 1, 2, kBaseLabels,
     kOnes, BlockKind::Algebraic},
    {kTypeLogE, 32821, 171, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeLog10, 32820, 172, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeExponent, 32823, 173, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeDecibel, 32824, 174, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    // Logic
    {kTypeAnd, 32834, 180, 3, kBaseLabels, 0, 3, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeExclusiveOr, 32835, 181, 3, kBaseLabels, 0, 3, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeInclusiveOr, 32836, 182, 3, kBaseLabels, 0, 3, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeQuit, 32837, 183, 2, {"Input", "Limit", kBase}, 1, 2, {"Gain", "Limit", kBase}, kOnes,
     BlockKind::AlwaysComputed},
    {kTypeRelay, 32838, 184, 3, {"On", "Off", "Switch"}, 3, 1, {"Test", kBase, kBase}, kOnes,
     BlockKind::Algebraic},
    {kTypeZeroOrderHold, 32839, 185, 3, {"Sample", "Switch", "Limit"}, 2, 3,
     {"Initial Value", "Current Hold", "Limit"}, kOnes, BlockKind::AlwaysComputed},
    // Generator
    {kTypeGaussian, 32840, 186, 3, {"Mean", "Std. Dev.", "Switch"}, 0, 3,
     {"Mean", "Std. Dev.", "Seed"}, kOnes, BlockKind::AlwaysComputed},
    {kTypeJitter, 32841, 187, 3, {"Maximum Time", "Minimum Time", "Switch"}, 0, 3,
     {"Maximum Time", "Minimum Time", "Seed"}, kOnes, BlockKind::AlwaysComputed},
    {kTypeRandom, 32858, 188, 3, {"Lower Limit", "Upper Limit", "Switch"}, 0, 3,
     {"Lower Limit", "Upper Limit", "Seed"}, {0.0, 1.0, 1.0}, BlockKind::AlwaysComputed},
    {kTypeSineWaveGenerator, 32842, 189, 3, {"Frequency", "Phase Angle", "Switch"}, 0, 3,
     {"Frequency", "Phase Angle", "Delay"}, kOnes, BlockKind::AlwaysComputed},
    {kTypeTimePulseGenerator, 32843, 190, 3, {"Period", "Magnitude", "Switch"}, 0, 3,
     {"Period", "Magnitude", "Delay"}, kOnes, BlockKind::AlwaysComputed},
    {kTypeOneShot, 32859, 209, 3, {"Trigger", "Height", "Width"}, 1, 3,
     {"Delay", "Height", "Width"}, kOnes, BlockKind::AlwaysComputed},
    // Non-linear
    {kTypeAbsolute, 32844, 191, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeBackLash, 32845, 192, 3, {"Input", "Backlash", "Initial Value"}, 1, 3,
     {"Distribution", "Backlash", "Initial Value"}, kOnes, BlockKind::Algebraic},
    {kTypeBang, 32846, 193, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeDeadSpace, 32847, 194, 3, {"Input", "Upper Bound", "Lower Bound"}, 1, 3,
     {"Dead Zone Value", "Upper Bound", "Lower Bound"}, kOnes, BlockKind::Algebraic},
    {kTypeFunctionGenerator, 32848, 195, 3, {"Abscissa", "Upper bound", "Lower bound"}, 1, 3,
     {"Extrapolation", "Upper bound", "Lower bound"}, {1.0, 1.0, 0.0}, BlockKind::Algebraic},
    {kTypeInteger, 32849, 196, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeLimiter, 32850, 197, 3, {"Input", "Maximum", "Minimum"}, 1, 3,
     {"Gain", "Maximum", "Minimum"}, kOnes, BlockKind::Algebraic},
    {kTypeModulo, 32851, 198, 2, {"Input", "Divisor", kBase}, 1, 2, {"Gain", "Divisor", kBase},
     kOnes, BlockKind::Algebraic},
    {kTypeNegativeClip, 32852, 199, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    {kTypeOffset, 32853, 200, 1, kInput, 1, 1, {"Offset", kBase, kBase}, {0.0, 1.0, 1.0},
     BlockKind::Algebraic},
    {kTypePositiveClip, 32854, 201, 1, kInput, 1, 1, kBaseLabels, kOnes, BlockKind::Algebraic},
    // Miscellaneous
    {kTypeConstant, 32855, 202, 0, kBaseLabels, 0, 1, {"Value", kBase, kBase}, kOnes,
     BlockKind::Fixed},
    {kTypePi, 32856, 203, 0, kBaseLabels, 0, 1, kBaseLabels, kOnes, BlockKind::Fixed},
    // The Clock: created by the document, never from a command.
    {kTypeClock, 32793, 175, 0, kBaseLabels, 0, 3,
     {"Error Limit", "Output Interval", "Simulation Time"}, {1e-7, 0.1, 1.0}, BlockKind::State},
};

// The family whose classes implement a type: decides which maker builds it.
std::unique_ptr<CBlock> MakeFamilyBlock(const CatalogueEntry& row, IBlockChart* chart) {
    const int id = row.typeId;
    switch (id) {
        case kTypeClock:
            return std::make_unique<CClockBlock>(row.bitmapId, chart, row.commandId, id);
        case kTypeIntegrate:
        case kTypeDelay:
        case kTypeDecay:
        case kTypeBackLash:
        case kTypeZeroOrderHold:
        case kTypeOneShot:
            return MakeDynamicBlock(id, row.bitmapId, chart, row.commandId);
        case kTypeGaussian:
        case kTypeJitter:
        case kTypeRandom:
        case kTypeSineWaveGenerator:
        case kTypeTimePulseGenerator:
            return MakeGeneratorBlock(id, row.bitmapId, chart, row.commandId);
        case kTypeFunctionGenerator:
            return MakeFunctionGeneratorBlock(id, row.bitmapId, chart, row.commandId);
        default:
            return MakeStatelessBlock(id, row.bitmapId, chart, row.commandId);
    }
}

// Counts, kind, captions and defaults come from the row, whatever the class set before.
void ApplyRow(CBlock& block, const CatalogueEntry& row) {
    block.inputCount = row.inputCount;
    block.paramCount = row.paramCount;
    block.requiredInputs = row.requiredInputs;
    block.kind = row.kind;
    // A fixed block is computed once at run start, so its Initialize setting is always on.
    if (row.kind == BlockKind::Fixed) block.initFlag = true;
    for (int k = 1; k <= 3; ++k) {
        if (const char* caption = row.inputLabels[k - 1]) block.inputLabel[k] = caption;
        if (const char* caption = row.paramLabels[k - 1]) block.paramLabel[k] = caption;
        block.param[k] = row.paramDefaults[k - 1];
    }
}

}  // namespace

const std::vector<CatalogueEntry>& Catalogue() { return kRows; }

const CatalogueEntry* FindCatalogueEntry(int typeId) {
    for (const auto& row : kRows)
        if (row.typeId == typeId) return &row;
    return nullptr;
}

const CatalogueEntry* FindCatalogueEntryByCommand(int commandId) {
    for (const auto& row : kRows)
        if (row.commandId == commandId) return &row;
    return nullptr;
}

std::unique_ptr<CBlock> CreateCatalogueBlock(int typeId, IBlockChart* chart) {
    const CatalogueEntry* row = FindCatalogueEntry(typeId);
    if (!row) return nullptr;
    std::unique_ptr<CBlock> block = MakeFamilyBlock(*row, chart);
    if (block) ApplyRow(*block, *row);
    return block;
}

}  // namespace ondrel
