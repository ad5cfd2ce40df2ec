#include "core/model/views/ListText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

#include "core/blocks/CBlock.h"
#include "core/io/AtomicFileWriter.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ListViewState.h"

namespace ondrel {
namespace {

int ClampPrecision(int precision) { return std::clamp(precision, 0, 16); }
int ClampExtra(int extra) { return std::clamp(extra, 0, 99); }

// Sign and digits of a finite value in exponent form with a three-digit exponent, written
// at out; returns the length. The shortest exponent std::to_chars writes has two digits.
std::size_t ExponentBody(double v, int precision, char* out) {
    char* p = out;
    if (std::signbit(v)) *p++ = '-';
    // Room for "d." + 16 digits + "e+308" and the sign: 32 characters are plenty.
    auto result = std::to_chars(p, out + 32, std::fabs(v), std::chars_format::scientific, precision);
    char* end = result.ptr;
    if (end[-3] == '+' || end[-3] == '-') {
        end[0] = end[-1];
        end[-1] = end[-2];
        end[-2] = '0';
        ++end;
    }
    return static_cast<std::size_t>(end - out);
}

std::size_t NonFiniteBody(double v, char* out) {
    const char* text = std::isnan(v) ? "nan" : (v < 0 ? "-inf" : "inf");
    std::size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return length;
}

// The notes line: the notes with every line end (CR LF, LF or a lone CR) written as CR LF,
// then CR LF; CR LF alone for empty notes.
void AppendNotesLines(std::string& out, const std::string& notes) {
    for (std::size_t i = 0; i < notes.size(); ++i) {
        char ch = notes[i];
        if (ch == '\r' || ch == '\n') {
            out += "\r\n";
            if (ch == '\r' && i + 1 < notes.size() && notes[i + 1] == '\n') ++i;
        } else {
            out += ch;
        }
    }
    out += "\r\n";
}

// A "%.17g" number without the locale, "nan" for every NaN.
std::size_t FullPrecision(double v, char* out) {
    if (std::isnan(v)) return NonFiniteBody(v, out);
    auto result = std::to_chars(out, out + 32, v, std::chars_format::general, 17);
    return static_cast<std::size_t>(result.ptr - out);
}

// The text is produced into one buffer, allocated once, that is handed to the sink whenever
// it holds kChunkBytes or more; nothing is allocated per value or per row.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

class ChunkWriter {
public:
    using Sink = std::function<bool(std::string_view)>;
    // longestLine: the most one value line can take, so that a line always fits after a flush.
    ChunkWriter(const Sink& sink, std::size_t longestLine)
        : sink_(sink), buffer_(new char[kChunkBytes + longestLine]), capacity_(kChunkBytes + longestLine) {}

    bool Append(std::string_view text) {
        if (used_ + text.size() > capacity_) {
            if (!Flush()) return false;
            if (text.size() > capacity_) return sink_(text);
        }
        std::memcpy(buffer_.get() + used_, text.data(), text.size());
        used_ += text.size();
        return true;
    }
    // Where the next line goes: room for longestLine characters while Full() is false.
    char* End() { return buffer_.get() + used_; }
    void Advance(char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }
    bool Full() const { return used_ >= kChunkBytes; }
    // Hands what the buffer holds to the sink; false when the sink stops.
    bool Flush() {
        if (used_ == 0) return true;
        std::string_view piece(buffer_.get(), used_);
        used_ = 0;
        return sink_(piece);
    }

private:
    const Sink& sink_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_;
    std::size_t used_ = 0;
};

std::string Labels(const ListTable& table, char separator, bool trailing) {
    std::string out;
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c > 0 && !trailing) out += separator;
        out += table.columns[c]->label;
        if (trailing) out += separator;
    }
    return out;
}

std::size_t LongestValueLine(const ListTable& table) {
    return table.columns.size() * (kListValueTextCapacity + 1) + 2;
}

// Every value line of the Print to File text; false when cancelled or the sink stopped.
bool WriteValueLines(ChunkWriter& writer, const ListTable& table, const ListWriteProgress& progress) {
    const int precision = ClampPrecision(table.precision);
    const int extra = ClampExtra(table.extra);
    for (std::int64_t row = 0; row < table.sampleCount; ++row) {
        char* p = writer.End();
        for (const CBlock* block : table.columns) {
            p += FormatListValue(block->ValueAt(row), precision, extra, p);
            *p++ = '\t';
        }
        *p++ = '\r';
        *p++ = '\n';
        writer.Advance(p);
        if (writer.Full()) {
            if (progress && !progress(row + 1, table.sampleCount)) return false;
            if (!writer.Flush()) return false;
        }
    }
    return true;
}

// The whole Print to File text, handed to sink in pieces; false when cancelled.
bool ProducePrintToFile(const ListTable& table, const std::string& notes, const ChunkWriter::Sink& sink,
                        const ListWriteProgress& progress) {
    ChunkWriter writer(sink, LongestValueLine(table));
    std::string head;
    AppendNotesLines(head, notes);
    head += Labels(table, '\t', true);
    head += "\r\n";
    // The value lines start from an empty buffer, so the first one always fits.
    if (!writer.Append(head) || !writer.Flush()) return false;
    if (!WriteValueLines(writer, table, progress)) return false;
    if (progress && !progress(table.sampleCount, table.sampleCount)) return false;
    return writer.Flush();
}

}  // namespace

std::string ListValuePattern(int precision, int extra) {
    // Each number right-aligned in two characters, then every space made a "0": at most
    // three digits for the width (Extra 99 gives 108), two for the precision.
    auto twoWide = [](int n) {
        std::string digits = std::to_string(n);
        return digits.size() < 2 ? "0" + digits : digits;
    };
    return "%" + twoWide(ClampExtra(extra) + 9) + "." + twoWide(ClampPrecision(precision)) + "e";
}

std::size_t FormatListValue(double v, int precision, int extra, char* out) {
    const std::size_t width = static_cast<std::size_t>(ClampExtra(extra)) + 9;
    char body[40];
    const bool finite = std::isfinite(v);
    const std::size_t length = finite ? ExponentBody(v, ClampPrecision(precision), body) : NonFiniteBody(v, body);
    if (length >= width) {
        std::memcpy(out, body, length);
        return length;
    }
    const std::size_t pad = width - length;
    // The pattern has the zero flag only while its width is a single digit (Extra 0); zeros
    // go between the sign and the digits. Words are padded with spaces.
    if (finite && width < 10) {
        std::size_t sign = body[0] == '-' ? 1 : 0;
        std::memcpy(out, body, sign);
        std::memset(out + sign, '0', pad);
        std::memcpy(out + sign + pad, body + sign, length - sign);
    } else {
        std::memset(out, ' ', pad);
        std::memcpy(out + pad, body, length);
    }
    return width;
}

std::string ListValueText(double v, int precision, int extra) {
    char text[kListValueTextCapacity];
    return std::string(text, FormatListValue(v, precision, extra, text));
}

std::string ListCellMeasureText(int precision, int extra) {
    return std::string(static_cast<std::size_t>(ClampExtra(extra)) + 1, ' ') + "+0." +
           std::string(static_cast<std::size_t>(ClampPrecision(precision)), '0') + "e+000";
}

double ListTable::Value(std::size_t column, std::int64_t row) const {
    return column < columns.size() ? columns[column]->ValueAt(row) : 0.0;
}

std::int64_t ListSampleCount(const CTarvekDoc& doc) {
    const CBlock* clock = doc.Clock();
    return clock ? static_cast<std::int64_t>(clock->history.size()) : 0;
}

ListTable ListTableOf(const ListViewState& state, const CTarvekDoc& doc) {
    ListTable table;
    for (const BlockReference& ref : state.displayedBlocks)
        if (!ref.IsEmpty()) table.columns.push_back(ref.block);
    table.sampleCount = ListSampleCount(doc);
    table.precision = ClampPrecision(state.Precision);
    table.extra = ClampExtra(state.Extra);
    return table;
}

void WritePrintToFile(std::ostream& out, const ListTable& table, const std::string& notes) {
    ProducePrintToFile(
        table, notes,
        [&](std::string_view piece) {
            out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            return static_cast<bool>(out);
        },
        {});
}

std::string PrintToFileText(const ListTable& table, const std::string& notes) {
    std::string text;
    ProducePrintToFile(
        table, notes,
        [&](std::string_view piece) {
            text += piece;
            return true;
        },
        {});
    return text;
}

std::string SavePrintToFile(const std::string& path, const ListTable& table, const std::string& notes,
                            const ListWriteProgress& progress) {
    std::error_code ignored;
    const bool existed = std::filesystem::exists(path, ignored);
    // The text goes to disk a piece at a time: a long run's table need not fit in memory.
    AtomicFileWriter writer(path);
    bool complete = writer.Ok() &&
                    ProducePrintToFile(table, notes, [&](std::string_view piece) { return writer.Write(piece); },
                                       progress);
    if (writer.Ok() && !complete) return "Print to File was cancelled.";
    if (complete && writer.Commit()) return {};
    return "Unable to write " + path + ": " + writer.Error() + (existed ? ". The previous file is unchanged." : ".");
}

std::string PrintToFileInitialName(const std::string& title) {
    return title.empty() ? std::string("Output.prn") : title + ".prn";
}

std::string ListClipboardText(const ListTable& table) {
    return ListClipboardText(table, 0, table.sampleCount - 1);
}

std::string ListClipboardText(const ListTable& table, std::int64_t first, std::int64_t last) {
    std::string text;
    text += Labels(table, '\t', false);
    text += '\n';
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, table.sampleCount - 1);
    char number[40];
    for (std::int64_t row = first; row <= last; ++row) {
        for (std::size_t c = 0; c < table.columns.size(); ++c) {
            if (c > 0) text += '\t';
            text.append(number, FullPrecision(table.columns[c]->ValueAt(row), number));
        }
        text += '\n';
    }
    return text;
}

}  // namespace ondrel
