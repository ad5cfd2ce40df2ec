#include "core/model/views/ChartViewState.h"

#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {

ChartViewState::ChartViewState() {
    // The order of the items is the order of the record in chart files.
    const double since = kChartViewSettingsSince;
    auto& s = settings;
    s.SetSection("MainView");
    s.AddInt(since, kNoUntil, &HoldSiz, 2, "HoldSiz", 1215, 1, 100);
    s.AddColor(since, kNoUntil, &Hold, MakeColor(255, 0, 0), "Hold", 1207);
    s.AddCheck(since, kNoUntil, &HoldDisp, 1, "HoldDisp", 1216);
    s.AddInt(since, kNoUntil, &LinesX, 15, "LinesX", 1218, 0, 0);
    s.AddInt(since, kNoUntil, &LinesY, 15, "LinesY", 1217, 0, 0);
    s.AddInt(since, kNoUntil, &DeltaVert, 2, "DeltaVert", 1034, 1, 99);
    s.AddInt(since, kNoUntil, &DeltaHoriz, 2, "DeltaHoriz", 1035, 1, 99);
    s.AddDouble(since, kNoUntil, &MagBmp, 1.0, "MagBmp", 1136, 1.0, 10.0);
    s.AddChoice(since, kNoUntil, &DisplayMode, 0, "DisplayMode", 1178);
    s.AddFont(since, kNoUntil, &ChartLf, nullptr, "ChartLf", 1043);
    s.AddColor(since, kNoUntil, &ChartClr, kWindowTextColor, "ChartClr", -1043);
    s.AddFont(since, kNoUntil, &NotesLf, nullptr, "NotesLf", 1095);
    s.AddColor(since, kNoUntil, &NotesClr, kWindowTextColor, "NotesClr", -1095);
    s.AddCheck(since, kNoUntil, &NotesDisplay, 0, "NotesDisplay", 1205);
    s.AddCheck(since, kNoUntil, &SizeLock, 1, "SizeLock", 1203);
    s.AddCheck(since, kNoUntil, &NameDisplay, 1, "NameDisplay", 1201);
    s.AddCheck(since, kNoUntil, &ValueDisplay, 1, "ValueDisplay", 1202);
    s.AddInt(since, kNoUntil, &LineWidth, 1, "LineWidth", 1219, 1, 99);
}

void ChartViewState::Serialize(CArchive& ar, CTarvekDoc& doc) {
    settings.Serialize(ar, doc.fileVersion);
    ar.Io(title);
    ar.Io(notes);
}

}  // namespace ondrel
