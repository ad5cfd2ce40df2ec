#include "cli/Runner.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <sstream>

#include "cli/ConsolePlatform.h"
#include "cli/ConsoleRunWindow.h"
#include "cli/RunResultJson.h"
#include "cli/RunnerOptions.h"
#include "cli/SampleCsv.h"
#include "cli/SignalStop.h"
#include "core/engine/HistoryBudget.h"
#include "core/engine/RunDriver.h"
#include "core/engine/RunMessages.h"
#include "core/io/AtomicFileWriter.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/ChartReport.h"
#include "core/model/views/ListText.h"
#include "core/model/views/ListViewState.h"
#include "core/model/views/StateOnlyViewHost.h"
#include "core/model/views/TextViewState.h"
#include "core/platform/NumberFormat.h"

namespace ondrel::runner {
namespace {

// The caption of the checks that refuse a run (unfilled input, sort, timing); messages
// during a run have their own caption.
constexpr const char* kRefusedCaption = kRunCheckCaption;

CBlock* FindByLabel(CTarvekDoc& doc, const std::string& label) {
    for (auto& block : doc.blockList)
        if (block->label == label && block->kind != BlockKind::Auxiliary) return block.get();
    return nullptr;
}

}  // namespace

bool ApplySettings(CTarvekDoc& doc, const RunnerOptions& options, std::ostream& err) {
    for (const ParameterSetting& setting : options.settings) {
        CBlock* block = FindByLabel(doc, setting.label);
        if (!block) {
            err << "ondrel-run: no block is labelled \"" << setting.label << "\"\n";
            return false;
        }
        if (setting.row > block->paramCount) {
            err << "ondrel-run: block \"" << setting.label << "\" has no parameter " << setting.row << '\n';
            return false;
        }
        block->param[setting.row] = setting.value;
        doc.SetModifiedFlag();
    }
    return true;
}

namespace {

// Writes text to path atomically, or to out when path is "-".
bool WriteOutput(const std::string& path, const std::string& bytes, std::ostream& out, std::ostream& err) {
    if (path == kStandardOutput) {
        if (out << bytes << std::flush) return true;
        err << "ondrel-run: cannot write to standard output\n";
        return false;
    }
    std::string error;
    if (!WriteFileAtomically(path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, error)) {
        err << "ondrel-run: cannot write " << path << ": " << error << '\n';
        return false;
    }
    return true;
}

bool ExportCsv(const CTarvekDoc& doc, const RunnerOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<const CBlock*> columns = DefaultCsvColumns(doc);
    if (options.csvLabels) {
        std::string missing;
        columns = CsvColumnsByLabel(doc, *options.csvLabels, missing);
        if (columns.empty()) {
            err << "ondrel-run: --blocks names no block labelled \"" << missing << "\"\n";
            return false;
        }
    }
    const std::string& path = *options.csvPath;
    if (path == kStandardOutput) {
        if (WriteSampleCsv([&out](std::string_view line) { return bool(out << line); }, columns) && out.flush())
            return true;
        err << "ondrel-run: cannot write to standard output\n";
        return false;
    }
    // The samples go to disk a line at a time, the way Print to File writes its table.
    AtomicFileWriter writer(path);
    if (writer.Ok() && WriteSampleCsv([&writer](std::string_view line) { return writer.Write(line); }, columns) &&
        writer.Commit())
        return true;
    err << "ondrel-run: cannot write " << path << ": " << writer.Error() << '\n';
    return false;
}

// The samples held, the time of the last, the blocks that hold every one and the timing.
void Measure(const CTarvekDoc& doc, RunResult& result) {
    const CBlock* clock = doc.Clock();
    if (!clock) return;
    result.samples = clock->history.size();
    for (const auto& block : doc.blockList)
        if (block->history.size() == result.samples) ++result.blocks;
    result.endTime = result.samples ? clock->history.back() : 0.0;
    result.outputInterval = clock->param[2];
    result.simulationEnd = clock->param[3];
}

// The report of the chart's first text view, or of a new one with the built-in defaults;
// like a window's first showing, it starts with everything chosen.
bool ExportReport(const CTarvekDoc& doc, const StateOnlyViewHost& host, const std::string& path,
                  std::ostream& out, std::ostream& err) {
    TextViewState fresh;
    TextViewState* view = &fresh;
    for (const auto& state : host.Views())
        if (state->Kind() == ViewKind::Text) {
            view = static_cast<TextViewState*>(state.get());
            break;
        }
    view->ChooseEverything(doc);
    return WriteOutput(path, ChartReportText(*view, doc), out, err);
}

// The "Print to File" text of the chart's first list view; without one, of the list view the
// desktop program would open: its default columns and the built-in settings.
bool ExportPrn(const CTarvekDoc& doc, const StateOnlyViewHost& host, const std::string& path, std::ostream& err) {
    ListViewState fresh;
    const ListViewState* list = &fresh;
    for (const auto& view : host.Views())
        if (view->Kind() == ViewKind::List) {
            list = static_cast<const ListViewState*>(view.get());
            break;
        }
    // A new list view shows its default columns; a stored one shows the columns its record
    // holds, none included, as its window does once the record has been read.
    if (list == &fresh) fresh.CompleteDefaults(doc);
    ListTable table = ListTableOf(*list, doc);
    std::string error = SavePrintToFile(path, table, list->notes);
    if (!error.empty()) err << "ondrel-run: " << error << '\n';
    return error.empty();
}

void PrintSummary(const CTarvekDoc& doc, const RunnerOptions& options, bool ran, std::ostream& out) {
    RunResult counts;
    Measure(doc, counts);
    const std::size_t samples = counts.samples, recorded = counts.blocks;
    out << options.chartPath << ": " << (ran ? "ran to" : "holds samples up to") << " t = "
        << FormatSignificant(counts.endTime, 6) << ", " << samples << (samples == 1 ? " sample" : " samples")
        << " of " << recorded << (recorded == 1 ? " block" : " blocks") << '\n';
}

ProgressMode ProgressModeFor(const RunnerOptions& options, bool errIsTerminal) {
    if (options.progress) return ProgressMode::Forced;
    return errIsTerminal && !options.quiet ? ProgressMode::Automatic : ProgressMode::Off;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Loads, runs and writes the outputs; returns the exit status and fills in what the JSON
// result reports of the run.
int LoadRunAndWrite(const std::optional<RunnerOptions>& options, ConsolePlatform& platform,
                    std::ostream& out, std::ostream& err, RunResult& result) {
    CTarvekDoc doc;
    StateOnlyViewHost host;
    if (!LoadChartFile(options->chartPath, doc, host, MessageBoxStatuses())) return kExitFileError;
    if (!ApplySettings(doc, *options, err)) return kExitUsage;
    if (options->reroute) doc.RerouteAll();

    bool refused = false;
    if (options->run) {
        platform.messages.Forget();
        const auto start = std::chrono::steady_clock::now();
        RunChart(doc);
        result.wallSeconds = SecondsSince(start);
        const auto& captions = platform.messages.Captions();
        refused = std::find(captions.begin(), captions.end(), kRefusedCaption) != captions.end();
        // The graphs rescale to the new samples, as their windows do when a run ends.
        if (!refused) host.RescaleGraphs(doc);
    }
    Measure(doc, result);
    result.ran = options->run && !refused;
    const bool stoppedBySignal = !refused && SignalStop::Requested();
    if (stoppedBySignal)
        err << "ondrel-run: stopped by a signal at t = " << FormatSignificant(result.endTime, 6)
            << "; writing the outputs" << std::endl;
    if (options->csvPath && !ExportCsv(doc, *options, out, err)) return kExitFileError;
    if (options->reportPath && !ExportReport(doc, host, *options->reportPath, out, err)) return kExitFileError;
    if (options->prnPath && !ExportPrn(doc, host, *options->prnPath, err)) return kExitFileError;
    if (options->savePath && !SaveChartFile(*options->savePath, doc, host, MessageBoxStatuses()))
        return kExitFileError;
    std::ostream& summary = WritesToStandardOutput(*options) ? err : out;
    if (!options->quiet) PrintSummary(doc, *options, options->run && !refused, summary);
    if (refused) return kExitRunRefused;
    return stoppedBySignal ? kExitStopped : kExitRan;
}

bool WriteJson(const RunnerOptions& options, RunResult result, int status, const ConsolePlatform& platform,
               std::ostream& out, std::ostream& err) {
    result.chartPath = options.chartPath;
    result.exitStatus = status;
    result.messages = platform.messages.Shown();
    std::ostringstream text;
    WriteRunResultJson(text, result);
    return WriteOutput(*options.jsonPath, text.str(), out, err);
}

}  // namespace

int RunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    std::string error;
    auto options = ParseRunnerOptions(args, error);
    if (!options) {
        err << "ondrel-run: " << error << "\n(ondrel-run --help explains the options)\n";
        return kExitUsage;
    }
    if (options->help) {
        out << RunnerUsage();
        return kExitRan;
    }

    SignalStop signals;
    ConsoleRunWindow window(err, ProgressModeFor(*options, errIsTerminal), errIsTerminal);
    ConsolePlatform platform(err, &window);
    platform.messages.beforeShow = [&window] { window.Erase(); };
    ScopedHistoryBudget budget(options->maxHistoryMegabytes ? HistoryBudgetFromMegabytes(*options->maxHistoryMegabytes)
                                                            : HistoryBudgetBytes());
    RunResult result;
    int status = LoadRunAndWrite(options, platform, out, err, result);
    if (options->jsonPath && !WriteJson(*options, result, status, platform, out, err)) status = kExitFileError;
    return status;
}

}  // namespace ondrel::runner
