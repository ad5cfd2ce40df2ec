#pragma once
// A chart for the report tests: a new document (Clock with its outputs) named "Chart1", blocks
// placed from the catalogue, and a text view state with everything chosen.
#include <gtest/gtest.h>

#include <string>

#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartReport.h"
#include "core/model/views/TextViewState.h"
#include "support/RecordingPlatform.h"

namespace ondrel::test {

class ReportTestChart : public ::testing::Test {
protected:
    void SetUp() override {
        doc.OnNewDocument();
        doc.SetFrameworkTitle("Chart1");
    }
    CBlock* Add(int typeId, const std::string& label, int x, int y = 1) {
        doc.PlaceBlock(doc.CreateBlock(typeId), x, y);
        CBlock* block = doc.blockList.back().get();
        block->label = label;
        return block;
    }
    // The report with everything chosen, dated 12/08/26.
    std::string Report() {
        view.ChooseEverything(doc);
        return ChartReportText(view, doc, {2026, 12, 8});
    }
    std::vector<std::string> Labels() {
        view.ChooseEverything(doc);
        std::vector<std::string> labels;
        for (const CBlock* b : ReportBlocks(view, doc)) labels.push_back(b->label);
        return labels;
    }

    RecordingPlatform platform;  // before the document: it reads the profile when made
    CTarvekDoc doc;
    TextViewState view;
};

}  // namespace ondrel::test
