#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/blocks/CBlock.h"
#include "core/engine/RunDriver.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

constexpr int kSumTypeId = 61595;
constexpr int kDivideTypeId = 61590;

// A plain block of the Sum type whose rows can be narrowed, so that the base behaviour can be
// exercised without any type's own computation.
class PlainBlock : public CBlock {
public:
    PlainBlock(CTarvekDoc* doc, GridPoint at, int inputs = 3)
        : CBlock(151, doc, 32801, kSumTypeId) {
        position = at;
        inputCount = inputs;
    }
    void Compute() override {}
};

CBlock* Add(CTarvekDoc& doc, GridPoint at, int inputs = 3) {
    doc.blockList.push_back(std::make_unique<PlainBlock>(&doc, at, inputs));
    return doc.blockList.back().get();
}

std::vector<std::uint8_t> Record(CBlock& block) {
    CArchive ar = CArchive::ForWriting();
    block.Serialize(ar);
    return ar.TakeBuffer();
}

// Reads a record into a fresh block of the given row count, as loading does.
std::unique_ptr<PlainBlock> Load(CTarvekDoc& doc, const std::vector<std::uint8_t>& bytes,
                                 int inputs = 3, bool* failed = nullptr) {
    auto block = std::make_unique<PlainBlock>(&doc, GridPoint{50, 50}, inputs);
    CArchive ar = CArchive::ForReading(bytes);
    block->Serialize(ar);
    if (failed) *failed = ar.Failed();
    return block;
}

TEST(CBlockBase, ConstructionTakesNamesFromTheStringTable) {
    PlainBlock block(nullptr, {0, 0});
    EXPECT_EQ(block.typeName, "Sum");
    EXPECT_EQ(block.label, "Sum");
    EXPECT_EQ(block.helpId, 32801 + 0x10000);
    EXPECT_EQ(block.bitmapId, 151);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(block.inputLabel[k], "Input " + std::to_string(k));
        EXPECT_EQ(block.paramLabel[k], "Gain " + std::to_string(k));
        EXPECT_EQ(block.param[k], 1.0);
        EXPECT_EQ(block.input[k], nullptr);
    }
    EXPECT_EQ(block.Setup(), 1);
}

TEST(CBlockBase, RecordRoundTripKeepsFieldsAndResolvesLaterBlocks) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    CBlock* early = Add(doc, {1, 1});
    CBlock* block = Add(doc, {2, 2});
    CBlock* later = Add(doc, {3, 3});
    block->label = "Mixer";
    block->linkLetter = "c";
    block->color = MakeColor(1, 2, 3);
    block->notes = "two\nlines";
    block->flipped = 1;
    block->initFlag = 1;
    block->input[1] = later;
    block->input[3] = early;
    block->param = {0.0, 2.5, -1.0, 1e300};
    block->route[1] = {1, 2, 3, 4};
    block->route[2] = {kNoRoute, 0, 0, 0};
    block->history = {0.0, 0.5, -7.25};

    const auto bytes = Record(*block);
    // label 6, link 2, colour 4, notes 10, flags 8, three inputs of 32, count 4, samples 24.
    EXPECT_EQ(bytes.size(), 6u + 2 + 4 + 10 + 8 + 3 * 32 + 4 + 3 * 8);
    const std::size_t secondKey = 6 + 2 + 4 + 10 + 8 + 32;  // the unconnected input 2
    const std::uint8_t nullKey[] = {0x9D, 0xFF, 0xFF, 0xFF, 0x9D, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(std::equal(std::begin(nullKey), std::end(nullKey), bytes.begin() + secondKey));

    CTarvekDoc copy;
    CBlock* copyEarly = Add(copy, {1, 1});
    Add(copy, {2, 2});
    CBlock* copyLater = Add(copy, {3, 3});
    bool failed = true;
    auto loaded = Load(copy, bytes, 3, &failed);
    EXPECT_FALSE(failed);
    EXPECT_TRUE(platform.messages.shown.empty());
    EXPECT_EQ(loaded->label, "Mixer");
    EXPECT_EQ(loaded->linkLetter, "c");
    EXPECT_EQ(loaded->color, MakeColor(1, 2, 3));
    EXPECT_EQ(loaded->notes, "two\nlines");
    EXPECT_EQ(loaded->flipped, 1);
    EXPECT_EQ(loaded->initFlag, 1);
    EXPECT_EQ(loaded->input[1], copyLater);
    EXPECT_EQ(loaded->input[2], nullptr);
    EXPECT_EQ(loaded->input[3], copyEarly);
    EXPECT_EQ(loaded->param, block->param);
    EXPECT_EQ(loaded->route, block->route);
    EXPECT_EQ(loaded->history, block->history);
}

TEST(CBlockBase, UnmatchedKeyReportsAndLeavesTheInputEmpty) {
    test::RecordingPlatform platform;
    CTarvekDoc source;
    CBlock* target = Add(source, {7, 7});
    CBlock* block = Add(source, {2, 2});
    block->label = "Mixer";
    block->input[2] = target;
    const auto bytes = Record(*block);

    CTarvekDoc doc;
    Add(doc, {2, 2});
    auto loaded = Load(doc, bytes);
    const auto& message = platform.OnlyMessage();
    EXPECT_EQ(message.text, "Unable to find a match for input 2 of block 'Mixer'.");
    EXPECT_EQ(message.caption, "Load Error");
    EXPECT_EQ(message.buttons, MsgButtons::Ok);
    EXPECT_EQ(loaded->input[2], nullptr);
}

TEST(CBlockBase, SharedPositionResolvesToTheEarlierBlock) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    CBlock* first = Add(doc, {4, 4});
    Add(doc, {4, 4});
    EXPECT_TRUE(doc.blockList[1]->ResolveInput({4, 4}, 1));
    EXPECT_EQ(doc.blockList[1]->input[1], first);
    EXPECT_TRUE(doc.blockList[1]->ResolveInput(kNoConnection, 1));
    EXPECT_EQ(doc.blockList[1]->input[1], nullptr);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST(CBlockBase, KeysForRowsTheTypeDoesNotOfferAreIgnored) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    CBlock* source = Add(doc, {1, 1});
    CBlock* missing = Add(doc, {9, 9});
    CBlock* wide = Add(doc, {2, 2});
    wide->input[1] = source;
    wide->input[2] = missing;
    wide->input[3] = source;
    const auto bytes = Record(*wide);
    doc.blockList.erase(doc.blockList.begin() + 1);  // input 2's source no longer exists

    auto narrow = Load(doc, bytes, 1);
    EXPECT_EQ(narrow->input[1], source);
    EXPECT_EQ(narrow->input[2], nullptr);
    EXPECT_EQ(narrow->input[3], nullptr);
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST(CBlockBase, DamagedRecordsNeverConnectOrAllocate) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    CBlock* atOrigin = Add(doc, {0, 0});
    CBlock* block = Add(doc, {2, 2});
    block->input[1] = atOrigin;
    block->history = {1.0, 2.0};
    const auto bytes = Record(*block);

    // Cut inside each input's key and inside the samples: keys read as zeros would match
    // the block at (0, 0), so nothing may be resolved once the archive has failed.
    const std::size_t headerSize = 4 + 1 + 4 + 1 + 8;
    const std::size_t cuts[] = {headerSize + 4, headerSize + 32 + 4, headerSize + 64 + 2,
                                bytes.size() - 3};
    for (std::size_t cut : cuts) {
        std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
        bool failed = false;
        auto loaded = Load(doc, part, 3, &failed);
        EXPECT_TRUE(failed) << cut;
        EXPECT_EQ(loaded->input[1], cut > headerSize + 8 ? atOrigin : nullptr) << cut;
        EXPECT_EQ(loaded->input[2], nullptr) << cut;
        EXPECT_EQ(loaded->input[3], nullptr) << cut;
        EXPECT_TRUE(loaded->history.empty()) << cut;
    }
    EXPECT_TRUE(platform.messages.shown.empty());

    // A sample count far beyond the bytes left fails instead of allocating.
    std::vector<std::uint8_t> huge(bytes.begin(), bytes.end() - 20);
    for (std::uint8_t b : {0x00, 0x00, 0x00, 0x40}) huge.push_back(b);
    bool failed = false;
    auto loaded = Load(doc, huge, 3, &failed);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(loaded->history.empty());
}

TEST(CBlockBase, HistoryRecordsAndReadsZeroOutsideIt) {
    PlainBlock block(nullptr, {0, 0});
    for (double v : {3.0, 4.0}) {
        block.value = v;
        block.RecordSample();
    }
    EXPECT_EQ(block.ValueAt(0), 3.0);
    EXPECT_EQ(block.ValueAt(1), 4.0);
    EXPECT_EQ(block.ValueAt(2), 0.0);
    EXPECT_EQ(block.ValueAt(-1), 0.0);
    block.ClearHistory();
    EXPECT_TRUE(block.history.empty());
    EXPECT_EQ(block.ValueAt(0), 0.0);
}

// --- the check of required inputs before a run ---------------------------------------------

CBlock* AddCatalogueBlock(CTarvekDoc& doc, int typeId, GridPoint at) {
    auto pending = doc.CreateBlock(typeId);
    EXPECT_NE(pending, nullptr) << typeId;
    if (!pending) return nullptr;
    doc.PlaceBlock(std::move(pending), at.x, at.y);
    return doc.blockList.back().get();
}

TEST(RequiredInputs, DivideWithOnlyTheNumeratorGivesOneMessage) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    CBlock* source = Add(doc, {0, 0});
    CBlock* divide = AddCatalogueBlock(doc, kDivideTypeId, {1, 1});
    ASSERT_NE(divide, nullptr);
    divide->label = "Ratio";
    divide->input[1] = source;
    EXPECT_FALSE(CheckRequiredInputs(doc));
    const auto& message = platform.OnlyMessage();
    EXPECT_EQ(message.text, "A Divide block, Ratio, needs the second input filled.");
    EXPECT_EQ(message.caption, "Run Time Error");
    EXPECT_EQ(message.buttons, MsgButtons::OkCancel);

    platform.messages.shown.clear();
    divide->input[2] = source;
    EXPECT_TRUE(CheckRequiredInputs(doc));
    EXPECT_TRUE(platform.messages.shown.empty());
}

TEST(RequiredInputs, OkGoesOnAndCancelStopsAtOnce) {
    struct Case {
        std::vector<MsgResult> answers;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{MsgResult::Ok, MsgResult::Ok},
         {"A Sum block, Sum, needs the first input filled.",
          "A Sum block, Sum, needs the second input filled.",
          "A Sum block, Sum, needs the third input filled."}},
        {{MsgResult::Cancel}, {"A Sum block, Sum, needs the first input filled."}},
        {{MsgResult::Ok, MsgResult::Cancel},
         {"A Sum block, Sum, needs the first input filled.",
          "A Sum block, Sum, needs the second input filled."}},
    };
    for (const auto& c : cases) {
        test::RecordingPlatform platform;
        platform.messages.answers.assign(c.answers.begin(), c.answers.end());
        CTarvekDoc doc;
        Add(doc, {0, 0})->requiredInputs = 3;
        Add(doc, {1, 0})->requiredInputs = 0;
        EXPECT_FALSE(CheckRequiredInputs(doc));
        std::vector<std::string> texts;
        for (const auto& m : platform.messages.shown) texts.push_back(m.text);
        EXPECT_EQ(texts, c.expected);
    }
}

// The questions come as values, block by block and row by row, and nothing is shown: the
// run driver asks them.
TEST(RequiredInputs, AreListedInOrderWithoutAMessage) {
    test::RecordingPlatform platform;
    CTarvekDoc doc;
    CBlock* source = Add(doc, {0, 0});
    CBlock* first = Add(doc, {1, 0});
    CBlock* second = Add(doc, {2, 0});
    first->requiredInputs = 2;
    first->input[1] = source;
    second->requiredInputs = 7;  // more rows than a block has: all three
    second->label = "Total";
    const std::vector<UnfilledInput> unfilled = UnfilledRequiredInputs(doc.blockList);
    const std::vector<std::pair<const CBlock*, std::string>> expected = {
        {first, "A Sum block, Sum, needs the second input filled."},
        {second, "A Sum block, Total, needs the first input filled."},
        {second, "A Sum block, Total, needs the second input filled."},
        {second, "A Sum block, Total, needs the third input filled."},
    };
    ASSERT_EQ(unfilled.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(unfilled[i].block, expected[i].first) << i;
        EXPECT_EQ(unfilled[i].question.text, expected[i].second);
        EXPECT_EQ(unfilled[i].question.caption, "Run Time Error");
        EXPECT_EQ(unfilled[i].question.buttons, MsgButtons::OkCancel);
    }
    EXPECT_TRUE(platform.messages.shown.empty());
}

}  // namespace
}  // namespace ondrel
