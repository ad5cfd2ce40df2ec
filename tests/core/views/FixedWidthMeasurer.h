#pragma once
// A text measurer for layout tests: every character is 6 units wide, a line is as high as
// the font's height, wrapped text breaks at the width (by characters).
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/TextMeasurer.h"

namespace ondrel::test {

class FixedWidthMeasurer : public ITextMeasurer {
public:
    static constexpr int kCharWidth = 6;

    TextExtent Measure(std::string_view text, const FontDescription& font) const override {
        return {static_cast<int>(text.size()) * kCharWidth, std::abs(font.height)};
    }
    int WrappedHeight(std::string_view text, const FontDescription& font, int width) const override {
        const std::size_t perLine = static_cast<std::size_t>(std::max(width / kCharWidth, 1));
        int lines = 0;
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos) end = text.size();
            lines += static_cast<int>(std::max<std::size_t>((end - start + perLine - 1) / perLine, 1));
            start = end + 1;
        }
        return lines * std::abs(font.height);
    }
};

}  // namespace ondrel::test
