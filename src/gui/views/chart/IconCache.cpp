#include "gui/views/chart/IconCache.h"

#include <QFontMetrics>

#include "gui/resources/BlockIcons.h"

namespace ondrel::gui {
namespace {

// Enough for every icon in both colour modes, inverted or not, at a few sizes at once.
constexpr int kMaxImages = 1024;

}  // namespace

const QImage& IconCache::Icon(int bitmapId, bool monochrome, int pixelSize, bool inverted) {
    const quint64 key = (quint64(quint32(bitmapId)) << 32) | (quint64(quint16(pixelSize)) << 2) |
                        (monochrome ? 2u : 0u) | (inverted ? 1u : 0u);
    auto found = images_.constFind(key);
    if (found != images_.constEnd()) return *found;
    if (images_.size() >= kMaxImages) images_.clear();
    QImage image = BlockIconImage(bitmapId, monochrome, pixelSize);
    // The selected block shows the icon with every colour inverted.
    if (inverted) image.invertPixels();
    return *images_.insert(key, image);
}

int TextWidthCache::Width(const QFont& font, const QString& text) {
    if (font != font_) {
        font_ = font;
        widths_.clear();
    }
    auto found = widths_.constFind(text);
    if (found != widths_.constEnd()) return *found;
    if (widths_.size() >= 4 * kMaxImages) widths_.clear();
    const int width = QFontMetrics(font).horizontalAdvance(text);
    widths_.insert(text, width);
    return width;
}

}  // namespace ondrel::gui
