#include "core/model/views/GraphViewState.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "core/io/CArchive.h"
#include "core/io/ChartFormat.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {
namespace {

// Dialog controls of the curve pages, by curve: colour, high, low, fixed, width, location.
struct CurveControls {
    int color, high, low, fixed, width, locn;
};
constexpr CurveControls kCurveControls[kMaxCurves] = {
    {1066, 1079, 1078, 1081, 1076, 1054},
    {1068, 1105, 1104, 1118, 1102, 1233},
    {1069, 1113, 1112, 1109, 1103, 1235},
};

constexpr const char* kSection = "GraphView";
constexpr double kSince = kGraphViewSettingsSince;

}  // namespace

ColorRef GraphViewState::DefaultCurveColor(int k) {
    switch (k) {
        case 1: return MakeColor(255, 0, 0);
        case 2: return MakeColor(0, 255, 0);
        case 3: return MakeColor(0, 0, 255);
        default: return MakeColor(0, 0, 0);
    }
}

GraphViewState::GraphViewState() {
    for (int k = 1; k <= kMaxCurves; ++k) axisSlots[k].Color = DefaultCurveColor(k);
    AddXAxisItems();
    for (int k = 1; k <= kMaxCurves; ++k) AddCurveItems(k);
    AddMiscItems();
}

// In every group the order of the items is the order of the record in chart files; the
// graph's settings are present in every file version.
void GraphViewState::AddXAxisItems() {
    GraphSlot& x = axisSlots[0];
    auto& s = xAxisSettings;
    s.SetSection(kSection);
    s.AddColor(kSince, kNoUntil, &x.Color, MakeColor(0, 0, 0), "Axis Color", 1073);
    s.AddDouble(kSince, kNoUntil, &x.High, 0.0, "Axis High", 1085, 0.0, 0.0);
    s.AddDouble(kSince, kNoUntil, &x.Low, 0.0, "Axis Low", 1084, 0.0, 0.0);
    s.AddCheck(kSince, kNoUntil, &x.Fixed, 0, "Axis Fixed", 1086);
    s.AddInt(kSince, kNoUntil, &x.Width, 0, "Axis Width", 1070, 0, 99);
    s.AddChoice(kSince, kNoUntil, &Grids, 0, "Axis Grids", 1229);
}

void GraphViewState::AddCurveItems(int k) {
    GraphSlot& c = axisSlots[k];
    const CurveControls& id = kCurveControls[k - 1];
    const std::string prefix = "Graph" + std::to_string(k) + " ";
    auto& s = curveSettings[k - 1];
    s.SetSection(kSection);
    s.AddColor(kSince, kNoUntil, &c.Color, DefaultCurveColor(k), prefix + "Color", id.color);
    s.AddDouble(kSince, kNoUntil, &c.High, 0.0, prefix + "High", id.high, 0.0, 0.0);
    s.AddDouble(kSince, kNoUntil, &c.Low, 0.0, prefix + "Low", id.low, 0.0, 0.0);
    s.AddCheck(kSince, kNoUntil, &c.Fixed, 0, prefix + "Fixed", id.fixed);
    s.AddInt(kSince, kNoUntil, &c.Width, 0, prefix + "Width", id.width, 0, 99);
    s.AddChoice(kSince, kNoUntil, &c.Locn, 0, prefix + "Locn", id.locn);
}

void GraphViewState::AddMiscItems() {
    auto& s = miscSettings;
    s.SetSection(kSection);
    s.AddFont(kSince, kNoUntil, &LabelsFont, nullptr, "LabelsFont", 1074);
    s.AddFont(kSince, kNoUntil, &LegendsFont, nullptr, "LegendsFont", 1075);
    s.AddFont(kSince, kNoUntil, &NotesFont, nullptr, "NotesFont", 1095);
    s.AddColor(kSince, kNoUntil, &NotesColor, kWindowTextColor, "NotesColor", -1095);
    s.AddCheck(kSince, kNoUntil, &DisplayNotes, 0, "DisplayNotes", 1097);
}

void GraphViewState::Serialize(CArchive& ar, CTarvekDoc& doc) {
    xAxisSettings.Serialize(ar, doc.fileVersion);
    for (auto& group : curveSettings) group.Serialize(ar, doc.fileVersion);
    miscSettings.Serialize(ar, doc.fileVersion);
    SerializeReferences(ar, doc);
    ar.Io(title);
    ar.Io(notes);
}

void GraphViewState::SerializeReferences(CArchive& ar, const CTarvekDoc& doc) {
    if (ar.IsStoring()) {
        const int count = std::clamp(curveCount, 0, kMaxCurves);
        ar.WriteInt32(count);
        for (int i = 0; i <= count; ++i) SerializeBlockReference(ar, doc, axisSlots[i].block);
        return;
    }
    const std::int32_t count = ar.ReadInt32();
    if (ar.Failed()) return;
    // The view has three curve slots: any other count is damage, not a graph.
    if (count < 0 || count > kMaxCurves || !ar.CanRead(static_cast<std::uint64_t>(count) + 1, 8)) {
        ar.Fail();
        return;
    }
    curveCount = count;
    for (int i = 0; i <= kMaxCurves; ++i) {
        if (i <= count) {
            SerializeBlockReference(ar, doc, axisSlots[i].block);
        } else {
            axisSlots[i].block.Clear();
        }
    }
}

void GraphViewState::CompleteDefaults(const CTarvekDoc& doc) {
    if (!axisSlots[0].block.IsEmpty()) return;
    CBlock* clock = doc.Clock();
    axisSlots[0].block.Set(clock);
    axisSlots[1].block.Set(clock);
    axisSlots[2].block.Clear();
    axisSlots[3].block.Clear();
    curveCount = 1;
}

void GraphViewState::ResetCurveToDefaults(int k) {
    if (k < 1 || k > kMaxCurves) return;
    GraphSlot& c = axisSlots[k];
    c.block.Clear();
    c.Color = DefaultCurveColor(k);
    c.High = 0.0;
    c.Low = 0.0;
    c.Fixed = 0;
    c.Width = 0;
    c.Locn = 0;
}

bool GraphViewState::CurveShown(int k) const {
    return k >= 1 && k <= std::min(curveCount, kMaxCurves) && !axisSlots[k].block.IsEmpty();
}

void GraphViewState::MoveCurveDown(int k) {
    GraphSlot& to = axisSlots[k];
    GraphSlot& from = axisSlots[k + 1];
    to.block = from.block;
    to.High = from.High;
    to.Low = from.Low;
    to.Fixed = from.Fixed;
    to.Width = from.Width;
    to.Locn = 0;
    ResetCurveToDefaults(k + 1);
}

void GraphViewState::DropCurve() { curveCount = std::max(curveCount - 1, 0); }

void GraphViewState::OnBlockDeleting(const CBlock& block, const CTarvekDoc& doc) {
    auto shows = [&](int k) { return axisSlots[k].block.block == &block; };
    if (shows(3)) {
        axisSlots[3].block.Clear();
        DropCurve();
    }
    if (shows(2)) {
        DropCurve();
        if (!axisSlots[3].block.IsEmpty()) MoveCurveDown(2);
        else axisSlots[2].block.Clear();
    }
    if (shows(1)) {
        DropCurve();
        if (!axisSlots[2].block.IsEmpty()) {
            MoveCurveDown(1);
            if (!axisSlots[3].block.IsEmpty()) MoveCurveDown(2);
        } else {
            // The graph keeps a curve: the document's second block, or the Clock when the
            // second one is the block going away (or there is none).
            CBlock* other = doc.blockList.size() >= 2 ? doc.blockList[1].get() : nullptr;
            if (other == nullptr || other == &block) other = doc.Clock();
            axisSlots[1].block.Set(other == &block ? nullptr : other);
            if (!axisSlots[1].block.IsEmpty()) curveCount = std::max(curveCount, 1);
        }
    }
    if (shows(0)) {
        CBlock* clock = doc.Clock();
        axisSlots[0].block.Set(clock == &block ? nullptr : clock);
    }
}

}  // namespace ondrel
