#pragma once
// The whole chart as a picture file: SVG (vector), PDF (one page the size of the drawing) or
// PNG (at a scale of the chart's 100 units per inch). The chart is laid out in full, not just
// what a window shows, and painted by the same code as the screen, without holding marks.
// Every file is written atomically: a failure leaves an existing file as it was.
#include <QByteArray>
#include <QSize>
#include <QString>

namespace ondrel {
class CTarvekDoc;
class ChartViewState;
}  // namespace ondrel

namespace ondrel::gui {

enum class ChartImageFormat { Svg, Pdf, Png };

// The default PNG scale: two pixels per chart unit, crisp on high-density screens.
inline constexpr double kDefaultPngScale = 2.0;

// The format a file name asks for by its extension (case-insensitive); Png for anything else.
ChartImageFormat ChartImageFormatOf(const QString& path);

// The size of the whole drawing, in chart units (pixels at 100 dots per inch).
QSize ChartDrawingSize(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state);

// The file's bytes. pngScale is pixels per chart unit (only PNG uses it).
QByteArray ChartImageBytes(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state,
                           ChartImageFormat format, double pngScale = kDefaultPngScale);

// Writes bytes to path through a temporary file renamed over it; empty text, or the reason.
QString WriteBytesAtomically(const QString& path, const QByteArray& bytes);

// Writes the picture to path; returns an empty text, or why it failed.
QString ExportChart(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state, const QString& path,
                    ChartImageFormat format, double pngScale = kDefaultPngScale);

}  // namespace ondrel::gui
