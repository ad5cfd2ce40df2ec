#pragma once
// What a list view keeps of itself: its look (settings section "ListView"), its title and
// notes, and the blocks it shows as columns, left to right.
//
// Record: the settings, the title, the notes, the column count (int32), then one block
// reference per column. A reference that finds no block when read stays in the list as an
// empty column: every use of the list skips it, and saving writes its position back.
#include <vector>

#include "core/model/views/BlockReference.h"
#include "core/model/views/ViewState.h"
#include "core/settings/CSettingsGroup.h"

namespace ondrel {

class ListViewState : public ViewState {
public:
    ListViewState();

    ViewKind Kind() const override { return ViewKind::List; }
    void Serialize(CArchive& ar, CTarvekDoc& doc) override;
    // Removes every column that shows block.
    void OnBlockDeleting(const CBlock& block, const CTarvekDoc& doc) override;

    // A new list shows every block of the document, in list order, that is computed in a
    // run (initialisation flag 0) and is not one of the Clock's auxiliary outputs. Does
    // nothing when the list already has columns (a file gave them).
    void CompleteDefaults(const CTarvekDoc& doc);
    // The blocks a new list view shows (see CompleteDefaults).
    static std::vector<CBlock*> DefaultBlocks(const CTarvekDoc& doc);

    CSettingsGroup settings;

    int Precision = 3;     // digits after the decimal point, 0..16
    int Extra = 0;         // added to the minimum field width of a value, 0..99
    FontDescription ListFont;
    ColorRef FontColor = kWindowTextColor;
    FontDescription NotesFont;
    ColorRef NotesColor = kWindowTextColor;
    bool NotesDisplay = false;  // notes drawn above the table

    std::vector<BlockReference> displayedBlocks;  // the columns; [0] is the fixed column
};

}  // namespace ondrel
