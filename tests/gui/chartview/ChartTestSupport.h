#pragma once
// Building small charts and rendering them the way a user would see them. Rendering uses
// 100 dots per inch, so one chart unit is one pixel and chart point (x, y) is pixel (x, -y).
#include <QImage>
#include <QPainter>

#include "core/blocks/CBlock.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"
#include "gui/views/chart/CTarvekView.h"

namespace ondrel::gui::test {

inline constexpr double kTestDpi = 100.0;

// A block of the type placed at grid (x, y) as a user would, then given the colour.
inline CBlock* AddBlock(CTarvekDoc& doc, int typeId, int x, int y, ColorRef color) {
    auto pending = doc.CreateBlock(typeId);
    CBlock* block = pending.get();
    doc.PlaceBlock(std::move(pending), x, y);
    block->color = color;
    return block;
}

inline QImage Render(CTarvekView& view, QSize size = QSize(600, 500)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.Paint(painter, image.rect(), kTestDpi);
    return image;
}

inline QPoint ToPixel(QPoint chart) { return {chart.x(), -chart.y()}; }

inline QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

inline bool IsDark(const QColor& c) { return c.red() < 110 && c.green() < 110 && c.blue() < 110; }

// How many pixels of the rectangle satisfy the test.
template <typename Test>
int CountPixels(const QImage& image, const QRect& rect, Test test) {
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (test(image.pixelColor(x, y))) ++count;
    return count;
}

}  // namespace ondrel::gui::test
