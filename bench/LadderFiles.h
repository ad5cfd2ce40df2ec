#pragma once
// The ladder charts of the scale benches, written to files once and kept between runs in
// $ONDREL_SCALE_DIR (default /tmp/ondrel-scale); delete them to have them built again.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "LadderChart.h"
#include "core/file/ChartFile.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "core/platform/Platform.h"

namespace ondrel::bench {

// Counts the messages instead of showing them: a ladder routes and runs without any.
class CountingMessageBox : public IMessageBox {
public:
    MsgResult Show(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
        ++shown;
        return MsgResult::Ok;
    }
    int shown = 0;
};

// The counting box in force for one benchmark.
struct QuietPlatform {
    CountingMessageBox box;
    ScopedPlatform scope{Services(box)};
    static PlatformServices Services(CountingMessageBox& box) {
        PlatformServices services;
        services.messageBox = &box;
        return services;
    }
};

inline std::filesystem::path ChartDirectory() {
    const char* dir = std::getenv("ONDREL_SCALE_DIR");
    std::filesystem::path path = dir != nullptr && *dir != '\0' ? dir : "/tmp/ondrel-scale";
    std::filesystem::create_directories(path);
    return path;
}

inline std::string LadderFile(int stages) {
    const auto path = ChartDirectory() / ("ladder-" + std::to_string(stages) + ".cht");
    if (!std::filesystem::exists(path)) {
        CTarvekDoc doc;
        BuildLadder(doc, stages);
        StateOnlyViewHost host;
        if (!SaveChartFile(path.string(), doc, host)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
    }
    return path.string();
}

inline std::unique_ptr<CTarvekDoc> LoadLadder(int stages, StateOnlyViewHost& host) {
    auto doc = std::make_unique<CTarvekDoc>();
    if (!LoadChartFile(LadderFile(stages), *doc, host)) {
        std::fprintf(stderr, "cannot load the %d-stage ladder\n", stages);
        std::exit(1);
    }
    return doc;
}

}  // namespace ondrel::bench
