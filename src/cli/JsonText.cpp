#include "cli/JsonText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ondrel::runner {
namespace {

// The length of the valid UTF-8 sequence at text[i], or 0 when there is none.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;         // no overlong forms
        if (lead == 0xED) high = 0x9F;        // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;        // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

}  // namespace

std::string JsonString(std::string_view text) {
    std::string json = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto ch = static_cast<unsigned char>(text[i]);
        if (ch == '"' || ch == '\\') {
            json += '\\';
            json += static_cast<char>(ch);
        } else if (ch == '\n') json += "\\n";
        else if (ch == '\r') json += "\\r";
        else if (ch == '\t') json += "\\t";
        else if (ch < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
            json += escaped;
        } else if (ch < 0x80) {
            json += static_cast<char>(ch);
        } else if (std::size_t length = Utf8Length(text, i)) {
            json.append(text.substr(i, length));
            i += length - 1;
        } else {
            json += "\\ufffd";
        }
    }
    return json + '"';
}

std::string JsonNumber(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return {buffer, result.ptr};
}

}  // namespace ondrel::runner
