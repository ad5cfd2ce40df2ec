#include "gui/views/output/GraphTextMeasurer.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <climits>
#include <cmath>

#include "gui/platform/FontConversion.h"

namespace ondrel::gui {

namespace {

QFontMetrics MetricsOf(const QFont& font, QPaintDevice* device) {
    return device != nullptr ? QFontMetrics(font, device) : QFontMetrics(font);
}

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QFont GraphFont(const FontDescription& description, double unitsPerInch) {
    QFont font = ToQFont(description);
    // Height 0 means the standard 10 points: 13.33 pixels of the 96-dpi screen.
    const double screenPixels = description.height == 0 ? 40.0 / 3.0 : std::abs(description.height);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(screenPixels * unitsPerInch / 96.0))));
    return font;
}

TextExtent GraphTextMeasurer::Measure(std::string_view text, const FontDescription& font) const {
    const QFontMetrics metrics = MetricsOf(GraphFont(font, unitsPerInch_), device_);
    return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

int GraphTextMeasurer::WrappedHeight(std::string_view text, const FontDescription& font, int width) const {
    const QFontMetrics metrics = MetricsOf(GraphFont(font, unitsPerInch_), device_);
    const QRect bounds =
        metrics.boundingRect(QRect(0, 0, std::max(width, 1), INT_MAX / 2), Qt::TextWordWrap, ToQString(text));
    return bounds.height();
}

}  // namespace ondrel::gui
