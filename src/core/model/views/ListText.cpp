#include "model/views/ListText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "blocks/CBlock.h"
#include "model/AtomicFileWriter.h"
#include "model/CTarvekDoc.h"
#include "model/views/ListViewState.h"

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

// The notes with every line end (CR LF, LF or a lone CR) written as CR LF.
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

// The rows of a table are produced into one buffer that is handed on whenever it holds
// more than kChunkBytes; nothing is allocated per value or per row.
constexpr std::size_t kChunkBytes = std::size_t{1} << 20;

class ChunkWriter {
public:
    using Sink = std::function<bool(std::string_view)>;
    explicit ChunkWriter(const Sink& sink) : sink_(sink) { buffer_.reserve(kChunkBytes + 4096); }

    std::string& Buffer() { return buffer_; }
    // Makes room for n more characters at the end and returns where they go.
    char* Grow(std::size_t n) {
        std::size_t at = buffer_.size();
        buffer_.resize(at + n);
        return buffer_.data() + at;
    }
    void Shrink(char* end) { buffer_.resize(static_cast<std::size_t>(end - buffer_.data())); }
    // Hands the buffer on when it is full (or always, at the end); false when the sink stops.
    bool Flush(bool always = false) {
        if (buffer_.empty() || (!always && buffer_.size() < kChunkBytes)) return true;
        bool more = sink_(buffer_);
        buffer_.clear();
        return more;
    }

private:
    const Sink& sink_;
    std::string buffer_;
};

void AppendLabels(std::string& out, const ListTable& table, char separator, bool trailing) {
    for (std::size_t c = 0; c < table.columns.size(); ++c) {
        if (c > 0 && !trailing) out += separator;
        out += table.columns[c]->label;
        if (trailing) out += separator;
    }
}

// Every value line of the Print to File text; false when the sink stopped it.
bool WriteValueLines(ChunkWriter& writer, const ListTable& table, const ListWriteProgress& progress) {
    const std::size_t lineMax = table.columns.size() * (kListValueTextCapacity + 1) + 2;
    const int precision = ClampPrecision(table.precision);
    const int extra = ClampExtra(table.extra);
    for (std::int64_t row = 0; row < table.sampleCount; ++row) {
        char* p = writer.Grow(lineMax);
        for (const CBlock* block : table.columns) {
            p += FormatListValue(block->ValueAt(row), precision, extra, p);
            *p++ = '\t';
        }
        *p++ = '\r';
        *p++ = '\n';
        writer.Shrink(p);
        if (writer.Buffer().size() >= kChunkBytes) {
            if (progress && !progress(row + 1, table.sampleCount)) return false;
            if (!writer.Flush()) return false;
        }
    }
    return true;
}

// The whole Print to File text, handed to sink in pieces; false when cancelled.
bool ProducePrintToFile(const ListTable& table, const std::string& notes, const ChunkWriter::Sink& sink,
                        const ListWriteProgress& progress) {
    ChunkWriter writer(sink);
    if (!notes.empty()) AppendNotesLines(writer.Buffer(), notes);
    else writer.Buffer() += "\r\n";
    AppendLabels(writer.Buffer(), table, '\t', true);
    writer.Buffer() += "\r\n";
    if (!WriteValueLines(writer, table, progress)) return false;
    if (progress && !progress(table.sampleCount, table.sampleCount)) return false;
    return writer.Flush(true);
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
    AppendLabels(text, table, '\t', false);
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
