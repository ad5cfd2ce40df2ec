#pragma once
// What every fuzz target shares: platform services that answer every message silently, and
// caps on the work a chart may ask for, so each input runs in milliseconds.
#include <algorithm>
#include <cmath>

#include "core/model/CTarvekDoc.h"
#include "core/platform/Platform.h"

namespace ondrel::fuzz {

class SilentMessageBox : public IMessageBox {
public:
    MsgResult Show(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
        return MsgResult::Ok;
    }
};

// Installs the silent message box and an in-memory profile for the life of the process.
inline void InstallQuietPlatform() {
    static SilentMessageBox box;
    static MemoryProfile profile;
    static ScopedPlatform platform(PlatformServices{&box, &profile, nullptr, nullptr, nullptr, nullptr});
}

// A chart may ask for a billion intervals or steps: at most maxIntervals output intervals,
// 200 steps and 200 sort moves.
inline void CapTheWork(CTarvekDoc& doc, double maxIntervals) {
    CBlock* clock = doc.Clock();
    const double interval = clock->param[2];
    if (std::isfinite(interval) && interval > 0 && clock->param[3] / interval > maxIntervals)
        clock->param[3] = maxIntervals * interval;
    doc.maxSteps = std::min(doc.maxSteps, 200.0);
    doc.maxSort = std::min(doc.maxSort, 200);
}

}  // namespace ondrel::fuzz
