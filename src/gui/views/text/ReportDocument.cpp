#include "gui/views/text/ReportDocument.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <cstdlib>

#include "core/model/views/TextViewState.h"
#include "gui/platform/FontConversion.h"

namespace ondrel::gui {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerFontUnit = 112;
constexpr int kTabStops = 5;

QColor ToQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

}  // namespace

int ReportTabUnitTwips(const TextViewState& state) { return std::abs(state.MainFont.height) * kTwipsPerFontUnit; }

QList<qreal> ReportTabStops(const TextViewState& state, double dotsPerInch) {
    const double unit = ReportTabUnitTwips(state) * dotsPerInch / kTwipsPerInch;
    QList<qreal> stops;
    for (int i = 1; i <= kTabStops; ++i) stops << unit * i;
    return stops;
}

// The text goes into a document that already has the report's font, tab stops and colour,
// inserted with that format in one piece: formatting a document afterwards lays the text
// out again and again. Every character carries the colour, so the text does not follow the
// desktop's automatic text colour.
QTextDocument* MakeReportDocument(const TextViewState& state, const QString& text, double dotsPerInch,
                                  QObject* parent, bool black) {
    const QFont font = ToQFont(state.MainFont);
    auto* document = new QTextDocument(parent);
    document->setDefaultFont(font);
    QTextOption option = document->defaultTextOption();
    QList<QTextOption::Tab> tabs;
    for (qreal stop : ReportTabStops(state, dotsPerInch)) tabs << QTextOption::Tab(stop, QTextOption::LeftTab);
    option.setTabs(tabs);
    option.setWrapMode(QTextOption::NoWrap);
    document->setDefaultTextOption(option);
    document->setUndoRedoEnabled(false);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(black ? QColor(Qt::black) : ToQColor(state.FontColor));
    QTextCursor(document).insertText(text, format);
    return document;
}

}  // namespace ondrel::gui
