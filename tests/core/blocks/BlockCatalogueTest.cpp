#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "core/blocks/BlockCatalogue.h"
#include "core/model/CTarvekDoc.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

// The expected rows, written out in full (base captions spelled, every default given) and in
// toolbar order, so that they check the catalogue's data rather than restate it.
struct ExpectedRow {
    int typeId;
    const char* name;
    int commandId;
    int bitmapId;
    int inputCount;
    std::array<const char*, 3> inputs;
    int required;
    int paramCount;
    std::array<const char*, 3> params;
    std::array<double, 3> defaults;
    int kind;
};

#define IN123 {"Input 1", "Input 2", "Input 3"}
#define GAIN123 {"Gain 1", "Gain 2", "Gain 3"}
#define INPUT {"Input", "Input 2", "Input 3"}
constexpr std::array<double, 3> kOnes{1.0, 1.0, 1.0};

const ExpectedRow kExpected[] = {
    {61591, "Multiply", 32796, 144, 3, IN123, 0, 3, GAIN123, kOnes, 0},
    {61590, "Divide", 32797, 149, 2, {"Numerator", "Denominator", "Input 3"}, 2, 2, GAIN123, kOnes, 0},
    {61593, "Power", 32798, 150, 2, {"Base", "Exponent", "Input 3"}, 2, 2, GAIN123, kOnes, 0},
    {61594, "Square Root", 32799, 138, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61595, "Sum", 32801, 151, 3, IN123, 0, 3, GAIN123, kOnes, 0},
    {61592, "Negate", 32802, 152, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61631, "Gain", 32800, 257, 1, INPUT, 1, 1, {"Gain", "Gain 2", "Gain 3"}, kOnes, 0},
    {61588, "Integrate", 32792, 165, 2, {"Input", "Initial Value", "Input 3"}, 1, 2,
     {"Gain", "Initial Value", "Gain 3"}, {1.0, 0.0, 1.0}, 1},
    {61587, "Delay", 32794, 166, 3, {"Input", "Delay", "Initial Value"}, 1, 3,
     {"Gain", "Delay", "Initial Value"}, kOnes, 0},
    {61586, "Decay", 32795, 167, 3, {"Asymptote", "Approach Rate", "Initial Value"}, 0, 3,
     {"Asymptote", "Approach Rate", "Initial Value"}, {1.0, 1.0, 0.0}, 0},
    {61602, "Sine", 32819, 168, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61597, "Cosine", 32818, 169, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61596, "ArcTangent", 32822, 170, 2, {"Input 1 (X)", "Input 2 (Y)", "Input 3"}, 1, 2, GAIN123,
     kOnes, 0},
    {61601, "Log e", 32821, 171, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61600, "Log 10", 32820, 172, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61599, "Exponent", 32823, 173, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61598, "Decibel", 32824, 174, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61603, "AND", 32834, 180, 3, IN123, 0, 3, GAIN123, kOnes, 0},
    {61604, "Exclusive OR", 32835, 181, 3, IN123, 0, 3, GAIN123, kOnes, 0},
    {61605, "Inclusive OR", 32836, 182, 3, IN123, 0, 3, GAIN123, kOnes, 0},
    {61606, "Quit", 32837, 183, 2, {"Input", "Limit", "Input 3"}, 1, 2, {"Gain", "Limit", "Gain 3"},
     kOnes, 4},
    {61607, "Relay", 32838, 184, 3, {"On", "Off", "Switch"}, 3, 1, {"Test", "Gain 2", "Gain 3"},
     kOnes, 0},
    {61608, "Zero Order Hold", 32839, 185, 3, {"Sample", "Switch", "Limit"}, 2, 3,
     {"Initial Value", "Current Hold", "Limit"}, kOnes, 4},
    {61609, "Gaussian", 32840, 186, 3, {"Mean", "Std. Dev.", "Switch"}, 0, 3,
     {"Mean", "Std. Dev.", "Seed"}, kOnes, 4},
    {61610, "Jitter", 32841, 187, 3, {"Maximum Time", "Minimum Time", "Switch"}, 0, 3,
     {"Maximum Time", "Minimum Time", "Seed"}, kOnes, 4},
    {61630, "Random", 32858, 188, 3, {"Lower Limit", "Upper Limit", "Switch"}, 0, 3,
     {"Lower Limit", "Upper Limit", "Seed"}, {0.0, 1.0, 1.0}, 4},
    {61611, "Sine Wave Generator", 32842, 189, 3, {"Frequency", "Phase Angle", "Switch"}, 0, 3,
     {"Frequency", "Phase Angle", "Delay"}, kOnes, 4},
    {61612, "Time Pulse Generator", 32843, 190, 3, {"Period", "Magnitude", "Switch"}, 0, 3,
     {"Period", "Magnitude", "Delay"}, kOnes, 4},
    {61628, "One Shot", 32859, 209, 3, {"Trigger", "Height", "Width"}, 1, 3,
     {"Delay", "Height", "Width"}, kOnes, 4},
    {61613, "Absolute", 32844, 191, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61614, "Back Lash", 32845, 192, 3, {"Input", "Backlash", "Initial Value"}, 1, 3,
     {"Distribution", "Backlash", "Initial Value"}, kOnes, 0},
    {61615, "Bang", 32846, 193, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61616, "Dead Space", 32847, 194, 3, {"Input", "Upper Bound", "Lower Bound"}, 1, 3,
     {"Dead Zone Value", "Upper Bound", "Lower Bound"}, kOnes, 0},
    {61617, "Function Generator", 32848, 195, 3, {"Abscissa", "Upper bound", "Lower bound"}, 1, 3,
     {"Extrapolation", "Upper bound", "Lower bound"}, {1.0, 1.0, 0.0}, 0},
    {61618, "Integer", 32849, 196, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61619, "Limiter", 32850, 197, 3, {"Input", "Maximum", "Minimum"}, 1, 3,
     {"Gain", "Maximum", "Minimum"}, kOnes, 0},
    {61620, "Modulo", 32851, 198, 2, {"Input", "Divisor", "Input 3"}, 1, 2,
     {"Gain", "Divisor", "Gain 3"}, kOnes, 0},
    {61621, "Negative Clip", 32852, 199, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61623, "Offset", 32853, 200, 1, INPUT, 1, 1, {"Offset", "Gain 2", "Gain 3"}, {0.0, 1.0, 1.0}, 0},
    {61624, "Positive Clip", 32854, 201, 1, INPUT, 1, 1, GAIN123, kOnes, 0},
    {61625, "Constant", 32855, 202, 0, IN123, 0, 1, {"Value", "Gain 2", "Gain 3"}, kOnes, 2},
    {61626, "Pi", 32856, 203, 0, IN123, 0, 1, GAIN123, kOnes, 2},
    {61589, "Clock", 32793, 175, 0, IN123, 0, 3, {"Error Limit", "Output Interval", "Simulation Time"},
     {1e-7, 0.1, 1.0}, 1},
};

#undef IN123
#undef GAIN123
#undef INPUT

class BlockCatalogueTest : public ::testing::Test {
protected:
    test::RecordingPlatform platform;
    CTarvekDoc doc;
};

TEST_F(BlockCatalogueTest, RowsAreTheTypesInToolbarOrder) {
    const auto& rows = Catalogue();
    ASSERT_EQ(rows.size(), std::size(kExpected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ExpectedRow& want = kExpected[i];
        const CatalogueEntry& row = rows[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(row.typeId, want.typeId);
        EXPECT_EQ(row.commandId, want.commandId);
        EXPECT_EQ(row.bitmapId, want.bitmapId);
        EXPECT_EQ(FindCatalogueEntry(want.typeId), &row);
        EXPECT_EQ(FindCatalogueEntryByCommand(want.commandId), &row);
    }
}

void ExpectBlockMatches(const CBlock& block, const ExpectedRow& want) {
    EXPECT_EQ(block.typeId, want.typeId);
    EXPECT_EQ(block.typeName, want.name);
    EXPECT_EQ(block.label, want.name);
    EXPECT_EQ(block.commandId, want.commandId);
    EXPECT_EQ(block.helpId, want.commandId + 0x10000);
    EXPECT_EQ(block.bitmapId, want.bitmapId);
    EXPECT_EQ(block.inputCount, want.inputCount);
    EXPECT_EQ(block.requiredInputs, want.required);
    EXPECT_EQ(block.paramCount, want.paramCount);
    EXPECT_EQ(static_cast<int>(block.kind), want.kind);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(block.inputLabel[k], want.inputs[k - 1]) << "input " << k;
        EXPECT_EQ(block.paramLabel[k], want.params[k - 1]) << "param " << k;
        EXPECT_EQ(block.param[k], want.defaults[k - 1]) << "param " << k;
        EXPECT_EQ(block.input[k], nullptr);
    }
    const bool fixed = want.typeId == 61625 || want.typeId == 61626;
    EXPECT_EQ(block.initFlag, fixed ? 1 : 0);
    EXPECT_EQ(block.showsValue, want.typeId == 61606 ? 0 : 1);
    EXPECT_EQ(block.value, 0.0);
}

TEST_F(BlockCatalogueTest, FactoryAppliesEveryRow) {
    for (const ExpectedRow& want : kExpected) {
        SCOPED_TRACE(want.name);
        std::unique_ptr<CBlock> block = CreateCatalogueBlock(want.typeId, &doc);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(block->chart, &doc);
        ExpectBlockMatches(*block, want);
    }
}

TEST_F(BlockCatalogueTest, IdsWithoutABlockTypeYieldNothing) {
    for (int id : {61627, 61622, 61629, 61585, 61632, 0, -1, 32796})
        EXPECT_EQ(CreateCatalogueBlock(id, &doc), nullptr) << id;
    EXPECT_EQ(FindCatalogueEntry(61627), nullptr);
    // The Miscellaneous toolbar's third button has no block behind it.
    EXPECT_EQ(FindCatalogueEntryByCommand(32857), nullptr);
    EXPECT_EQ(FindCatalogueEntryByCommand(61591), nullptr);
}

TEST_F(BlockCatalogueTest, FactoryWorksWithoutADocument) {
    std::unique_ptr<CBlock> block = CreateCatalogueBlock(61595, nullptr);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->chart, nullptr);
    EXPECT_EQ(block->inputCount, 3);
}

}  // namespace
}  // namespace ondrel
