#include <gtest/gtest.h>

#include <vector>

#include "DynamicsTestSupport.h"
#include "core/blocks/FunctionGenerator.h"

namespace ondrel::test {
namespace {

class FunctionGeneratorTest : public DynamicsTest {
protected:
    FunctionGeneratorTest() {
        generator = Make<CFunctionGeneratorBlock>(kTypeFunctionGenerator);
        abscissa = &Connect(*generator, 1, 0.0);
        generator->SetOrdinates({0.0, 1.0, 0.0});
    }

    double At(double x) {
        abscissa->value = x;
        return ComputeAt(*generator, 0.0);
    }

    std::unique_ptr<CFunctionGeneratorBlock> generator;
    SourceBlock* abscissa = nullptr;
};

TEST_F(FunctionGeneratorTest, InterpolatesAndExtrapolatesTheTable) {
    // The natural spline through (0, 0), (0.5, 1), (1, 0) has slope 3 at the lower bound
    // and -3 at the upper bound.
    struct Case {
        double extrapolation;
        double x;
        double out;
    };
    const Case cases[] = {
        {1, 0.5, 1.0},  {1, 0.0, 0.0},   {1, 0.25, 0.6875}, {1, 1.0, 0.0},
        {0, 2.0, 0.0},  {1, 2.0, -3.0},  {0, -1.0, 0.0},    {1, -1.0, -3.0},
        {-2, 1.5, -1.5},
    };
    for (const Case& c : cases) {
        generator->param[1] = c.extrapolation;
        EXPECT_NEAR(At(c.x), c.out, 1e-12) << "x = " << c.x << ", p1 = " << c.extrapolation;
    }
    EXPECT_EQ(generator->PreparedPoints(), 3u);
    // The extrapolation joins the spline without a jump at the upper bound.
    generator->param[1] = 1.0;
    EXPECT_NEAR(At(1.0 - 1e-9), At(1.0 + 1e-9), 1e-8);
}

TEST_F(FunctionGeneratorTest, UnusableTablesAndBoundsGiveZero) {
    generator->SetOrdinates({2.0, 5.0});
    EXPECT_EQ(At(0.5), 0.0);
    EXPECT_EQ(generator->PreparedPoints(), 0u);

    generator->SetOrdinates({1.0, 2.0, 3.0});
    generator->param[2] = 0.0;  // upper = lower
    EXPECT_EQ(At(0.5), 0.0);
    generator->param[2] = -1.0;  // upper below lower
    EXPECT_EQ(At(-0.5), 0.0);
    // Bounds so close for their size that the points would not rise.
    generator->param[3] = 1e17;
    generator->param[2] = 1e17 + 16.0;
    generator->SetOrdinates(std::vector<double>(100, 1.0));
    EXPECT_EQ(At(1e17), 0.0);
    EXPECT_EQ(generator->PreparedPoints(), 0u);
}

TEST_F(FunctionGeneratorTest, ConnectedBoundsAreTakenWhenPreparing) {
    SourceBlock& upper = Connect(*generator, 2, 2.0);
    Connect(*generator, 3, 1.0);
    generator->Setup();
    EXPECT_NEAR(At(1.5), 1.0, 1e-12);
    EXPECT_EQ(generator->param[2], 2.0);
    EXPECT_EQ(generator->param[3], 1.0);
    // Later changes of the input wait for the next preparation.
    upper.value = 3.0;
    EXPECT_NEAR(At(1.5), 1.0, 1e-12);
    generator->Setup();  // a new run
    EXPECT_NEAR(At(2.0), 1.0, 1e-12);
}

TEST_F(FunctionGeneratorTest, ANewTableOrRunDiscardsThePreparedSpline) {
    EXPECT_NEAR(At(0.5), 1.0, 1e-12);
    generator->SetOrdinates({0.0, 4.0, 8.0, 12.0, 16.0});
    EXPECT_EQ(generator->PreparedPoints(), 0u);
    EXPECT_NEAR(At(0.5), 8.0, 1e-12);
    EXPECT_EQ(generator->PreparedPoints(), 5u);

    generator->param[2] = 2.0;  // the bounds change between runs
    generator->Setup();
    EXPECT_EQ(generator->PreparedPoints(), 0u);
    EXPECT_NEAR(At(1.0), 8.0, 1e-12);
}

}  // namespace
}  // namespace ondrel::test
