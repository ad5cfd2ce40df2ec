#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>

#include "FixedWidthMeasurer.h"
#include "ViewTestSupport.h"
#include "core/model/views/GraphLabels.h"
#include "core/model/views/GraphLayout.h"
#include "core/model/views/GraphScale.h"

namespace ondrel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(GraphScale, TheWorkedExamplesGiveTheirLimitsDivisionsAndLabels) {
    struct Case {
        std::vector<double> samples;
        double low, high;
        int divisions, exponent, decimals;
        const char* pattern;
        const char *first, *second, *last, *legend;
    };
    const Case cases[] = {
        {{0.0, 4.0, 9.5}, 0, 10, 10, 1, 1, "%4.01f", " 0.0", " 0.1", " 1.0", "v  E +1"},
        {{0.0, 3.0}, 0, 3, 12, 0, 2, "%5.02f", " 0.00", " 0.25", " 3.00", "v  E +0"},
        {{0.0, 10.5}, 0, 20, 10, 1, 1, "%4.01f", " 0.0", " 0.2", " 2.0", "v  E +1"},
        {{-0.4, 10.2}, -10, 20, 12, 1, 2, "%5.02f", "-1.00", "-0.75", " 2.00", "v  E +1"},
        {{5.0, 5.0, 5.0}, 5, 6, 10, 0, 1, "%4.01f", " 5.0", " 5.1", " 6.0", "v  E +0"},
        {{-3.0, -1.0}, -3, -1, 10, 0, 1, "%4.01f", "-3.0", "-2.8", "-1.0", "v  E +0"},
        {{0.0, 0.0007}, 0, 0.0007, 7, -4, 0, "%2.00f", " 0", " 1", " 7", "v  E -4"},
        // 0.9 - 0.2 is 6.999... units of 0.1 in doubles: still 7 divisions.
        {{0.3, 0.9}, 0.2, 0.9, 7, -1, 0, "%2.00f", " 2", " 3", " 9", "v  E -1"},
    };
    test::ViewTestDoc doc;
    CBlock* block = doc.Add("v", {1, 1});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        block->history = c.samples;
        const SampleLimits found = FindSampleLimits(*block, static_cast<std::int64_t>(c.samples.size()));
        const GraphSlotScale s = ScaleFromLimits(found.low, found.high);
        EXPECT_DOUBLE_EQ(s.low, c.low);
        EXPECT_DOUBLE_EQ(s.high, c.high);
        EXPECT_EQ(s.divisions, c.divisions);
        EXPECT_EQ(s.exponent, c.exponent);
        EXPECT_EQ(s.decimals, c.decimals);
        EXPECT_EQ(TickLabelPattern(s.decimals), c.pattern);
        EXPECT_EQ(TickLabelText(TickValue(s, 0, s.divisions), s), c.first);
        EXPECT_EQ(TickLabelText(TickValue(s, 1, s.divisions), s), c.second);
        EXPECT_EQ(TickLabelText(TickValue(s, s.divisions, s.divisions), s), c.last);
        EXPECT_EQ(LegendText("v", s.exponent), c.legend);
    }
    // The field width loses its first digit from ten on: decimals 7 and 8 give widths 10, 11.
    EXPECT_EQ(TickLabelPattern(7), "%0.07f");
    EXPECT_EQ(TickLabelPattern(8), "%1.08f");
    EXPECT_EQ(LabelSizeSample(0), "+X");
    EXPECT_EQ(LabelSizeSample(3), "+X.XXX");
}

TEST(GraphScale, EveryLocationRulePlacesEachCurve) {
    struct Case {
        const char* name;
        bool shown[3];
        int locn[3];
        int divisions[3];
        int codes[3];
        int left, right;
        int drawnDivisions[3];
    };
    const Case cases[] = {
        {"1 left", {1, 0, 0}, {0, 0, 0}, {10, 0, 0}, {1, 0, 0}, 10, 0, {10, 0, 0}},
        {"1 right", {1, 0, 0}, {1, 0, 0}, {10, 0, 0}, {-1, 0, 0}, 0, 10, {10, 0, 0}},
        {"1 unknown locn is left", {1, 0, 0}, {7, 0, 0}, {8, 0, 0}, {1, 0, 0}, 8, 0, {8, 0, 0}},
        {"2 best fit, same", {1, 1, 0}, {0, 0, 0}, {10, 10, 0}, {1, 2, 0}, 10, 0, {10, 10, 0}},
        {"2 best fit, other", {1, 1, 0}, {0, 0, 0}, {10, 12, 0}, {1, -1, 0}, 10, 12, {10, 12, 0}},
        {"2 with 1", {1, 1, 0}, {1, 1, 0}, {10, 12, 0}, {-1, -2, 0}, 0, 10, {10, 10, 0}},
        {"2 opposite 1", {1, 1, 0}, {1, 2, 0}, {10, 10, 0}, {-1, 1, 0}, 10, 10, {10, 10, 0}},
        {"3 best fit with 1", {1, 1, 1}, {0, 1, 0}, {10, 12, 10}, {1, 2, 2}, 10, 0, {10, 10, 10}},
        {"3 best fit with 2", {1, 1, 1}, {0, 0, 0}, {10, 12, 12}, {1, -1, -2}, 10, 12, {10, 12, 12}},
        {"3 best fit, right free", {1, 1, 1}, {0, 0, 0}, {10, 10, 8}, {1, 2, -1}, 10, 8, {10, 10, 8}},
        {"3 best fit, left free", {1, 1, 1}, {1, 1, 0}, {10, 10, 8}, {-1, -2, 1}, 8, 10, {10, 10, 8}},
        {"3 best fit, both taken", {1, 1, 1}, {0, 0, 0}, {10, 12, 8}, {1, -1, 2}, 10, 12, {10, 12, 10}},
        {"3 best fit, both taken, 1 right", {1, 1, 1}, {1, 0, 0}, {10, 12, 8}, {-1, 1, 2}, 12, 10, {10, 12, 12}},
        {"3 with 1", {1, 1, 1}, {0, 0, 1}, {10, 12, 8}, {1, -1, 2}, 10, 12, {10, 12, 10}},
        {"3 with 2, 2 opposite", {1, 1, 1}, {0, 2, 2}, {10, 12, 8}, {1, -1, -2}, 10, 12, {10, 12, 12}},
        {"3 with 2, 2 with 1", {1, 1, 1}, {0, 1, 2}, {10, 12, 8}, {1, 2, 3}, 10, 0, {10, 10, 10}},
        {"3 with 1, 1 and 2 right", {1, 1, 1}, {1, 1, 1}, {10, 12, 8}, {-1, -2, -2}, 0, 10, {10, 10, 10}},
        {"1 empty: 2 takes a free side", {0, 1, 1}, {0, 2, 1}, {0, 12, 8}, {0, 1, -1}, 12, 8, {0, 12, 8}},
        {"1 and 2 empty: 3 goes left", {0, 0, 1}, {0, 0, 2}, {0, 0, 8}, {0, 0, 1}, 8, 0, {0, 0, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphViewState state;
        GraphScale scale;
        scale.slots[0].shown = true;
        scale.slots[0].divisions = 9;
        for (int k = 1; k <= 3; ++k) {
            state.axisSlots[k].Locn = c.locn[k - 1];
            scale.slots[k].shown = c.shown[k - 1];
            scale.slots[k].divisions = c.divisions[k - 1];
        }
        AssignSides(state, scale);
        EXPECT_EQ(scale.xDivisions, 9);
        EXPECT_EQ(scale.leftDivisions, c.left);
        EXPECT_EQ(scale.rightDivisions, c.right);
        for (int k = 1; k <= 3; ++k) {
            EXPECT_EQ(scale.slots[k].sideCode, c.codes[k - 1]) << "curve " << k;
            EXPECT_EQ(scale.slots[k].divisions, c.drawnDivisions[k - 1]) << "curve " << k;
        }
    }
}

TEST(GraphScale, DegenerateLimitsStillGiveADrawableScale) {
    const double denormal = std::numeric_limits<double>::denorm_min();
    const std::pair<double, double> cases[] = {
        {kNaN, kNaN},       {-kInf, kInf},        {kInf, kInf},        {1e308, -1e308},
        {-DBL_MAX, DBL_MAX}, {1.7e308, 1.7e308},  {-1.7e308, -1.7e308}, {0.0, denormal},
        {1e-310, 3e-310},   {1.0, 1.0 + DBL_EPSILON}, {1e20, 1e20},     {1e20, 1e20 + 16384.0},
        {5.0, 5.0},         {10.0, 2.0},          {0.0, 0.0},          {-1e-300, 1e-300},
    };
    for (const auto& [low, high] : cases) {
        SCOPED_TRACE(testing::Message() << low << " .. " << high);
        const GraphSlotScale s = ScaleFromLimits(low, high);
        ASSERT_TRUE(std::isfinite(s.low) && std::isfinite(s.high));
        ASSERT_LT(s.low, s.high);
        EXPECT_TRUE(std::isfinite(s.high - s.low));
        EXPECT_GE(s.divisions, 7);
        EXPECT_LE(s.divisions, 12);
        EXPECT_GE(s.decimals, 0);
        EXPECT_LE(s.decimals, 20);
        const double power = PowerOfTen(s.exponent);
        EXPECT_TRUE(std::isnormal(power));
        double previous = -kInf;
        for (int k = 0; k <= s.divisions; ++k) {
            const double tick = TickValue(s, k, s.divisions);
            EXPECT_GT(tick, previous) << "tick " << k;
            previous = tick;
            const std::string label = TickLabelText(tick, s);
            EXPECT_EQ(label.find_first_of("ni"), std::string::npos) << label;
            EXPECT_LE(label.size(), 26u) << label;
        }
    }
    // Reversed limits are drawn as if given in order.
    const GraphSlotScale reversed = ScaleFromLimits(10.0, 2.0);
    EXPECT_EQ(reversed.low, 2.0);
    EXPECT_EQ(reversed.high, 10.0);
}

class GraphRescaleTest : public ::testing::Test {
protected:
    void SetUp() override {
        clock = doc.Clock();
        a = doc.Add("A", {1, 1});
        b = doc.Add("B", {2, 1});
        clock->history = {0.0, 0.5, 1.0, 1.5};
        state.CompleteDefaults(doc.doc);
        state.axisSlots[1].block.Set(a);
        state.curveCount = 1;
    }
    void Rescale() { RescaleGraph(state, ViewSampleCount(doc.doc), scale); }

    test::ViewTestDoc doc;
    CBlock *clock, *a, *b;
    GraphViewState state;
    GraphScale scale;
};

TEST_F(GraphRescaleTest, WritesTheLimitsOfEveryShownSlotAndLeavesOthersAlone) {
    a->history = {kNaN, 2.0, kInf, -0.4};  // the non-finite ones are left out
    state.curveCount = 3;
    state.axisSlots[2].High = 42.0;  // curve 2's reference found no block
    state.axisSlots[3].block.Set(b);
    b->history = {kNaN, -kInf, kNaN, kNaN};  // no finite sample: a constant 0
    Rescale();
    EXPECT_EQ(state.axisSlots[0].Low, 0.0);
    EXPECT_EQ(state.axisSlots[0].High, 2.0);
    EXPECT_EQ(state.axisSlots[1].Low, -1.0);
    EXPECT_EQ(state.axisSlots[1].High, 2.0);
    EXPECT_FALSE(scale.slots[2].shown);
    EXPECT_EQ(state.axisSlots[2].High, 42.0);
    EXPECT_EQ(scale.slots[2].sideCode, 0);
    EXPECT_EQ(state.axisSlots[3].Low, 0.0);
    EXPECT_EQ(state.axisSlots[3].High, 1.0);
    EXPECT_EQ(scale.xDivisions, 10);

    // A history shorter than the Clock's reads 0 beyond its end.
    state.curveCount = 1;
    a->history = {3.0, 4.0};
    Rescale();
    EXPECT_EQ(state.axisSlots[1].Low, 0.0);
    EXPECT_EQ(state.axisSlots[1].High, 4.0);
}

TEST_F(GraphRescaleTest, FixedLimitsAreRoundedOutwardUnlessTheyCannotBeUsed) {
    struct Case {
        double low, high;
        double storedLow, storedHigh;  // after the rescale
        double drawnLow, drawnHigh;
    };
    const Case cases[] = {
        {0.3, 9.2, 0.0, 10.0, 0.0, 10.0},
        {5.0, 5.0, 5.0, 6.0, 5.0, 6.0},          // like a constant signal
        {8.0, 2.0, 8.0, 2.0, 2.0, 8.0},          // the user's values stay, drawn swapped
        {kNaN, 3.0, kNaN, 3.0, 0.0, 3.0},
        {-kInf, kInf, -kInf, kInf, -1e307, 1e307},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.low << " .. " << c.high);
        state.axisSlots[1].Fixed = 1;
        state.axisSlots[1].Low = c.low;
        state.axisSlots[1].High = c.high;
        Rescale();
        EXPECT_EQ(std::isnan(state.axisSlots[1].Low), std::isnan(c.storedLow));
        if (!std::isnan(c.storedLow)) {
            EXPECT_EQ(state.axisSlots[1].Low, c.storedLow);
        }
        EXPECT_EQ(state.axisSlots[1].High, c.storedHigh);
        EXPECT_DOUBLE_EQ(scale.slots[1].low, c.drawnLow);
        EXPECT_DOUBLE_EQ(scale.slots[1].high, c.drawnHigh);
    }
    // Without two samples the stored limits of an automatic slot are rounded, not searched.
    clock->history = {7.0};
    state.axisSlots[0].Low = 1.0;
    state.axisSlots[0].High = 1.0;
    Rescale();
    EXPECT_EQ(state.axisSlots[0].Low, 1.0);
    EXPECT_EQ(state.axisSlots[0].High, 2.0);
}

TEST_F(GraphRescaleTest, LabelSizesTicksAndMarginsFollowTheFonts) {
    a->history = {0.0, 1.0, 2.0, 3.0};  // decimals 2: "+X.XX"
    state.curveCount = 2;
    state.axisSlots[2].block.Set(b);
    state.axisSlots[2].Locn = 2;  // opposite curve 1
    b->history = {0.0, 9.5, 1.0, 1.0};  // decimals 1: "+X.X"
    state.LegendsFont.height = -20;
    state.LabelsFont.height = 10;
    state.notes = std::string(150, 'n');
    state.DisplayNotes = 1;
    Rescale();
    test::FixedWidthMeasurer measurer;
    MeasureGraphLabels(state, measurer, scale);
    EXPECT_EQ(scale.tickLength, 20);
    EXPECT_EQ(scale.gap, 6);
    EXPECT_EQ(scale.slots[1].labelSize, (TextExtent{30, 10}));
    EXPECT_EQ(scale.slots[2].labelSize, (TextExtent{24, 10}));

    const GraphLayout layout = LayoutGraph(state, scale, measurer, 600, 400);  // notes: 2 lines of 13
    EXPECT_EQ(layout.marginLeft, 6 + 6 + 30);
    EXPECT_EQ(layout.marginRight, 6 + 6 + 24);
    EXPECT_EQ(layout.marginBottom, 6 + 15 + 12 + 20);
    EXPECT_EQ(layout.marginTop, 18 + 26);
    EXPECT_EQ(layout.Plot(), (GraphRect{42, 44, 564, 347}));
    EXPECT_EQ(layout.labelColumnLeft[1], 42 - 12 - 30);
    EXPECT_EQ(layout.labelColumnLeft[2], 564 + 12);
    EXPECT_EQ(layout.XTick(5, 10), 42 + 261);
    EXPECT_EQ(layout.YTick(1, 3), 347 - 101);
    EXPECT_EQ(layout.LegendBox(2, 2, 20, 6), (GraphRect{400, 374, 600, 394}));
    const GraphLayout page = ResizeGraphLayout(layout, scale, 1000, 700);
    EXPECT_EQ(page.Plot(), (GraphRect{42, 44, 964, 647}));
    EXPECT_EQ(page.labelColumnLeft[2], 964 + 12);
    state.DisplayNotes = 0;
    EXPECT_EQ(LayoutGraph(state, scale, measurer, 600, 400).marginTop, 18);

    // A font height no int can negate gives a bounded tick, not an overflow.
    state.LegendsFont.height = std::numeric_limits<std::int32_t>::min();
    MeasureGraphLabels(state, measurer, scale);
    EXPECT_EQ(scale.tickLength, 1000);
}

}  // namespace
}  // namespace ondrel
