#pragma once
// The chart document: every block of a chart (element 0 is always the Clock), the model
// parameters, the views, how the last run ended and the run under way, if any (the run
// itself belongs to the run driver).
#include <memory>
#include <string>
#include <vector>

#include <functional>

#include "core/blocks/BlockChart.h"
#include "core/blocks/CBlock.h"
#include "core/io/ChartFormat.h"
#include "core/model/DocumentView.h"
#include "core/model/RunControl.h"
#include "core/model/RunEnd.h"
#include "core/platform/FontDescription.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class BlockPositionIndex;

// The block colour palette: a new block takes entry (list length after the append) mod size.
inline constexpr int kPaletteSize = 7;
inline constexpr ColorRef kPalette[kPaletteSize] = {
    MakeColor(0, 0, 0),     MakeColor(0, 0, 255),   MakeColor(255, 0, 0), MakeColor(0, 255, 0),
    MakeColor(0, 255, 255), MakeColor(255, 0, 255), MakeColor(255, 255, 0),
};

// A block taken out of a chart with what it takes to put it back as it was: its place in the
// block list and the inputs it fed (each target with the row, 1..3).
struct DetachedBlock {
    struct FedInput {
        CBlock* target = nullptr;
        int k = 0;
    };
    std::unique_ptr<CBlock> block;  // null when nothing was taken out
    int index = -1;
    std::vector<FedInput> fedInputs;
};

class CTarvekDoc final : public IBlockChart {
public:
    // Adds the model settings (section "Model"); their members start from the profile.
    CTarvekDoc();
    ~CTarvekDoc();
    CTarvekDoc(const CTarvekDoc&) = delete;
    CTarvekDoc& operator=(const CTarvekDoc&) = delete;

    // --- life cycle -----------------------------------------------------------------------
    // The new-document path: the Clock at (0, 0) with its "Error" and "Count" outputs,
    // modified flag cleared, the Clock's output interval copied.
    void OnNewDocument();
    // The window title: the model title when not empty, otherwise the framework's title.
    std::string GetTitle() const;
    void SetFrameworkTitle(const std::string& title) { frameworkTitle_ = title; }
    // The document's name ("Chart1", or the file's name) whatever the model title says.
    const std::string& FrameworkTitle() const { return frameworkTitle_; }
    // Frees every block and empties every list (the document then holds no Clock).
    void DeleteContents();
    bool IsModified() const { return modified_; }
    void SetModifiedFlag(bool modified = true) { modified_ = modified; }

    // --- views ----------------------------------------------------------------------------
    void AddView(IDocumentView* view);
    void RemoveView(IDocumentView* view);
    const std::vector<IDocumentView*>& Views() const { return views_; }
    void UpdateAllViews(IDocumentView* sender, UpdateHint hint = UpdateHint::Refresh, CBlock* block = nullptr);

    // --- blocks ---------------------------------------------------------------------------
    // A new block of the type from the catalogue, not yet in the model; null for an id the
    // catalogue does not hold.
    std::unique_ptr<CBlock> CreateBlock(int typeId);
    // Sets the block's position, adds it and tells the views (BlockPlaced). Returns the block;
    // null for no block.
    CBlock* PlaceBlock(std::unique_ptr<CBlock> block, int x, int y);
    // Appends the block, colours it from the palette, tells the views (BlockAdded), marks
    // modified. Returns the block; null for no block.
    CBlock* AddBlock(std::unique_ptr<CBlock> block);
    // Clears every input that refers to block, tells the views (BlockDeleting), removes and
    // deletes it.
    void DeleteBlock(CBlock* block);
    // Everything DeleteBlock does except destroying the block: it comes back with its place
    // and the inputs it fed. Nothing is taken out (block null) for the Clock, its outputs or
    // a block that is not in the list.
    DetachedBlock DetachBlock(CBlock* block);
    // Puts a detached block back at its place, every input it fed takes it again (their route
    // records were never changed), tells the views (BlockAdded, Refresh), marks modified. Returns the block.
    CBlock* ReattachBlock(DetachedBlock detached);
    // Inserts block at index of the block list (kept behind the Clock and within the list),
    // tells the views (BlockAdded), marks modified. Returns the block; null for no block.
    CBlock* InsertBlock(int index, std::unique_ptr<CBlock> block);
    // Re-routes the block's own connectors and those that come from it, then tells the views
    // (Refresh).
    void RerouteBlock(CBlock* block);
    // input k of target <- source, then routes that connector and tells the views (Refresh).
    void ConnectInput(CBlock* target, int k, CBlock* source);
    // Copies label, link letter, colour, notes, flipped and the parameters.
    static void CopyBlockAttributes(const CBlock& from, CBlock& to);
    // Appends a block that is not user-placed (the Clock's auxiliary outputs).
    CBlock* AppendAuxiliaryBlock(std::unique_ptr<CBlock> block) override;
    CBlock* Clock() const { return blockList.empty() ? nullptr : blockList.front().get(); }
    // A block of this chart that may leave it: not the Clock, not one of its outputs.
    bool CanDelete(const CBlock* block) const;
    int IndexOf(const CBlock* block) const;  // -1 when not in the list
    // The first (how inputs are resolved) or the last (how views refer to blocks) block of
    // the list at position; null when none is there.
    CBlock* FirstBlockAt(GridPoint position) const override;
    CBlock* LastBlockAt(GridPoint position) const;
    // While a chart is read, the two look-ups above go through one index of the list built
    // here, instead of a scan of the list each. Only appending to the list keeps the index
    // valid: it is dropped as soon as the reading is done.
    void IndexBlockPositions();
    void DropBlockPositionIndex();

    // Chooses and stores the route of input k of target (already connected) against the
    // lanes the other connectors hold; shows "Line Error" and hands out a link letter when
    // no path is free.
    // Tells no view: it is a step of a change (connecting, moving, rerouting) that does.
    void RouteConnector(CBlock* target, int k);
    // Routes every connector again, in block-list order and inputs 1..3 of each block, each
    // against the records the others hold at that moment, then tells the views (Refresh).
    void RerouteAll();

    // --- run (the run driver, core/engine, runs the chart) --------------------------------
    // The run driver registers its run here for as long as the run lasts; null: none.
    void SetRunUnderWay(IRunControl* run) { run_ = run; }
    bool HasRunUnderWay() const { return run_ != nullptr; }
    const IRunControl* RunUnderWay() const { return run_; }
    // A run is under way and nothing has asked it to stop yet.
    bool IsRunning() const { return run_ != nullptr && run_->Running(); }
    // The simulated time the run under way has reached; 0 when none is under way.
    double RunTime() const { return run_ != nullptr ? run_->Time() : 0.0; }
    // The user's stop of the run under way; nothing without one.
    void OnTerminateRun() {
        if (run_ != nullptr) run_->RequestUserStop();
    }
    // How the last run ended (None before the first, and for a new or loaded chart).
    const RunEnd& LastRunEnd() const { return runEnd_; }
    void SetLastRunEnd(const RunEnd& end) { runEnd_ = end; }

    // Members, in the order the document keeps them.
    double fileVersion = kProgramFileVersion;
    double errorLimit = 0.0;
    double simulationEnd = 0.0;
    double outputInterval = 0.0;
    int snapshotIndex = 0;
    std::vector<std::unique_ptr<CBlock>> blockList;  // owns the blocks; [0] is the Clock
    std::vector<CBlock*> auxList;  // the Clock's outputs, in the order they were added
    double maxSteps = 100.0;
    // Told of the block a message is about just before the message shows, so that a window
    // can show which block it means (two blocks may share a label).
    std::function<void(const CBlock&)> blockMessageObserver;
    void NoteMessageAbout(const CBlock& block) const {
        if (blockMessageObserver) blockMessageObserver(block);
    }
    std::string title;
    bool connectorDebug = false;
    // While the debug display shows a candidate: the connector being routed (its candidate
    // path is target->route[k]), so a chart view can pick it out. Empty otherwise.
    struct RoutingCandidate {
        CBlock* target = nullptr;
        int k = 0;
    } debugCandidate;
    int nextLinkLetter = kFirstLinkLetter;
    bool printMode = false;
    int vertLines = 5;
    int horizLines = 5;
    int maxSort = 500;
    int intStyle = 0;
    CSettingsGroup modelSettings;

private:
    // The Clock's "Error" and "Count" outputs, appended after the Clock.
    void CreateClockOutputs();

    std::vector<IDocumentView*> views_;
    std::unique_ptr<BlockPositionIndex> positionIndex_;
    std::string frameworkTitle_;
    bool modified_ = false;
    IRunControl* run_ = nullptr;
    RunEnd runEnd_;
};

// The document holding block; null for a block in no chart.
inline CTarvekDoc* DocumentOf(const CBlock& block) { return dynamic_cast<CTarvekDoc*>(block.chart); }

}  // namespace ondrel
