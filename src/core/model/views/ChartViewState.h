#pragma once
// What a chart view keeps of itself: its look (settings section "MainView"), its title and
// its notes. Every setting starts from the profile; a chart file's record replaces them.
//
// Record: the settings (each item present in files from kChartViewSettingsSince on), then the
// title and the notes as strings.
#include "core/io/ChartFormat.h"
#include "core/model/views/ViewState.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class ChartViewState : public ViewState {
public:
    ChartViewState();

    ViewKind Kind() const override { return ViewKind::Chart; }
    void Serialize(CArchive& ar, CTarvekDoc& doc) override;

    CSettingsGroup settings;

    int HoldSiz = 2;          // half-size of a holding mark
    ColorRef Hold = MakeColor(255, 0, 0);
    bool HoldDisp = true;     // holding marks displayed
    int LinesX = 15;          // horizontal room per cell for connector lines
    int LinesY = 15;          // vertical room per cell for connector lines
    int DeltaVert = 2;        // connector lane spacing, vertical lanes
    int DeltaHoriz = 2;       // connector lane spacing, horizontal lanes
    double MagBmp = 1.0;      // magnification of icons and markers
    int DisplayMode = 0;      // 0 colour, 1 monochrome
    FontDescription ChartLf;  // labels, values, link letters, page header and footer
    ColorRef ChartClr = kWindowTextColor;
    FontDescription NotesLf;
    ColorRef NotesClr = kWindowTextColor;
    bool NotesDisplay = false;
    bool SizeLock = true;     // rescale all sizes with the magnification
    bool NameDisplay = true;
    bool ValueDisplay = true;
    int LineWidth = 1;        // pen width of connector lines
};

}  // namespace ondrel
