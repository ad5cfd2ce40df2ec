#include "Runner.h"

#include <algorithm>
#include <sstream>

#include "ConsolePlatform.h"
#include "RunnerOptions.h"
#include "SampleCsv.h"
#include "engine/RunMessages.h"
#include "model/CTarvekDoc.h"
#include "model/ChartFile.h"
#include "model/views/ListText.h"
#include "model/views/ListViewState.h"
#include "model/views/StateOnlyViewHost.h"
#include "platform/NumberFormat.h"

namespace ondrel::runner {
namespace {

// The caption of the checks that refuse a run (unfilled input, sort, timing); messages
// during a run have their own caption.
constexpr const char* kRefusedCaption = kRunCheckCaption;

CBlock* FindByLabel(CTarvekDoc& doc, const std::string& label) {
    for (auto& block : doc.blockList)
        if (block->label == label && block->kind != kKindAuxiliary) return block.get();
    return nullptr;
}

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

bool ExportCsv(const CTarvekDoc& doc, const RunnerOptions& options, std::ostream& err) {
    std::vector<const CBlock*> columns = DefaultCsvColumns(doc);
    if (options.csvLabels) {
        std::string missing;
        columns = CsvColumnsByLabel(doc, *options.csvLabels, missing);
        if (columns.empty()) {
            err << "ondrel-run: --blocks names no block labelled \"" << missing << "\"\n";
            return false;
        }
    }
    std::ostringstream text;
    WriteSampleCsv(text, columns);
    std::string bytes = text.str();
    std::string error;
    if (!WriteFileAtomically(*options.csvPath,
                             {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, error)) {
        err << "ondrel-run: cannot write " << *options.csvPath << ": " << error << '\n';
        return false;
    }
    return true;
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
    ListTable table = ListTableOf(*list, doc);
    // A list whose record had no columns is filled with the defaults when its window opens.
    if (list->displayedBlocks.empty())
        for (const CBlock* block : ListViewState::DefaultBlocks(doc)) table.columns.push_back(block);
    std::string error = SavePrintToFile(path, table, list->notes);
    if (!error.empty()) err << "ondrel-run: " << error << '\n';
    return error.empty();
}

void PrintSummary(const CTarvekDoc& doc, const RunnerOptions& options, bool ran, std::ostream& out) {
    const CBlock* clock = doc.Clock();
    std::size_t samples = clock->history.size();
    std::size_t recorded = 0;
    for (const auto& block : doc.blockList)
        if (block->history.size() == samples) ++recorded;
    double end = samples ? clock->history.back() : 0.0;
    out << options.chartPath << ": " << (ran ? "ran to" : "holds samples up to") << " t = "
        << FormatSignificant(end, 6) << ", " << samples << (samples == 1 ? " sample" : " samples")
        << " of " << recorded << (recorded == 1 ? " block" : " blocks") << '\n';
}

}  // namespace

int RunMain(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
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

    ConsolePlatform platform(err);
    CTarvekDoc doc;
    StateOnlyViewHost host;
    if (!LoadChartFile(options->chartPath, doc, host)) return kExitFileError;
    if (!ApplySettings(doc, *options, err)) return kExitUsage;
    if (options->reroute) doc.RerouteAll();

    bool refused = false;
    if (options->run) {
        platform.messages.Forget();
        doc.OnRun();
        const auto& captions = platform.messages.Captions();
        refused = std::find(captions.begin(), captions.end(), kRefusedCaption) != captions.end();
        if (!refused) host.RescaleGraphs(doc);
    }
    if (options->csvPath && !ExportCsv(doc, *options, err)) return kExitFileError;
    if (options->prnPath && !ExportPrn(doc, host, *options->prnPath, err)) return kExitFileError;
    if (options->savePath && !SaveChartFile(*options->savePath, doc, host)) return kExitFileError;
    if (!options->quiet) PrintSummary(doc, *options, options->run && !refused, out);
    return refused ? kExitRunRefused : kExitRan;
}

}  // namespace ondrel::runner
