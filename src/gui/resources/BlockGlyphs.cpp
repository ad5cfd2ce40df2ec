// The block icon designs: one recognisable glyph per block function, in a 23 x 23 box.
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "gui/resources/IconPainting.h"

namespace ondrel::gui {
namespace {

constexpr double kPi = 3.14159265358979323846;
const QRectF kTextBox(2.5, 5.0, 18.0, 13.0);    // where word glyphs go
const QRectF kSymbolBox(4.0, 3.5, 15.0, 16.0);  // where single symbols go

void Text(QPainter& p, const IconStyle& s, const QString& text, const QRectF& box = kTextBox,
          bool italic = false) {
    FillFittedText(p, text, box, s.ink, true, italic);
}

void Polyline(QPainter& p, const IconStyle& s, std::initializer_list<QPointF> points, double width = 1.6) {
    p.setPen(InkPen(s, width));
    p.setBrush(Qt::NoBrush);
    const QPolygonF line(points);
    p.drawPolyline(line);
}

// y = f(x) sampled across the face, x and y in -1..1 mapped to the drawing area.
template <typename F>
void Curve(QPainter& p, const IconStyle& s, F f, double width = 1.6) {
    QPainterPath path;
    for (int i = 0; i <= 40; ++i) {
        const double x = -1.0 + i / 20.0;
        const QPointF point(11.5 + 8.0 * x, 11.5 - 7.0 * f(x));
        if (i == 0) path.moveTo(point);
        else path.lineTo(point);
    }
    p.setPen(InkPen(s, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Integral(QPainter& p, const IconStyle& s) {
    QPainterPath path;
    path.moveTo(15.5, 4.5);
    path.cubicTo(13.0, 1.5, 11.5, 4.0, 11.5, 8.0);
    path.lineTo(11.5, 15.0);
    path.cubicTo(11.5, 19.0, 10.0, 21.5, 7.5, 18.5);
    p.setPen(InkPen(s, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Sigma(QPainter& p, const IconStyle& s) {
    Polyline(p, s, {{16.5, 6.0}, {16.0, 4.5}, {6.5, 4.5}, {12.0, 11.5}, {6.5, 18.5}, {16.0, 18.5}, {16.5, 17.0}},
             1.8);
}

void Times(QPainter& p, const IconStyle& s) {
    p.setPen(InkPen(s, 2.2));
    p.drawLine(QPointF(6.5, 6.5), QPointF(16.5, 16.5));
    p.drawLine(QPointF(16.5, 6.5), QPointF(6.5, 16.5));
}

void DivideSign(QPainter& p, const IconStyle& s) {
    p.setPen(InkPen(s, 2.0));
    p.drawLine(QPointF(5.0, 11.5), QPointF(18.0, 11.5));
    p.setPen(Qt::NoPen);
    p.setBrush(s.ink);
    p.drawEllipse(QPointF(11.5, 6.5), 1.7, 1.7);
    p.drawEllipse(QPointF(11.5, 16.5), 1.7, 1.7);
}

void Root(QPainter& p, const IconStyle& s) {
    Polyline(p, s, {{3.5, 12.5}, {6.0, 11.0}, {9.0, 18.5}, {13.0, 4.5}, {19.5, 4.5}});
    Text(p, s, QStringLiteral("x"), QRectF(12.5, 8.0, 6.5, 8.0), true);
}

void Superscript(QPainter& p, const IconStyle& s, const QString& base, const QString& power) {
    Text(p, s, base, QRectF(3.0, 7.0, 11.0, 12.0), base == QStringLiteral("x"));
    Text(p, s, power, QRectF(13.5, 3.5, 6.5, 7.5), true);
}

void GainTriangle(QPainter& p, const IconStyle& s) {
    p.setPen(InkPen(s, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({{5.0, 4.0}, {18.5, 11.5}, {5.0, 19.0}}));
    Text(p, s, QStringLiteral("k"), QRectF(6.5, 8.5, 5.5, 6.5), true);
}

void Hourglass(QPainter& p, const IconStyle& s) {
    Polyline(p, s, {{6.0, 4.0}, {17.0, 4.0}, {6.0, 19.0}, {17.0, 19.0}, {6.0, 4.0}}, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(s.ink);
    p.drawPolygon(QPolygonF({{8.5, 17.5}, {14.5, 17.5}, {11.5, 13.5}}));
}

void Dice(QPainter& p, const IconStyle& s) {
    p.setPen(InkPen(s, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(4.5, 4.5, 14.0, 14.0), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(s.ink);
    for (const QPointF c : {QPointF(8.0, 8.0), QPointF(15.0, 8.0), QPointF(11.5, 11.5), QPointF(8.0, 15.0),
                            QPointF(15.0, 15.0)})
        p.drawEllipse(c, 1.4, 1.4);
}

void StopSign(QPainter& p, const IconStyle& s) {
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const double a = (22.5 + 45.0 * i) * kPi / 180.0;
        octagon << QPointF(11.5 + 8.5 * std::cos(a), 11.5 + 8.5 * std::sin(a));
    }
    p.setPen(InkPen(s, 1.2));
    p.setBrush(s.accent);
    p.drawPolygon(octagon);
    p.setPen(QPen(s.accent == s.ink ? s.face : QColor(Qt::white), 2.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7.0, 11.5), QPointF(16.0, 11.5));
}

void RelaySwitch(QPainter& p, const IconStyle& s) {
    Polyline(p, s, {{3.0, 15.5}, {7.0, 15.5}, {16.0, 8.5}}, 1.6);
    Polyline(p, s, {{15.0, 15.5}, {20.0, 15.5}}, 1.6);
    Polyline(p, s, {{15.0, 6.5}, {20.0, 6.5}}, 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(s.ink);
    p.drawEllipse(QPointF(7.0, 15.5), 1.6, 1.6);
}

void ZeroOrderHold(QPainter& p, const IconStyle& s) {
    Polyline(p, s, {{3.5, 17.5}, {8.0, 17.5}, {8.0, 11.0}, {12.5, 11.0}, {12.5, 6.0}, {17.0, 6.0}, {17.0, 13.0},
                    {20.0, 13.0}});
    p.setPen(Qt::NoPen);
    p.setBrush(s.accent);
    for (const QPointF c : {QPointF(8.0, 11.0), QPointF(12.5, 6.0), QPointF(17.0, 13.0)}) p.drawEllipse(c, 1.5, 1.5);
}

void Jitter(QPainter& p, const IconStyle& s) {
    p.setPen(InkPen(s, 1.3));
    p.drawLine(QPointF(3.0, 18.0), QPointF(20.0, 18.0));
    p.setPen(InkPen(s, 1.8));
    for (const double x : {5.0, 7.5, 13.0, 14.8, 19.0}) p.drawLine(QPointF(x, 18.0), QPointF(x, 6.0));
}

void PulseTrain(QPainter& p, const IconStyle& s) {
    Polyline(p, s, {{2.5, 17.0}, {5.0, 17.0}, {5.0, 6.0}, {8.0, 6.0}, {8.0, 17.0}, {11.0, 17.0}, {11.0, 6.0},
                    {14.0, 6.0}, {14.0, 17.0}, {17.0, 17.0}, {17.0, 6.0}, {20.0, 6.0}});
}

void OneShot(QPainter& p, const IconStyle& s) {
    Polyline(p, s, {{2.5, 17.0}, {8.5, 17.0}, {8.5, 6.0}, {14.5, 6.0}, {14.5, 17.0}, {20.5, 17.0}});
}

void Backlash(QPainter& p, const IconStyle& s) {
    DrawAxes(p, s);
    // The play loop: the output follows only after the input has crossed the gap.
    Polyline(p, s, {{3.5, 18.0}, {13.0, 18.0}, {19.5, 5.0}, {10.0, 5.0}, {3.5, 18.0}}, 1.5);
}

void ClockFace(QPainter& p, const IconStyle& s) {
    p.setPen(InkPen(s, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(11.5, 11.5), 8.0, 8.0);
    p.drawLine(QPointF(11.5, 11.5), QPointF(11.5, 6.0));
    p.drawLine(QPointF(11.5, 11.5), QPointF(15.5, 13.5));
}

void Unknown(QPainter& p, const IconStyle& s) { Text(p, s, QStringLiteral("?"), kSymbolBox); }

// The designs that are curves on axes.
bool PaintCurveGlyph(QPainter& p, int id, const IconStyle& s) {
    switch (id) {
        case 167: DrawAxes(p, s); Curve(p, s, [](double x) { return 1.7 * std::exp(-2.2 * (x + 1.0)) - 0.7; }); return true;
        case 186: DrawAxes(p, s); Curve(p, s, [](double x) { return 1.7 * std::exp(-6.0 * x * x) - 0.8; }); return true;
        case 189: Curve(p, s, [](double x) { return 0.9 * std::sin(kPi * x); }); return true;
        case 193: DrawAxes(p, s); Polyline(p, s, {{3.5, 17.0}, {11.5, 17.0}, {11.5, 6.0}, {19.5, 6.0}}); return true;
        case 194: DrawAxes(p, s); Polyline(p, s, {{3.5, 19.0}, {8.0, 11.5}, {15.0, 11.5}, {19.5, 4.0}}); return true;
        case 197: DrawAxes(p, s); Polyline(p, s, {{3.5, 17.0}, {8.0, 17.0}, {15.0, 6.0}, {19.5, 6.0}}); return true;
        case 199: DrawAxes(p, s); Polyline(p, s, {{3.5, 11.5}, {11.5, 11.5}, {19.5, 4.0}}); return true;
        case 201: DrawAxes(p, s); Polyline(p, s, {{3.5, 19.0}, {11.5, 11.5}, {19.5, 11.5}}); return true;
        default: return false;
    }
}

// The designs that are a word or formula.
bool PaintTextGlyph(QPainter& p, int id, const IconStyle& s) {
    switch (id) {
        case 152: Text(p, s, QStringLiteral("\u2212x"), kTextBox, true); return true;
        case 168: Text(p, s, QStringLiteral("sin")); return true;
        case 169: Text(p, s, QStringLiteral("cos")); return true;
        case 170: Text(p, s, QStringLiteral("atan")); return true;
        case 171: Text(p, s, QStringLiteral("ln")); return true;
        case 172: Text(p, s, QStringLiteral("log")); return true;
        case 174: Text(p, s, QStringLiteral("dB")); return true;
        case 180: Text(p, s, QStringLiteral("AND")); return true;
        case 181: Text(p, s, QStringLiteral("XOR")); return true;
        case 182: Text(p, s, QStringLiteral("OR")); return true;
        case 191: Text(p, s, QStringLiteral("|x|")); return true;
        case 195: Text(p, s, QStringLiteral("f(x)")); return true;
        case 196: Text(p, s, QStringLiteral("int")); return true;
        case 198: Text(p, s, QStringLiteral("mod")); return true;
        case 200: Text(p, s, QStringLiteral("+c")); return true;
        case 202: Text(p, s, QStringLiteral("k"), kSymbolBox, true); return true;
        case 203: Text(p, s, QStringLiteral("\u03c0"), kSymbolBox); return true;
        default: return false;
    }
}

bool PaintSymbolGlyph(QPainter& p, int id, const IconStyle& s) {
    switch (id) {
        case 144: Times(p, s); return true;
        case 149: DivideSign(p, s); return true;
        case 150: Superscript(p, s, QStringLiteral("x"), QStringLiteral("y")); return true;
        case 138: Root(p, s); return true;
        case 151: Sigma(p, s); return true;
        case 257: GainTriangle(p, s); return true;
        case 165: Integral(p, s); return true;
        case 166: Hourglass(p, s); return true;
        case 173: Superscript(p, s, QStringLiteral("e"), QStringLiteral("x")); return true;
        case 175: ClockFace(p, s); return true;
        case 183: StopSign(p, s); return true;
        case 184: RelaySwitch(p, s); return true;
        case 185: ZeroOrderHold(p, s); return true;
        case 187: Jitter(p, s); return true;
        case 188: Dice(p, s); return true;
        case 190: PulseTrain(p, s); return true;
        case 192: Backlash(p, s); return true;
        case 209: OneShot(p, s); return true;
        default: return false;
    }
}

}  // namespace

bool PaintBlockGlyph(QPainter& painter, int bitmapId, const IconStyle& style) {
    if (PaintSymbolGlyph(painter, bitmapId, style) || PaintTextGlyph(painter, bitmapId, style) ||
        PaintCurveGlyph(painter, bitmapId, style))
        return true;
    Unknown(painter, style);
    return false;
}

}  // namespace ondrel::gui
