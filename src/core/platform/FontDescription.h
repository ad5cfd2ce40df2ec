#pragma once
// Colours and logical-font descriptions as charts and the profile store them.
#include <cstdint>
#include <string>

namespace ondrel {

// A colour as stored in files: red in the low byte, then green, then blue, high byte 0.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColor(int red, int green, int blue) {
    return static_cast<ColorRef>(red & 0xFF) | (static_cast<ColorRef>(green & 0xFF) << 8) |
           (static_cast<ColorRef>(blue & 0xFF) << 16);
}
constexpr int ColorRed(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int ColorGreen(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ColorBlue(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// The fields of a logical font, in file order. The defaults are the standard chart font.
struct FontDescription {
    static constexpr std::size_t kMaxFaceName = 31;

    std::int32_t height = -13;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 400;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 3;
    std::uint8_t clipPrecision = 2;
    std::uint8_t quality = 1;
    std::uint8_t pitchAndFamily = 18;
    std::string faceName = "Times New Roman";

    bool operator==(const FontDescription&) const = default;
};

}  // namespace ondrel
