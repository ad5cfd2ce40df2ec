#include "cli/SampleCsv.h"

#include <algorithm>
#include <charconv>

#include "core/blocks/CBlock.h"
#include "core/model/CTarvekDoc.h"

namespace ondrel::runner {
namespace {

// A label as one CSV field: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"') quoted += '"';
        quoted += ch;
    }
    return quoted + '"';
}

void AppendNumber(std::string& line, double value) {
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    line.append(buffer, result.ptr);
}

}  // namespace

std::vector<const CBlock*> DefaultCsvColumns(const CTarvekDoc& doc) {
    std::vector<const CBlock*> columns;
    for (const auto& block : doc.blockList)
        if (!block->initFlag && block->kind != BlockKind::Auxiliary) columns.push_back(block.get());
    return columns;
}

std::vector<const CBlock*> CsvColumnsByLabel(const CTarvekDoc& doc, const std::vector<std::string>& labels,
                                             std::string& missing) {
    std::vector<const CBlock*> columns;
    for (const std::string& label : labels) {
        const CBlock* found = nullptr;
        for (const auto& block : doc.blockList)
            if (block->label == label) {
                found = block.get();
                break;
            }
        if (!found) {
            missing = label;
            return {};
        }
        columns.push_back(found);
    }
    return columns;
}

bool WriteSampleCsv(const CsvSink& write, const std::vector<const CBlock*>& columns) {
    std::string line;
    std::size_t rows = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        line += (i ? "," : "") + CsvField(columns[i]->label);
        rows = std::max(rows, columns[i]->history.size());
    }
    line += '\n';
    if (!write(line)) return false;
    for (std::size_t row = 0; row < rows; ++row) {
        line.clear();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i) line += ',';
            AppendNumber(line, columns[i]->ValueAt(static_cast<std::int64_t>(row)));
        }
        line += '\n';
        if (!write(line)) return false;
    }
    return true;
}

}  // namespace ondrel::runner
