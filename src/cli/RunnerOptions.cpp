#include "cli/RunnerOptions.h"

#include <charconv>

#include "core/platform/NumberFormat.h"

namespace ondrel::runner {
namespace {

// "LABEL.N=VALUE": the row is the digit after the last '.' before the first '=' that
// follows it, so labels may hold dots themselves.
bool ParseSetting(const std::string& text, ParameterSetting& setting) {
    auto equals = text.find('=');
    while (equals != std::string::npos) {
        auto dot = text.rfind('.', equals);
        if (dot != std::string::npos && dot > 0 && equals == dot + 2 && text[dot + 1] >= '1' &&
            text[dot + 1] <= '3') {
            setting.label = text.substr(0, dot);
            setting.row = text[dot + 1] - '0';
            return ParseDecimalStrict(text.substr(equals + 1), setting.value);
        }
        equals = text.find('=', equals + 1);
    }
    return false;
}

// A whole number of megabytes above 0, digits only.
bool ParseMegabytes(const std::string& text, std::int64_t& megabytes) {
    std::int64_t parsed = 0;
    const char* end = text.data() + text.size();
    auto [rest, status] = std::from_chars(text.data(), end, parsed);
    if (status != std::errc() || rest != end || parsed <= 0) return false;
    megabytes = parsed;
    return true;
}

std::vector<std::string> SplitLabels(const std::string& list) {
    std::vector<std::string> labels;
    std::size_t start = 0;
    while (true) {
        auto comma = list.find(',', start);
        labels.push_back(list.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return labels;
}

}  // namespace

bool WritesToStandardOutput(const RunnerOptions& options) {
    return options.csvPath == kStandardOutput || options.jsonPath == kStandardOutput ||
           options.reportPath == kStandardOutput;
}

const char* RunnerUsage() {
    return "usage: ondrel-run [OPTIONS] CHART.cht\n"
           "\n"
           "Loads a chart, runs it as the Run command does and prints a one-line summary.\n"
           "A chart saved without samples is initialised first, as opening it does.\n"
           "\n"
           "options:\n"
           "  --no-run              load only (and save or export what the file holds)\n"
           "  --save FILE           afterwards save the chart, samples and views, to FILE\n"
           "  --csv FILE            afterwards write the recorded samples as CSV: a header of\n"
           "                        block labels, one row per sample, full precision\n"
           "                        (FILE - is standard output; the summary then goes to\n"
           "                        standard error)\n"
           "  --blocks L1,L2,...    the CSV columns, by block label (default: the blocks a new\n"
           "                        list view shows, in block-list order)\n"
           "  --prn FILE            afterwards write the \"Print to File\" text of the chart's\n"
           "                        first list view (without one, of a new list view)\n"
           "  --report FILE         afterwards write the text report of the chart's first text\n"
           "                        view (or of a new text view) as the desktop program shows it\n"
           "                        (FILE - is standard output)\n"
           "  --set LABEL.N=VALUE   set parameter N (1..3) of the block labelled LABEL before\n"
           "                        the run; may be repeated\n"
           "  --reroute             route every connector again before running or saving\n"
           "  --json FILE           afterwards write what happened as JSON (- for standard\n"
           "                        output): chart, ran, end_time, samples, output_interval,\n"
           "                        simulation_end, blocks, exit_status, messages, wall_time\n"
           "  --progress            a progress line on standard error from the start (on a\n"
           "                        terminal it shows by itself once a run lasts a second)\n"
           "  --max-history-mb N    stop the run when its recorded samples would pass N MB\n"
           "                        (default: half of the machine's memory)\n"
           "  --quiet               no summary line and no automatic progress line\n"
           "  --help                this text\n"
           "\n"
           "Messages the desktop program would show in a box go to standard error as\n"
           "CAPTION: TEXT; questions are answered OK.\n"
           "\n"
           "exit status: 0 the run took place (also when a Quit block, a block error or the\n"
           "step limit ended it early), 1 usage error, 2 the chart could not be loaded or\n"
           "saved, 3 the run was refused by its checks (unfilled input, sort, timing),\n"
           "4 SIGINT or SIGTERM stopped the run after its current interval and the outputs\n"
           "were written (a third signal ends the program at once).\n";
}

std::optional<RunnerOptions> ParseRunnerOptions(const std::vector<std::string>& args, std::string& error) {
    RunnerOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* name) -> const std::string* {
            if (i + 1 >= args.size()) {
                error = std::string(name) + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--no-run") {
            options.run = false;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--reroute") {
            options.reroute = true;
        } else if (arg == "--progress") {
            options.progress = true;
        } else if (arg == "--report") {
            const std::string* v = value("--report");
            if (!v) return std::nullopt;
            options.reportPath = *v;
        } else if (arg == "--max-history-mb") {
            const std::string* v = value(arg.c_str());
            if (!v) return std::nullopt;
            std::int64_t megabytes = 0;
            if (!ParseMegabytes(*v, megabytes)) {
                error = "--max-history-mb takes a whole number of megabytes above 0: " + *v;
                return std::nullopt;
            }
            options.maxHistoryMegabytes = megabytes;
        } else if (arg == "--save" || arg == "--csv" || arg == "--blocks" || arg == "--set" ||
                   arg == "--prn" || arg == "--json") {
            const std::string* v = value(arg.c_str());
            if (!v) return std::nullopt;
            if (arg == "--save") options.savePath = *v;
            else if (arg == "--csv") options.csvPath = *v;
            else if (arg == "--prn") options.prnPath = *v;
            else if (arg == "--blocks") options.csvLabels = SplitLabels(*v);
            else if (arg == "--json") options.jsonPath = *v;
            else {
                ParameterSetting setting;
                if (!ParseSetting(*v, setting)) {
                    error = "--set takes LABEL.N=VALUE with N from 1 to 3 and a number: " + *v;
                    return std::nullopt;
                }
                options.settings.push_back(setting);
            }
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (options.chartPath.empty()) {
            options.chartPath = arg;
        } else {
            error = "only one chart at a time: " + arg;
            return std::nullopt;
        }
    }
    if (options.help) return options;
    if (options.chartPath.empty()) {
        error = "no chart named";
        return std::nullopt;
    }
    if (options.csvPath == kStandardOutput && options.jsonPath == kStandardOutput) {
        error = "--csv and --json cannot both write to standard output";
        return std::nullopt;
    }
    if (options.reportPath == kStandardOutput &&
        (options.csvPath == kStandardOutput || options.jsonPath == kStandardOutput)) {
        error = "--report cannot write to standard output with --csv or --json";
        return std::nullopt;
    }
    if (options.csvLabels && !options.csvPath) {
        error = "--blocks goes with --csv";
        return std::nullopt;
    }
    return options;
}

}  // namespace ondrel::runner
