#pragma once
// Shared pieces of the view-state tests: a document with plain blocks at chosen cells, and
// record writing and reading through an archive.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/blocks/CBlock.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ViewState.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {

using Bytes = std::vector<std::uint8_t>;

// A block with no computation: the view states only look at positions, labels and flags.
class PlainBlock : public CBlock {
public:
    PlainBlock(CTarvekDoc* doc, const std::string& name, GridPoint at) : CBlock(0, doc, 0, 0) {
        label = name;
        position = at;
    }
    void Compute() override {}
};

// A document whose block list the test fills; block 0 plays the Clock.
class ViewTestDoc {
public:
    ViewTestDoc() { Add("Clock", {0, 0}); }

    CBlock* Add(const std::string& name, GridPoint at, BlockKind kind = BlockKind::Algebraic, int initFlag = 0) {
        auto block = std::make_unique<PlainBlock>(&doc, name, at);
        block->kind = kind;
        block->initFlag = initFlag;
        CBlock* raw = block.get();
        doc.blockList.push_back(std::move(block));
        return raw;
    }
    CBlock* Clock() const { return doc.blockList.front().get(); }

    CTarvekDoc doc;
};

inline Bytes WriteRecord(ViewState& state, CTarvekDoc& doc) {
    CArchive ar = CArchive::ForWriting();
    state.Serialize(ar, doc);
    return ar.TakeBuffer();
}

// Reads bytes into state; true when the record read cleanly and used every byte.
inline bool ReadRecord(const Bytes& bytes, ViewState& state, CTarvekDoc& doc) {
    CArchive ar = CArchive::ForReading(bytes);
    state.Serialize(ar, doc);
    return !ar.Failed() && ar.AtEnd();
}

inline Bytes Int32Bytes(std::int32_t v) {
    CArchive ar = CArchive::ForWriting();
    ar.WriteInt32(v);
    return ar.TakeBuffer();
}

inline void Append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

}  // namespace ondrel::test
