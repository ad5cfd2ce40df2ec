#pragma once
// ondrel-run's whole behaviour, callable without a process: load, set, run, export, save.
#include <ostream>
#include <string>
#include <vector>

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::runner {

struct RunnerOptions;

enum ExitStatus : int {
    kExitRan = 0,
    kExitUsage = 1,
    kExitFileError = 2,
    kExitRunRefused = 3,
    kExitStopped = 4,  // SIGINT or SIGTERM ended the run early; the outputs were written
};

// Sets the parameters the --set options name; false with the reason on err when a label or
// a parameter number does not exist.
bool ApplySettings(CTarvekDoc& doc, const RunnerOptions& options, std::ostream& err);

// args are the command-line arguments after the program name. On a terminal, progress shows
// by itself once a run lasts a second, as a line that rewrites itself.
int RunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            bool errIsTerminal = false);

}  // namespace ondrel::runner
