#pragma once
// A chart edited only through commands, kept on a stack as the desktop undo stack keeps them
// (a command that merges into the one before it is dropped), with its saved bytes at hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/edits/ChartCommand.h"
#include "core/model/views/ChartViewState.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {

struct Notice {
    UpdateHint hint;
    CBlock* block;
    bool operator==(const Notice&) const = default;
};

class NoticeRecorder : public IDocumentView {
public:
    void OnUpdate(IDocumentView*, UpdateHint hint, CBlock* block) override {
        notices.push_back({hint, block});
    }
    std::vector<Notice> notices;
};

class CommandChart : public ::testing::Test {
protected:
    void SetUp() override {
        doc.OnNewDocument();
        view = host.OpenChartView(doc);
        doc.AddView(&views);
    }
    void TearDown() override { doc.RemoveView(&views); }

    // Applies command and keeps it, unless it merged into the previous one.
    void Do(std::unique_ptr<ChartCommand> command) {
        ASSERT_NE(command, nullptr);
        command->Apply(doc);
        if (!stack.empty() && stack.back()->MergeWith(*command)) return;
        stack.push_back(std::move(command));
    }
    CBlock* Place(int typeId, int x, int y) {
        auto block = doc.CreateBlock(typeId);
        CBlock* placed = block.get();
        Do(MakePlaceCommand(std::move(block), {x, y}));
        return placed;
    }
    CBlock* Paste(const CBlock& copied, int x, int y) {
        auto block = doc.CreateBlock(copied.typeId);
        CTarvekDoc::CopyBlockAttributes(copied, *block);
        CBlock* placed = block.get();
        Do(MakePlaceCommand(std::move(block), {x, y}, true));
        return placed;
    }
    void Connect(CBlock& target, int k, CBlock& source) {
        Do(MakeConnectCommand(target, k, source));
    }
    void Edit(CBlock& block, const std::function<void(BlockEdit&)>& change) {
        BlockEdit after = BlockEdit::From(block);
        change(after);
        Do(MakeBlockEditCommand(block, BlockEdit::From(block), after));
    }
    std::vector<std::uint8_t> Bytes() { return ChartBytes(doc, host); }

    RecordingPlatform platform;  // before the document: it reads the profile when made
    CTarvekDoc doc;
    StateOnlyViewHost host;
    ChartViewState* view = nullptr;
    NoticeRecorder views;
    // Declared last, so the blocks the commands hold go before the document.
    std::vector<std::unique_ptr<ChartCommand>> stack;
};

}  // namespace ondrel::test
