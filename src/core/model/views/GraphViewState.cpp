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
    s.AddColor({.name = "Axis Color", .controlId = 1073, .bound = &x.Color,
                .defaultValue = MakeColor(0, 0, 0)});
    s.AddDouble({.name = "Axis High", .controlId = 1085, .bound = &x.High, .defaultValue = 0.0});
    s.AddDouble({.name = "Axis Low", .controlId = 1084, .bound = &x.Low, .defaultValue = 0.0});
    s.AddCheck({.name = "Axis Fixed", .controlId = 1086, .bound = &x.Fixed, .defaultValue = false});
    s.AddInt({.name = "Axis Width", .controlId = 1070, .bound = &x.Width, .defaultValue = 0,
              .min = 0, .max = 99});
    s.AddChoice({.name = "Axis Grids", .controlId = 1229, .bound = &Grids, .defaultValue = 0});
}

void GraphViewState::AddCurveItems(int k) {
    GraphSlot& c = axisSlots[k];
    const CurveControls& id = kCurveControls[k - 1];
    const std::string prefix = "Graph" + std::to_string(k) + " ";
    auto& s = curveSettings[k - 1];
    s.SetSection(kSection);
    s.AddColor({.name = prefix + "Color", .controlId = id.color, .bound = &c.Color,
                .defaultValue = DefaultCurveColor(k)});
    s.AddDouble({.name = prefix + "High", .controlId = id.high, .bound = &c.High,
                 .defaultValue = 0.0});
    s.AddDouble({.name = prefix + "Low", .controlId = id.low, .bound = &c.Low,
                 .defaultValue = 0.0});
    s.AddCheck({.name = prefix + "Fixed", .controlId = id.fixed, .bound = &c.Fixed,
                .defaultValue = false});
    s.AddInt({.name = prefix + "Width", .controlId = id.width, .bound = &c.Width, .defaultValue = 0,
              .min = 0, .max = 99});
    s.AddChoice({.name = prefix + "Locn", .controlId = id.locn, .bound = &c.Locn,
                 .defaultValue = 0});
}

void GraphViewState::AddMiscItems() {
    auto& s = miscSettings;
    s.SetSection(kSection);
    s.AddFont({.name = "LabelsFont", .controlId = 1074, .bound = &LabelsFont});
    s.AddFont({.name = "LegendsFont", .controlId = 1075, .bound = &LegendsFont});
    s.AddFont({.name = "NotesFont", .controlId = 1095, .bound = &NotesFont});
    s.AddColor({.name = "NotesColor", .controlId = -1095, .bound = &NotesColor,
                .defaultValue = kWindowTextColor});
    s.AddCheck({.name = "DisplayNotes", .controlId = 1097, .bound = &DisplayNotes,
                .defaultValue = false});
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
    c.Fixed = false;
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
