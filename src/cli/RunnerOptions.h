#pragma once
// The command line of ondrel-run.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ondrel::runner {

struct ParameterSetting {
    std::string label;
    int row = 1;  // 1..3
    double value = 0.0;
};

struct RunnerOptions {
    std::string chartPath;
    bool run = true;
    bool quiet = false;
    bool reroute = false;
    bool help = false;
    bool progress = false;                               // --progress
    std::optional<std::string> savePath;
    std::optional<std::string> csvPath;                 // "-": standard output
    std::optional<std::string> jsonPath;                // --json; "-": standard output
    std::optional<std::vector<std::string>> csvLabels;  // --blocks
    std::optional<std::string> prnPath;                 // the list view's "Print to File" text
    std::optional<std::string> reportPath;              // --report; "-": standard output
    std::vector<ParameterSetting> settings;             // --set, in order
    std::optional<std::int64_t> maxHistoryMegabytes;    // --max-history-mb
};

// The path that names standard output for --csv and --json.
inline constexpr const char* kStandardOutput = "-";

// Whether some output goes to standard output; the summary then goes to standard error.
bool WritesToStandardOutput(const RunnerOptions& options);

// Parses argv[1..]; on a usage error returns nullopt with the reason in error.
std::optional<RunnerOptions> ParseRunnerOptions(const std::vector<std::string>& args, std::string& error);

const char* RunnerUsage();

}  // namespace ondrel::runner
