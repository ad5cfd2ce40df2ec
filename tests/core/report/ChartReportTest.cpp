#include <cmath>
#include <functional>
#include <limits>

#include "ReportTestChart.h"
#include "core/blocks/BlockToolbars.h"
#include "core/model/views/StateOnlyViewHost.h"

namespace ondrel::test {
namespace {

// A ramp: Slope (a Constant, an initialisation block) feeds Position (Integrate), whose second
// input stays open; the Clock's outputs never appear.
TEST_F(ReportTestChart, WholeReportOfARamp) {
    CBlock* slope = Add(kTypeConstant, "Slope", 1);
    slope->param[1] = 2.0;
    slope->value = 2.0;
    slope->notes = "from the lab";
    CBlock* position = Add(kTypeIntegrate, "Position", 2);
    doc.ConnectInput(position, 1, slope);
    position->history = {0.0, 0.2, 0.4};
    position->value = 9.0;  // not shown: the snapshot sample is
    CBlock* pi = Add(kTypePi, "Pi", 3);
    pi->paramCount = 0;  // a block without rows: its block line alone
    pi->value = 3.0;
    doc.snapshotIndex = 2;
    view.InfoOutConnections = 1;
    view.InfoNotes = 1;

    EXPECT_EQ(Report(),
              "Chart1\t12/08/26\r\n\r\n"
              "\r\nClock\tClock\t 0.000e+000\tNormal\r\n"
              " Error Limit\t 1.000e-007\r\n"
              " Output Interva\t 1.000e-001\r\n"
              " Simulation Tim\t 1.000e+000\r\n"
              "\r\nPi\tPi\t 3.000e+000\tInitialize\r\n"
              "\r\nPosition\tIntegrate\t 4.000e-001\tNormal\r\n"
              " Input\tSlope\tConstant\t 2.000e+000\r\n"
              " Initial Value\t\r\n"
              " Gain\t 1.000e+000\r\n"
              " Initial Value\t 0.000e+000\r\n"
              "\r\nSlope\tConstant\t 2.000e+000\tInitialize\r\n"
              " Value\t 2.000e+000\r\n"
              "  Position\tIntegrate\tInput1\t 4.000e-001\r\n"
              "from the lab\r\n");
}

TEST_F(ReportTestChart, TitleLineAndViewNotes) {
    struct Case {
        std::string modelTitle, viewTitle, notes;
        int notesDisplay;
        std::string head;
    } cases[] = {
        {"", "", "", 0, "Chart1\t12/08/26\r\n\r\n\r\nClock"},
        {"", "Levels", "", 0, "Chart1 : Levels\t12/08/26\r\n\r\n\r\nClock"},
        {"Tank", "Levels", "", 0, "Tank : Levels\t12/08/26\r\n\r\n\r\nClock"},
        {"", "", "Run 4\r\nwarm", 1, "Chart1\t12/08/26\r\n\r\nRun 4\r\nwarm\r\n\r\nClock"},
        {"", "", "Run 4", 0, "Chart1\t12/08/26\r\n\r\n\r\nClock"},
        {"", "", "", 1, "Chart1\t12/08/26\r\n\r\n\r\nClock"},
    };
    for (const Case& c : cases) {
        doc.title = c.modelTitle;
        view.title = c.viewTitle;
        view.notes = c.notes;
        view.NotesDisplay = c.notesDisplay;
        EXPECT_EQ(Report().substr(0, c.head.size()), c.head) << c.viewTitle << '|' << c.notes;
    }
    // The date is the one given, two digits each.
    doc.title = "Tank";
    view.ChooseEverything(doc);
    EXPECT_EQ(ChartReportText(view, doc, {2031, 3, 5}).substr(0, 17), "Tank\t03/05/31\r\n\r\n");
    platform.clock.date = {2027, 1, 2};
    EXPECT_EQ(ChartReportText(view, doc).substr(0, 17), "Tank\t01/02/27\r\n\r\n");
}

// Slope (Constant, notes) -> Position (Integrate) -> Wave (Sine); Spare and a second "Wave"
// are Gains that nothing feeds and that feed nothing.
class ReportFilterTest : public ReportTestChart {
protected:
    void SetUp() override {
        ReportTestChart::SetUp();
        view.SortBlocks = 0;
        slope = Add(kTypeConstant, "Slope", 1);
        slope->notes = "n";
        position = Add(kTypeIntegrate, "Position", 2);
        wave = Add(kTypeSine, "Wave", 3);
        Add(kTypeGain, "Spare", 4);
        Add(kTypeGain, "Wave", 5);
        doc.ConnectInput(position, 1, slope);
        doc.ConnectInput(wave, 1, position);
    }
    CBlock* slope = nullptr;
    CBlock* position = nullptr;
    CBlock* wave = nullptr;
};

TEST_F(ReportFilterTest, EveryFilterKind) {
    using Names = std::vector<std::string>;
    const BlockToolbar* time = FindBlockToolbar(32804);
    const BlockToolbar* misc = FindBlockToolbar(32810);
    struct Case {
        const char* what;
        std::function<void(TextViewState&)> set;
        Names expected;
    } cases[] = {
        {"all", [](TextViewState&) {}, {"Clock", "Slope", "Position", "Wave", "Spare", "Wave"}},
        {"names: a label matches every block with it",
         [&](TextViewState& v) { v.FilterBlocks = 1, v.chosen.blocks = {wave, slope}; },
         {"Slope", "Wave", "Wave"}},
        {"names: none chosen", [](TextViewState& v) { v.FilterBlocks = 1, v.chosen.blocks.clear(); }, {}},
        {"types", [](TextViewState& v) { v.FilterBlocks = 2, v.chosen.types = {"Integrate", "Gain"}; },
         {"Position", "Spare", "Wave"}},
        {"types: none chosen", [](TextViewState& v) { v.FilterBlocks = 2, v.chosen.types.clear(); }, {}},
        {"types: all chosen", [](TextViewState& v) { v.FilterBlocks = 2; },
         {"Slope", "Position", "Wave", "Spare", "Wave"}},
        {"groups", [&](TextViewState& v) { v.FilterBlocks = 3, v.chosen.groups = {time, misc}; },
         {"Slope", "Position"}},
        {"mode Normal", [](TextViewState& v) { v.FilterMode = 1; }, {"Clock", "Position", "Wave", "Spare", "Wave"}},
        {"mode Initialize", [](TextViewState& v) { v.FilterMode = 2; }, {"Slope"}},
        {"with notes", [](TextViewState& v) { v.FilterNotes = 1; }, {"Slope"}},
        {"without notes", [](TextViewState& v) { v.FilterNotes = 2; }, {"Clock", "Position", "Wave", "Spare", "Wave"}},
        {"connected inputs", [](TextViewState& v) { v.FilterConnectionInputs = 1; }, {"Position", "Wave"}},
        {"connected output", [](TextViewState& v) { v.FilterConnectionOutput = 1; }, {"Slope", "Position"}},
        {"all tests at once",
         [](TextViewState& v) { v.FilterConnectionOutput = 1, v.FilterConnectionInputs = 1, v.FilterMode = 1; },
         {"Position"}},
    };
    for (const Case& c : cases) {
        TextViewState v;
        v.SortBlocks = 0;
        v.ChooseEverything(doc);
        c.set(v);
        Names labels;
        for (const CBlock* b : ReportBlocks(v, doc)) labels.push_back(b->label);
        EXPECT_EQ(labels, c.expected) << c.what;
    }
}

TEST_F(ReportTestChart, SortsAreStableAndByCharacterCode) {
    Add(kTypeSum, "zeta", 1);
    Add(kTypeConstant, "Alpha", 2);  // initialisation blocks: Constant and Pi
    Add(kTypeGain, "alpha", 3);
    Add(kTypePi, "Gamma", 4);
    Add(kTypeIntegrate, "Delta", 5);
    Add(kTypeSum, "beta", 6);
    using Names = std::vector<std::string>;
    struct Case {
        int sortBlocks, sortMode;
        Names expected;
    } cases[] = {
        {0, 0, {"Clock", "zeta", "Alpha", "alpha", "Gamma", "Delta", "beta"}},
        {1, 0, {"Alpha", "Clock", "Delta", "Gamma", "alpha", "beta", "zeta"}},
        {1, 1, {"Clock", "Delta", "alpha", "beta", "zeta", "Alpha", "Gamma"}},
        {1, 2, {"Alpha", "Gamma", "Clock", "Delta", "alpha", "beta", "zeta"}},
        {2, 0, {"Clock", "Alpha", "alpha", "Delta", "Gamma", "zeta", "beta"}},
        // Groups: none (the Clock), Math, Miscellaneous, Time.
        {3, 0, {"Clock", "zeta", "alpha", "beta", "Alpha", "Gamma", "Delta"}},
        {3, 2, {"Alpha", "Gamma", "Clock", "zeta", "alpha", "beta", "Delta"}},
        {0, 2, {"Alpha", "Gamma", "Clock", "zeta", "alpha", "Delta", "beta"}},
    };
    for (const Case& c : cases) {
        view.SortBlocks = c.sortBlocks;
        view.SortMode = c.sortMode;
        EXPECT_EQ(Labels(), c.expected) << c.sortBlocks << ',' << c.sortMode;
    }
}

TEST_F(ReportTestChart, LabelsAreCutInBlockInputAndOutputLines) {
    CBlock* source = Add(kTypeConstant, "ABCDEFGHIJKLMNOPQRST", 1);  // 20 characters
    CBlock* exact = Add(kTypeGain, "Thirteen char", 2);                // 13 characters
    CBlock* umlaut = Add(kTypeGain, "Größenänderungsrate", 3);        // 19, not ASCII
    doc.ConnectInput(exact, 1, source);
    doc.ConnectInput(umlaut, 1, source);
    source->typeName = "A type of 16 chr";
    source->value = 1.0;
    view.InfoOutConnections = 1;
    view.SortBlocks = 0;
    const std::string text = Report();
    for (const char* line : {
             "\r\nABCDEFGHIJKLMNO\tA type of 16 ch\t 1.000e+000\tInitialize\r\n",
             "\r\n  Thirteen char\tGain\tInput1\t 0.000e+000\r\n",
             "\r\n  Größenänderun\tGain\tInput1\t 0.000e+000\r\n",
             "\r\nThirteen char\tGain\t 0.000e+000\tNormal\r\n Input\tABCDEFGHIJKLMNO\tA type of 16 ch\t 1.000e+000\r\n",
             "\r\nGrößenänderungs\tGain\t",
         })
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_EQ(LeftChars("\xE4\xF6\xFC\xDF-latin-1-bytes", 3), "\xE4\xF6\xFC");  // not UTF-8: bytes
}

TEST(ReportNumberTest, ElevenWideWithThreeDigitExponent) {
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {1.0, " 1.000e+000"},     {-2.5, "-2.500e+000"},   {0.0, " 0.000e+000"},
        {123456.0, " 1.235e+005"}, {1e-300, " 1.000e-300"}, {-1e300, "-1.000e+300"},
        {inf, "        inf"},     {-inf, "       -inf"},    {std::nan(""), "        nan"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReportNumber(c.value), c.text) << c.value;
}

TEST_F(ReportTestChart, ShownValueIsTheSnapshotSampleOrTheInitialValue) {
    CBlock* normal = Add(kTypeGain, "g", 1);
    CBlock* init = Add(kTypeConstant, "c", 2);
    normal->history = {1.0, 2.0, 3.0};
    normal->value = 7.0;
    init->history = {4.0, 5.0, 6.0};
    init->value = 8.0;
    struct Case {
        int snapshot;
        double normal, init;
    } cases[] = {{0, 1.0, 8.0}, {2, 3.0, 8.0}, {3, 0.0, 8.0}, {-1, 0.0, 8.0}};
    for (const Case& c : cases) {
        doc.snapshotIndex = c.snapshot;
        EXPECT_EQ(ShownValue(*normal, doc), c.normal) << c.snapshot;
        EXPECT_EQ(ShownValue(*init, doc), c.init) << c.snapshot;
    }
}

TEST_F(ReportTestChart, DeletedBlocksLeaveTheChosenBlocks) {
    CBlock* kept = Add(kTypeGain, "kept", 1);
    CBlock* gone = Add(kTypeGain, "gone", 2);
    StateOnlyViewHost host;
    TextViewState* state = host.OpenTextView(doc);
    state->ChooseEverything(doc);
    TextFilterChoice copy = state->chosen;  // as a dialog or an undo step holds it
    host.OnBlockDeleting(*gone, doc);
    EXPECT_EQ(state->chosen.blocks, (std::vector<CBlock*>{doc.Clock(), kept}));
    DetachedBlock detached = doc.DetachBlock(gone);
    copy.KeepBlocksOf(doc);
    EXPECT_EQ(copy.blocks, state->chosen.blocks);
    // Everything chosen: every tool name once, sorted; the seven bars in their order.
    EXPECT_EQ(state->chosen.types, SortedToolNames());
    EXPECT_TRUE(std::is_sorted(state->chosen.types.begin(), state->chosen.types.end()));
    ASSERT_EQ(state->chosen.groups.size(), 7u);
    EXPECT_STREQ(state->chosen.groups.front()->caption, "Time");
    EXPECT_STREQ(state->chosen.groups.back()->caption, "Miscellaneous");
}

}  // namespace
}  // namespace ondrel::test
