#include "core/model/CTarvekDoc.h"

#include "core/model/BlockPositionIndex.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "core/blocks/BlockCatalogue.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/ClockBlock.h"

namespace ondrel {
namespace {

void EraseAll(std::vector<CBlock*>& list, const CBlock* block) {
    list.erase(std::remove(list.begin(), list.end(), block), list.end());
}

}  // namespace

CTarvekDoc::CTarvekDoc() {
    // The section must be set first: each bound item reads the profile as it is added.
    // The order of the items is also their order in chart files.
    modelSettings.SetSection("Model");
    modelSettings.AddInt({.since = kFirstFileVersion, .until = kNoUntil, .name = "VertLines",
                          .controlId = 1032, .bound = &vertLines, .defaultValue = 5,
                          .min = 1, .max = 99});
    modelSettings.AddInt({.since = kFirstFileVersion, .until = kNoUntil, .name = "HorizLines",
                          .controlId = 1033, .bound = &horizLines, .defaultValue = 5,
                          .min = 1, .max = 99});
    modelSettings.AddInt({.since = kFirstFileVersion, .until = kNoUntil, .name = "MaxSort",
                          .controlId = 1196, .bound = &maxSort, .defaultValue = 500});
    modelSettings.AddChoice({.since = kFirstFileVersion, .until = kNoUntil, .name = "IntStyle",
                             .controlId = 1198, .bound = &intStyle, .defaultValue = 0});
    modelSettings.AddCheck({.since = kFirstFileVersion, .until = kNoUntil, .name = "PrintMode",
                            .controlId = 1201, .bound = &printMode, .defaultValue = false});
    modelSettings.AddDouble({.since = kMaxStepsSince, .until = kNoUntil, .name = "MaxSteps",
                             .controlId = 1204, .bound = &maxSteps, .defaultValue = 100.0});
}

CTarvekDoc::~CTarvekDoc() { DeleteContents(); }

void CTarvekDoc::DeleteContents() {
    runEnd_ = RunEnd{};  // a new or loaded chart has not been run here
    // The non-owning list goes first so that it never points at a freed block.
    auxList.clear();
    positionIndex_.reset();
    blockList.clear();
}

// --- life cycle ---------------------------------------------------------------------------

void CTarvekDoc::OnNewDocument() {
    DeleteContents();
    std::unique_ptr<CBlock> clock = CreateBlock(kClockTypeId);
    if (!clock) return;
    clock->position = GridPoint{0, 0};
    // Added like a user's block, so the Clock takes the palette colour of the first entry.
    AddBlock(std::move(clock));
    CreateClockOutputs();
    SetModifiedFlag(false);
    outputInterval = Clock()->param[2];
}

void CTarvekDoc::CreateClockOutputs() {
    if (auto* clock = dynamic_cast<CClockBlock*>(Clock())) clock->CreateAuxiliaryOutputs();
}

std::string CTarvekDoc::GetTitle() const { return title.empty() ? frameworkTitle_ : title; }

// --- views --------------------------------------------------------------------------------

void CTarvekDoc::AddView(IDocumentView* view) {
    if (view == nullptr) return;
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CTarvekDoc::RemoveView(IDocumentView* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CTarvekDoc::UpdateAllViews(IDocumentView* sender, UpdateHint hint, CBlock* block) {
    // A copy: a view may close itself (and detach) while it handles the hint.
    const std::vector<IDocumentView*> views = views_;
    for (IDocumentView* view : views) {
        if (view != sender) view->OnUpdate(sender, hint, block);
    }
}

// --- blocks -------------------------------------------------------------------------------

std::unique_ptr<CBlock> CTarvekDoc::CreateBlock(int typeId) {
    return CreateCatalogueBlock(typeId, this);
}

CBlock* CTarvekDoc::PlaceBlock(std::unique_ptr<CBlock> block, int x, int y) {
    if (!block) return nullptr;
    block->position = GridPoint{x, y};
    CBlock* placed = AddBlock(std::move(block));
    UpdateAllViews(nullptr, UpdateHint::BlockPlaced, placed);
    return placed;
}

CBlock* CTarvekDoc::AddBlock(std::unique_ptr<CBlock> block) {
    if (!block) return nullptr;
    block->chart = this;
    CBlock* added = block.get();
    blockList.push_back(std::move(block));
    // The colour cycles with the list length after the append, the Clock's outputs included.
    blockList.back()->color = kPalette[blockList.size() % kPaletteSize];
    UpdateAllViews(nullptr, UpdateHint::BlockAdded, nullptr);
    SetModifiedFlag(true);
    return added;
}

void CTarvekDoc::DeleteBlock(CBlock* block) { DetachBlock(block); }

DetachedBlock CTarvekDoc::DetachBlock(CBlock* block) {
    DetachedBlock detached;
    const int index = IndexOf(block);
    // The Clock and its two outputs carry the run's timing and are part of every chart;
    // removing them would leave the run driver and the Clock without their blocks.
    if (!CanDelete(block)) return detached;
    SetModifiedFlag(true);
    for (std::size_t i = 1; i < blockList.size(); ++i) {
        for (int k = 1; k <= 3; ++k) {
            if (blockList[i]->input[k] != block) continue;
            blockList[i]->input[k] = nullptr;
            detached.fedInputs.push_back({blockList[i].get(), k});
        }
    }
    UpdateAllViews(nullptr, UpdateHint::BlockDeleting, block);
    EraseAll(auxList, block);
    detached.index = index;
    detached.block = std::move(blockList[static_cast<std::size_t>(index)]);
    blockList.erase(blockList.begin() + index);
    return detached;
}

bool CTarvekDoc::CanDelete(const CBlock* block) const {
    return IndexOf(block) > 0 && std::find(auxList.begin(), auxList.end(), block) == auxList.end();
}

CBlock* CTarvekDoc::ReattachBlock(DetachedBlock detached) {
    CBlock* block = InsertBlock(detached.index, std::move(detached.block));
    if (block == nullptr) return nullptr;
    for (const DetachedBlock::FedInput& fed : detached.fedInputs) {
        // Only blocks still in the chart, and only rows they have.
        if (IndexOf(fed.target) < 0 || fed.k < 1 || fed.k > 3) continue;
        fed.target->input[fed.k] = block;
    }
    UpdateAllViews(nullptr, UpdateHint::Refresh, nullptr);
    return block;
}

CBlock* CTarvekDoc::InsertBlock(int index, std::unique_ptr<CBlock> block) {
    if (!block) return nullptr;
    block->chart = this;
    // Element 0 stays the Clock whatever index a caller kept.
    const int size = static_cast<int>(blockList.size());
    const int at = std::clamp(index, size > 0 ? 1 : 0, size);
    CBlock* inserted = block.get();
    blockList.insert(blockList.begin() + at, std::move(block));
    UpdateAllViews(nullptr, UpdateHint::BlockAdded, nullptr);
    SetModifiedFlag(true);
    return inserted;
}

void CTarvekDoc::RerouteBlock(CBlock* block) {
    if (block == nullptr) return;
    for (int k = 1; k <= 3; ++k) {
        if (block->input[k] != nullptr) RouteConnector(block, k);
    }
    for (const auto& target : blockList) {
        for (int k = 1; k <= 3; ++k) {
            if (target->input[k] == block) RouteConnector(target.get(), k);
        }
    }
    UpdateAllViews(nullptr, UpdateHint::Refresh, nullptr);
}

void CTarvekDoc::ConnectInput(CBlock* target, int k, CBlock* source) {
    // Only the rows the type offers can be connected.
    if (target == nullptr || k < 1 || k > 3 || k > target->inputCount) return;
    target->input[k] = source;
    if (source != nullptr) RouteConnector(target, k);
    UpdateAllViews(nullptr, UpdateHint::Refresh, nullptr);
}

void CTarvekDoc::CopyBlockAttributes(const CBlock& from, CBlock& to) {
    to.label = from.label;
    to.linkLetter = from.linkLetter;
    to.color = from.color;
    to.notes = from.notes;
    to.flipped = from.flipped;
    for (int k = 1; k <= 3; ++k) to.param[k] = from.param[k];
}

CBlock* CTarvekDoc::FirstBlockAt(GridPoint position) const {
    return positionIndex_ ? positionIndex_->First(position) : ScanFirstBlockAt(blockList, position);
}

CBlock* CTarvekDoc::LastBlockAt(GridPoint position) const {
    return positionIndex_ ? positionIndex_->Last(position) : ScanLastBlockAt(blockList, position);
}

void CTarvekDoc::IndexBlockPositions() { positionIndex_ = std::make_unique<BlockPositionIndex>(blockList); }

void CTarvekDoc::DropBlockPositionIndex() { positionIndex_.reset(); }

CBlock* CTarvekDoc::AppendAuxiliaryBlock(std::unique_ptr<CBlock> block) {
    if (!block) return nullptr;
    block->chart = this;
    CBlock* appended = block.get();
    blockList.push_back(std::move(block));
    auxList.push_back(appended);
    return appended;
}

int CTarvekDoc::IndexOf(const CBlock* block) const {
    for (std::size_t i = 0; i < blockList.size(); ++i) {
        if (blockList[i].get() == block) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace ondrel
