#pragma once
// Paints a laid-out chart: notes, holding marks, port markers, connectors, labels and values,
// then the icons, in that order, so that later layers cover earlier ones.
#include <QColor>
#include <QRect>
#include <QString>
#include <unordered_set>
#include <vector>

#include "core/model/views/ChartPages.h"
#include "gui/views/chart/ChartCulling.h"
#include "gui/views/chart/ChartLayout.h"
#include "gui/views/chart/IconCache.h"

class QPainter;

namespace ondrel {
class CBlock;
class CTarvekDoc;
class ChartViewState;
}  // namespace ondrel

namespace ondrel::gui {

class PrintedIcons;

// Input `input` of block `target`: one connector.
struct PageConnector {
    const ondrel::CBlock* target = nullptr;
    int input = 1;
};

// What a printed page adds to the drawing: its place among the pages, the header and footer
// texts, the print rectangle (chart units, bottom negative) and the icons' bitmaps.
struct ChartPrintPage {
    ondrel::ChartPagination pagination;
    ondrel::PagePosition at;
    QString title;     // the document title, " : " and the view title when there is one
    QString label;     // the page label ("" on a one-page chart)
    QString pathName;  // the document's path
    QString date;      // today, "%m/%d/%y"
    int printRight = 0;
    int printBottom = 0;
    PrintedIcons* icons = nullptr;
    // What can show on this page, when known (null: every block and connector is tried), so
    // that printing a large chart costs each page only its own share.
    const std::vector<const ondrel::CBlock*>* blocks = nullptr;
    const std::vector<PageConnector>* connectors = nullptr;
};

struct ChartPaintJob {
    const ondrel::CTarvekDoc& doc;
    const ondrel::ChartViewState& state;
    const ChartGeometry& geometry;
    IconCache& icons;
    TextWidthCache& textWidths;
    const ondrel::CBlock* selected = nullptr;
    // The blocks of a selected group, all drawn inverted like the selected block.
    const std::unordered_set<const ondrel::CBlock*>* group = nullptr;
    bool IsSelected(const ondrel::CBlock& block) const {
        return &block == selected || (group != nullptr && group->contains(&block));
    }
    bool printing = false;       // a printed page: no holding marks, notes lower down
    QColor windowColor = Qt::white;  // background of text
    bool holdingMarks = true;    // shown on screen; never on paper, and not in exported images
    // The page being printed: header and footer, its own blocks only, connectors clipped to
    // the band between header and footer, icons from bitmaps. Null on screen and in images.
    const ChartPrintPage* page = nullptr;
    // The index of what lies where, when the painter has one for this chart: only what it
    // finds in the visible rectangle is looked at. Without, every block and connector is.
    const ChartCulling* culling = nullptr;
};

// The value shown above a block: its own value while it is an initialisation block, else
// its newest sample during a run and its recorded sample at the snapshot index (0 beyond
// the samples) otherwise, as "%.3e".
QString ShownValueText(const ondrel::CTarvekDoc& doc, const ondrel::CBlock& block);

// Paints job's chart with its logical origin at area.topLeft() (device coordinates of the
// painter as it is), at dotsPerInch. Only what lies inside area and the painter's clip is
// painted. The painter is left as it was.
void PaintChart(QPainter& painter, const QRect& area, double dotsPerInch, const ChartPaintJob& job);

}  // namespace ondrel::gui
