#pragma once
// What a text view keeps of itself: the report's look, filters and sorting (settings section
// "TextView"), its title and its notes. The chosen blocks, types and groups of the filters are
// display state: they are not kept in the record, and every text view starts with everything
// chosen (ChooseEverything).
//
// Record: the settings (each item present in files from kTextViewSettingsSince on), then the
// title and the notes as strings. An older file's record holds the title and notes alone.
#include <string>
#include <vector>

#include "core/io/ChartFormat.h"
#include "core/model/views/ViewState.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

struct BlockToolbar;

// What the block filter of a text view chooses from: blocks (Name filter; not owned),
// tool names (Type filter) and block toolbars (Group filter).
struct TextFilterChoice {
    std::vector<CBlock*> blocks;
    std::vector<std::string> types;
    std::vector<const BlockToolbar*> groups;

    bool operator==(const TextFilterChoice&) const = default;
    // Everything chosen: every block of doc whose kind is not auxiliary, every tool name
    // (ascending), every block toolbar (in toolbar order).
    static TextFilterChoice Everything(const CTarvekDoc& doc);
    // Keeps only the blocks that are in doc's block list (the others have left the chart).
    void KeepBlocksOf(const CTarvekDoc& doc);
};

class TextViewState : public ViewState {
public:
    TextViewState();

    ViewKind Kind() const override { return ViewKind::Text; }
    void Serialize(CArchive& ar, CTarvekDoc& doc) override;
    // The block leaves the chosen blocks at once.
    void OnBlockDeleting(const CBlock& block, const CTarvekDoc& doc) override;
    // What a view does on its first showing: everything chosen.
    void ChooseEverything(const CTarvekDoc& doc) { chosen = TextFilterChoice::Everything(doc); }

    CSettingsGroup settings;

    FontDescription MainFont;           // font of the whole report
    ColorRef FontColor = kWindowTextColor;
    bool NotesDisplay = false;          // the view's notes under the title
    bool AutoUpdate = false;            // regenerate on every document change
    bool InfoNotes = false;             // each block's notes
    bool InfoOutConnections = false;    // the blocks each block feeds
    int SortBlocks = 1;                 // 0 none, 1 by name, 2 by type, 3 by group
    int SortMode = 0;                   // 0 none, 1 Normal blocks first, 2 Initialize blocks first
    int FilterBlocks = 0;               // 0 all, 1 chosen names, 2 chosen types, 3 chosen groups
    int FilterMode = 0;                 // 0 all, 1 Normal blocks only, 2 Initialize blocks only
    int FilterNotes = 0;                // 0 all, 1 with notes only, 2 without notes only
    bool FilterConnectionInputs = false;  // only blocks with a connected input
    bool FilterConnectionOutput = false;  // only blocks whose output feeds an input

    TextFilterChoice chosen;            // not saved
    // Counts the changes of the options above made by the options dialog (and their undo), so
    // a window regenerates its report after one even when AutoUpdate is off. Not saved.
    int optionsRevision = 0;
};

}  // namespace ondrel
