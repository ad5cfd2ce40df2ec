#pragma once
// A chart for routing tests: blocks placed by type at grid cells, connections made through
// the document, and a view that records each candidate the debug display shows.
#include <gtest/gtest.h>

#include <vector>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/ConnectorGeometry.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {

// Records the candidate path in place at every refresh while the debug display is on.
class CandidateRecorder : public IDocumentView {
public:
    explicit CandidateRecorder(CTarvekDoc& doc) : doc_(doc) { doc_.AddView(this); }
    ~CandidateRecorder() override { doc_.RemoveView(this); }
    void OnUpdate(IDocumentView*, UpdateHint hint, CBlock*) override {
        const auto& c = doc_.debugCandidate;
        if (hint == UpdateHint::Refresh && c.target != nullptr) seen.push_back(c.target->route[c.k]);
    }
    std::vector<RouteRecord> seen;

private:
    CTarvekDoc& doc_;
};

class RoutingChart : public ::testing::Test {
protected:
    CBlock* Add(int typeId, int x, int y, bool flipped = false) {
        auto pending = doc.CreateBlock(typeId);
        pending->flipped = flipped ? 1 : 0;
        doc.PlaceBlock(std::move(pending), x, y);
        return doc.blockList.back().get();
    }
    CBlock* Gain(int x, int y, bool flipped = false) { return Add(kTypeGain, x, y, flipped); }
    const RouteRecord& Connect(CBlock* target, int k, CBlock* source) {
        doc.ConnectInput(target, k, source);
        return target->route[k];
    }
    // Fills `lanes` vertical lanes of the boundary between columns 2 and 3, all along the
    // rows 0..10, with single-lane connectors from as many different sources (columns 2 to 3).
    void FillBoundaryLanes(int lanes) {
        for (int i = 0; i < lanes; ++i) {
            const RouteRecord& r = Connect(Gain(3, 6 + i), 1, Gain(2, i));
            ASSERT_EQ(r[kRouteRow], kSingleLaneRow);
            ASSERT_EQ(r[kRouteTargetLane], i - lanes / 2);
        }
        platform.messages.shown.clear();
    }
    // The texts of the messages shown, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& m : platform.messages.shown) texts.push_back(m.text);
        return texts;
    }

    RecordingPlatform platform;  // before the document: it reads the profile when made
    CTarvekDoc doc;
};

}  // namespace ondrel::test
