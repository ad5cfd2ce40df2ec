#pragma once
// The recorded samples as CSV: a header of block labels, then one row per sample.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ondrel {
class CBlock;
class CTarvekDoc;
}  // namespace ondrel

namespace ondrel::runner {

// The blocks a new list view shows: every block whose initialisation flag is 0 and whose
// kind is not auxiliary, in block-list order.
std::vector<const CBlock*> DefaultCsvColumns(const CTarvekDoc& doc);

// The blocks labelled so, in the order given; the first label that names no block is
// returned in missing and the result is empty.
std::vector<const CBlock*> CsvColumnsByLabel(const CTarvekDoc& doc, const std::vector<std::string>& labels,
                                             std::string& missing);

// Takes the CSV a line at a time; false stops the writing.
using CsvSink = std::function<bool(std::string_view)>;

// Rows run to the longest history among the columns; a shorter one reads 0 beyond its end,
// as the list view shows it. Numbers are written as "%.17g" would, so they read back exactly.
// The lines go to write one by one, so a long run's samples never exist twice in memory.
// False when write refused a line.
bool WriteSampleCsv(const CsvSink& write, const std::vector<const CBlock*>& columns);

}  // namespace ondrel::runner
