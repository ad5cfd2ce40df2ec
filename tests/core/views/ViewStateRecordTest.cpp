// Each view kind's record: read back it restores the view, written again it is the same
// bytes, and its settings are read only from the file versions that hold them.
#include <gtest/gtest.h>

#include "core/io/ChartFormat.h"
#include "core/model/views/ChartViewState.h"
#include "core/model/views/GraphViewState.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/TextViewState.h"
#include "views/ViewTestSupport.h"

namespace ondrel::test {
namespace {

class ViewStateRecord : public ::testing::Test {
protected:
    RecordingPlatform platform;
    ViewTestDoc chart;
    CBlock* a = chart.Add("a", {1, 0});
    CBlock* b = chart.Add("b", {2, -3});
    CBlock* c = chart.Add("c", {4, -1});
};

TEST_F(ViewStateRecord, ChartViewComesBackAndRewritesIdentically) {
    ChartViewState out;
    out.HoldSiz = 7;
    out.Hold = MakeColor(1, 2, 3);
    out.HoldDisp = 0;
    out.LinesX = 40;
    out.LinesY = -2;
    out.DeltaVert = 5;
    out.DeltaHoriz = 9;
    out.MagBmp = 2.5;
    out.DisplayMode = 1;
    out.ChartLf.faceName = "Arial";
    out.ChartLf.height = -20;
    out.ChartClr = MakeColor(10, 20, 30);
    out.NotesLf.italic = 1;
    out.NotesClr = MakeColor(0, 0, 200);
    out.NotesDisplay = 1;
    out.SizeLock = 0;
    out.NameDisplay = 0;
    out.ValueDisplay = 0;
    out.LineWidth = 3;
    out.title = "Main chart";
    out.notes = "first line\r\nsecond line";
    const Bytes bytes = WriteRecord(out, chart.doc);

    ChartViewState in;
    ASSERT_TRUE(ReadRecord(bytes, in, chart.doc));
    EXPECT_EQ(in.HoldSiz, 7);
    EXPECT_EQ(in.Hold, MakeColor(1, 2, 3));
    EXPECT_EQ(in.LinesY, -2);
    EXPECT_EQ(in.MagBmp, 2.5);
    EXPECT_EQ(in.ChartLf, out.ChartLf);
    EXPECT_EQ(in.NotesLf, out.NotesLf);
    EXPECT_EQ(in.NotesClr, MakeColor(0, 0, 200));
    EXPECT_EQ(in.LineWidth, 3);
    EXPECT_EQ(in.title, "Main chart");
    EXPECT_EQ(in.notes, out.notes);
    EXPECT_EQ(WriteRecord(in, chart.doc), bytes);
}

TEST_F(ViewStateRecord, ListViewComesBackWithItsColumns) {
    ListViewState out;
    out.Precision = 7;
    out.Extra = 2;
    out.ListFont.weight = 700;
    out.FontColor = MakeColor(9, 8, 7);
    out.NotesFont.faceName = "Courier New";
    out.NotesColor = MakeColor(100, 0, 0);
    out.NotesDisplay = 1;
    out.title = "Positions";
    out.notes = "x and v";
    out.displayedBlocks = {BlockReference(c), BlockReference(a), BlockReference(chart.Clock())};
    const Bytes bytes = WriteRecord(out, chart.doc);

    ListViewState in;
    ASSERT_TRUE(ReadRecord(bytes, in, chart.doc));
    EXPECT_EQ(in.Precision, 7);
    EXPECT_EQ(in.Extra, 2);
    EXPECT_EQ(in.ListFont, out.ListFont);
    EXPECT_EQ(in.NotesFont, out.NotesFont);
    EXPECT_EQ(in.NotesDisplay, 1);
    EXPECT_EQ(in.title, "Positions");
    ASSERT_EQ(in.displayedBlocks.size(), 3u);
    EXPECT_EQ(in.displayedBlocks[0].block, c);
    EXPECT_EQ(in.displayedBlocks[1].block, a);
    EXPECT_EQ(in.displayedBlocks[2].block, chart.Clock());
    EXPECT_EQ(WriteRecord(in, chart.doc), bytes);
}

TEST_F(ViewStateRecord, ListRecordEndsWithTitleNotesCountAndCells) {
    ListViewState out;
    out.title = "T";
    out.notes = "";
    out.displayedBlocks = {BlockReference(b)};
    const Bytes bytes = WriteRecord(out, chart.doc);
    // Settings: two ints, a font (5 ints, 8 bytes, "Times New Roman"), a colour, a font, a
    // colour and a check.
    const std::size_t settingsSize = 4 + 4 + 44 + 4 + 44 + 4 + 4;
    Bytes tail = {1, 'T', 0};
    Append(tail, Int32Bytes(1));
    Append(tail, Int32Bytes(2));
    Append(tail, Int32Bytes(-3));
    ASSERT_EQ(bytes.size(), settingsSize + tail.size());
    EXPECT_EQ(Bytes(bytes.begin() + settingsSize, bytes.end()), tail);
}

TEST_F(ViewStateRecord, GraphViewComesBackWithItsSlots) {
    GraphViewState out;
    out.axisSlots[0].block.Set(chart.Clock());
    out.axisSlots[0].High = 10.0;
    out.axisSlots[0].Fixed = 1;
    out.Grids = 3;
    for (int k = 1; k <= 3; ++k) {
        out.axisSlots[k].Color = MakeColor(k, k, k);
        out.axisSlots[k].Low = -k;
        out.axisSlots[k].Width = k;
        out.axisSlots[k].Locn = k - 1;
    }
    out.axisSlots[1].block.Set(a);
    out.axisSlots[2].block.Set(b);
    out.axisSlots[3].block.Set(c);
    out.curveCount = 3;
    out.LegendsFont.height = -30;
    out.NotesColor = MakeColor(5, 5, 5);
    out.DisplayNotes = 1;
    out.title = "Phase plot";
    out.notes = "v against x";
    const Bytes bytes = WriteRecord(out, chart.doc);

    GraphViewState in;
    ASSERT_TRUE(ReadRecord(bytes, in, chart.doc));
    EXPECT_EQ(in.curveCount, 3);
    EXPECT_EQ(in.axisSlots[0].block.block, chart.Clock());
    EXPECT_EQ(in.axisSlots[0].High, 10.0);
    EXPECT_EQ(in.axisSlots[0].Fixed, 1);
    EXPECT_EQ(in.Grids, 3);
    EXPECT_EQ(in.axisSlots[3].block.block, c);
    EXPECT_EQ(in.axisSlots[3].Locn, 2);
    EXPECT_EQ(in.axisSlots[2].Color, MakeColor(2, 2, 2));
    EXPECT_EQ(in.axisSlots[1].Low, -1.0);
    EXPECT_EQ(in.LegendsFont.height, -30);
    EXPECT_EQ(in.DisplayNotes, 1);
    EXPECT_EQ(in.notes, "v against x");
    EXPECT_EQ(WriteRecord(in, chart.doc), bytes);
}

TEST_F(ViewStateRecord, GraphStoresOnlyTheReferencesOfItsCurvesAndClearsTheRest) {
    GraphViewState out;
    out.axisSlots[0].block.Set(a);
    out.axisSlots[1].block.Set(b);
    out.axisSlots[2].block.Set(c);  // beyond the curve count: not part of the record
    out.curveCount = 1;
    const Bytes bytes = WriteRecord(out, chart.doc);

    GraphViewState in;
    in.axisSlots[2].block.Set(chart.Clock());
    in.axisSlots[3].block.Set(chart.Clock());
    ASSERT_TRUE(ReadRecord(bytes, in, chart.doc));
    EXPECT_EQ(in.axisSlots[0].block.block, a);
    EXPECT_EQ(in.axisSlots[1].block.block, b);
    EXPECT_TRUE(in.axisSlots[2].block.IsEmpty());
    EXPECT_TRUE(in.axisSlots[3].block.IsEmpty());
    EXPECT_TRUE(in.CurveShown(1));
    EXPECT_FALSE(in.CurveShown(2));
}

TEST_F(ViewStateRecord, TextViewComesBackAndRewritesIdentically) {
    TextViewState out;
    out.MainFont.faceName = "Liberation Sans";
    out.FontColor = MakeColor(0, 128, 0);
    out.NotesDisplay = 1;
    out.AutoUpdate = 1;
    out.InfoNotes = 1;
    out.InfoOutConnections = 1;
    out.SortBlocks = 3;
    out.SortMode = 2;
    out.FilterBlocks = 2;
    out.FilterMode = 1;
    out.FilterNotes = 2;
    out.FilterConnectionInputs = 1;
    out.FilterConnectionOutput = 1;
    out.title = "Report";
    out.notes = "All blocks";
    const Bytes bytes = WriteRecord(out, chart.doc);

    TextViewState in;
    ASSERT_TRUE(ReadRecord(bytes, in, chart.doc));
    EXPECT_EQ(in.MainFont.faceName, "Liberation Sans");
    EXPECT_EQ(in.SortBlocks, 3);
    EXPECT_EQ(in.SortMode, 2);
    EXPECT_EQ(in.FilterNotes, 2);
    EXPECT_EQ(in.FilterConnectionOutput, 1);
    EXPECT_EQ(in.title, "Report");
    EXPECT_EQ(WriteRecord(in, chart.doc), bytes);
}

// A record of an older file holds only what that version stored; settings it lacks keep the
// values the view started with (the profile's).
TEST_F(ViewStateRecord, SettingsAreReadOnlyFromVersionsThatHoldThem) {
    platform.profile.WriteInt("TextView", "SortBlocks", 3);
    platform.profile.WriteInt("MainView", "LineWidth", 4);

    // Version 103.0: a text record is just its title and notes.
    chart.doc.fileVersion = 103.0;
    TextViewState oldText;
    EXPECT_EQ(oldText.SortBlocks, 3);
    ASSERT_TRUE(ReadRecord({2, 'o', 'k', 1, 'n'}, oldText, chart.doc));
    EXPECT_EQ(oldText.SortBlocks, 3);
    EXPECT_EQ(oldText.FontColor, kWindowTextColor);
    EXPECT_EQ(oldText.title, "ok");
    EXPECT_EQ(oldText.notes, "n");

    // Version 104.0 holds the settings.
    chart.doc.fileVersion = kProgramFileVersion;
    TextViewState written;
    written.SortBlocks = 0;
    const Bytes textBytes = WriteRecord(written, chart.doc);
    chart.doc.fileVersion = 104.0;
    TextViewState newText;
    ASSERT_TRUE(ReadRecord(textBytes, newText, chart.doc));
    EXPECT_EQ(newText.SortBlocks, 0);

    // The chart view's settings are in every file from 100.0 on.
    chart.doc.fileVersion = kProgramFileVersion;
    ChartViewState chartOut;
    chartOut.LineWidth = 9;
    const Bytes chartBytes = WriteRecord(chartOut, chart.doc);
    chart.doc.fileVersion = 100.0;
    ChartViewState chartIn;
    EXPECT_EQ(chartIn.LineWidth, 4);
    ASSERT_TRUE(ReadRecord(chartBytes, chartIn, chart.doc));
    EXPECT_EQ(chartIn.LineWidth, 9);
}

}  // namespace
}  // namespace ondrel::test
