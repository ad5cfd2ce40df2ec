#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/engine/RunDriver.h"
#include "core/blocks/CBlock.h"
#include "core/model/CTarvekDoc.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

constexpr int kSumTypeId = 61595;

class PlainBlock : public CBlock {
public:
    explicit PlainBlock(CTarvekDoc* doc, int inputs = 3) : CBlock(151, doc, 32801, kSumTypeId) {
        inputCount = inputs;
    }
    void Compute() override {}
};

struct Notice {
    int hint;
    CBlock* block;
    bool blockStillListed;
    bool operator==(const Notice&) const = default;
};

class RecordingView : public IDocumentView {
public:
    explicit RecordingView(CTarvekDoc& doc) : doc_(doc) {}
    void OnUpdate(IDocumentView*, UpdateHint hint, CBlock* block) override {
        notices.push_back({static_cast<int>(hint), block, block != nullptr && doc_.IndexOf(block) >= 0});
    }
    std::vector<Notice> notices;

private:
    CTarvekDoc& doc_;
};

// Places a plain block at (x, y) the way the chart editor does.
CBlock* Place(CTarvekDoc& doc, int x, int y, int inputs = 3) {
    doc.PlaceBlock(std::make_unique<PlainBlock>(&doc, inputs), x, y);
    return doc.blockList.back().get();
}

TEST(CTarvekDoc, NewDocumentHoldsTheClockAndItsTwoOutputs) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    for (int round = 0; round < 2; ++round) {  // a second run must not add a second Clock
        doc.OnNewDocument();
        ASSERT_EQ(doc.blockList.size(), 3u);
        CBlock* clock = doc.Clock();
        EXPECT_EQ(clock->typeId, kClockTypeId);
        EXPECT_EQ(clock->position, (GridPoint{0, 0}));
        EXPECT_EQ(clock->color, MakeColor(0, 0, 255));
        EXPECT_EQ(clock->chart, &doc);

        CBlock* error = doc.blockList[1].get();
        CBlock* count = doc.blockList[2].get();
        EXPECT_EQ(error->label, "ClockError");
        EXPECT_EQ(count->label, "ClockCount");
        EXPECT_EQ(error->typeName, "Dummy");
        EXPECT_EQ(count->typeName, "Dummy");
        EXPECT_EQ(error->position, (GridPoint{-500, 0}));
        EXPECT_EQ(count->position, (GridPoint{0, 500}));
        EXPECT_EQ(doc.auxList, (std::vector<CBlock*>{error, count}));

        EXPECT_FALSE(doc.IsModified());
        EXPECT_EQ(doc.outputInterval, clock->param[2]);
        EXPECT_EQ(doc.outputInterval, 0.1);
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST(CTarvekDoc, AddedBlocksCycleThroughThePalette) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    doc.OnNewDocument();
    const ColorRef expected[] = {
        MakeColor(0, 255, 255), MakeColor(255, 0, 255), MakeColor(255, 255, 0),
        MakeColor(0, 0, 0),     MakeColor(0, 0, 255),   MakeColor(255, 0, 0),
        MakeColor(0, 255, 0),   MakeColor(0, 255, 255),
    };
    int column = 1;
    for (ColorRef colour : expected) {
        CBlock* block = Place(doc, column, 1);
        EXPECT_EQ(block->color, colour) << "block " << column;
        ++column;
    }
    EXPECT_TRUE(doc.IsModified());
}

TEST(CTarvekDoc, ViewsHearOfPlacingReroutingAndDeleting) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    doc.OnNewDocument();
    RecordingView view(doc);
    RecordingView sender(doc);
    doc.AddView(&view);
    doc.AddView(&view);  // attaching twice must not double the notices
    doc.AddView(&sender);

    CBlock* block = Place(doc, 2, 3);
    EXPECT_EQ(block->position, (GridPoint{2, 3}));
    EXPECT_EQ(view.notices, (std::vector<Notice>{{5, nullptr, false}, {1, block, true}}));

    view.notices.clear();
    doc.RerouteBlock(block);
    EXPECT_EQ(view.notices, (std::vector<Notice>{{0, nullptr, false}}));

    view.notices.clear();
    doc.UpdateAllViews(&sender, UpdateHint::Refresh);
    EXPECT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(sender.notices.size(), 3u);  // the sender is not told of its own change

    view.notices.clear();
    doc.SetModifiedFlag(false);
    doc.DeleteBlock(block);
    // Views are told while the block still exists, so they can forget it.
    EXPECT_EQ(view.notices, (std::vector<Notice>{{-1, block, true}}));
    EXPECT_EQ(doc.blockList.size(), 3u);
    EXPECT_TRUE(doc.IsModified());

    // Placing or adding no block tells nobody and changes nothing.
    doc.SetModifiedFlag(false);
    view.notices.clear();
    EXPECT_EQ(doc.PlaceBlock(nullptr, 4, 4), nullptr);
    EXPECT_EQ(doc.AddBlock(nullptr), nullptr);
    EXPECT_TRUE(view.notices.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.blockList.size(), 3u);

    doc.RemoveView(&view);
    view.notices.clear();
    doc.UpdateAllViews(nullptr);
    EXPECT_TRUE(view.notices.empty());
}

TEST(CTarvekDoc, DeletingASourceEmptiesEveryInputItFed) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    doc.OnNewDocument();
    CBlock* source = Place(doc, 1, 1);
    CBlock* first = Place(doc, 2, 1);
    CBlock* second = Place(doc, 3, 1);
    CBlock* keeper = Place(doc, 4, 1);
    doc.ConnectInput(first, 1, source);
    doc.ConnectInput(first, 3, source);
    doc.ConnectInput(second, 2, source);
    doc.ConnectInput(second, 1, keeper);

    doc.DeleteBlock(source);
    EXPECT_EQ(doc.IndexOf(source), -1);
    EXPECT_EQ(first->input[1], nullptr);
    EXPECT_EQ(first->input[3], nullptr);
    EXPECT_EQ(second->input[2], nullptr);
    EXPECT_EQ(second->input[1], keeper);
    EXPECT_EQ(doc.blockList.size(), 6u);
    EXPECT_EQ(doc.blockList[3].get(), first);  // later blocks move down

    // The next run's check now finds the emptied inputs.
    first->requiredInputs = 1;
    second->requiredInputs = 2;
    EXPECT_FALSE(CheckRequiredInputs(doc));
    ASSERT_EQ(platform.messages.shown.size(), 2u);
    EXPECT_EQ(platform.messages.shown[1].text, "A Sum block, Sum, needs the second input filled.");
}

TEST(CTarvekDoc, TheClockAndItsOutputsCannotBeDeleted) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    doc.OnNewDocument();
    RecordingView view(doc);
    doc.AddView(&view);
    std::vector<CBlock*> fixed;
    for (const auto& block : doc.blockList) fixed.push_back(block.get());
    for (CBlock* block : fixed) doc.DeleteBlock(block);
    PlainBlock stranger(&doc);
    doc.DeleteBlock(&stranger);
    doc.DeleteBlock(nullptr);
    EXPECT_EQ(doc.blockList.size(), 3u);
    EXPECT_EQ(doc.auxList.size(), 2u);
    EXPECT_TRUE(view.notices.empty());
    EXPECT_FALSE(doc.IsModified());
}

TEST(CTarvekDoc, ConnectingOnlyReachesOfferedRows) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    doc.OnNewDocument();
    CBlock* source = Place(doc, 1, 1);
    CBlock* single = Place(doc, 2, 1, 1);
    for (int k : {0, 2, 3, 4, -1}) doc.ConnectInput(single, k, source);
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(single->input[k], nullptr) << k;
    doc.ConnectInput(single, 1, source);
    EXPECT_EQ(single->input[1], source);
    doc.ConnectInput(single, 1, nullptr);
    EXPECT_EQ(single->input[1], nullptr);
}

TEST(CTarvekDoc, ModelSettingsStartFromDefaults) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    EXPECT_EQ(doc.vertLines, 5);
    EXPECT_EQ(doc.horizLines, 5);
    EXPECT_EQ(doc.maxSort, 500);
    EXPECT_EQ(doc.intStyle, 0);
    EXPECT_EQ(doc.printMode, 0);
    EXPECT_EQ(doc.maxSteps, 100.0);
    EXPECT_FALSE(doc.IsRunning());

    // Names, controls and file versions, in the order they are stored in charts.
    struct Expected {
        const char* name;
        int control;
        double since;
    };
    const Expected items[] = {{"VertLines", 1032, 100.0}, {"HorizLines", 1033, 100.0},
                              {"MaxSort", 1196, 100.0},   {"IntStyle", 1198, 100.0},
                              {"PrintMode", 1201, 100.0}, {"MaxSteps", 1204, 102.0}};
    EXPECT_EQ(doc.modelSettings.Section(), "Model");
    ASSERT_EQ(doc.modelSettings.Size(), std::size(items));
    for (std::size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(doc.modelSettings.Item(i).Name(), items[i].name);
        EXPECT_EQ(doc.modelSettings.Item(i).ControlId(), items[i].control);
        EXPECT_EQ(doc.modelSettings.Item(i).Since(), items[i].since);
        EXPECT_EQ(doc.modelSettings.Item(i).Until(), 0.0);
    }
}

TEST(CTarvekDoc, ModelSettingsComeFromTheProfile) {
    test::RecordingPlatform platform;
    platform.profile.WriteInt("Model", "VertLines", 7);
    platform.profile.WriteInt("Model", "HorizLines", 3);
    platform.profile.WriteInt("Model", "MaxSort", 42);
    platform.profile.WriteInt("Model", "IntStyle", 1);
    platform.profile.WriteInt("Model", "PrintMode", 1);
    platform.profile.WriteString("Model", "MaxSteps", "2.500000e+002");
    platform.profile.WriteInt("Other", "VertLines", 9);
    CTarvekDoc doc;
    EXPECT_EQ(doc.vertLines, 7);
    EXPECT_EQ(doc.horizLines, 3);
    EXPECT_EQ(doc.maxSort, 42);
    EXPECT_EQ(doc.intStyle, 1);
    EXPECT_EQ(doc.printMode, 1);
    EXPECT_EQ(doc.maxSteps, 250.0);
}

TEST(CTarvekDoc, ANonEmptyModelTitleReplacesTheFileName) {
    CTarvekDoc doc;
    doc.SetFrameworkTitle("chart1.cht");
    EXPECT_EQ(doc.GetTitle(), "chart1.cht");
    doc.title = "Pendulum";
    EXPECT_EQ(doc.GetTitle(), "Pendulum");
    doc.title.clear();
    EXPECT_EQ(doc.GetTitle(), "chart1.cht");
}

}  // namespace
}  // namespace ondrel
