#pragma once
// Paints a laid-out chart: notes, holding marks, port markers, connectors, labels and values,
// then the icons, in that order, so that later layers cover earlier ones.
#include <QColor>
#include <QRect>
#include <QString>
#include <unordered_set>

#include "views/chart/ChartLayout.h"
#include "views/chart/IconCache.h"

class QPainter;

namespace ondrel {
class CBlock;
class CTarvekDoc;
class ChartViewState;
}  // namespace ondrel

namespace ondrel::gui {

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
