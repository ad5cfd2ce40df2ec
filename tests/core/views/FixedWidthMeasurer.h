#pragma once
// A text measurer for layout tests: every character is 6 units wide, a line is as high as
// the font's height, wrapped text breaks at the width (by characters, one paragraph).
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "core/platform/TextMeasurer.h"

namespace ondrel::test {

class FixedWidthMeasurer : public ITextMeasurer {
public:
    static constexpr int kCharWidth = 6;

    TextExtent Measure(std::string_view text, const FontDescription& font) const override {
        return {static_cast<int>(text.size()) * kCharWidth, std::abs(font.height)};
    }
    int WrappedHeight(std::string_view text, const FontDescription& font, int width) const override {
        const int perLine = std::max(width / kCharWidth, 1);
        const int lines = std::max((static_cast<int>(text.size()) + perLine - 1) / perLine, 1);
        return lines * std::abs(font.height);
    }
};

}  // namespace ondrel::test
