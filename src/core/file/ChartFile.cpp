#include "core/file/ChartFile.h"

#include <cmath>

#include "core/blocks/CBlock.h"
#include "core/engine/RunDriver.h"
#include "core/io/CArchive.h"
#include "core/io/ChartFormat.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ViewRecords.h"

namespace ondrel {
namespace {

constexpr std::size_t kBlockHeaderBytes = 2 + 4 + 4;
// The Clock's error and count outputs, added to the list when its record is read.
constexpr std::size_t kClockAuxiliaryOutputs = 2;

bool IsAuxiliary(const CBlock& block) { return block.kind == BlockKind::Auxiliary; }

// Goes to the sink of the read under way (ReadChart's).
bool Refuse(const char* message) {
    ReportLoadError(message);
    return false;
}

// Headers: type id and grid position of every block but the Clock's auxiliary outputs. A
// chart holds exactly one Clock and it comes first; anything else is not a chart we wrote.
bool ReadBlockHeaders(CArchive& ar, CTarvekDoc& doc) {
    std::int32_t count = ar.ReadInt32();
    if (ar.Failed() || count < 1 || !ar.CanRead(static_cast<std::uint64_t>(count), kBlockHeaderBytes))
        return Refuse(kInvalidData);
    // The list is grown once: the count was checked against the bytes left, and the Clock's
    // record adds its auxiliary outputs.
    doc.blockList.reserve(doc.blockList.size() + static_cast<std::size_t>(count) + kClockAuxiliaryOutputs);
    for (std::int32_t i = 0; i < count; ++i) {
        int typeId = ar.ReadUInt16();
        bool clockHere = typeId == kClockTypeId;
        std::unique_ptr<CBlock> block = (clockHere == (i == 0)) ? doc.CreateBlock(typeId) : nullptr;
        if (!block) return Refuse(kInvalidData);
        block->position.x = ar.ReadInt32();
        block->position.y = ar.ReadInt32();
        doc.AddBlock(std::move(block));
    }
    return !ar.Failed() || Refuse(kInvalidData);
}

// Records, in list order; the list grows while the Clock's record creates its outputs.
bool ReadBlockRecords(CArchive& ar, CTarvekDoc& doc) {
    for (std::size_t i = 0; i < doc.blockList.size(); ++i) {
        CBlock& block = *doc.blockList[i];
        if (IsAuxiliary(block)) continue;
        block.Serialize(ar);
        if (ar.Failed()) return Refuse(kInvalidData);
    }
    return true;
}

// A chart saved with samples shows their first values; one without is initialised.
void ShowFirstSamples(CTarvekDoc& doc) {
    CBlock* clock = doc.Clock();
    if (clock->history.empty()) {
        InitializeChart(doc);
        return;
    }
    for (auto& block : doc.blockList)
        if (!block->history.empty()) block->value = block->history.front();
    doc.outputInterval = clock->param[2];
    doc.UpdateAllViews(nullptr, UpdateHint::Refresh);
}

// Every stored position of the chart (inputs, view references) is resolved through one
// index of the blocks read, built once: a scan of the list per position grows with the square
// of the chart.
class PositionIndexScope {
public:
    explicit PositionIndexScope(CTarvekDoc& doc) : doc_(doc) { doc_.IndexBlockPositions(); }
    ~PositionIndexScope() { doc_.DropBlockPositionIndex(); }
    PositionIndexScope(const PositionIndexScope&) = delete;
    PositionIndexScope& operator=(const PositionIndexScope&) = delete;

private:
    CTarvekDoc& doc_;
};

}  // namespace

namespace {

// The samples make up nearly all of a large chart; everything else is a few hundred bytes a
// block.
std::size_t EstimatedChartBytes(const CTarvekDoc& doc) {
    std::size_t bytes = 4096;
    for (const auto& block : doc.blockList) bytes += 512 + block->history.size() * sizeof(double);
    return bytes;
}

}  // namespace

void WriteChart(CArchive& ar, CTarvekDoc& doc, IViewHost& host) {
    ar.Reserve(EstimatedChartBytes(doc));
    ar.WriteDouble(kProgramFileVersion);
    doc.modelSettings.Serialize(ar, kProgramFileVersion);
    ar.WriteString(doc.title);
    std::int32_t count = 0;
    for (const auto& block : doc.blockList)
        if (!IsAuxiliary(*block)) ++count;
    ar.WriteInt32(count);
    for (const auto& block : doc.blockList) {
        if (IsAuxiliary(*block)) continue;
        ar.WriteUInt16(static_cast<std::uint16_t>(block->typeId));
        ar.WriteInt32(block->position.x);
        ar.WriteInt32(block->position.y);
    }
    for (const auto& block : doc.blockList)
        if (!IsAuxiliary(*block)) block->Serialize(ar);
    WriteViewRecords(ar, doc, host);
}

bool ReadChart(CArchive& ar, CTarvekDoc& doc, IViewHost& host, IStatusSink& statuses) {
    const ScopedLoadErrorSink reporting(statuses);
    double version = ar.ReadDouble();
    // Written so that NaN fails: only a positive, finite, plausible version is a chart's.
    if (ar.Failed() || !(version > 0.0 && version <= kHighestPlausibleVersion)) return Refuse(kInvalidData);
    if (version > kProgramFileVersion) return Refuse(kNeedNewerVersion);
    doc.fileVersion = version;
    doc.modelSettings.Serialize(ar, version);
    if (version >= kModelTitleSince) doc.title = ar.ReadString();
    if (ar.Failed()) return Refuse(kInvalidData);
    if (!ReadBlockHeaders(ar, doc)) return false;
    {
        const PositionIndexScope indexed(doc);
        if (!ReadBlockRecords(ar, doc)) return false;
        if (!ReadViewRecords(ar, doc, host)) return Refuse(kInvalidData);
    }
    ShowFirstSamples(doc);
    return true;
}

std::vector<std::uint8_t> ChartBytes(CTarvekDoc& doc, IViewHost& host) {
    CArchive ar = CArchive::ForWriting();
    WriteChart(ar, doc, host);
    return ar.TakeBuffer();
}

}  // namespace ondrel
