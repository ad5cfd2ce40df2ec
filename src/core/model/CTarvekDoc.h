#pragma once
// The chart document: every block of a chart (element 0 is always the Clock), the model
// parameters, the run lists the engine builds, and the run state that the engine, the run
// window and the output views read.
#include <memory>
#include <string>
#include <vector>

#include <functional>

#include "core/blocks/CBlock.h"
#include "core/engine/RunEnd.h"
#include "core/engine/CIntegrator.h"
#include "core/model/DocumentView.h"
#include "core/platform/FontDescription.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class BlockPositionIndex;
class CArchive;
class IRunWindow;
class IViewHost;

inline constexpr int kClockTypeId = 61589;
inline constexpr double kProgramFileVersion = 113.0;

// The block colour palette, indexed 0..6.
inline constexpr ColorRef kPalette[7] = {
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

class CTarvekDoc {
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
    void UpdateAllViews(IDocumentView* sender, int hint = kHintRefresh, CBlock* block = nullptr);

    // --- blocks ---------------------------------------------------------------------------
    // A new block of the type from the catalogue, not yet in the model; null for an id the
    // catalogue does not hold.
    std::unique_ptr<CBlock> CreateBlock(int typeId);
    // Sets the pending block's position, adds it and tells the views (hint 1).
    void PlacePendingBlock(int x, int y);
    // Appends the pending block, colours it from the palette, hint 5, marks modified.
    void AddPendingBlock();
    // Clears every input that refers to block, hint -1, removes and deletes it.
    void DeleteBlock(CBlock* block);
    // Everything DeleteBlock does except destroying the block: it comes back with its place
    // and the inputs it fed. Nothing is taken out (block null) for the Clock, its outputs or
    // a block that is not in the list.
    DetachedBlock DetachBlock(CBlock* block);
    // Puts a detached block back at its place, every input it fed takes it again (their route
    // records were never changed), hints 5 and 0, marks modified. Returns the block.
    CBlock* ReattachBlock(DetachedBlock detached);
    // Inserts block at index of the block list (kept behind the Clock and within the list),
    // hint 5, marks modified. Returns the block; null for no block.
    CBlock* InsertBlock(int index, std::unique_ptr<CBlock> block);
    // Re-routes the block's own connectors and those that come from it, then hint 0.
    void RerouteBlock(CBlock* block);
    // input k of target <- source, then routes that connector and tells the views (hint 0).
    void ConnectInput(CBlock* target, int k, CBlock* source);
    // Copies label, link letter, colour, notes, flipped and the parameters.
    static void CopyBlockAttributes(const CBlock& from, CBlock& to);
    // Appends a block that is not user-placed (the Clock's auxiliary outputs).
    CBlock* AppendAuxiliaryBlock(std::unique_ptr<CBlock> block);
    CBlock* Clock() const { return blockList.empty() ? nullptr : blockList.front().get(); }
    // A block of this chart that may leave it: not the Clock, not one of its outputs.
    bool CanDelete(const CBlock* block) const;
    int IndexOf(const CBlock* block) const;  // -1 when not in the list
    // The first (how inputs are resolved) or the last (how views refer to blocks) block of
    // the list at position; null when none is there.
    CBlock* FirstBlockAt(GridPoint position) const;
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
    // against the records the others hold at that moment, then tells the views (hint 0).
    void RerouteAll();

    // --- run (the engine) -----------------------------------------------------------------
    void OnRun();
    void OnTerminateRun() { StopRun(RunEndKind::UserStop); }
    // Sets the stop flag and, for the first request of a run, records why the run ends
    // (block: the Quit block or the block in error).
    void StopRun(RunEndKind kind, const CBlock* block = nullptr);
    void OnInitialize();
    bool SortBlocks();
    bool OrderList(std::vector<CBlock*>& list);

    // --- file (the chart file, model/ChartFile.h) ------------------------------------------
    // Writes the whole chart, or reads it into this document, which must be empty. Reading
    // returns false when the file cannot be opened (the message has been shown); the
    // document is then to be discarded.
    bool Serialize(CArchive& ar, IViewHost& host);

    // Members, in the order the document keeps them.
    int initialiseOnly = 0;
    double fileVersion = kProgramFileVersion;
    double errorLimit = 0.0;
    double simulationEnd = 0.0;
    double outputInterval = 0.0;
    double currentTime = 0.0;
    int snapshotIndex = 0;
    std::vector<std::unique_ptr<CBlock>> blockList;  // owns the blocks; [0] is the Clock
    std::vector<CBlock*> stateList;
    std::vector<CBlock*> computeList;
    std::vector<CBlock*> initList;
    std::vector<CBlock*> auxList;
    int paletteSize = 7;
    std::unique_ptr<CIntegrator> integrator;  // the current run's; null between runs
    double stepSize = 0.0;
    double maxSteps = 100.0;
    double intervalStart = 0.0;
    std::unique_ptr<CBlock> pendingBlock;
    int stopped = 1;
    RunEnd runEnd;  // how the last run ended (None before the first)
    // Told of the block a message is about just before the message shows, so that a window
    // can show which block it means (two blocks may share a label).
    std::function<void(const CBlock&)> blockMessageObserver;
    void NoteMessageAbout(const CBlock& block) const {
        if (blockMessageObserver) blockMessageObserver(block);
    }
    std::string title;
    IRunWindow* runWindow = nullptr;
    int connectorDebug = 0;
    // While the debug display shows a candidate: the connector being routed (its candidate
    // path is target->route[k]), so a chart view can pick it out. Empty otherwise.
    struct RoutingCandidate {
        CBlock* target = nullptr;
        int k = 0;
    } debugCandidate;
    int nextLinkLetter = 97;
    int printMode = 0;
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
};

}  // namespace ondrel
