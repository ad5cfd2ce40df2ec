#pragma once
// The graph's text measuring on a Qt paint device, in the drawing's own units: on the screen
// one unit is one pixel; on a printer or PDF one unit is 0.01 inch. Fonts are sized in those
// units, so a label measures the same as it is drawn.
#include <QFont>

#include "core/platform/TextMeasurer.h"

class QPaintDevice;

namespace ondrel::gui {

// The font of a stored description in drawing units: the description's character height is
// given in pixels of a 96-dpi screen, so unitsPerInch 96 is the screen size.
QFont GraphFont(const FontDescription& description, double unitsPerInch);

class GraphTextMeasurer : public ITextMeasurer {
public:
    // device null: the screen's metrics.
    GraphTextMeasurer(QPaintDevice* device, double unitsPerInch)
        : device_(device), unitsPerInch_(unitsPerInch) {}

    TextExtent Measure(std::string_view text, const FontDescription& font) const override;
    int WrappedHeight(std::string_view text, const FontDescription& font, int width) const override;

private:
    QPaintDevice* device_;
    double unitsPerInch_;
};

}  // namespace ondrel::gui
