#pragma once
// File > Export Graph Data... and Export Graph Image... of a graph window. Both ask for a
// file and write it atomically: a failure leaves any old file as it was and says so.
#include <QByteArray>
#include <QDialog>
#include <QSize>
#include <QString>

class QSpinBox;

namespace ondrel::gui {

class CGraphBase;

// The visible samples (after zooming) as CSV.
void ExportGraphData(CGraphBase& graph, QWidget* parent);
// SVG (vector, the same drawing as the window) or PNG, by the extension chosen; a PNG is
// drawn at the size the user confirms (the window's size to begin with).
void ExportGraphImage(CGraphBase& graph, QWidget* parent);

// Asks for the pixel size of an exported picture.
class GraphImageSizeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinSide = 16;
    static constexpr int kMaxSide = 10000;

    GraphImageSizeDialog(const QSize& initial, QWidget* parent = nullptr);
    QSize ChosenSize() const;
    QSpinBox* WidthBox() const { return width_; }
    QSpinBox* HeightBox() const { return height_; }

private:
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
};

// The image bytes of the graph drawn at size (drawing units, a pixel each): "svg", "pdf"
// (one page of that size) or "png", whose image is scale times the size, the same drawing
// magnified for crisp pictures.
QByteArray GraphImageBytes(CGraphBase& graph, const QSize& size, const QString& format, double scale = 1.0);
// Writes bytes to path atomically; shows the reason and returns false on failure.
bool WriteExport(const QString& path, const QByteArray& bytes);

}  // namespace ondrel::gui
