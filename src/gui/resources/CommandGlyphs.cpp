// The toolbar designs of the Main and Display bars, in a 23 x 23 box.
#include <QPainterPath>
#include <QPolygonF>

#include "gui/resources/IconPainting.h"

namespace ondrel::gui {
namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(255, 255, 255);
const QColor kBlue(40, 90, 190);
const QColor kGreen(30, 150, 60);
const QColor kYellow(240, 200, 80);
const QColor kRed(200, 40, 40);

QPen Pen(const QColor& color = kInk, double width = 1.2) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, const QRectF& r) {
    const double fold = 4.0;
    p.setPen(Pen());
    p.setBrush(kPaper);
    p.drawPolygon(QPolygonF({r.topLeft(), {r.right() - fold, r.top()}, {r.right(), r.top() + fold}, r.bottomRight(),
                             r.bottomLeft()}));
    p.drawPolyline(QPolygonF({{r.right() - fold, r.top()}, {r.right() - fold, r.top() + fold}, {r.right(), r.top() + fold}}));
}

void TextLines(QPainter& p, double left, double right, double top, int count) {
    p.setPen(Pen(QColor(110, 110, 120), 1.0));
    for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + 2.5 * i), QPointF(right, top + 2.5 * i));
}

void Folder(QPainter& p) {
    p.setPen(Pen());
    p.setBrush(kYellow);
    p.drawPolygon(QPolygonF({{2.5, 6.0}, {8.0, 6.0}, {10.0, 8.0}, {19.5, 8.0}, {19.5, 18.5}, {2.5, 18.5}}));
    p.setBrush(kYellow.lighter(115));
    p.drawPolygon(QPolygonF({{2.5, 18.5}, {5.5, 11.0}, {21.5, 11.0}, {19.5, 18.5}}));
}

void Floppy(QPainter& p) {
    p.setPen(Pen());
    p.setBrush(kBlue);
    p.drawRect(QRectF(3.5, 3.5, 16.0, 16.0));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 3.5, 10.0, 6.0));
    p.setBrush(QColor(220, 220, 225));
    p.drawRect(QRectF(6.5, 13.0, 10.0, 6.5));
}

void CloseWindow(QPainter& p) {
    Page(p, QRectF(4.5, 3.5, 12.0, 16.0));
    p.setPen(Pen(kRed, 2.0));
    p.drawLine(QPointF(12.0, 12.0), QPointF(19.5, 19.5));
    p.drawLine(QPointF(19.5, 12.0), QPointF(12.0, 19.5));
}

void Scissors(QPainter& p) {
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(7.0, 3.5), QPointF(14.0, 15.0));
    p.drawLine(QPointF(16.0, 3.5), QPointF(9.0, 15.0));
    p.drawEllipse(QPointF(7.5, 17.0), 2.8, 2.8);
    p.drawEllipse(QPointF(15.5, 17.0), 2.8, 2.8);
}

void CopyPages(QPainter& p) {
    Page(p, QRectF(3.5, 3.0, 10.0, 13.0));
    Page(p, QRectF(9.5, 7.0, 10.0, 13.0));
    TextLines(p, 11.5, 17.5, 12.0, 3);
}

void Clipboard(QPainter& p) {
    p.setPen(Pen());
    p.setBrush(QColor(180, 130, 70));
    p.drawRoundedRect(QRectF(3.5, 4.0, 13.0, 16.0), 1.5, 1.5);
    p.setBrush(QColor(200, 200, 205));
    p.drawRect(QRectF(7.0, 2.5, 6.0, 3.0));
    Page(p, QRectF(10.0, 9.0, 9.5, 11.5));
}

void Printer(QPainter& p) {
    Page(p, QRectF(6.5, 2.5, 10.0, 8.0));
    p.setPen(Pen());
    p.setBrush(QColor(190, 190, 200));
    p.drawRoundedRect(QRectF(2.5, 9.0, 18.0, 8.0), 1.5, 1.5);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 14.5, 10.0, 6.0));
    p.setPen(Pen(kGreen, 1.6));
    p.drawPoint(QPointF(17.5, 11.5));
}

void Preview(QPainter& p) {
    Page(p, QRectF(3.5, 2.5, 12.0, 16.0));
    TextLines(p, 5.5, 12.0, 7.0, 3);
    p.setPen(Pen(kInk, 1.4));
    p.setBrush(QColor(200, 230, 255, 180));
    p.drawEllipse(QPointF(13.5, 13.5), 4.0, 4.0);
    p.setPen(Pen(kInk, 2.2));
    p.drawLine(QPointF(16.5, 16.5), QPointF(20.0, 20.0));
}

void Badge(QPainter& p, const QString& text, const QColor& color) {
    p.setPen(Pen(color.darker(140), 1.0));
    p.setBrush(color);
    p.drawEllipse(QPointF(11.5, 11.5), 9.0, 9.0);
    FillFittedText(p, text, QRectF(7.5, 5.0, 8.0, 13.0), Qt::white, true);
}

void ChartDiagram(QPainter& p) {
    p.setPen(Pen(kBlue, 1.4));
    p.drawPolyline(QPolygonF({{9.0, 7.5}, {12.0, 7.5}, {12.0, 15.5}, {14.0, 15.5}}));
    p.setPen(Pen());
    p.setBrush(QColor(210, 225, 255));
    p.drawRect(QRectF(2.5, 4.0, 6.5, 7.0));
    p.drawRect(QRectF(14.0, 12.0, 6.5, 7.0));
}

void TextPage(QPainter& p) {
    Page(p, QRectF(4.5, 2.5, 14.0, 18.0));
    FillFittedText(p, QStringLiteral("T"), QRectF(6.5, 5.0, 5.0, 6.0), kBlue, true);
    TextLines(p, 12.5, 16.0, 6.0, 2);
    TextLines(p, 6.5, 16.0, 12.5, 3);
}

void GraphAxes(QPainter& p) {
    p.setPen(Pen());
    p.drawPolyline(QPolygonF({{3.5, 3.0}, {3.5, 19.5}, {20.5, 19.5}}));
    QPainterPath curve;
    curve.moveTo(4.0, 16.0);
    curve.cubicTo(9.0, 2.0, 13.0, 20.0, 20.0, 6.0);
    p.setPen(Pen(kRed, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
}

void ListTable(QPainter& p) {
    p.setPen(Pen());
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 3.5, 18.0, 16.0));
    p.setBrush(QColor(210, 225, 255));
    p.drawRect(QRectF(2.5, 3.5, 18.0, 3.5));
    p.drawLine(QPointF(9.0, 3.5), QPointF(9.0, 19.5));
    for (const double y : {10.5, 14.0, 17.0}) p.drawLine(QPointF(2.5, y), QPointF(20.5, y));
}

void Eye(QPainter& p) {
    QPainterPath lid;
    lid.moveTo(2.0, 11.5);
    lid.quadTo(11.5, 2.0, 21.0, 11.5);
    lid.quadTo(11.5, 21.0, 2.0, 11.5);
    p.setPen(Pen(kInk, 1.3));
    p.setBrush(kPaper);
    p.drawPath(lid);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(11.5, 11.5), 3.6, 3.6);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(11.5, 11.5), 1.4, 1.4);
}

void Sliders(QPainter& p) {
    p.setPen(Pen(kInk, 1.3));
    for (const double y : {5.5, 11.5, 17.5}) p.drawLine(QPointF(3.0, y), QPointF(20.0, y));
    p.setBrush(kBlue);
    for (const QPointF c : {QPointF(14.0, 5.5), QPointF(7.0, 11.5), QPointF(16.5, 17.5)})
        p.drawRect(QRectF(c.x() - 1.8, c.y() - 2.5, 3.6, 5.0));
}

void Camera(QPainter& p) {
    p.setPen(Pen());
    p.setBrush(QColor(90, 90, 100));
    p.drawRoundedRect(QRectF(2.5, 7.0, 18.0, 12.0), 2.0, 2.0);
    p.drawRect(QRectF(8.0, 4.5, 7.0, 3.0));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(11.5, 13.0), 4.2, 4.2);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(11.5, 13.0), 2.4, 2.4);
}

void Play(QPainter& p) {
    p.setPen(Pen(kGreen.darker(140), 1.0));
    p.setBrush(kGreen);
    p.drawPolygon(QPolygonF({{6.0, 3.5}, {19.0, 11.5}, {6.0, 19.5}}));
}

void Reset(QPainter& p) {
    QPainterPath arc;
    arc.arcMoveTo(QRectF(4.0, 4.0, 15.0, 15.0), 60.0);
    arc.arcTo(QRectF(4.0, 4.0, 15.0, 15.0), 60.0, 290.0);
    p.setPen(Pen(kBlue, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(QPolygonF({{11.0, 2.0}, {17.5, 4.0}, {12.5, 9.0}}));
    FillFittedText(p, QStringLiteral("0"), QRectF(9.0, 8.5, 5.0, 6.5), kInk, true);
}

}  // namespace

bool PaintCommandGlyph(QPainter& p, int commandId) {
    switch (commandId) {
        case 57600: Page(p, QRectF(4.5, 2.5, 14.0, 18.0)); return true;             // New
        case 57601: Folder(p); return true;                                       // Open
        case 57602: CloseWindow(p); return true;                                  // Close
        case 57603: Floppy(p); return true;                                       // Save
        case 57635: Scissors(p); return true;                                     // Cut
        case 57634: CopyPages(p); return true;                                    // Copy
        case 57637: Clipboard(p); return true;                                    // Paste
        case 57607: Printer(p); return true;                                      // Print
        case 57609: Preview(p); return true;                                      // Print Preview
        case 57664: Badge(p, QStringLiteral("i"), kBlue); return true;            // About
        case 57669: Badge(p, QStringLiteral("?"), kGreen); return true;           // Help
        case 32832: ChartDiagram(p); return true;                                 // Chart
        case 32867: TextPage(p); return true;                                     // Text
        case 32831: GraphAxes(p); return true;                                    // Graph
        case 32830: ListTable(p); return true;                                    // List
        case 32816: Eye(p); return true;                                          // Viewing
        case 32861: Sliders(p); return true;                                      // Preferences
        case 32909: Camera(p); return true;                                       // Snapshot
        case 32829: Play(p); return true;                                         // Run
        case 32865: Reset(p); return true;                                        // Initialize
        default: return false;
    }
}

}  // namespace ondrel::gui
