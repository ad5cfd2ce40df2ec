#include <gtest/gtest.h>

#include <vector>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ModelSettingsEdit.h"
#include "core/model/edits/ViewSettingsEdit.h"
#include "core/model/views/ChartViewState.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

class RefreshRecorder : public IDocumentView {
public:
    void OnUpdate(IDocumentView*, UpdateHint hint, CBlock*) override { hints.push_back(hint); }
    std::vector<UpdateHint> hints;
};

class SettingsEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.OnNewDocument();
        doc.SetFrameworkTitle("chart1");
        doc.AddView(&views);
    }
    void TearDown() override { doc.RemoveView(&views); }

    test::RecordingPlatform platform;
    CTarvekDoc doc;
    RefreshRecorder views;
};

TEST_F(SettingsEditTest, ModelEditAppliesAndRevertsParametersAndTitle) {
    CSettingsGroup edited;
    edited.AssignFrom(doc.modelSettings);
    *edited.FindValue<int>(1032) = 9;       // VertLines
    *edited.FindValue<int>(1198) = 1;       // Runge-Kutta 7/8
    *edited.FindValue<double>(1204) = 250;  // MaxSteps
    const ModelSettingsEdit edit = ModelSettingsEdit::Capture(doc, edited, "Spring");
    // Capturing changes nothing.
    EXPECT_EQ(doc.vertLines, 5);
    EXPECT_FALSE(doc.IsModified());

    edit.Apply(doc);
    EXPECT_EQ(doc.vertLines, 9);
    EXPECT_EQ(doc.intStyle, 1);
    EXPECT_EQ(doc.maxSteps, 250.0);
    EXPECT_EQ(doc.title, "Spring");
    EXPECT_EQ(doc.GetTitle(), "Spring");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(views.hints, std::vector<UpdateHint>{UpdateHint::Refresh});

    edit.Revert(doc);
    EXPECT_EQ(doc.vertLines, 5);
    EXPECT_EQ(doc.intStyle, 0);
    EXPECT_EQ(doc.maxSteps, 100.0);
    EXPECT_EQ(doc.title, "");
    EXPECT_EQ(doc.GetTitle(), "chart1");
    // The document's group follows its members, so a later copy sees the reverted values.
    CSettingsGroup again;
    again.AssignFrom(doc.modelSettings);
    EXPECT_EQ(*again.FindValue<int>(1032), 5);
}

TEST_F(SettingsEditTest, ClearingTheModelTitleKeepsTheCaption) {
    doc.title = "Named";
    doc.SetFrameworkTitle("Named");
    CSettingsGroup edited;
    edited.AssignFrom(doc.modelSettings);
    ModelSettingsEdit::Capture(doc, edited, "").Apply(doc);
    EXPECT_EQ(doc.title, "");
    EXPECT_EQ(doc.GetTitle(), "Named");
}

TEST_F(SettingsEditTest, ViewEditAppliesRevertsAndReroutesEveryConnector) {
    doc.PlaceBlock(doc.CreateBlock(kTypeConstant), 1, 2);
    CBlock* source = doc.blockList.back().get();
    doc.PlaceBlock(doc.CreateBlock(kTypeGain), 4, 5);
    CBlock* target = doc.blockList.back().get();
    doc.ConnectInput(target, 1, source);
    const RouteRecord routed = target->route[1];
    ASSERT_NE(routed[0], kNoRoute);
    doc.SetModifiedFlag(false);
    views.hints.clear();

    ChartViewState view;
    CSettingsGroup edited;
    edited.AssignFrom(view.settings);
    *edited.FindValue<int>(1219) = 3;  // LineWidth
    const ViewSettingsEdit edit = ViewSettingsEdit::Capture(view, edited, "Top", "some notes");

    target->route[1].fill(kNoRoute);  // forgotten: only a new routing brings it back
    edit.Apply(view, doc);
    EXPECT_EQ(view.LineWidth, 3);
    EXPECT_EQ(view.title, "Top");
    EXPECT_EQ(view.notes, "some notes");
    EXPECT_EQ(target->route[1], routed);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(views.hints.back(), UpdateHint::Refresh);

    target->route[1].fill(kNoRoute);
    edit.Revert(view, doc);
    EXPECT_EQ(view.LineWidth, 1);
    EXPECT_EQ(view.title, "");
    EXPECT_EQ(view.notes, "");
    EXPECT_EQ(target->route[1], routed);
}

}  // namespace
}  // namespace ondrel
