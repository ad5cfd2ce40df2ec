#pragma once
// Every text a list view shows or writes: the value text of a cell, the text its cells are
// measured with, the "Print to File" bytes and the clipboard copy of the table. The desktop
// view, its printing and the headless runner all go through these, so they agree byte for
// byte.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace ondrel {

class CBlock;
class CTarvekDoc;
class ListViewState;

// Room for any value text: the field is at most 99 + 9 characters and the digits of the
// widest value ("-1.<16 digits>e-308") take fewer.
inline constexpr std::size_t kListValueTextCapacity = 128;

// The printf pattern of a value: "%" + (Extra + 9) + "." + Precision + "e", each number
// right-aligned in two characters and every space then made a "0" ("%09.03e" by default,
// "%11.03e" with Extra 2). Precision is clamped to 0..16 and Extra to 0..99.
std::string ListValuePattern(int precision, int extra);

// Writes the value text of v into out (room for kListValueTextCapacity characters, no
// terminator) and returns its length. The pattern of ListValuePattern, with a signed exponent
// of three digits (1.500e+000); infinities and NaN are "inf", "-inf", "nan" right-aligned
// with spaces in the field width. Allocates nothing: the view calls it for every cell drawn.
std::size_t FormatListValue(double v, int precision, int extra, char* out);
std::string ListValueText(double v, int precision, int extra);

// The text whose extent is a cell's width and height: Extra + 1 spaces, "+0.", Precision
// zeros and "e+000".
std::string ListCellMeasureText(int precision, int extra);

// What a list shows: its columns (the displayed blocks that still refer to a block; empty
// entries, unresolved in a file or deleted, are skipped) and its rows (the Clock's history
// length). A column whose history is shorter reads 0.0 in the missing rows (ValueAt).
struct ListTable {
    std::vector<const CBlock*> columns;
    std::int64_t sampleCount = 0;
    int precision = 3;
    int extra = 0;

    double Value(std::size_t column, std::int64_t row) const;
};

// The table of a list view's state over its document.
ListTable ListTableOf(const ListViewState& state, const CTarvekDoc& doc);
// The Clock's history length; 0 for a document without a Clock.
std::int64_t ListSampleCount(const CTarvekDoc& doc);

// "Print to File": the notes and CR LF (every line end inside the notes written as CR LF;
// CR LF alone without notes), the labels each followed by TAB and then CR LF, and one line
// per sample of value texts each followed by TAB, then CR LF.
void WritePrintToFile(std::ostream& out, const ListTable& table, const std::string& notes);
std::string PrintToFileText(const ListTable& table, const std::string& notes);

// Called now and then while a long file is written: rows written so far and in all. Returning
// false cancels; the file at the path is then left as it was.
using ListWriteProgress = std::function<bool(std::int64_t done, std::int64_t total)>;

// Writes the Print to File text of the table to path atomically (a failure or a cancel leaves
// an existing file as it was). Returns an empty text on success, otherwise the message to
// show the user; a cancel returns "Print to File was cancelled." and the file is unchanged.
std::string SavePrintToFile(const std::string& path, const ListTable& table, const std::string& notes,
                            const ListWriteProgress& progress = {});

// The name the "Print to File" dialog starts with: "Output.prn", or the title + ".prn".
std::string PrintToFileInitialName(const std::string& title);

// The table as text for the clipboard, as spreadsheets paste it: a header of labels, then
// one line per row, fields separated by TAB, values in full precision ("%.17g", never the
// locale's decimal comma) so a pasted run reads back exactly. Lines end in "\n" alone: the
// clipboard is text, and every platform's paste accepts it. Rows first..last (inclusive,
// clamped to the table); the whole table without a range.
std::string ListClipboardText(const ListTable& table);
std::string ListClipboardText(const ListTable& table, std::int64_t first, std::int64_t last);

}  // namespace ondrel
