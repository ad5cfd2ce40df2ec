#pragma once
// ondrel-run's whole behaviour, callable without a process: load, set, run, export, save.
#include <ostream>
#include <string>
#include <vector>

namespace ondrel::runner {

enum ExitStatus : int {
    kExitRan = 0,
    kExitUsage = 1,
    kExitFileError = 2,
    kExitRunRefused = 3,
};

// args are the command-line arguments after the program name.
int RunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ondrel::runner
