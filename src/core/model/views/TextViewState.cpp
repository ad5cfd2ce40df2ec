#include "core/model/views/TextViewState.h"

#include <algorithm>
#include <unordered_set>

#include "core/blocks/BlockToolbars.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {

TextViewState::TextViewState() {
    // The order of the items is the order of the record in chart files.
    const double since = kTextViewSettingsSince;
    auto& s = settings;
    s.SetSection("TextView");
    s.AddFont({.since = since, .name = "MainFont", .controlId = 1278, .bound = &MainFont});
    s.AddColor({.since = since, .name = "FontColor", .controlId = -1278, .bound = &FontColor,
                .defaultValue = kWindowTextColor});
    s.AddCheck({.since = since, .name = "NotesDisplay", .controlId = 1281, .bound = &NotesDisplay,
                .defaultValue = false});
    s.AddCheck({.since = since, .name = "AutoUpdate", .controlId = 1206, .bound = &AutoUpdate,
                .defaultValue = false});
    s.AddCheck({.since = since, .name = "InfoNotes", .controlId = 1201, .bound = &InfoNotes,
                .defaultValue = false});
    s.AddCheck({.since = since, .name = "InfoOutConnections", .controlId = 1202,
                .bound = &InfoOutConnections, .defaultValue = false});
    s.AddChoice({.since = since, .name = "SortBlocks", .controlId = 1271, .bound = &SortBlocks,
                 .defaultValue = 1});
    s.AddChoice({.since = since, .name = "SortMode", .controlId = 1275, .bound = &SortMode,
                 .defaultValue = 0});
    s.AddChoice({.since = since, .name = "FilterBlocks", .controlId = 1252, .bound = &FilterBlocks,
                 .defaultValue = 0});
    s.AddChoice({.since = since, .name = "FilterMode", .controlId = 1259, .bound = &FilterMode,
                 .defaultValue = 0});
    s.AddChoice({.since = since, .name = "FilterNotes", .controlId = 1268, .bound = &FilterNotes,
                 .defaultValue = 0});
    s.AddCheck({.since = since, .name = "FilterConnectionInputs", .controlId = 1203,
                .bound = &FilterConnectionInputs, .defaultValue = false});
    s.AddCheck({.since = since, .name = "FilterConnectionOutput", .controlId = 1205,
                .bound = &FilterConnectionOutput, .defaultValue = false});
}

void TextViewState::Serialize(CArchive& ar, CTarvekDoc& doc) {
    settings.Serialize(ar, doc.fileVersion);
    ar.Io(title);
    ar.Io(notes);
}

void TextViewState::OnBlockDeleting(const CBlock& block, const CTarvekDoc&) {
    std::erase(chosen.blocks, &block);
}

TextFilterChoice TextFilterChoice::Everything(const CTarvekDoc& doc) {
    TextFilterChoice choice;
    for (const auto& block : doc.blockList)
        if (block->kind != BlockKind::Auxiliary) choice.blocks.push_back(block.get());
    choice.types = SortedToolNames();
    for (const BlockToolbar& bar : BlockToolbars()) choice.groups.push_back(&bar);
    return choice;
}

void TextFilterChoice::KeepBlocksOf(const CTarvekDoc& doc) {
    std::unordered_set<const CBlock*> present;
    for (const auto& block : doc.blockList) present.insert(block.get());
    std::erase_if(blocks, [&](const CBlock* b) { return !present.contains(b); });
}

}  // namespace ondrel
