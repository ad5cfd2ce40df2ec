#include "RunnerOptions.h"

#include "platform/NumberFormat.h"

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
           "  --blocks L1,L2,...    the CSV columns, by block label (default: the blocks a new\n"
           "                        list view shows, in block-list order)\n"
           "  --prn FILE            afterwards write the \"Print to File\" text of the chart's\n"
           "                        first list view (without one, of a new list view)\n"
           "  --set LABEL.N=VALUE   set parameter N (1..3) of the block labelled LABEL before\n"
           "                        the run; may be repeated\n"
           "  --reroute             route every connector again before running or saving\n"
           "  --quiet               no summary line\n"
           "  --help                this text\n"
           "\n"
           "Messages the desktop program would show in a box go to standard error as\n"
           "CAPTION: TEXT; questions are answered OK.\n"
           "\n"
           "exit status: 0 the run took place (also when a Quit block, a block error or the\n"
           "step limit ended it early), 1 usage error, 2 the chart could not be loaded or\n"
           "saved, 3 the run was refused by its checks (unfilled input, sort, timing).\n";
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
        } else if (arg == "--save" || arg == "--csv" || arg == "--blocks" || arg == "--set" ||
                   arg == "--prn") {
            const std::string* v = value(arg.c_str());
            if (!v) return std::nullopt;
            if (arg == "--save") options.savePath = *v;
            else if (arg == "--csv") options.csvPath = *v;
            else if (arg == "--prn") options.prnPath = *v;
            else if (arg == "--blocks") options.csvLabels = SplitLabels(*v);
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
    if (options.csvLabels && !options.csvPath) {
        error = "--blocks goes with --csv";
        return std::nullopt;
    }
    return options;
}

}  // namespace ondrel::runner
