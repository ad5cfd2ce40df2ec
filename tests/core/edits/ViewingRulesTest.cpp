#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "core/model/edits/ViewingRules.h"
#include "core/model/views/ChartViewState.h"
#include "core/settings/DialogExchange.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

using namespace chart_controls;

int& IntAt(CSettingsGroup& group, int controlId) {
    return *group.FindValue<int>(controlId);
}

// The unbound copy a viewing properties dialog edits, from a view with the built-in look.
class ViewingRulesTest : public ::testing::Test {
protected:
    void SetUp() override { copy.AssignFrom(view.settings); }
    test::RecordingPlatform platform;
    ChartViewState view;
    CSettingsGroup copy;
};

struct TotalCase {
    int delta, width, total, lanes, expected;
    bool raised;
};

TEST_F(ViewingRulesTest, TotalsRiseToTheRoomTheLanesNeed) {
    const std::vector<TotalCase> cases = {
        {2, 3, 15, 5, 27, true},   // a line width of 3 with 5 lanes needs 2 + 5 x 5
        {2, 1, 15, 5, 17, true},
        {2, 1, 40, 5, 40, false},  // wider room is kept
        {2, 1, 17, 5, 17, false},  // exactly enough
        {1, 1, 0, 99, 199, true},
    };
    for (const TotalCase& c : cases) {
        IntAt(copy, kDeltaHoriz) = c.delta;
        IntAt(copy, kDeltaVert) = c.delta;
        IntAt(copy, kLineWidth) = c.width;
        IntAt(copy, kLinesX) = c.total;
        IntAt(copy, kLinesY) = c.total;
        EXPECT_EQ(RaiseHorizontalTotal(copy, c.lanes), c.raised);
        EXPECT_EQ(IntAt(copy, kLinesX), c.expected);
        EXPECT_EQ(RaiseVerticalTotal(copy, c.lanes), c.raised);
        EXPECT_EQ(IntAt(copy, kLinesY), c.expected);
    }
}

TEST_F(ViewingRulesTest, EachTotalUsesItsOwnSpacingAndLaneCount) {
    IntAt(copy, kDeltaHoriz) = 3;
    IntAt(copy, kDeltaVert) = 1;
    IntAt(copy, kLineWidth) = 1;
    IntAt(copy, kLinesX) = 0;
    IntAt(copy, kLinesY) = 0;
    RaiseHorizontalTotal(copy, 2);  // 3 + 4 x 2
    RaiseVerticalTotal(copy, 6);    // 1 + 2 x 6
    EXPECT_EQ(IntAt(copy, kLinesX), 11);
    EXPECT_EQ(IntAt(copy, kLinesY), 13);
}

TEST_F(ViewingRulesTest, SizingLockDoublesEverySizeWithTheMagnification) {
    *copy.FindValue<double>(kMagBmp) = 2.0;
    ASSERT_TRUE(RescaleWithMagnification(copy, 1.0));
    EXPECT_EQ(IntAt(copy, kLineWidth), 2);
    EXPECT_EQ(IntAt(copy, kDeltaVert), 4);
    EXPECT_EQ(IntAt(copy, kDeltaHoriz), 4);
    EXPECT_EQ(IntAt(copy, kLinesX), 30);
    EXPECT_EQ(IntAt(copy, kLinesY), 30);
    EXPECT_EQ(IntAt(copy, kHoldSiz), 4);
    // -13 is 10 points; 20 points is -27.
    for (int fontId : {kChartFont, kNotesFont})
        EXPECT_EQ(copy.FindValue<FontDescription>(fontId)->height, -27);
    // The view's own values are untouched: the copy is unbound.
    EXPECT_EQ(view.LinesX, 15);
}

TEST_F(ViewingRulesTest, RescaleNeedsTheLockAndARememberedMagnification) {
    *copy.FindValue<double>(kMagBmp) = 3.0;
    EXPECT_FALSE(RescaleWithMagnification(copy, kNoMagnification));
    EXPECT_FALSE(RescaleWithMagnification(copy, 0.0));
    *copy.FindValue<bool>(kSizeLock) = false;
    EXPECT_FALSE(RescaleWithMagnification(copy, 1.0));
    EXPECT_EQ(IntAt(copy, kLinesX), 15);
    EXPECT_EQ(IntAt(copy, kLineWidth), 1);
}

TEST(ViewingRulesArithmetic, SizesRoundHalfUpAndStayWithinInt) {
    EXPECT_EQ(ScaleSize(3, 1.5), 5);   // 4.5 rounds up
    EXPECT_EQ(ScaleSize(15, 0.5), 8);  // 7.5 rounds up
    EXPECT_EQ(ScaleSize(INT_MAX, 10.0), INT_MAX);
    EXPECT_EQ(ScaleFontHeight(-13, 1.0), -13);
    EXPECT_EQ(ScaleFontHeight(-16, 0.5), -8);  // 12 points -> 6 points
}

// Records what the length check asks of the dialog.
class FakeExchange : public IDialogExchange {
public:
    bool IsSaving() const override { return saving; }
    void ExchangeCheck(int, int&) override {}
    void ExchangeRadio(int, int&) override {}
    void ExchangeText(int, std::string& text) override {
        if (saving) text = typed; else typed = text;
    }
    void LimitText(int, int maxChars) override { limit = maxChars; }
    void Fail(int controlId, const std::string& message) override {
        failedControl = controlId;
        failMessage = message;
    }
    bool saving = true;
    std::string typed;
    int limit = 0;
    int failedControl = 0;
    std::string failMessage;
};

TEST(ViewTitleLimit, TwentyNineCharactersAreRefusedWithTheStandardMessage) {
    FakeExchange dx;
    std::string title = "old";
    dx.typed = std::string(29, 'x');
    EXPECT_FALSE(ExchangeLimitedText(dx, kTitle, title, kChartTitleMaxChars));
    EXPECT_EQ(title, "old");
    EXPECT_EQ(dx.failedControl, kTitle);
    EXPECT_EQ(dx.failMessage, "Please enter no more than 28 characters.");

    dx.typed = std::string(27, 'x') + "\xC3\xA9";  // 28 characters, 29 bytes
    EXPECT_TRUE(ExchangeLimitedText(dx, kTitle, title, kChartTitleMaxChars));
    EXPECT_EQ(title, dx.typed);

    dx.saving = false;
    title = "shown";
    EXPECT_TRUE(ExchangeLimitedText(dx, kTitle, title, kChartTitleMaxChars));
    EXPECT_EQ(dx.typed, "shown");
    EXPECT_EQ(dx.limit, kChartTitleMaxChars);
}

}  // namespace
}  // namespace ondrel
