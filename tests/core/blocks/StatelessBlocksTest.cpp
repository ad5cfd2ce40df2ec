#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <numbers>
#include <optional>
#include <vector>

#include "core/blocks/BlockCatalogue.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/engine/RunState.h"
#include "core/model/CTarvekDoc.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

using Row = std::array<std::optional<double>, 3>;
constexpr std::nullopt_t kOpen = std::nullopt;  // input: unconnected; parameter: default

struct FormulaCase {
    const char* what;
    int typeId;
    Row inputs;  // source values of inputs 1..3
    Row params;  // overrides of parameters 1..3
    double expected;
};

class StatelessBlocksTest : public ::testing::Test {
protected:
    // A block of the type, its inputs fed by Constant blocks holding the given values.
    std::unique_ptr<CBlock> Make(int typeId, const Row& inputs, const Row& params) {
        std::unique_ptr<CBlock> block = CreateCatalogueBlock(typeId, &doc);
        EXPECT_NE(block, nullptr);
        if (!block) return block;
        block->run = &run;
        for (int k = 1; k <= 3; ++k) {
            if (params[k - 1]) block->param[k] = *params[k - 1];
            if (!inputs[k - 1]) continue;
            sources.push_back(CreateCatalogueBlock(kTypeConstant, &doc));
            sources.back()->value = *inputs[k - 1];
            block->input[k] = sources.back().get();
        }
        return block;
    }

    double Compute(int typeId, const Row& inputs, const Row& params = {}) {
        std::unique_ptr<CBlock> block = Make(typeId, inputs, params);
        if (!block) return std::nan("");
        block->Compute();
        return block->value;
    }

    // Every case computes one fresh block; a zero expectation must be exactly zero.
    void Check(const std::vector<FormulaCase>& cases) {
        for (const FormulaCase& c : cases) {
            const double got = Compute(c.typeId, c.inputs, c.params);
            if (c.expected == 0.0)
                EXPECT_EQ(got, 0.0) << c.what;
            else
                EXPECT_DOUBLE_EQ(got, c.expected) << c.what;
        }
    }

    test::RecordingPlatform platform;
    CTarvekDoc doc;
    RunState run{doc};  // the run the blocks made here see
    std::vector<std::unique_ptr<CBlock>> sources;
};

// The formula tables share the fixture under their own suite name.
using FormulaTest = StatelessBlocksTest;

TEST_F(FormulaTest, Arithmetic) {
    Check({
        {"Multiply, nothing connected", kTypeMultiply, {}, {}, 1.0},
        {"Multiply, inputs 1 and 3", kTypeMultiply, {2.0, kOpen, 4.0}, {3.0, 9.0, 0.5}, 12.0},
        {"Sum, nothing connected", kTypeSum, {}, {}, 0.0},
        {"Sum, inputs 1 and 3", kTypeSum, {2.0, kOpen, 4.0}, {3.0, 9.0, 0.5}, 8.0},
        {"Power of a negative base", kTypePower, {-4.0, 1.0}, {2.0, 1.0 / 3.0}, -2.0},
        {"Power", kTypePower, {2.0, 1.5}, {1.0, 2.0}, 8.0},
        {"Square Root of a negative", kTypeSquareRoot, {-4.0}, {}, -2.0},
        {"Square Root, scaled", kTypeSquareRoot, {4.5}, {2.0}, 3.0},
        {"Negate", kTypeNegate, {2.0}, {3.0}, -6.0},
        {"Gain", kTypeGain, {2.0}, {3.0}, 6.0},
        {"Divide", kTypeDivide, {6.0, 2.0}, {2.0, -3.0}, -2.0},
    });
}

TEST_F(FormulaTest, Transcendental) {
    const double pi = std::numbers::pi;
    Check({
        {"Sine", kTypeSine, {0.5}, {pi}, 1.0},
        {"Cosine", kTypeCosine, {1.0}, {pi}, -1.0},
        // Input 2 is scaled by its own gain: with gain 1 the angle would be atan2(2, -2).
        {"ArcTangent, both inputs", kTypeArcTangent, {1.0, 2.0}, {2.0, -1.0}, 3.0 * pi / 4.0},
        {"ArcTangent, input 2 open", kTypeArcTangent, {0.5}, {2.0, -7.0}, pi / 4.0},
        {"Log e", kTypeLogE, {std::numbers::e}, {}, 1.0},
        {"Log e of a negative", kTypeLogE, {-std::numbers::e}, {}, -1.0},
        {"Log e of 0", kTypeLogE, {0.0}, {}, 0.0},
        {"Log 10 of a negative", kTypeLog10, {-100.0}, {}, -2.0},
        {"Log 10 of 0", kTypeLog10, {5.0}, {0.0}, 0.0},
        {"Exponent", kTypeExponent, {0.5}, {2.0}, std::numbers::e},
        {"Decibel of a negative", kTypeDecibel, {-10.0}, {}, 20.0},
        {"Decibel of 0", kTypeDecibel, {0.0}, {}, 0.0},
        // Squaring 1e-200 would underflow to 0 and give minus infinity.
        {"Decibel of a tiny value", kTypeDecibel, {1e-200}, {}, -4000.0},
    });
}

TEST_F(FormulaTest, Logic) {
    Check({
        {"AND, nothing connected", kTypeAnd, {}, {}, 0.0},
        {"AND, inputs 1 and 3 true", kTypeAnd, {0.5, kOpen, 2.0}, {}, 1.0},
        {"AND, one false", kTypeAnd, {0.5, 0.0, 2.0}, {}, 0.0},
        {"AND, true only before scaling", kTypeAnd, {0.5, 2.0}, {1.0, -1.0}, 0.0},
        {"XOR, all three true", kTypeExclusiveOr, {1.0, 1.0, 1.0}, {}, 0.0},
        {"XOR, two true", kTypeExclusiveOr, {1.0, kOpen, 1.0}, {}, 0.0},
        {"XOR, exactly one true", kTypeExclusiveOr, {-1.0, 3.0, 0.0}, {}, 1.0},
        {"XOR, nothing connected", kTypeExclusiveOr, {}, {}, 0.0},
        {"IOR, nothing connected", kTypeInclusiveOr, {}, {}, 0.0},
        {"IOR, one true", kTypeInclusiveOr, {-1.0, kOpen, 0.1}, {}, 1.0},
        {"IOR, none true", kTypeInclusiveOr, {-1.0, 0.0, 2.0}, {1.0, 1.0, -1.0}, 0.0},
        {"Relay, Switch above Test", kTypeRelay, {5.0, 7.0, 2.5}, {2.0, 3.0, 3.0}, 5.0},
        {"Relay, Switch equal to Test", kTypeRelay, {5.0, 7.0, 2.0}, {2.0, 3.0, 3.0}, 7.0},
        {"Relay, Switch below Test", kTypeRelay, {5.0, 7.0, -1.0}, {2.0}, 7.0},
    });
}

TEST_F(FormulaTest, Shaping) {
    Check({
        {"Absolute", kTypeAbsolute, {-3.0}, {2.0}, 6.0},
        {"Bang, positive", kTypeBang, {0.2}, {3.0}, 1.0},
        {"Bang, zero", kTypeBang, {0.0}, {}, 0.0},
        {"Bang, negative after scaling", kTypeBang, {5.0}, {-0.1}, -1.0},
        {"Integer of a negative", kTypeInteger, {-2.7}, {}, -2.0},
        {"Integer, scaled", kTypeInteger, {1.4}, {2.0}, 2.0},
        {"Modulo of a negative", kTypeModulo, {-7.0}, {1.0, 3.0}, -1.0},
        {"Modulo by divisor 0", kTypeModulo, {-7.0}, {1.0, 0.0}, 0.0},
        {"Modulo, divisor from input 2", kTypeModulo, {4.0, 3.0}, {2.0, 100.0}, 2.0},
        {"Negative Clip, positive", kTypeNegativeClip, {2.0}, {}, 2.0},
        {"Negative Clip, negative", kTypeNegativeClip, {-2.0}, {}, 0.0},
        {"Positive Clip, negative", kTypePositiveClip, {-2.0}, {1.5}, -3.0},
        {"Positive Clip, positive", kTypePositiveClip, {2.0}, {}, 0.0},
        {"Offset, default", kTypeOffset, {2.0}, {}, 2.0},
        {"Offset", kTypeOffset, {2.0}, {1.5}, 3.5},
    });
}

TEST_F(FormulaTest, DeadSpace) {
    const Row bounds{0.5, 1.0, -1.0};  // dead-zone value, upper, lower
    Check({
        {"inside the zone", kTypeDeadSpace, {0.3}, bounds, 0.5},
        {"on the upper bound", kTypeDeadSpace, {1.0}, bounds, 0.5},
        {"above", kTypeDeadSpace, {3.0}, bounds, 2.5},
        {"below", kTypeDeadSpace, {-3.0}, bounds, -1.5},
        {"crossed bounds", kTypeDeadSpace, {0.3}, {0.5, 1.0, 2.0}, 0.8},
        {"bounds from inputs", kTypeDeadSpace, {3.0, 2.0, -2.0}, bounds, 1.5},
    });
}

TEST_F(FormulaTest, Limiter) {
    Check({
        {"clamped to Max", kTypeLimiter, {0.8}, {2.0, 1.0, -1.0}, 1.0},
        {"clamped to Min", kTypeLimiter, {-0.8}, {2.0, 1.0, -1.0}, -1.0},
        {"inside", kTypeLimiter, {0.2}, {2.0, 1.0, -1.0}, 0.4},
        {"Min above Max", kTypeLimiter, {0.8}, {2.0, -1.0, 1.0}, 1.6},
        {"Min equal to Max", kTypeLimiter, {0.8}, {2.0, 1.0, 1.0}, 1.6},
        {"Max from input 2", kTypeLimiter, {0.8, 0.5}, {2.0, 9.0, -1.0}, 0.5},
    });
}

TEST_F(StatelessBlocksTest, ConstantAndPiAreSetOnceAtRunStart) {
    std::unique_ptr<CBlock> constant = Make(kTypeConstant, {}, {2.5});
    std::unique_ptr<CBlock> pi = Make(kTypePi, {}, {2.0});
    EXPECT_EQ(constant->Setup(), 1);
    EXPECT_EQ(pi->Setup(), 1);
    EXPECT_EQ(constant->value, 2.5);
    EXPECT_EQ(pi->value, 2.0 * std::numbers::pi);
    constant->param[1] = 9.0;
    constant->Compute();
    pi->Compute();
    EXPECT_EQ(constant->value, 2.5);
    EXPECT_EQ(pi->value, 2.0 * std::numbers::pi);
}

TEST_F(StatelessBlocksTest, DivideByZeroStopsTheRunAndKeepsTheOutput) {
    struct Case {
        Row inputs;
        Row params;
    };
    // A zero denominator from the input and from its gain.
    for (const Case& c : {Case{{6.0, 0.0}, {}}, Case{{6.0, 2.0}, {1.0, 0.0}}}) {
        platform.messages.shown.clear();
        run.stopped = false;
        run.SetTime(0.25);
        std::unique_ptr<CBlock> divide = Make(kTypeDivide, c.inputs, c.params);
        divide->label = "Ratio";
        divide->value = 7.0;
        divide->Compute();
        const test::ShownMessage& message = platform.OnlyMessage();
        EXPECT_EQ(message.text, "Divide by zero in block Ratio at time 0.25");
        EXPECT_EQ(message.caption, "RunTime Error");
        EXPECT_EQ(message.buttons, MsgButtons::Ok);
        EXPECT_EQ(message.icon, MsgIcon::Error);
        EXPECT_TRUE(run.stopped);
        EXPECT_EQ(divide->value, 7.0);
    }
}

TEST_F(StatelessBlocksTest, DivideShowsTheTimeWithSixSignificantDigits) {
    run.SetTime(1.0 / 3.0);
    std::unique_ptr<CBlock> divide = Make(kTypeDivide, {1.0, 0.0}, {});
    divide->Compute();
    EXPECT_EQ(platform.OnlyMessage().text, "Divide by zero in block Divide at time 0.333333");
}

TEST_F(StatelessBlocksTest, QuitStopsOnlyBelowTheLimit) {
    struct Case {
        Row inputs;
        Row params;
        int stopped;
    };
    const Case cases[] = {
        {{0.5}, {1.0, 1.0}, 1},
        {{1.0}, {1.0, 1.0}, 0},
        {{1.5}, {1.0, 1.0}, 0},
        {{0.5}, {4.0, 1.0}, 0},       // scaled by the gain: 2.0
        {{1.5, 2.0}, {1.0, 0.0}, 1},  // the limit from input 2 replaces parameter 2
    };
    for (const Case& c : cases) {
        run.stopped = false;
        std::unique_ptr<CBlock> quit = Make(kTypeQuit, c.inputs, c.params);
        quit->value = 42.0;
        quit->Compute();
        EXPECT_EQ(run.stopped, c.stopped != 0) << *c.inputs[0];
        EXPECT_EQ(quit->value, 42.0);
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST_F(StatelessBlocksTest, UnconnectedRequiredInputsReadAsZero) {
    // Outside a run nothing guarantees the required inputs; a block must not crash then.
    for (int type : {kTypeDivide, kTypePower, kTypeRelay, kTypeDeadSpace, kTypeOffset, kTypeQuit}) {
        std::unique_ptr<CBlock> block = Make(type, {}, {});
        block->Compute();
    }
    EXPECT_EQ(Compute(kTypeOffset, {}, {1.5}), 1.5);
    EXPECT_EQ(Compute(kTypeRelay, {}, {-1.0}), 0.0);
}

}  // namespace
}  // namespace ondrel
