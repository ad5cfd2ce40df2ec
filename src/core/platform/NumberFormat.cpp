#include "core/platform/NumberFormat.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace ondrel {
namespace {

struct Conversion {
    bool leftAlign = false;
    bool plusSign = false;
    bool spaceSign = false;
    bool zeroPad = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    char type = 'g';
};

// Parses "%[flags][width][.precision]type" starting at pattern[pos] == '%'. Returns the
// position after the conversion, or npos when it is not one we support.
std::size_t ParseConversion(std::string_view pattern, std::size_t pos, Conversion& c) {
    std::size_t i = pos + 1;
    for (; i < pattern.size(); ++i) {
        char ch = pattern[i];
        if (ch == '-') c.leftAlign = true;
        else if (ch == '+') c.plusSign = true;
        else if (ch == ' ') c.spaceSign = true;
        else if (ch == '0') c.zeroPad = true;
        else if (ch == '#') c.alternate = true;
        else break;
    }
    for (; i < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[i])); ++i)
        c.width = std::min(c.width * 10 + (pattern[i] - '0'), 1000);
    if (i < pattern.size() && pattern[i] == '.') {
        c.precision = 0;
        for (++i; i < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[i])); ++i)
            c.precision = std::min(c.precision * 10 + (pattern[i] - '0'), 300);
    }
    if (i < pattern.size() && pattern[i] == 'l') ++i;  // "%lf" and "%le" mean the same
    if (i >= pattern.size()) return std::string_view::npos;
    char type = pattern[i];
    if (std::strchr("eEfgG", type) == nullptr) return std::string_view::npos;
    c.type = type;
    return i + 1;
}

// Widens the exponent after 'e' or 'E' to at least three digits.
void WidenExponent(std::string& text) {
    auto e = text.find_first_of("eE");
    if (e == std::string::npos) return;
    std::size_t digits = e + 1;
    if (digits < text.size() && (text[digits] == '+' || text[digits] == '-')) ++digits;
    std::size_t count = text.size() - digits;
    if (count < 3) text.insert(digits, 3 - count, '0');
}

// The digits of |value| for one conversion, without sign or padding.
std::string Body(double magnitude, const Conversion& c) {
    if (std::isnan(magnitude)) return std::isupper(static_cast<unsigned char>(c.type)) ? "NAN" : "nan";
    if (std::isinf(magnitude)) return std::isupper(static_cast<unsigned char>(c.type)) ? "INF" : "inf";
    int precision = c.precision < 0 ? 6 : c.precision;
    std::chars_format format = std::chars_format::general;
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c.type)));
    if (lower == 'e') format = std::chars_format::scientific;
    if (lower == 'f') format = std::chars_format::fixed;
    if (lower == 'g' && precision == 0) precision = 1;
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, format, precision);
    std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
    if (c.alternate && text.find('.') == std::string::npos) {
        auto e = text.find('e');
        text.insert(e == std::string::npos ? text.size() : e, 1, '.');
    }
    WidenExponent(text);
    if (std::isupper(static_cast<unsigned char>(c.type)))
        for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

std::string Apply(const Conversion& c, double value) {
    std::string sign;
    if (std::signbit(value) && !std::isnan(value)) sign = "-";
    else if (c.plusSign) sign = "+";
    else if (c.spaceSign) sign = " ";
    std::string body = Body(std::fabs(value), c);
    std::size_t length = sign.size() + body.size();
    if (static_cast<std::size_t>(c.width) <= length) return sign + body;
    std::size_t pad = c.width - length;
    if (c.leftAlign) return sign + body + std::string(pad, ' ');
    if (c.zeroPad && std::isfinite(value)) return sign + std::string(pad, '0') + body;
    return std::string(pad, ' ') + sign + body;
}

bool IsBlank(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

// Length of the longest prefix of text (after blanks) that reads as a decimal number.
std::size_t NumberExtent(std::string_view text, std::size_t start) {
    std::size_t i = start;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return start;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        std::size_t expStart = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
        if (j > expStart) i = j;
    }
    return i;
}

double ConvertExtent(std::string_view text, std::size_t start, std::size_t end) {
    if (end == start) return 0.0;
    const char* first = text.data() + start;
    bool negative = *first == '-';
    if (*first == '+' || *first == '-') ++first;
    double value = 0.0;
    auto result = std::from_chars(first, text.data() + end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the double range: a negative exponent underflows to zero, anything else
        // overflows to infinity, as the platform's conversion does.
        std::string_view number(first, static_cast<std::size_t>(text.data() + end - first));
        auto e = number.find_first_of("eE");
        bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    }
    return negative ? -value : value;
}

}  // namespace

std::string FormatNumber(std::string_view pattern, double value) {
    std::string out;
    bool converted = false;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern[i] != '%') {
            out += pattern[i++];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        Conversion c;
        std::size_t next = ParseConversion(pattern, i, c);
        if (next == std::string_view::npos || converted) return FormatSignificant(value, 6);
        out += Apply(c, value);
        converted = true;
        i = next;
    }
    return out;
}

std::string FormatE(double value, int precision) {
    Conversion c;
    c.type = 'e';
    c.precision = precision;
    return Apply(c, value);
}

std::string FormatSignificant(double value, int digits) {
    Conversion c;
    c.type = 'g';
    c.precision = digits < 1 ? 1 : digits;
    return Apply(c, value);
}

double ParseDecimal(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    return ConvertExtent(text, start, NumberExtent(text, start));
}

bool ParseDecimalStrict(std::string_view text, double& value) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    std::size_t end = NumberExtent(text, start);
    if (end == start) return false;
    for (std::size_t i = end; i < text.size(); ++i)
        if (!IsBlank(text[i])) return false;
    value = ConvertExtent(text, start, end);
    return true;
}

bool ParseIntegerStrict(std::string_view text, int& value) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    std::size_t end = text.size();
    while (end > start && IsBlank(text[end - 1])) --end;
    const char* first = text.data() + start;
    if (first != text.data() + end && *first == '+') ++first;
    if (first == text.data() + end) return false;
    auto result = std::from_chars(first, text.data() + end, value);
    return result.ec == std::errc() && result.ptr == text.data() + end;
}

}  // namespace ondrel
