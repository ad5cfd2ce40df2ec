#include "core/model/ChartLanes.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/model/LaneOccupancy.h"

namespace ondrel {

namespace {

// Pieces are bands of 64 lines (a boundary's lanes at the usual spacing fall in one or two)
// along stretches of 256 chart units (a few cells); a lane along more than 16 stretches is
// filed by its band alone.
constexpr int kBandShift = 6;
constexpr int kStretchShift = 8;
constexpr std::int64_t kMostStretchesPerLane = 16;

// Floor division by a power of two, for coordinates either side of the origin.
std::int64_t BandOf(std::int64_t line) { return line >> kBandShift; }
std::int64_t StretchOf(std::int64_t coordinate) { return coordinate >> kStretchShift; }

bool IsHorizontal(const ConnectorSegment& s) { return s.a.y == s.b.y; }
bool IsVertical(const ConnectorSegment& s) { return s.a.x == s.b.x; }

// A lane of one direction: the line it runs along, its range along the line, whose it is.
struct Lane {
    std::int64_t line;
    std::int64_t low;
    std::int64_t high;
    const CBlock* source;
    std::uint32_t piece;  // connector id x 3 + segment
};

struct Key {
    std::int64_t band = 0;
    std::int64_t stretch = 0;
    bool operator==(const Key&) const = default;
};

// A lane as filed in a piece, relative to the piece's corner: a quarter of the cache line a
// full lane would take, so that most pieces fit in one line.
struct PieceLane {
    const CBlock* source;
    std::int32_t low;
    std::int32_t high;
    std::uint32_t piece;
    std::uint8_t line;

    // Within a piece every lane lies within a few thousand units of the corner; a query's
    // ends are clamped to a range beyond that, which keeps every comparison's outcome.
    static std::int32_t Relative(std::int64_t coordinate, std::int64_t corner) {
        constexpr std::int64_t kFar = std::int64_t{1} << 30;
        return static_cast<std::int32_t>(std::clamp(coordinate - corner, -kFar, kFar));
    }
    static PieceLane From(const Lane& lane, const Key& key) {
        return {lane.source, Relative(lane.low, key.stretch << kStretchShift),
                Relative(lane.high, key.stretch << kStretchShift), lane.piece,
                static_cast<std::uint8_t>(lane.line - (key.band << kBandShift))};
    }
    bool SameAs(const PieceLane& o) const {
        return piece == o.piece && line == o.line && low == o.low && high == o.high;
    }
    // query as From made it: the same line, ranges that touch, another source.
    bool Blocks(const PieceLane& query) const {
        return line == query.line && low <= query.high && high >= query.low && source != query.source;
    }
};

// A lane filed by band alone, as it is.
struct WideLane {
    Lane lane;
    static WideLane From(const Lane& lane, const Key&) { return {lane}; }
    bool SameAs(const WideLane& o) const {
        return lane.piece == o.lane.piece && lane.line == o.lane.line && lane.low == o.lane.low &&
               lane.high == o.lane.high;
    }
    bool Blocks(const WideLane& q) const {
        return lane.line == q.lane.line && lane.low <= q.lane.high && lane.high >= q.lane.low &&
               lane.source != q.lane.source;
    }
};

// Items filed by key: a flat table of the keys in use (open addressing), each with a chain
// of chunks of one cache line. The table keeps the keys of a 4 x 4 block of pieces side by
// side, so that neighbouring pieces share cache lines.
template <typename Item>
class KeyedChains {
public:
    void Reserve(std::size_t keys) {
        std::size_t size = 16;
        while (size < 2 * keys) size *= 2;
        if (size > slots_.size() && used_ == 0) slots_.assign(size, Slot{});
        chunks_.reserve(keys);
    }

    void Insert(const Key& key, const Item& item) {
        if (2 * (used_ + 1) > slots_.size()) Grow();
        const std::size_t at = SlotOf(key);
        if (slots_[at].chunk == kNone) {
            slots_[at] = {key, static_cast<std::uint32_t>(chunks_.size())};
            chunks_.emplace_back();
            ++used_;
        }
        // The first chunk of the chain with room, or a new one at its end. By index: a new
        // chunk may move them all.
        std::uint32_t chunk = slots_[at].chunk;
        while (chunks_[chunk].count == kPerChunk) {
            if (chunks_[chunk].next == kNone) {
                chunks_[chunk].next = static_cast<std::uint32_t>(chunks_.size());
                chunks_.emplace_back();
            }
            chunk = chunks_[chunk].next;
        }
        Chunk& room = chunks_[chunk];
        room.items[room.count++] = item;
    }

    void Erase(const Key& key, const Item& item) {
        if (used_ == 0) return;
        for (std::uint32_t chunk = slots_[SlotOf(key)].chunk; chunk != kNone; chunk = chunks_[chunk].next) {
            Chunk& c = chunks_[chunk];
            for (std::uint32_t i = 0; i < c.count; ++i) {
                if (!c.items[i].SameAs(item)) continue;
                c.items[i] = c.items[--c.count];
                return;
            }
        }
    }

    // Whether an item filed at key blocks the query.
    bool Blocks(const Key& key, const Item& query) const {
        if (used_ == 0) return false;
        for (std::uint32_t chunk = slots_[SlotOf(key)].chunk; chunk != kNone; chunk = chunks_[chunk].next) {
            const Chunk& c = chunks_[chunk];
            for (std::uint32_t i = 0; i < c.count; ++i) {
                if (c.items[i].Blocks(query)) return true;
            }
        }
        return false;
    }

    std::size_t Size() const { return used_; }

    template <typename Visit>
    void ForEachKey(Visit&& visit) const {
        for (const Slot& slot : slots_)
            if (slot.chunk != kNone) visit(slot.key);
    }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    static constexpr std::size_t kLine = 64;
    static constexpr std::size_t kPerChunk = std::max<std::size_t>(1, (kLine - 8) / sizeof(Item));
    struct alignas(kLine) Chunk {
        std::array<Item, kPerChunk> items;
        std::uint32_t count = 0;
        std::uint32_t next = kNone;
    };
    struct Slot {
        Key key;
        std::uint32_t chunk = kNone;  // the key's first chunk; kNone: a free slot
    };

    static std::size_t Home(const Key& key) {
        std::uint64_t h = static_cast<std::uint64_t>(key.band >> 2) * 0x9E3779B97F4A7C15ull;
        h ^= static_cast<std::uint64_t>(key.stretch >> 2) + 0x632BE59BD9B4E019ull + (h << 6) + (h >> 2);
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 31;
        return static_cast<std::size_t>(h + static_cast<std::uint64_t>((key.band & 3) * 4 + (key.stretch & 3)));
    }
    // Where key is, or the free slot it would take.
    std::size_t SlotOf(const Key& key) const {
        const std::size_t mask = slots_.size() - 1;
        std::size_t i = Home(key) & mask;
        while (slots_[i].chunk != kNone && !(slots_[i].key == key)) i = (i + 1) & mask;
        return i;
    }
    // Keeps at least half the slots free, so that a probe ends soon.
    void Grow() {
        std::vector<Slot> old(std::max<std::size_t>(16, slots_.size() * 2));
        old.swap(slots_);
        for (const Slot& slot : old) {
            if (slot.chunk != kNone) slots_[SlotOf(slot.key)] = slot;
        }
    }

    std::vector<Slot> slots_;    // a power of two long, or empty
    std::size_t used_ = 0;
    std::vector<Chunk> chunks_;  // in the order the keys first took them
};

}  // namespace

// One direction's lanes: by band and stretch, and those that reach along more stretches than
// they are worth filing in by band alone.
class ChartLanes::Direction {
public:
    explicit Direction(std::size_t pieces) { pieces_.Reserve(pieces); }

    void Insert(const Lane& lane) {
        const std::int64_t band = BandOf(lane.line);
        const std::int64_t first = StretchOf(lane.low);
        const std::int64_t last = StretchOf(lane.high);
        if (last - first >= kMostStretchesPerLane) {
            wide_.Insert({band, 0}, {lane});
            return;
        }
        for (std::int64_t stretch = first; stretch <= last; ++stretch) {
            const Key key{band, stretch};
            pieces_.Insert(key, PieceLane::From(lane, key));
        }
    }

    void Erase(const Lane& lane) {
        const std::int64_t band = BandOf(lane.line);
        const std::int64_t first = StretchOf(lane.low);
        const std::int64_t last = StretchOf(lane.high);
        if (last - first >= kMostStretchesPerLane) {
            wide_.Erase({band, 0}, {lane});
            return;
        }
        for (std::int64_t stretch = first; stretch <= last; ++stretch) {
            const Key key{band, stretch};
            pieces_.Erase(key, PieceLane::From(lane, key));
        }
    }

    // A lane filed by stretch is in every stretch it covers, so the stretches of the query's
    // own range hold every one that overlaps it.
    bool Touches(const Lane& query) const {
        const std::int64_t band = BandOf(query.line);
        if (wide_.Blocks({band, 0}, {query})) return true;
        const std::int64_t first = StretchOf(query.low);
        const std::int64_t last = StretchOf(query.high);
        const auto blocksAt = [&](const Key& key) { return pieces_.Blocks(key, PieceLane::From(query, key)); };
        // A query longer than there are pieces filed (absurd coordinates) looks at those.
        if (static_cast<std::uint64_t>(last - first) >= pieces_.Size()) {
            bool touches = false;
            pieces_.ForEachKey([&](const Key& key) {
                if (!touches && key.band == band && key.stretch >= first && key.stretch <= last)
                    touches = blocksAt(key);
            });
            return touches;
        }
        for (std::int64_t stretch = first; stretch <= last; ++stretch) {
            if (blocksAt({band, stretch})) return true;
        }
        return false;
    }

private:
    KeyedChains<PieceLane> pieces_;
    KeyedChains<WideLane> wide_;  // by band, stretch 0
};

std::vector<RoutedConnector> GatherConnectors(const std::vector<std::unique_ptr<CBlock>>& blocks) {
    std::vector<RoutedConnector> connectors;
    connectors.reserve(blocks.size() * 3);
    for (const auto& block : blocks) {
        for (int k = 1; k <= 3; ++k) {
            CBlock* source = block->input[k];
            if (source == nullptr) continue;
            connectors.push_back({block.get(), source, k, PlaceOf(*block), PlaceOf(*source), block->route[k]});
        }
    }
    return connectors;
}

// About one piece per connector and direction; the tables grow when a chart needs more.
ChartLanes::ChartLanes(const std::vector<RoutedConnector>& connectors)
    : horizontal_(std::make_unique<Direction>(connectors.size())),
      vertical_(std::make_unique<Direction>(connectors.size())) {
    for (std::uint32_t id = 0; id < connectors.size(); ++id) Add(id, connectors[id]);
}

ChartLanes::~ChartLanes() = default;

// Calls apply(horizontal, lane) for each lane the connector holds; a segment reduced to a
// point goes to both directions, as it lies on both lines. A connector without a line holds
// none: it is shown by link letters.
template <typename Apply>
void ChartLanes::ForEachSpan(std::uint32_t id, const RoutedConnector& c, Apply&& apply) {
    if (c.record[kRouteTargetLane] == kNoRoute) return;
    const auto segments = LaneSegments(ConnectorGeometry(c.targetPlace, c.k, c.sourcePlace, c.record));
    for (std::uint32_t n = 0; n < 3; ++n) {
        const ConnectorSegment& s = segments[n];
        if (IsHorizontal(s)) {
            apply(true, Lane{s.a.y, std::min(s.a.x, s.b.x), std::max(s.a.x, s.b.x), c.source, id * 3 + n});
        }
        if (IsVertical(s)) {
            apply(false, Lane{s.a.x, std::min(s.a.y, s.b.y), std::max(s.a.y, s.b.y), c.source, id * 3 + n});
        }
    }
}

void ChartLanes::Add(std::uint32_t id, const RoutedConnector& connector) {
    ForEachSpan(id, connector, [this](bool horizontal, const Lane& lane) {
        (horizontal ? *horizontal_ : *vertical_).Insert(lane);
    });
}

void ChartLanes::Remove(std::uint32_t id, const RoutedConnector& connector) {
    ForEachSpan(id, connector, [this](bool horizontal, const Lane& lane) {
        (horizontal ? *horizontal_ : *vertical_).Erase(lane);
    });
}

bool ChartLanes::Collides(const ConnectorPoints& candidate, const CBlock* source) const {
    for (const auto& s : LaneSegments(candidate)) {
        if (IsHorizontal(s) &&
            horizontal_->Touches({s.a.y, std::min(s.a.x, s.b.x), std::max(s.a.x, s.b.x), source, 0})) {
            return true;
        }
        if (IsVertical(s) &&
            vertical_->Touches({s.a.x, std::min(s.a.y, s.b.y), std::max(s.a.y, s.b.y), source, 0})) {
            return true;
        }
    }
    return false;
}

}  // namespace ondrel
