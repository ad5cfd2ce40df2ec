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
    s.AddFont(since, kNoUntil, &MainFont, nullptr, "MainFont", 1278);
    s.AddColor(since, kNoUntil, &FontColor, kWindowTextColor, "FontColor", -1278);
    s.AddCheck(since, kNoUntil, &NotesDisplay, 0, "NotesDisplay", 1281);
    s.AddCheck(since, kNoUntil, &AutoUpdate, 0, "AutoUpdate", 1206);
    s.AddCheck(since, kNoUntil, &InfoNotes, 0, "InfoNotes", 1201);
    s.AddCheck(since, kNoUntil, &InfoOutConnections, 0, "InfoOutConnections", 1202);
    s.AddChoice(since, kNoUntil, &SortBlocks, 1, "SortBlocks", 1271);
    s.AddChoice(since, kNoUntil, &SortMode, 0, "SortMode", 1275);
    s.AddChoice(since, kNoUntil, &FilterBlocks, 0, "FilterBlocks", 1252);
    s.AddChoice(since, kNoUntil, &FilterMode, 0, "FilterMode", 1259);
    s.AddChoice(since, kNoUntil, &FilterNotes, 0, "FilterNotes", 1268);
    s.AddCheck(since, kNoUntil, &FilterConnectionInputs, 0, "FilterConnectionInputs", 1203);
    s.AddCheck(since, kNoUntil, &FilterConnectionOutput, 0, "FilterConnectionOutput", 1205);
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
