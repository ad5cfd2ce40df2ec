#pragma once
// Which blocks and connectors of a laid-out chart can show in a rectangle, so that a repaint
// of a screenful of a large chart costs what the screenful holds. Blocks and connectors are
// kept in tiles of the chart by the boxes their drawing can touch; the index is rebuilt only
// when something it depends on (the geometry, a block's place or look, a connector's route)
// has changed since it was built.
//
// The document announces every change of its blocks and routes to its views; the view passes
// the news on with ChartChanged. Only then does the next update look at the whole chart (and
// rebuild when a place or a route really moved): a repaint with nothing announced costs what
// the rectangle holds, whatever the size of the chart.
#include <QRectF>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/model/ConnectorGeometry.h"
#include "gui/views/chart/ChartLayout.h"

namespace ondrel {
class CBlock;
class CTarvekDoc;
class ChartViewState;
}  // namespace ondrel

namespace ondrel::gui {

// The world box (chart units, y down) a block's drawing can touch: its cell and the text
// that may overhang it.
QRectF BlockBox(const ChartGeometry& g, const QPoint& centre);
// The world box of a connector's polyline, grown by margin on every side.
QRectF ConnectorBox(const ConnectorPoints& p, double margin);
// How far a connector's drawing (line width, link letters) reaches beyond its polyline.
double ConnectorMargin(const ChartGeometry& g, const ondrel::ChartViewState& state);

struct ChartItems {
    std::vector<const ondrel::CBlock*> blocks;                    // in list order
    std::vector<std::pair<const ondrel::CBlock*, int>> connectors;  // target and k, list order
};

class ChartCulling {
public:
    // The chart may have changed since the last update: the next one checks it.
    void ChartChanged() { chartChanged_ = true; }
    // Brings the index up to date with the chart as it is now, given that every change of
    // the chart since the last update was announced by ChartChanged.
    void Update(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state,
                const ChartGeometry& g);
    // The blocks and connectors whose boxes may meet world, in the order the chart's list
    // holds them; false when the index does not describe doc as it is (then every item may
    // show).
    bool Find(const ondrel::CTarvekDoc& doc, const QRectF& world, ChartItems& items) const;

private:
    using TileMap = std::unordered_map<std::uint64_t, std::vector<std::uint32_t>>;
    struct Tiles {
        TileMap tiles;
        std::vector<std::uint32_t> everywhere;  // boxes too large to list tile by tile
    };
    void Insert(Tiles& into, const QRectF& box, std::uint32_t item) const;
    void Collect(const Tiles& from, const QRectF& world, std::vector<std::uint32_t>& found) const;
    // What the boxes depend on: the view's look (a few values), and the chart's places,
    // orientations, sources and routes (a pass over the blocks).
    static std::uint64_t LookFingerprint(const ondrel::ChartViewState& state, const ChartGeometry& g);
    static std::uint64_t ChartFingerprint(const ondrel::CTarvekDoc& doc);
    void Rebuild(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state, const ChartGeometry& g);

    bool built_ = false;
    bool chartChanged_ = false;
    std::uint64_t lookFingerprint_ = 0;
    std::uint64_t chartFingerprint_ = 0;
    double tileWidth_ = 1.0;
    double tileHeight_ = 1.0;
    std::vector<const ondrel::CBlock*> listed_;  // the list the index was built from
    Tiles blocks_;      // items: list indexes
    Tiles connectors_;  // items: list index x 4 + k
};

}  // namespace ondrel::gui
