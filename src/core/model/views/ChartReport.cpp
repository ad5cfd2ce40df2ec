#include "core/model/views/ChartReport.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/blocks/BlockToolbars.h"
#include "core/blocks/CBlock.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/TextViewState.h"
#include "core/platform/NumberFormat.h"
#include "core/platform/Platform.h"

namespace ondrel {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr char kTab = '\t';

// One input that a block feeds: the target and its row (1..3).
struct Feed {
    const CBlock* target;
    int row;
};
// Every block's feeds, found in one pass over the chart in block-list order and rows 1..3,
// so the report never searches the whole chart for each block.
using FeedIndex = std::unordered_map<const CBlock*, std::vector<Feed>>;

FeedIndex IndexFeeds(const CTarvekDoc& doc) {
    FeedIndex feeds;
    for (const auto& block : doc.blockList)
        for (int s = 1; s <= 3; ++s)
            if (const CBlock* source = block->input[s]) feeds[source].push_back({block.get(), s});
    return feeds;
}

// The caption of the group of every tool name; a name on two bars belongs to the first.
std::unordered_map<std::string, std::string> GroupCaptions() {
    std::unordered_map<std::string, std::string> captions;
    for (const BlockToolbar& bar : BlockToolbars())
        for (const std::string& name : bar.ToolNames()) captions.emplace(name, bar.caption);
    return captions;
}

// The tests of the filters, prepared once for the whole chart.
class ReportFilter {
public:
    ReportFilter(const TextViewState& view, const CTarvekDoc& doc) : view_(view) {
        // Only chosen blocks still in the chart count (a chosen list never outlives its
        // blocks, but the labels are read only from blocks known to be alive).
        std::unordered_set<const CBlock*> present;
        for (const auto& block : doc.blockList) present.insert(block.get());
        for (const CBlock* chosen : view.chosen.blocks)
            if (present.contains(chosen)) labels_.insert(chosen->label);
        types_.insert(view.chosen.types.begin(), view.chosen.types.end());
        for (const BlockToolbar* bar : view.chosen.groups)
            if (bar) for (std::string& name : bar->ToolNames()) groupTools_.insert(std::move(name));
    }

    bool Keeps(const CBlock& block, const FeedIndex& feeds) const {
        return PassesBlockFilter(block) && PassesModeAndNotes(block) &&
               (!view_.FilterConnectionInputs || HasConnectedInput(block)) &&
               (!view_.FilterConnectionOutput || feeds.contains(&block));
    }

private:
    bool PassesBlockFilter(const CBlock& block) const {
        switch (view_.FilterBlocks) {
            case 0: return block.kind != BlockKind::Auxiliary;
            case 1: return labels_.contains(block.label);
            case 2: return types_.contains(std::string(block.typeName));
            case 3: return groupTools_.contains(std::string(block.typeName));
            default: return true;
        }
    }
    bool PassesModeAndNotes(const CBlock& block) const {
        if (view_.FilterMode == 1 && block.initFlag) return false;
        if (view_.FilterMode == 2 && !block.initFlag) return false;
        if (view_.FilterNotes == 1 && block.notes.empty()) return false;
        if (view_.FilterNotes == 2 && !block.notes.empty()) return false;
        return true;
    }
    static bool HasConnectedInput(const CBlock& block) {
        return block.input[1] || block.input[2] || block.input[3];
    }

    const TextViewState& view_;
    std::unordered_set<std::string> labels_;
    std::unordered_set<std::string> types_;
    std::unordered_set<std::string> groupTools_;
};

// The key SortBlocks (1..3) orders by.
std::string_view SortKey(const CBlock& block, int sortBlocks,
                         const std::unordered_map<std::string, std::string>& groups) {
    switch (sortBlocks) {
        case 1: return block.label;
        case 2: return block.typeName;
        default: {
            auto it = groups.find(std::string(block.typeName));
            return it == groups.end() ? std::string_view() : std::string_view(it->second);
        }
    }
}

// Repeated passes of adjacent swaps until nothing moves give the stable order; a stable sort
// gives the same order without the passes.
void SortReport(std::vector<const CBlock*>& blocks, const TextViewState& view) {
    if (view.SortBlocks >= 1 && view.SortBlocks <= 3) {
        const auto groups = view.SortBlocks == 3 ? GroupCaptions() : decltype(GroupCaptions()){};
        std::vector<std::pair<std::string_view, const CBlock*>> keyed;
        keyed.reserve(blocks.size());
        for (const CBlock* b : blocks) keyed.emplace_back(SortKey(*b, view.SortBlocks, groups), b);
        // Texts compare as unsigned characters: character-code order, case-sensitive.
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (std::size_t i = 0; i < blocks.size(); ++i) blocks[i] = keyed[i].second;
    }
    if (view.SortMode == 1)
        std::stable_partition(blocks.begin(), blocks.end(), [](const CBlock* b) { return !b->initFlag; });
    else if (view.SortMode == 2)
        std::stable_partition(blocks.begin(), blocks.end(), [](const CBlock* b) { return b->initFlag; });
}

// Whether text is well-formed UTF-8 (labels typed in the program are; old files may hold
// bytes of a single-byte code page).
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        std::size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 4;
        if (extra == 4 || text.size() - i - 1 < extra) return false;
        for (std::size_t k = 0; k < extra; ++k)
            if ((static_cast<unsigned char>(text[++i]) & 0xC0) != 0x80) return false;
    }
    return true;
}

class ReportWriter {
public:
    ReportWriter(const TextViewState& view, const CTarvekDoc& doc, std::string& out)
        : view_(view), doc_(doc), out_(out) {}

    void TitleLine(CalendarDate today) {
        out_ += doc_.GetTitle();
        if (!view_.title.empty()) out_.append(" : ").append(view_.title);
        char date[32];
        std::snprintf(date, sizeof date, "%02d/%02d/%02d", today.month % 100, today.day % 100,
                      ((today.year % 100) + 100) % 100);
        out_.append(1, kTab).append(date).append(kLineEnd).append(kLineEnd);
        if (view_.NotesDisplay && !view_.notes.empty()) out_.append(view_.notes).append(kLineEnd);
    }

    void Block(const CBlock& block, const FeedIndex& feeds) {
        out_ += kLineEnd;
        Field(block.label, 15).Field(block.typeName, 15).Value(ShownValue(block, doc_));
        out_.append(block.initFlag ? "Initialize" : "Normal").append(kLineEnd);
        for (int k = 1; k <= std::clamp(block.inputCount, 0, 3); ++k) {
            out_ += ' ';
            Field(block.inputLabel[k], 14);
            if (const CBlock* source = block.input[k]) {
                Field(source->label, 15).Field(source->typeName, 15);
                out_ += ReportNumber(ShownValue(*source, doc_));
            }
            out_ += kLineEnd;
        }
        for (int k = 1; k <= std::clamp(block.paramCount, 0, 3); ++k) {
            out_ += ' ';
            Field(block.paramLabel[k], 14).Value(block.param[k], false);
            out_ += kLineEnd;
        }
        if (view_.InfoOutConnections) OutConnections(block, feeds);
        if (view_.InfoNotes && !block.notes.empty()) out_.append(block.notes).append(kLineEnd);
    }

private:
    void OutConnections(const CBlock& block, const FeedIndex& feeds) {
        auto it = feeds.find(&block);
        if (it == feeds.end()) return;
        for (const Feed& feed : it->second) {
            out_ += "  ";
            Field(feed.target->label, 13).Field(feed.target->typeName, 15);
            out_.append("Input").append(1, static_cast<char>('0' + feed.row)).append(1, kTab);
            out_.append(ReportNumber(ShownValue(*feed.target, doc_))).append(kLineEnd);
        }
    }
    ReportWriter& Field(std::string_view text, std::size_t n) {
        out_.append(LeftChars(text, n)).append(1, kTab);
        return *this;
    }
    ReportWriter& Value(double value, bool tab = true) {
        out_ += ReportNumber(value);
        if (tab) out_ += kTab;
        return *this;
    }

    const TextViewState& view_;
    const CTarvekDoc& doc_;
    std::string& out_;
};

}  // namespace

std::vector<const CBlock*> ReportBlocks(const TextViewState& view, const CTarvekDoc& doc) {
    const FeedIndex feeds = view.FilterConnectionOutput ? IndexFeeds(doc) : FeedIndex{};
    const ReportFilter filter(view, doc);
    std::vector<const CBlock*> blocks;
    for (const auto& block : doc.blockList)
        if (filter.Keeps(*block, feeds)) blocks.push_back(block.get());
    SortReport(blocks, view);
    return blocks;
}

std::string ChartReportText(const TextViewState& view, const CTarvekDoc& doc, CalendarDate today) {
    const std::vector<const CBlock*> blocks = ReportBlocks(view, doc);
    const FeedIndex feeds = view.InfoOutConnections ? IndexFeeds(doc) : FeedIndex{};
    std::string text;
    text.reserve(64 + blocks.size() * 200);
    ReportWriter writer(view, doc, text);
    writer.TitleLine(today);
    for (const CBlock* block : blocks) writer.Block(*block, feeds);
    return text;
}

std::string ChartReportText(const TextViewState& view, const CTarvekDoc& doc) {
    return ChartReportText(view, doc, Platform().clock->Today());
}

std::string ReportNumber(double value) { return FormatNumber("%11.3e", value); }

double ShownValue(const CBlock& block, const CTarvekDoc& doc) {
    return block.initFlag ? block.value : block.ValueAt(doc.snapshotIndex);
}

std::string LeftChars(std::string_view text, std::size_t n) {
    if (text.size() <= n) return std::string(text);
    if (!IsUtf8(text)) return std::string(text.substr(0, n));
    std::size_t i = 0;
    for (std::size_t count = 0; i < text.size() && count < n; ++count) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) >> 6) == 0x2) ++i;
    }
    return std::string(text.substr(0, i));
}

}  // namespace ondrel
