#pragma once
// Text measuring for the views whose layout the core computes (the graph's labels, legends
// and notes). The desktop program measures with the fonts of the screen or the printer; the
// tests use a fixed-width fake. Extents are in the units the caller lays out in (on screen
// one logical unit is one pixel).
#include <string_view>

#include "core/platform/FontDescription.h"

namespace ondrel {

struct TextExtent {
    int width = 0;
    int height = 0;
    bool operator==(const TextExtent&) const = default;
};

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    // The extent of text drawn on one line in font.
    virtual TextExtent Measure(std::string_view text, const FontDescription& font) const = 0;
    // The height of text word-wrapped to width in font (line breaks in the text kept).
    virtual int WrappedHeight(std::string_view text, const FontDescription& font, int width) const = 0;
};

}  // namespace ondrel
