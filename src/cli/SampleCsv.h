#pragma once
// The recorded samples as CSV: a header of block labels, then one row per sample.
#include <optional>
#include <ostream>
#include <string>
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

// Rows run to the longest history among the columns; a shorter one reads 0 beyond its end,
// as the list view shows it. Numbers are written as "%.17g" would, so they read back exactly.
void WriteSampleCsv(std::ostream& out, const std::vector<const CBlock*>& columns);

}  // namespace ondrel::runner
