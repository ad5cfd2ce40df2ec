#pragma once
// A scratch folder per test, charts built through the core API and saved there, and the
// runner called in-process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Runner.h"
#include "core/blocks/BlockTypeIds.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "support/RecordingPlatform.h"

namespace ondrel::runner::test {

namespace fs = std::filesystem;

inline std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ChartFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("ondrel-runner-" + std::to_string(::getpid()) + "-" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Saves a chart built by build(doc) and returns its path.
    template <typename Build>
    std::string Chart(const std::string& name, Build build) {
        ondrel::test::RecordingPlatform quiet;
        CTarvekDoc doc;
        doc.OnNewDocument();
        build(doc);
        StateOnlyViewHost host;
        std::string path = (dir / name).string();
        EXPECT_TRUE(SaveChartFile(path, doc, host));
        return path;
    }

    static CBlock* Place(CTarvekDoc& doc, int typeId, int x, int y, const std::string& label) {
        doc.PlaceBlock(doc.CreateBlock(typeId), x, y);
        CBlock* block = doc.blockList.back().get();
        block->label = label;
        return block;
    }

    // Integrate(2) from 0 to 1 in steps of 0.1: "Clock,Integrate" columns, 11 samples.
    std::string Ramp() {
        return Chart("ramp.cht", [](CTarvekDoc& doc) {
            CBlock* slope = Place(doc, kTypeConstant, 1, 1, "Slope");
            CBlock* integrate = Place(doc, kTypeIntegrate, 2, 1, "Integrate");
            slope->param[1] = 2.0;
            doc.ConnectInput(integrate, 1, slope);
        });
    }

    // x'' = -x from x = 1, on a Clock that asks for far more intervals than any test waits for.
    std::string LongOscillator() {
        return Chart("long.cht", [](CTarvekDoc& doc) {
            CBlock* velocity = Place(doc, kTypeIntegrate, 2, 1, "Velocity");
            CBlock* position = Place(doc, kTypeIntegrate, 4, 1, "Position");
            CBlock* spring = Place(doc, kTypeGain, 3, 3, "Spring");
            position->param[2] = 1.0;
            spring->param[1] = -1.0;
            doc.ConnectInput(position, 1, velocity);
            doc.ConnectInput(spring, 1, position);
            doc.ConnectInput(velocity, 1, spring);
            doc.Clock()->param[2] = 0.001;
            doc.Clock()->param[3] = 1e9;
        });
    }

    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return RunMain(args, out, err);
    }

    // The names in the scratch folder, sorted.
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
    std::ostringstream out;
    std::ostringstream err;
};

}  // namespace ondrel::runner::test
