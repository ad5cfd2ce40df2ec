#include "gui/views/chart/ChartCulling.h"

#include <algorithm>
#include <cmath>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"

namespace ondrel::gui {
namespace {

// Cells per tile side: a screenful covers a handful of tiles.
constexpr int kCellsPerTile = 8;
// A box over more tiles than this is listed once, as everywhere.
constexpr double kMostTilesPerBox = 64.0;

std::int32_t TileIndex(double coordinate, double tile) {
    const double index = std::floor(coordinate / tile);
    return static_cast<std::int32_t>(std::clamp(index, -2.0e9, 2.0e9));
}

std::uint64_t TileKey(std::int32_t column, std::int32_t row) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(column)) << 32) |
           static_cast<std::uint32_t>(row);
}

// A word-at-a-time hash of the values the index depends on: cheap enough to take at every
// layout of a large chart.
struct Hash {
    std::uint64_t value = 0x9E3779B97F4A7C15ull;
    void Add(std::int64_t v) {
        value ^= static_cast<std::uint64_t>(v) + 0x9E3779B97F4A7C15ull + (value << 6) + (value >> 2);
    }
};

}  // namespace

QRectF BlockBox(const ChartGeometry& g, const QPoint& centre) {
    const double halfW = std::max(g.cellWidth, g.valueTextWidth) + 2.0;
    const double halfH = g.cellHeight + 2.0;
    return {centre.x() - halfW, -centre.y() - halfH, 2 * halfW, 2 * halfH};
}

QRectF ConnectorBox(const ConnectorPoints& p, double margin) {
    double left = p[0].x, right = p[0].x, top = -p[0].y, bottom = -p[0].y;
    for (const ChartPoint& point : p) {
        left = std::min<double>(left, point.x);
        right = std::max<double>(right, point.x);
        top = std::min<double>(top, -point.y);
        bottom = std::max<double>(bottom, -point.y);
    }
    return QRectF(left, top, right - left, bottom - top).adjusted(-margin, -margin, margin, margin);
}

double ConnectorMargin(const ChartGeometry& g, const ondrel::ChartViewState& state) {
    return state.LineWidth + g.valueTextWidth;
}

std::uint64_t ChartCulling::LookFingerprint(const ondrel::ChartViewState& state, const ChartGeometry& g) {
    Hash h;
    for (std::int64_t v : {std::int64_t{g.cellWidth}, std::int64_t{g.cellHeight}, std::int64_t{g.originX},
                           std::int64_t{g.originY}, std::int64_t{g.valueTextWidth}, std::int64_t{g.lineOffset},
                           std::int64_t{state.LineWidth}, std::int64_t{state.DeltaVert},
                           std::int64_t{state.DeltaHoriz}, std::int64_t{std::llround(state.MagBmp * 1e6)}}) {
        h.Add(v);
    }
    return h.value;
}

std::uint64_t ChartCulling::ChartFingerprint(const ondrel::CTarvekDoc& doc) {
    Hash h;
    for (const auto& block : doc.blockList) {
        h.Add(reinterpret_cast<std::intptr_t>(block.get()));
        h.Add((std::int64_t{block->position.x} << 32) ^ static_cast<std::uint32_t>(block->position.y));
        h.Add(block->flipped * 8 + block->inputCount);
        for (int k = 1; k <= 3; ++k) {
            h.Add(reinterpret_cast<std::intptr_t>(block->input[k]));
            for (std::int32_t v : block->route[k]) h.Add(v);
        }
    }
    return h.value;
}

void ChartCulling::Update(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state,
                          const ChartGeometry& g) {
    const std::uint64_t look = LookFingerprint(state, g);
    // A list of another length was changed behind the view's back (a document emptied and
    // refilled, say): the pointers the index holds may be stale, so it is looked at anew.
    const bool sameList = listed_.size() == doc.blockList.size();
    if (built_ && !chartChanged_ && sameList && look == lookFingerprint_) return;
    // Many announced changes leave every box where it was (a run, a snapshot, a label): the
    // fingerprint tells, for far less than a rebuild.
    const std::uint64_t chart = ChartFingerprint(doc);
    chartChanged_ = false;
    if (built_ && sameList && look == lookFingerprint_ && chart == chartFingerprint_) return;
    lookFingerprint_ = look;
    chartFingerprint_ = chart;
    Rebuild(doc, state, g);
}

void ChartCulling::Rebuild(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state,
                           const ChartGeometry& g) {
    built_ = true;
    tileWidth_ = std::max(1.0, double{kCellsPerTile} * g.cellWidth);
    tileHeight_ = std::max(1.0, double{kCellsPerTile} * g.cellHeight);
    blocks_ = {};
    connectors_ = {};
    listed_.clear();
    listed_.reserve(doc.blockList.size());
    const ConnectorMetrics metrics = ViewConnectorMetrics(g, state);
    const double margin = ConnectorMargin(g, state);
    for (std::size_t i = 0; i < doc.blockList.size(); ++i) {
        const CBlock& block = *doc.blockList[i];
        listed_.push_back(&block);
        const auto item = static_cast<std::uint32_t>(i);
        if (!IsPlaceholder(block)) Insert(blocks_, BlockBox(g, CellCentre(g, block.position)), item);
        for (int k = 1; k <= 3; ++k) {
            if (block.inputCount == 0 || block.input[k] == nullptr) continue;
            const ConnectorPoints p = ConnectorGeometry(block, k, *block.input[k], block.route[k], metrics);
            Insert(connectors_, ConnectorBox(p, margin), item * 4 + static_cast<std::uint32_t>(k));
        }
    }
}

void ChartCulling::Insert(Tiles& into, const QRectF& box, std::uint32_t item) const {
    const std::int32_t left = TileIndex(box.left(), tileWidth_);
    const std::int32_t right = TileIndex(box.right(), tileWidth_);
    const std::int32_t top = TileIndex(box.top(), tileHeight_);
    const std::int32_t bottom = TileIndex(box.bottom(), tileHeight_);
    const double tiles = (static_cast<double>(right) - left + 1) * (static_cast<double>(bottom) - top + 1);
    if (tiles > kMostTilesPerBox) {
        into.everywhere.push_back(item);
        return;
    }
    for (std::int32_t column = left; column <= right; ++column) {
        for (std::int32_t row = top; row <= bottom; ++row) into.tiles[TileKey(column, row)].push_back(item);
    }
}

void ChartCulling::Collect(const Tiles& from, const QRectF& world, std::vector<std::uint32_t>& found) const {
    found = from.everywhere;
    const std::int32_t left = TileIndex(world.left(), tileWidth_);
    const std::int32_t right = TileIndex(world.right(), tileWidth_);
    const std::int32_t top = TileIndex(world.top(), tileHeight_);
    const std::int32_t bottom = TileIndex(world.bottom(), tileHeight_);
    // A rectangle wider than the chart's tiles is answered from the tiles there are.
    const double tiles = (static_cast<double>(right) - left + 1) * (static_cast<double>(bottom) - top + 1);
    if (tiles > static_cast<double>(from.tiles.size())) {
        for (const auto& [key, items] : from.tiles) {
            const auto column = static_cast<std::int32_t>(key >> 32);
            const auto row = static_cast<std::int32_t>(key & 0xFFFFFFFFu);
            if (column >= left && column <= right && row >= top && row <= bottom)
                found.insert(found.end(), items.begin(), items.end());
        }
    } else {
        for (std::int32_t column = left; column <= right; ++column) {
            for (std::int32_t row = top; row <= bottom; ++row) {
                const auto at = from.tiles.find(TileKey(column, row));
                if (at != from.tiles.end()) found.insert(found.end(), at->second.begin(), at->second.end());
            }
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
}

bool ChartCulling::Find(const ondrel::CTarvekDoc& doc, const QRectF& world, ChartItems& items) const {
    if (!built_ || listed_.size() != doc.blockList.size()) return false;
    std::vector<std::uint32_t> found;
    Collect(blocks_, world, found);
    items.blocks.clear();
    for (std::uint32_t i : found) {
        if (doc.blockList[i].get() != listed_[i]) return false;
        items.blocks.push_back(listed_[i]);
    }
    Collect(connectors_, world, found);
    items.connectors.clear();
    for (std::uint32_t c : found) {
        const std::uint32_t i = c / 4;
        if (doc.blockList[i].get() != listed_[i]) return false;
        items.connectors.push_back({listed_[i], static_cast<int>(c % 4)});
    }
    return true;
}

}  // namespace ondrel::gui
