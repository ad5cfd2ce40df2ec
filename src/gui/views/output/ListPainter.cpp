#include "views/output/ListPainter.h"

#include <QPainter>
#include <array>

#include "model/views/ListText.h"
#include "model/views/ListViewState.h"
#include "platform/FontConversion.h"

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

void PaintCells(QPainter& painter, const ListPaintJob& job, const TableGeometry& g,
                std::vector<DrawnText>* drawn) {
    const ListMetrics& m = job.metrics;
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
            Draw(painter, QRect(x, y, m.cellWidth, m.rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                 QString::fromLatin1(text.data(), static_cast<qsizetype>(n)), drawn);
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
    TableGeometry g{area.left(), area.top(), WindowExtent(m, area.size())};
    if (state.NotesDisplay != 0) {
        if (m.notesHeight > 0) {
            painter.setFont(ToQFont(state.NotesFont));
            painter.setPen(ToQColor(state.NotesColor));
            painter.drawText(QRect(g.x0, g.top, m.notesWidth, m.notesHeight), Qt::TextWordWrap,
                             QString::fromStdString(state.notes));
        }
        g.top += m.notesHeight;
    }
    const QColor ink = ToQColor(state.FontColor);
    painter.setFont(ToQFont(state.ListFont));
    painter.setPen(ink);
    PaintHeader(painter, job, g, drawn);
    PaintCells(painter, job, g, drawn);
    painter.setPen(QPen(ink, 0));
    const int lineX = g.x0 + m.cellWidth + 2;
    painter.drawLine(lineX, g.top, lineX, g.top + area.height());
    painter.drawLine(g.x0, g.top + m.rowHeight, g.x0 + area.width(), g.top + m.rowHeight);
    painter.restore();
}

}  // namespace ondrel::gui
