#pragma once
// What ondrel-run did, as one JSON object for scripts: one field a line, in a fixed order.
#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "cli/ConsolePlatform.h"

namespace ondrel::runner {

struct RunResult {
    std::string chartPath;
    bool ran = false;             // as the summary says "ran to": a run took place
    double endTime = 0.0;         // the time of the last sample
    std::size_t samples = 0;
    double outputInterval = 0.0;  // the Clock's
    double simulationEnd = 0.0;   // the Clock's: where an uninterrupted run would end
    std::size_t blocks = 0;       // blocks that hold every sample
    int exitStatus = 0;
    std::vector<ShownMessage> messages;
    double wallSeconds = 0.0;     // of the run alone, not the loading and writing
};

void WriteRunResultJson(std::ostream& out, const RunResult& result);

}  // namespace ondrel::runner
