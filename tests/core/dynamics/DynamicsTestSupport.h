#pragma once
// A document to hang blocks on, blocks made through the catalogue, and sources whose output
// a test sets directly. Blocks read the run time and the output interval from the document,
// so a test drives them by setting those and calling Setup / Compute / RecordSample.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/blocks/BlockCatalogue.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/CBlock.h"
#include "core/io/CArchive.h"
#include "core/engine/RunState.h"
#include "core/model/CTarvekDoc.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {

// A block whose output the test writes.
class SourceBlock final : public CBlock {
public:
    explicit SourceBlock(CTarvekDoc* doc) : CBlock(0, doc, 0, kTypeConstant) {}
    void Compute() override {}
};

class DynamicsTest : public ::testing::Test {
protected:
    DynamicsTest() {
        doc.outputInterval = 0.1;
        run.SetOutputInterval(0.1);
    }

    // A new block of the type with its catalogue row applied, as the subclass T.
    template <class T>
    std::unique_ptr<T> Make(int typeId) {
        std::unique_ptr<CBlock> block = CreateCatalogueBlock(typeId, &doc);
        T* typed = dynamic_cast<T*>(block.get());
        if (typed == nullptr) {
            ADD_FAILURE() << "type " << typeId << " is not the expected class";
            return nullptr;
        }
        block.release();
        typed->run = &run;
        return std::unique_ptr<T>(typed);
    }

    // A source connected to input k of block, giving value.
    SourceBlock& Connect(CBlock& block, int k, double value) {
        sources.push_back(std::make_unique<SourceBlock>(&doc));
        sources.back()->value = value;
        block.input[k] = sources.back().get();
        return *sources.back();
    }

    // block.Compute() at time t.
    double ComputeAt(CBlock& block, double t) {
        run.SetTime(t);
        block.Compute();
        return block.value;
    }

    RecordingPlatform platform;
    CTarvekDoc doc;
    RunState run{doc};  // the run the blocks made here see
    std::vector<std::unique_ptr<SourceBlock>> sources;
};

// The bytes of block's record.
inline std::vector<std::uint8_t> RecordOf(CBlock& block) {
    CArchive ar = CArchive::ForWriting();
    block.Serialize(ar);
    return ar.TakeBuffer();
}

// The bytes of the base part of block's record alone.
inline std::vector<std::uint8_t> BaseRecordOf(CBlock& block) {
    CArchive ar = CArchive::ForWriting();
    block.CBlock::Serialize(ar);
    return ar.TakeBuffer();
}

}  // namespace ondrel::test
