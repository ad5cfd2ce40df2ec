#include "core/model/views/ListViewState.h"

#include <cstdint>

#include "core/io/CArchive.h"
#include "core/io/ChartFormat.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel {

ListViewState::ListViewState() {
    // The order of the items is the order of the record in chart files. The list's settings
    // are present in every file version.
    auto& s = settings;
    s.SetSection("ListView");
    s.AddInt({.name = "Precision", .controlId = 1172, .bound = &Precision, .defaultValue = 3,
              .min = 0, .max = 16});
    s.AddInt({.name = "Extra", .controlId = 1173, .bound = &Extra, .defaultValue = 0, .min = 0,
              .max = 99});
    s.AddFont({.name = "ListFont", .controlId = 1207, .bound = &ListFont});
    s.AddColor({.name = "FontColor", .controlId = -1207, .bound = &FontColor,
                .defaultValue = kWindowTextColor});
    s.AddFont({.name = "NotesFont", .controlId = 1169, .bound = &NotesFont});
    s.AddColor({.name = "NotesColor", .controlId = -1169, .bound = &NotesColor,
                .defaultValue = kWindowTextColor});
    s.AddCheck({.name = "NotesDisplay", .controlId = 1097, .bound = &NotesDisplay,
                .defaultValue = false});
}

void ListViewState::Serialize(CArchive& ar, CTarvekDoc& doc) {
    settings.Serialize(ar, doc.fileVersion);
    ar.Io(title);
    ar.Io(notes);
    if (ar.IsStoring()) {
        ar.WriteInt32(static_cast<std::int32_t>(displayedBlocks.size()));
        for (auto& ref : displayedBlocks) SerializeBlockReference(ar, doc, ref);
        return;
    }
    const std::int32_t count = ar.ReadInt32();
    if (ar.Failed()) return;
    // Each reference takes 8 bytes: a count the rest of the file cannot hold is damage.
    if (count < 0 || !ar.CanRead(static_cast<std::uint64_t>(count), 8)) {
        ar.Fail();
        return;
    }
    displayedBlocks.assign(static_cast<std::size_t>(count), BlockReference());
    for (auto& ref : displayedBlocks) SerializeBlockReference(ar, doc, ref);
}

void ListViewState::OnBlockDeleting(const CBlock& block, const CTarvekDoc&) {
    // Every column of the block goes, not only the first: a file may list one block twice,
    // and a column left behind would point at a deleted block.
    std::erase_if(displayedBlocks, [&](const BlockReference& ref) { return ref.block == &block; });
}

std::vector<CBlock*> ListViewState::DefaultBlocks(const CTarvekDoc& doc) {
    std::vector<CBlock*> blocks;
    for (const auto& b : doc.blockList) {
        if (b && !b->initFlag && b->kind != BlockKind::Auxiliary) blocks.push_back(b.get());
    }
    return blocks;
}

void ListViewState::CompleteDefaults(const CTarvekDoc& doc) {
    if (!displayedBlocks.empty()) return;
    for (CBlock* b : DefaultBlocks(doc)) displayedBlocks.emplace_back(b);
}

}  // namespace ondrel
