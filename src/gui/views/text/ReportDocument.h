#pragma once
// The report of a text view as a text document: the view's font, its colour on every
// character, tab stops every U from U to 5U (U = |font height| x 112 twips) and no wrapping.
// The window shows it and the printer prints it, each at its own resolution.
#include <QList>
#include <QString>

class QObject;
class QTextDocument;

namespace ondrel {
class TextViewState;
}

namespace ondrel::gui {

// U in twips for the state's font.
int ReportTabUnitTwips(const TextViewState& state);
// The tab stops in pixels of a device with dotsPerInch.
QList<qreal> ReportTabStops(const TextViewState& state, double dotsPerInch);

// A new document (owned by parent) holding text (line ends "\n") as the report shows it,
// the tab stops at dotsPerInch; black sets every character black instead of the view's colour.
QTextDocument* MakeReportDocument(const TextViewState& state, const QString& text, double dotsPerInch,
                                  QObject* parent, bool black = false);

}  // namespace ondrel::gui
