#pragma once
// The common base of the persistent state of every view kind: what a chart file keeps of a
// view (its settings, title, notes and block references). The desktop view owns one and draws
// from it; the headless runner keeps the states alone, so a chart it loads and saves keeps its
// views.
#include <string>

#include "core/platform/FontDescription.h"

namespace ondrel {

class CArchive;
class CBlock;
class CTarvekDoc;

enum class ViewKind { Chart, List, Graph, Text };

// The default colour of text in every view: the window-text colour of the standard desktop
// scheme. A fixed value, so that a new view's defaults do not depend on the desktop theme.
inline constexpr ColorRef kWindowTextColor = MakeColor(0, 0, 0);

// The file's class name of a view kind ("CTarvekView", "CListBase", ...).
const char* ViewClassName(ViewKind kind);

class ViewState {
public:
    virtual ~ViewState() = default;
    ViewState(const ViewState&) = delete;
    ViewState& operator=(const ViewState&) = delete;

    virtual ViewKind Kind() const = 0;
    const char* ClassName() const { return ViewClassName(Kind()); }

    // Writes or reads the view's record. The settings use the document's file version;
    // block references are resolved against the document's block list. A damaged record
    // leaves the archive failed (the caller stops reading); nothing is allocated for a
    // count that the bytes left cannot hold.
    virtual void Serialize(CArchive& ar, CTarvekDoc& doc) = 0;

    // The document is about to delete block (it is still in the block list): drop every
    // reference to it, so no reference outlives its block.
    virtual void OnBlockDeleting(const CBlock& block, const CTarvekDoc& doc) {
        (void)block;
        (void)doc;
    }

    std::string title;  // the frame caption when not empty
    std::string notes;  // free text

protected:
    ViewState() = default;
};

}  // namespace ondrel
