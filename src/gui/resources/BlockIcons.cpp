#include "gui/resources/BlockIcons.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <algorithm>
#include <set>

#include "core/blocks/BlockCatalogue.h"
#include "gui/resources/IconPainting.h"

namespace ondrel::gui {
namespace {

// Largest image an icon is ever drawn at; anything bigger would only waste memory.
constexpr int kMaxIconPixels = 4096;

// The colour bitmap ids that have a design of their own.
const std::set<int>& BlockDesignIds() {
    static const std::set<int> ids{138, 144, 149, 150, 151, 152, 257, 165, 166, 167, 168, 169, 170,
                                   171, 172, 173, 174, 175, 180, 181, 182, 183, 184, 185, 186, 187,
                                   188, 189, 190, 209, 191, 192, 193, 194, 195, 196, 197, 198, 199,
                                   200, 201, 202, 203};
    return ids;
}

struct FamilyColours {
    int firstId;
    int lastId;
    QColor face;
    QColor ink;
};

// Tints by toolbar family, so a chart's kinds of blocks can be told apart at a glance.
const FamilyColours kFamilies[] = {
    {138, 152, QColor(214, 228, 255), QColor(20, 50, 140)},    // math
    {257, 257, QColor(214, 228, 255), QColor(20, 50, 140)},    // gain
    {165, 167, QColor(214, 245, 214), QColor(20, 100, 30)},    // time
    {168, 174, QColor(236, 222, 250), QColor(90, 30, 130)},    // transcendental
    {175, 175, QColor(220, 235, 245), QColor(30, 60, 90)},     // clock
    {180, 185, QColor(255, 232, 204), QColor(140, 60, 0)},     // logic
    {186, 190, QColor(255, 248, 200), QColor(120, 80, 0)},     // generators
    {209, 209, QColor(255, 248, 200), QColor(120, 80, 0)},     // one shot
    {191, 201, QColor(205, 240, 240), QColor(0, 90, 100)},     // non-linear
    {202, 203, QColor(252, 226, 236), QColor(130, 20, 70)},     // miscellaneous
};

// Renders a design into a square image of the given size.
template <typename Draw>
QImage RenderDesign(int pixelSize, const QColor& background, Draw draw) {
    const int side = std::clamp(pixelSize, 1, kMaxIconPixels);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(side / kIconDesignSize, side / kIconDesignSize);
    draw(painter);
    return image;
}

// Every pixel taken to its grey level, its transparency kept.
QImage Greyed(const QImage& source) {
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return image;
}

// Checked (the armed block tool, Run while running): a ring in the highlight colour along
// the image's edge. The painted faces are opaque, so a button's own checked background would
// hardly show around them.
void DrawCheckedRing(QPainter& painter, const QRect& square) {
    const int width = std::max(2, square.width() / 10);
    QPen pen(QGuiApplication::palette().color(QPalette::Highlight), width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setOpacity(1.0);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const double inset = width / 2.0;
    painter.drawRect(QRectF(square).adjusted(inset, inset, -inset, -inset));
}

// An icon drawn on demand at whatever size a toolbar or menu asks for.
class GlyphIconEngine : public QIconEngine {
public:
    enum class Kind { Block, Command };
    GlyphIconEngine(Kind kind, int id) : kind_(kind), id_(id) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
        const int side = std::min(rect.width(), rect.height());
        if (side <= 0) return;
        QImage image = kind_ == Kind::Block ? BlockIconImage(id_, false, side) : CommandImage(side);
        painter->save();
        // Disabled: grey and faint, so a command that cannot run now looks it on a toolbar.
        if (mode == QIcon::Disabled) {
            image = Greyed(image);
            painter->setOpacity(0.4);
        }
        const QRect square(rect.topLeft(), QSize(side, side));
        painter->drawImage(square, image);
        if (state == QIcon::On && mode != QIcon::Disabled) DrawCheckedRing(*painter, square);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        // Start from a clear pixmap: the designs leave their corners transparent.
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new GlyphIconEngine(kind_, id_); }
    QString key() const override { return QStringLiteral("OndrelGlyph"); }

private:
    QImage CommandImage(int side) const {
        QImage image = RenderDesign(side, Qt::transparent, [this](QPainter& p) {
            if (!PaintCommandGlyph(p, id_)) DrawFace(p, IconStyle{});
        });
        return image;
    }

    Kind kind_;
    int id_;
};

}  // namespace

QPen InkPen(const IconStyle& style, double width) {
    return QPen(style.ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void FillFittedText(QPainter& painter, const QString& text, const QRectF& box, const QColor& color, bool bold,
                    bool italic) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(100);
    font.setBold(bold);
    font.setItalic(italic);
    QPainterPath path;
    path.addText(0.0, 0.0, font, text);
    const QRectF bounds = path.boundingRect();
    if (bounds.isEmpty()) return;
    // Words share one letter height (the capitals'), so "ln" is not drawn taller than "sin".
    const double height = std::max(bounds.height(), QFontMetricsF(font).capHeight());
    const double scale = std::min(box.width() / bounds.width(), box.height() / height);
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawPath(fit.map(path));
    painter.restore();
}

void DrawAxes(QPainter& painter, const IconStyle& style) {
    QColor axis = style.ink;
    axis.setAlpha(110);
    painter.setPen(QPen(axis, 0.8));
    painter.drawLine(QPointF(2.5, 11.5), QPointF(20.5, 11.5));
    painter.drawLine(QPointF(11.5, 2.5), QPointF(11.5, 20.5));
}

void DrawFace(QPainter& painter, const IconStyle& style) {
    painter.setPen(QPen(style.frame, 1.0));
    painter.setBrush(style.face);
    painter.drawRect(QRectF(0.5, 0.5, kIconDesignSize - 1.0, kIconDesignSize - 1.0));
}

IconStyle BlockIconStyle(int bitmapId, bool monochrome) {
    IconStyle style;
    if (monochrome) return style;
    style.frame = QColor(70, 70, 80);
    for (const FamilyColours& family : kFamilies) {
        if (bitmapId < family.firstId || bitmapId > family.lastId) continue;
        style.face = family.face;
        style.ink = family.ink;
        style.frame = family.ink;
    }
    style.accent = (bitmapId == 183 || bitmapId == 185) ? QColor(210, 30, 30) : style.ink;
    return style;
}

QImage BlockIconImage(int bitmapId, bool monochrome, int pixelSize) {
    // The monochrome set lives at id + 500.
    if (BlockDesignIds().count(bitmapId) == 0 && BlockDesignIds().count(bitmapId - kMonochromeIconOffset) != 0) {
        bitmapId -= kMonochromeIconOffset;
        monochrome = true;
    }
    const IconStyle style = BlockIconStyle(bitmapId, monochrome);
    return RenderDesign(pixelSize, style.face, [&](QPainter& p) {
        DrawFace(p, style);
        PaintBlockGlyph(p, bitmapId, style);
    });
}

QIcon BlockToolIcon(int bitmapId) {
    return QIcon(new GlyphIconEngine(GlyphIconEngine::Kind::Block, bitmapId));
}

QIcon CommandIcon(int commandId) {
    if (const CatalogueEntry* entry = FindCatalogueEntryByCommand(commandId)) return BlockToolIcon(entry->bitmapId);
    return QIcon(new GlyphIconEngine(GlyphIconEngine::Kind::Command, commandId));
}

QCursor PlacingCursor() {
    // A cross-hair with a small block outline: "a block goes where you click".
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    for (const auto& [color, width] : {std::pair{QColor(Qt::white), 3}, std::pair{QColor(Qt::black), 1}}) {
        p.setPen(QPen(color, width));
        p.drawLine(15, 1, 15, 29);
        p.drawLine(1, 15, 29, 15);
        p.setBrush(Qt::NoBrush);
        p.drawRect(19, 19, 9, 9);
    }
    p.end();
    return QCursor(pixmap, 15, 15);
}

QImage MarkerImage(int bitmapId) {
    QImage image;
    if (bitmapId == kPortMarkerBitmap) image = QImage(1, 5, QImage::Format_ARGB32_Premultiplied);
    else if (bitmapId == kInitMarkBitmap || bitmapId == kInitMarkPrintBitmap)
        image = QImage(2, 8, QImage::Format_ARGB32_Premultiplied);
    if (!image.isNull()) image.fill(MarkerColor(bitmapId));
    return image;
}

QColor MarkerColor(int bitmapId) { return bitmapId == kInitMarkBitmap ? QColor(255, 0, 0) : QColor(0, 0, 0); }

}  // namespace ondrel::gui
