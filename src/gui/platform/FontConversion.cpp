#include "gui/platform/FontConversion.h"

#include <algorithm>
#include <cmath>

namespace ondrel::gui {
namespace {

constexpr double kScreenDpi = 96.0;
constexpr double kPointsPerInch = 72.0;

QFont::StyleHint HintFor(std::uint8_t pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
        case 0x10: return QFont::Serif;
        case 0x20: return QFont::SansSerif;
        case 0x30: return QFont::TypeWriter;
        case 0x40: return QFont::Cursive;
        case 0x50: return QFont::Decorative;
        default: return QFont::AnyStyle;
    }
}

}  // namespace

QFont ToQFont(const FontDescription& d) {
    QFont font(QString::fromStdString(d.faceName));
    const int pixels = std::abs(d.height);
    font.setPointSizeF(pixels == 0 ? 10.0 : pixels * kPointsPerInch / kScreenDpi);
    const int weight = d.weight <= 0 ? 400 : std::clamp(d.weight, 1, 1000);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(d.italic != 0);
    font.setUnderline(d.underline != 0);
    font.setStrikeOut(d.strikeOut != 0);
    font.setStyleHint(HintFor(d.pitchAndFamily));
    return font;
}

FontDescription FromQFont(const QFont& font, const FontDescription& base) {
    FontDescription d = base;
    double points = font.pointSizeF();
    if (points <= 0.0) points = font.pixelSize() * kPointsPerInch / kScreenDpi;
    d.height = -static_cast<std::int32_t>(std::lround(points * kScreenDpi / kPointsPerInch));
    d.weight = static_cast<std::int32_t>(font.weight());
    d.italic = font.italic() ? 1 : 0;
    d.underline = font.underline() ? 1 : 0;
    d.strikeOut = font.strikeOut() ? 1 : 0;
    d.faceName = font.family().toStdString().substr(0, FontDescription::kMaxFaceName);
    return d;
}

}  // namespace ondrel::gui
