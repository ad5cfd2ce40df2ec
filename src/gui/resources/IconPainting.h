#pragma once
// Drawing helpers shared by the icon designs. Every design is drawn in a 23 x 23 box of
// design units; the caller scales the painter to the wanted pixel size, so the same vector
// design serves every magnification.
#include <QColor>
#include <QPainter>
#include <QString>

namespace ondrel::gui {

inline constexpr double kIconDesignSize = 23.0;

// The colours one icon is drawn with: colour icons tint the face by block family, the
// monochrome set is black on white.
struct IconStyle {
    QColor face = Qt::white;
    QColor frame = Qt::black;
    QColor ink = Qt::black;
    QColor accent = Qt::black;  // a second colour for emphasis (red stop sign, green run)
};

// A pen of the ink colour at the given design-unit width, round ends.
QPen InkPen(const IconStyle& style, double width = 1.6);
// Text filled as a path, scaled uniformly to fit box and centred in it.
void FillFittedText(QPainter& painter, const QString& text, const QRectF& box, const QColor& color,
                    bool bold = true, bool italic = false);
// Thin axes through the centre of the face, for the curve designs.
void DrawAxes(QPainter& painter, const IconStyle& style);
// The face with its frame.
void DrawFace(QPainter& painter, const IconStyle& style);

// Paints the design of a block icon (colour bitmap id) into the 23 x 23 box; false for an id
// without a design.
bool PaintBlockGlyph(QPainter& painter, int bitmapId, const IconStyle& style);
// The face colours of a block icon's family.
IconStyle BlockIconStyle(int bitmapId, bool monochrome);
// Paints the toolbar design of a command into the 23 x 23 box; false when there is none.
bool PaintCommandGlyph(QPainter& painter, int commandId);

}  // namespace ondrel::gui
