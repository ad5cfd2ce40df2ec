#pragma once
// Rendered block icons by (bitmap id, monochrome, pixel size, inverted), so a repaint draws
// each distinct icon once and then only copies images. Cleared when it grows large (a run of
// zoom changes), so it never holds more than a bounded number of images.
#include <QFont>
#include <QHash>
#include <QImage>
#include <QString>

namespace ondrel::gui {

class IconCache {
public:
    const QImage& Icon(int bitmapId, bool monochrome, int pixelSize, bool inverted);
    void Clear() { images_.clear(); }

private:
    QHash<quint64, QImage> images_;
};

// Measured text widths of one font, so that repainting an unchanged chart does not measure
// its labels and values again. Bounded like the icon cache.
class TextWidthCache {
public:
    int Width(const QFont& font, const QString& text);

private:
    QFont font_;
    QHash<QString, int> widths_;
};

}  // namespace ondrel::gui
