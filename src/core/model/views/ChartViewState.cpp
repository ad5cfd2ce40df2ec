#include "core/model/views/ChartViewState.h"

#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {

ChartViewState::ChartViewState() {
    // The order of the items is the order of the record in chart files.
    const double since = kChartViewSettingsSince;
    auto& s = settings;
    s.SetSection("MainView");
    s.AddInt({.since = since, .name = "HoldSiz", .controlId = 1215, .bound = &HoldSiz,
              .defaultValue = 2, .min = 1, .max = 100});
    s.AddColor({.since = since, .name = "Hold", .controlId = 1207, .bound = &Hold,
                .defaultValue = MakeColor(255, 0, 0)});
    s.AddCheck({.since = since, .name = "HoldDisp", .controlId = 1216, .bound = &HoldDisp,
                .defaultValue = true});
    s.AddInt({.since = since, .name = "LinesX", .controlId = 1218, .bound = &LinesX,
              .defaultValue = 15});
    s.AddInt({.since = since, .name = "LinesY", .controlId = 1217, .bound = &LinesY,
              .defaultValue = 15});
    s.AddInt({.since = since, .name = "DeltaVert", .controlId = 1034, .bound = &DeltaVert,
              .defaultValue = 2, .min = 1, .max = 99});
    s.AddInt({.since = since, .name = "DeltaHoriz", .controlId = 1035, .bound = &DeltaHoriz,
              .defaultValue = 2, .min = 1, .max = 99});
    s.AddDouble({.since = since, .name = "MagBmp", .controlId = 1136, .bound = &MagBmp,
                 .defaultValue = 1.0, .min = 1.0, .max = 10.0});
    s.AddChoice({.since = since, .name = "DisplayMode", .controlId = 1178, .bound = &DisplayMode,
                 .defaultValue = 0});
    s.AddFont({.since = since, .name = "ChartLf", .controlId = 1043, .bound = &ChartLf});
    s.AddColor({.since = since, .name = "ChartClr", .controlId = -1043, .bound = &ChartClr,
                .defaultValue = kWindowTextColor});
    s.AddFont({.since = since, .name = "NotesLf", .controlId = 1095, .bound = &NotesLf});
    s.AddColor({.since = since, .name = "NotesClr", .controlId = -1095, .bound = &NotesClr,
                .defaultValue = kWindowTextColor});
    s.AddCheck({.since = since, .name = "NotesDisplay", .controlId = 1205, .bound = &NotesDisplay,
                .defaultValue = false});
    s.AddCheck({.since = since, .name = "SizeLock", .controlId = 1203, .bound = &SizeLock,
                .defaultValue = true});
    s.AddCheck({.since = since, .name = "NameDisplay", .controlId = 1201, .bound = &NameDisplay,
                .defaultValue = true});
    s.AddCheck({.since = since, .name = "ValueDisplay", .controlId = 1202, .bound = &ValueDisplay,
                .defaultValue = true});
    s.AddInt({.since = since, .name = "LineWidth", .controlId = 1219, .bound = &LineWidth,
              .defaultValue = 1, .min = 1, .max = 99});
}

void ChartViewState::Serialize(CArchive& ar, CTarvekDoc& doc) {
    settings.Serialize(ar, doc.fileVersion);
    ar.Io(title);
    ar.Io(notes);
}

}  // namespace ondrel
