#pragma once
// File > Export Graph Data... and Export Graph Image... of a graph window. Both ask for a
// file and write it atomically: a failure leaves any old file as it was and says so.
#include <QByteArray>
#include <QSize>
#include <QString>

class QWidget;

namespace ondrel::gui {

class CGraphBase;

// The visible samples (after zooming) as CSV.
void ExportGraphData(CGraphBase& graph, QWidget* parent);
// SVG (vector, the same drawing as the window) or PNG at the window's size, by the
// extension chosen.
void ExportGraphImage(CGraphBase& graph, QWidget* parent);

// The image bytes of the graph drawn at size: "svg" or "png".
QByteArray GraphImageBytes(CGraphBase& graph, const QSize& size, const QString& format);
// Writes bytes to path atomically; shows the reason and returns false on failure.
bool WriteExport(const QString& path, const QByteArray& bytes);

}  // namespace ondrel::gui
