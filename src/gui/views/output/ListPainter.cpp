#include "gui/views/output/ListPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <array>

#include "core/model/views/ListText.h"
#include "core/model/views/ListViewState.h"
#include "gui/platform/FontConversion.h"

namespace ondrel::gui {
namespace {

QColor ToQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

struct TableGeometry {
    int x0 = 0;
    int top = 0;  // the header's top
    ListWindowExtent extent;
};

void Draw(QPainter& painter, const QRect& box, int flags, const QString& text,
          std::vector<DrawnText>* drawn) {
    painter.drawText(box, flags | Qt::TextDontClip, text);
    if (drawn != nullptr) drawn->push_back({box, text});
}

// The columns shown: the fixed one (0), then first column + c for c = 1.. while they fit.
template <typename Each>
void ForShownColumns(const ListPaintJob& job, const TableGeometry& g, Each each) {
    const auto count = static_cast<std::int64_t>(job.table.columns.size());
    if (count == 0) return;
    each(std::size_t{0}, g.x0);
    for (int c = 1; c <= g.extent.visibleColumns && job.firstColumn + c < count; ++c)
        each(static_cast<std::size_t>(job.firstColumn + c), g.x0 + c * job.metrics.cellWidth);
}

void PaintHeader(QPainter& painter, const ListPaintJob& job, const TableGeometry& g,
                 std::vector<DrawnText>* drawn) {
    const ListMetrics& m = job.metrics;
    ForShownColumns(job, g, [&](std::size_t column, int x) {
        Draw(painter, QRect(x, g.top, m.cellWidth, m.rowHeight), Qt::AlignCenter,
             QString::fromStdString(job.table.columns[column]->label), drawn);
    });
}

// Value texts are made of a few characters only; their advances, taken once per repaint,
// right-align a cell without laying its text out.
class ValueTextWidths {
public:
    explicit ValueTextWidths(const QFontMetricsF& metrics) : metrics_(metrics) {
        for (std::size_t c = 0; c < advance_.size(); ++c) advance_[c] = -1.0;
    }
    qreal Width(const char* text, std::size_t n) {
        qreal width = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c >= advance_.size()) {
                width += metrics_.horizontalAdvance(QChar(c));
                continue;
            }
            if (advance_[c] < 0.0) advance_[c] = metrics_.horizontalAdvance(QChar(c));
            width += advance_[c];
        }
        return width;
    }

private:
    const QFontMetricsF& metrics_;
    std::array<qreal, 128> advance_;
};

void PaintCells(QPainter& painter, const ListPaintJob& job, const TableGeometry& g,
                std::vector<DrawnText>* drawn) {
    const ListMetrics& m = job.metrics;
    const QFontMetricsF metrics(painter.font(), painter.device());
    ValueTextWidths widths(metrics);
    const qreal baseline = (m.rowHeight - metrics.height()) / 2 + metrics.ascent();
    std::array<char, kListValueTextCapacity> text{};
    for (int r = 0; r < g.extent.visibleRows; ++r) {
        const std::int64_t row = job.firstRow + r;
        if (row >= job.table.sampleCount) break;
        const int y = g.top + (r + 1) * m.rowHeight;
        if (row >= job.selectedFirst && row <= job.selectedLast)
            painter.fillRect(QRect(g.x0, y, m.cellWidth * (g.extent.visibleColumns + 1), m.rowHeight),
                             job.selection);
        ForShownColumns(job, g, [&](std::size_t column, int x) {
            const std::size_t n = FormatListValue(job.table.Value(column, row), job.table.precision,
                                                  job.table.extra, text.data());
            const QString value = QString::fromLatin1(text.data(), static_cast<qsizetype>(n));
            // Right-aligned in the cell and not clipped to it.
            painter.drawText(QPointF(x + m.cellWidth - widths.Width(text.data(), n), y + baseline), value);
            if (drawn != nullptr) drawn->push_back({QRect(x, y, m.cellWidth, m.rowHeight), value});
        });
    }
}

}  // namespace

void PaintListTable(QPainter& painter, const QRect& area, const ListPaintJob& job,
                    std::vector<DrawnText>* drawn) {
    const ListViewState& state = job.state;
    const ListMetrics& m = job.metrics;
    painter.save();
    if (job.background.isValid()) painter.fillRect(area, job.background);
    TableGeometry g{area.left(), area.top(), job.extent.value_or(WindowExtent(m, area.size()))};
    if (state.NotesDisplay) {
        if (m.notesHeight > 0 && job.drawNotes) {
            painter.setFont(ToQFont(state.NotesFont));
            painter.setPen(job.black ? QColor(Qt::black) : ToQColor(state.NotesColor));
            painter.drawText(QRect(g.x0, g.top, m.notesWidth, m.notesHeight), Qt::TextWordWrap,
                             QString::fromStdString(state.notes));
        }
        g.top += m.notesHeight;
    }
    const QColor ink = job.black ? QColor(Qt::black) : ToQColor(state.FontColor);
    painter.setFont(ToQFont(state.ListFont));
    painter.setPen(ink);
    PaintHeader(painter, job, g, drawn);
    PaintCells(painter, job, g, drawn);
    painter.setPen(QPen(ink, 0));
    const int lineX = g.x0 + m.cellWidth + job.lineGap;
    // On a page the line ends under the last row the page holds.
    const int lineBottom = job.extent ? g.top + (g.extent.visibleRows + 1) * m.rowHeight : g.top + area.height();
    painter.drawLine(lineX, g.top, lineX, lineBottom);
    painter.drawLine(g.x0, g.top + m.rowHeight, g.x0 + area.width(), g.top + m.rowHeight);
    painter.restore();
}

}  // namespace ondrel::gui
