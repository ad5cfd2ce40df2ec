// The view part of a chart file: the count and the tagged records, read through a view host
// and written back; and damaged bytes, which must fail cleanly.
#include <gtest/gtest.h>

#include <functional>

#include "core/model/views/ChartViewState.h"
#include "core/model/views/GraphViewState.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "core/model/views/TextViewState.h"
#include "core/io/ChartFormat.h"
#include "core/model/views/ViewRecords.h"
#include "views/ViewTestSupport.h"

namespace ondrel::test {
namespace {

class ViewRecords : public ::testing::Test {
protected:
    // The views of a saved chart: two chart views, a list, a graph and a text view, each
    // with something of its own.
    Bytes SavedViews() {
        StateOnlyViewHost host;
        host.FirstChartView(chart.doc)->title = "first chart";
        host.OpenListView(chart.doc)->displayedBlocks = {BlockReference(x), BlockReference(v)};
        ChartViewState* second = host.OpenChartView(chart.doc);
        second->title = "second chart";
        second->MagBmp = 3.0;
        GraphViewState* graph = host.OpenGraphView(chart.doc);
        graph->CompleteDefaults(chart.doc);
        graph->axisSlots[1].block.Set(v);
        graph->axisSlots[1].Fixed = 1;
        host.OpenTextView(chart.doc)->SortMode = 2;
        CArchive ar = CArchive::ForWriting();
        WriteViewRecords(ar, chart.doc, host);
        return ar.TakeBuffer();
    }

    RecordingPlatform platform;
    ViewTestDoc chart;
    CBlock* x = chart.Add("x", {1, 0});
    CBlock* v = chart.Add("v", {2, 0});
};

TEST_F(ViewRecords, RunnerHostKeepsEveryViewInFileOrderAndSavesTheSameBytes) {
    const Bytes bytes = SavedViews();
    StateOnlyViewHost host;
    CArchive in = CArchive::ForReading(bytes);
    ASSERT_TRUE(ReadViewRecords(in, chart.doc, host));
    EXPECT_TRUE(in.AtEnd());

    const auto& views = host.Views();
    ASSERT_EQ(views.size(), 5u);
    EXPECT_EQ(views[0].get(), host.FirstChart());
    EXPECT_EQ(views[0]->title, "first chart");
    EXPECT_EQ(views[1]->Kind(), ViewKind::List);
    EXPECT_EQ(views[2]->Kind(), ViewKind::Chart);
    EXPECT_EQ(views[2]->title, "second chart");
    EXPECT_EQ(static_cast<ChartViewState&>(*views[2]).MagBmp, 3.0);
    EXPECT_EQ(static_cast<GraphViewState&>(*views[3]).axisSlots[1].block.block, v);
    EXPECT_EQ(static_cast<TextViewState&>(*views[4]).SortMode, 2);

    CArchive out = CArchive::ForWriting();
    WriteViewRecords(out, chart.doc, host);
    EXPECT_EQ(out.Buffer(), bytes);
}

TEST_F(ViewRecords, RunnerHostMakesNoChartViewForAChartWithout) {
    StateOnlyViewHost host;
    Bytes bytes = Int32Bytes(1);
    Append(bytes, {9, 'C', 'C', 'h', 'r', 't', 'T', 'e', 'x', 't'});
    TextViewState text;
    Append(bytes, WriteRecord(text, chart.doc));
    CArchive in = CArchive::ForReading(bytes);
    ASSERT_TRUE(ReadViewRecords(in, chart.doc, host));
    ASSERT_EQ(host.Views().size(), 1u);
    EXPECT_EQ(host.FirstChart(), nullptr);
    CArchive out = CArchive::ForWriting();
    WriteViewRecords(out, chart.doc, host);
    EXPECT_EQ(out.Buffer(), bytes);
}

// A host like the desktop's: the document already has its chart view when the file is read.
class WindowedHost : public StateOnlyViewHost {
public:
    ChartViewState* FirstChartView(CTarvekDoc&) override { return &opened; }
    ChartViewState* OpenChartView(CTarvekDoc& doc) override {
        ++chartViewsOpened;
        return refuse ? nullptr : StateOnlyViewHost::OpenChartView(doc);
    }
    void RecordRead(CTarvekDoc&, ViewState& view) override { captions.push_back(view.title); }

    ChartViewState opened;
    int chartViewsOpened = 0;
    bool refuse = false;
    std::vector<std::string> captions;
};

TEST_F(ViewRecords, FirstChartRecordConfiguresTheOpenChartViewAndTheSecondOpensOne) {
    const Bytes bytes = SavedViews();
    WindowedHost host;
    CArchive in = CArchive::ForReading(bytes);
    ASSERT_TRUE(ReadViewRecords(in, chart.doc, host));
    EXPECT_EQ(host.opened.title, "first chart");
    EXPECT_EQ(host.chartViewsOpened, 1);
    ASSERT_EQ(host.Views().size(), 4u);  // list, second chart, graph, text
    EXPECT_EQ(host.Views()[1]->title, "second chart");
    EXPECT_EQ(host.captions.size(), 5u);
    EXPECT_EQ(host.captions.front(), "first chart");
}

TEST_F(ViewRecords, UnknownClassOrRefusedViewFails) {
    Bytes unknown = Int32Bytes(1);
    Append(unknown, {9, 'C', 'T', 'a', 'r', 'v', 'e', 'k', 'V', 'w', 0, 0, 0, 0});
    StateOnlyViewHost host;
    CArchive in = CArchive::ForReading(unknown);
    EXPECT_FALSE(ReadViewRecords(in, chart.doc, host));
    EXPECT_TRUE(in.Failed());

    WindowedHost refusing;
    refusing.refuse = true;
    const Bytes bytes = SavedViews();
    CArchive again = CArchive::ForReading(bytes);
    EXPECT_FALSE(ReadViewRecords(again, chart.doc, refusing));
    EXPECT_TRUE(again.Failed());
    EXPECT_EQ(refusing.opened.title, "first chart");  // what came before was read
}

TEST_F(ViewRecords, ImplausibleViewCountFailsBeforeOpeningAnything) {
    for (std::int32_t count : {-1, 2, 0x7FFFFFFF}) {
        Bytes bytes = Int32Bytes(count);
        Append(bytes, {11, 'C', 'T', 'a', 'r', 'v', 'e', 'k', 'V', 'i', 'e', 'w'});
        StateOnlyViewHost host;
        CArchive in = CArchive::ForReading(bytes);
        EXPECT_FALSE(ReadViewRecords(in, chart.doc, host)) << count;
        EXPECT_TRUE(host.Views().empty()) << count;
    }
}

// Every cut of a saved view list fails and every state opened on the way stays sound.
TEST_F(ViewRecords, EveryTruncationFailsCleanly) {
    const Bytes bytes = SavedViews();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const Bytes cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        StateOnlyViewHost host;
        CArchive in = CArchive::ForReading(cut);
        ASSERT_FALSE(ReadViewRecords(in, chart.doc, host)) << n;
        EXPECT_TRUE(in.Failed()) << n;
        EXPECT_LE(host.Views().size(), 5u) << n;
    }
}

// Counts inside records that the bytes left cannot hold, or that no view has.
TEST_F(ViewRecords, ImplausibleCountsInsideRecordsFail) {
    const Bytes listHead = [&] {
        ListViewState list;
        Bytes b = WriteRecord(list, chart.doc);
        b.resize(b.size() - 4);
        return b;
    }();
    const Bytes graphHead = [&] {
        GraphViewState graph;
        Bytes b = WriteRecord(graph, chart.doc);
        b.resize(b.size() - 4 - 8 - 2);  // count, X reference, title, notes
        return b;
    }();
    struct Case {
        const Bytes* head;
        std::int32_t count;
        std::function<std::unique_ptr<ViewState>()> make;
    };
    auto list = [] { return std::unique_ptr<ViewState>(new ListViewState); };
    auto graph = [] { return std::unique_ptr<ViewState>(new GraphViewState); };
    const Case cases[] = {
        {&listHead, -1, list},   {&listHead, 0x7FFFFFFF, list}, {&listHead, 2, list},
        {&graphHead, -1, graph}, {&graphHead, 4, graph},        {&graphHead, 1, graph},
    };
    for (const auto& c : cases) {
        Bytes bytes = *c.head;
        Append(bytes, Int32Bytes(c.count));
        Append(bytes, Int32Bytes(1));
        Append(bytes, Int32Bytes(0));  // one reference, then the record ends
        auto state = c.make();
        CArchive in = CArchive::ForReading(bytes);
        state->Serialize(in, chart.doc);
        EXPECT_TRUE(in.Failed()) << c.count;
    }
}

}  // namespace
}  // namespace ondrel::test
