#include "gui/views/chart/ChartLayout.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"
#include "gui/platform/FontConversion.h"

namespace ondrel::gui {
namespace {

// A height of 0 asks for the standard size: the chart font's.
constexpr int kDefaultFontHeight = 13;
// Where the notes break a line: after any of these characters.
const QString kBreakSet = QStringLiteral(" /;,.");

int Trunc(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, -1e9, 1e9));
}

// Length of the first word of text: up to and including the first break character, or all.
int FirstWordLength(const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        if (kBreakSet.contains(text[i])) return i + 1;
    }
    return static_cast<int>(text.size());
}

QString TrimmedRight(const QString& line) {
    int end = static_cast<int>(line.size());
    while (end > 0 && line[end - 1].isSpace()) --end;
    return line.left(end);
}

// Wraps one paragraph (no line breaks inside) onto lines, appending to lines.
void WrapParagraph(QString remaining, const QFontMetrics& fm, int limit, QStringList& lines) {
    lines.append(QString());
    while (!remaining.isEmpty()) {
        QString& current = lines.last();
        if (fm.horizontalAdvance(current) + fm.horizontalAdvance(remaining) <= limit) {
            current += remaining;
            return;
        }
        const int length = FirstWordLength(remaining);
        const QString word = remaining.left(length);
        remaining.remove(0, length);
        // A word that does not fit starts a new line, unless the line is still empty: a new
        // line would gain nothing and leave a blank one behind.
        // Blanks never start a line of their own: they would only be trimmed away.
        if (!current.isEmpty() && !word.trimmed().isEmpty() &&
            fm.horizontalAdvance(current) + fm.horizontalAdvance(word) > limit)
            lines.append(word);
        else
            current += word;
    }
}

// Largest column and smallest row of the drawn blocks, both starting from 0.
void GridExtent(const ondrel::CTarvekDoc& doc, int& maxColumn, int& minRow) {
    maxColumn = 0;
    minRow = 0;
    for (const auto& block : doc.blockList) {
        if (IsPlaceholder(*block)) continue;
        maxColumn = std::max(maxColumn, static_cast<int>(block->position.x));
        minRow = std::min(minRow, static_cast<int>(block->position.y));
    }
}

// Half the text band: the horizontal lanes move away from the side that carries text.
int LineOffsetFor(const ondrel::ChartViewState& state, const ChartGeometry& g) {
    const int half = (g.leading + g.textHeight + 3) / 2;
    if (state.NameDisplay && !state.ValueDisplay) return half;
    if (!state.NameDisplay && state.ValueDisplay) return -half;
    return 0;
}

}  // namespace

QFont ChartUnitFont(const FontDescription& description) {
    QFont font = ToQFont(description);
    const int height = std::abs(description.height);
    font.setPixelSize(height == 0 ? kDefaultFontHeight : std::clamp(height, 1, 2000));
    // Glyph positions must scale with the world transform, not snap to screen pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

int Magnified(double mag, int n) { return Trunc(mag * n); }

bool IsPlaceholder(const ondrel::CBlock& block) { return block.typeName == "Dummy"; }

QStringList WrapNotes(const QString& text, const QFont& font, int limit) {
    QStringList lines;
    if (text.isEmpty()) return lines;
    const QFontMetrics fm(font);
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    for (const QString& paragraph : normalised.split(QChar('\n'))) WrapParagraph(paragraph, fm, limit, lines);
    for (QString& line : lines) line = TrimmedRight(line);
    return lines;
}

ChartGeometry LayOutChart(const ondrel::CTarvekDoc& doc, const ondrel::ChartViewState& state,
                          int drawingRight) {
    ChartGeometry g;
    GridExtent(doc, g.maxColumn, g.minRow);
    const double mag = state.MagBmp;

    const bool notesShown = state.NotesDisplay && !state.notes.empty();
    if (notesShown) {
        const QFont notesFont = ChartUnitFont(state.NotesLf);
        g.notesLines = WrapNotes(QString::fromStdString(state.notes), notesFont, drawingRight);
        g.notesHeight = static_cast<int>(g.notesLines.size()) * QFontMetrics(notesFont).height();
    }
    g.leading = std::max(1, Trunc(-0.15 * state.ChartLf.height));
    const int notesOffset = notesShown ? g.notesHeight : 0;

    const QFontMetrics fm(ChartUnitFont(state.ChartLf));
    g.valueTextWidth = fm.horizontalAdvance(QString::fromLatin1(kValueSizingText));
    g.textHeight = fm.height();
    const bool anyText = state.NameDisplay || state.ValueDisplay;
    const int labelWidth = anyText ? g.valueTextWidth : 0;
    const int labelHeight = anyText ? g.textHeight : 0;

    g.cellWidth = std::max(labelWidth, Magnified(mag, 32)) + state.LinesX;
    g.originX = state.LinesX + g.cellWidth / 2;
    const int nameBand = state.NameDisplay ? labelHeight + g.leading + 3 : 0;
    const int valueBand = state.ValueDisplay ? labelHeight + g.leading + 3 : 0;
    g.cellHeight = nameBand + valueBand + state.LinesY + Magnified(mag, 24);
    g.originY = g.cellHeight / 2 + notesOffset + Magnified(mag, 12);
    // A cell must have room; settings read from a damaged file must not make it vanish.
    g.cellWidth = std::max(g.cellWidth, 1);
    g.cellHeight = std::max(g.cellHeight, 1);

    g.extentX = (std::int64_t{g.maxColumn} + 6) * g.cellWidth + g.originX;
    g.extentY = (std::int64_t{std::abs(std::int64_t{g.minRow})} + 6) * g.cellHeight + g.originY;
    g.lineOffset = LineOffsetFor(state, g);
    return g;
}

QPoint CellCentre(const ChartGeometry& g, ondrel::GridPoint p) {
    const std::int64_t x = g.originX + std::int64_t{p.x} * g.cellWidth;
    const std::int64_t y = std::int64_t{p.y} * g.cellHeight - g.originY;
    constexpr std::int64_t kLimit = 1'000'000'000;
    return {static_cast<int>(std::clamp(x, -kLimit, kLimit)),
            static_cast<int>(std::clamp(y, -kLimit, kLimit))};
}

ondrel::ConnectorMetrics ViewConnectorMetrics(const ChartGeometry& g,
                                              const ondrel::ChartViewState& state) {
    ondrel::ConnectorMetrics m;
    m.left = g.originX;
    m.top = g.originY;
    m.cellWidth = g.cellWidth;
    m.cellHeight = g.cellHeight;
    m.scale = state.MagBmp;
    m.laneSpacingX = state.DeltaVert + state.LineWidth;
    m.laneSpacingY = state.DeltaHoriz + state.LineWidth;
    m.laneCorrection = g.lineOffset;
    return m;
}

}  // namespace ondrel::gui
