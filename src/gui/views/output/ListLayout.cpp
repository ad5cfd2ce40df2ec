#include "gui/views/output/ListLayout.h"

#include <QFontMetrics>
#include <algorithm>

#include "core/model/views/ListText.h"
#include "core/model/views/ListViewState.h"
#include "gui/platform/FontConversion.h"

namespace ondrel::gui {
namespace {

QFontMetrics MetricsOf(const FontDescription& font, QPaintDevice* device) {
    return device != nullptr ? QFontMetrics(ToQFont(font), device) : QFontMetrics(ToQFont(font));
}

}  // namespace

ListMetrics MeasureList(const ListViewState& state, int areaWidth, QPaintDevice* device) {
    ListMetrics m;
    const QFontMetrics list = MetricsOf(state.ListFont, device);
    const QString cell = QString::fromStdString(ListCellMeasureText(state.Precision, state.Extra));
    m.cellWidth = std::max(1, list.horizontalAdvance(cell));
    m.rowHeight = std::max(1, list.height());
    if (!state.notes.empty()) {
        const QFontMetrics notes = MetricsOf(state.NotesFont, device);
        m.notesWidth = std::max(1, areaWidth);
        const QRect wrapped = notes.boundingRect(QRect(0, 0, m.notesWidth, 1 << 24), Qt::TextWordWrap,
                                                 QString::fromStdString(state.notes));
        m.notesHeight = wrapped.height();
    }
    return m;
}

ListWindowExtent WindowExtent(const ListMetrics& m, QSize area) {
    return {std::max(0, area.height() / m.rowHeight - 1), std::max(0, area.width() / m.cellWidth - 1)};
}

// The table is the fixed column plus one per displayed block wide, and the header, the
// samples and two rows of room high, below the notes.
int LastFirstColumn(const ListMetrics& m, int columnCount, QSize area) {
    const int total = std::max(m.cellWidth * (columnCount + 1), m.notesWidth);
    return std::max(0, (total - area.width() + m.cellWidth - 1) / m.cellWidth);
}

std::int64_t LastFirstRow(const ListMetrics& m, std::int64_t sampleCount, QSize area) {
    const std::int64_t total = m.notesHeight + std::int64_t{m.rowHeight} * (sampleCount + 3);
    const std::int64_t room = total - area.height();
    return room > 0 ? (room + m.rowHeight - 1) / m.rowHeight : 0;
}

}  // namespace ondrel::gui
