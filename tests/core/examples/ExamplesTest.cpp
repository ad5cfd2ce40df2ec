#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/engine/RunDriver.h"
#include "core/io/CArchive.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "support/RecordingPlatform.h"

namespace ondrel {
namespace {

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::filesystem::path> Examples() {
    std::vector<std::filesystem::path> charts;
    for (auto& entry : std::filesystem::directory_iterator(std::filesystem::path(ONDREL_SOURCE_DIR) / "examples"))
        if (entry.path().extension() == ".cht") charts.push_back(entry.path());
    std::sort(charts.begin(), charts.end());
    return charts;
}

TEST(Examples, EveryExampleLoadsRunsAndSavesWithoutAMessage) {
    auto charts = Examples();
    ASSERT_GE(charts.size(), 6u);
    for (const auto& path : charts) {
        test::RecordingPlatform platform;
        auto bytes = ReadBytes(path);
        CTarvekDoc doc;
        StateOnlyViewHost host;
        CArchive ar = CArchive::ForReading(bytes);
        ASSERT_TRUE(ReadChart(ar, doc, host)) << path;
        EXPECT_EQ(ChartBytes(doc, host), bytes) << path << " comes back byte-identical";
        EXPECT_FALSE(host.Views().empty()) << path << " opens with its windows";

        std::vector<double> stored = doc.Clock()->history;
        RunChart(doc);
        EXPECT_TRUE(platform.messages.shown.empty()) << path << ": " << platform.messages.shown.front().text;
        // The same model runs to the same samples: every run is reproducible to the bit.
        EXPECT_EQ(doc.Clock()->history, stored) << path;
        EXPECT_EQ(ChartBytes(doc, host), bytes) << path;
    }
}

}  // namespace
}  // namespace ondrel
