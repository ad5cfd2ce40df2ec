#pragma once
// The chart's text view: a read-only rich-text window showing the report of its text-view
// state (the chart block by block, as the core writes it) in the state's font and colour,
// with tab stops every U from U to 5U, U = |font height| x 112 twips.
//
// The report is regenerated at the first showing, after each change of the view's options
// (OK or Apply in the options dialog, and their undo and redo) and, with AutoUpdate set, on
// every change of the chart. A block about to leave the chart leaves the chosen blocks at once.
#include <QTextEdit>
#include <string>

#include "core/model/DocumentView.h"
#include "gui/printing/PrintsThrough.h"
#include "gui/views/output/OutputPane.h"

namespace ondrel {
class CTarvekDoc;
class TextViewState;
}  // namespace ondrel

namespace ondrel::gui {

class CChrtText : public QTextEdit, public IDocumentView, public IOutputPane, public PrintsThrough {
    Q_OBJECT
public:
    // Attaches itself to doc; state must outlive the view (the session keeps it).
    CChrtText(CTarvekDoc& doc, TextViewState& state, QWidget* parent = nullptr);
    ~CChrtText() override;

    CTarvekDoc& Document() const { return doc_; }
    TextViewState& Text() const { return state_; }

    // IOutputPane
    QWidget* Widget() override { return this; }
    ViewState& State() override;
    // Every showing starts with everything chosen; a view a file opened keeps its record.
    void OnInitialUpdate(bool newView) override;
    int HelpContext() const override;
    QString CaptionTitle() const override;

    void OnUpdate(IDocumentView* sender, UpdateHint hint, CBlock* block) override;

    // The report as generated (CR LF line ends), what Save Report As writes.
    const std::string& ReportText() const { return report_; }
    // Generates the report again and shows it.
    void Regenerate();
    // The selection, or the whole report when nothing is selected, as plain text with tabs.
    QString CopyText() const;
    // Edit > Copy: CopyText onto the clipboard.
    void CopyToClipboard() const;
    // File > Save Report As...: asks for a file and writes the report there as UTF-8,
    // atomically; a failure is reported and leaves an existing file as it was.
    bool SaveReportAs();
    // Writes the report to path; false (with the message shown) on failure.
    bool SaveReport(const std::string& path) const;

    // The tab stops in pixels of this view's screen, and the font's U in twips.
    static int TabUnitTwips(const TextViewState& state);
    QList<qreal> TabStops() const;

private:
    void ShowText(const QString& text);

    CTarvekDoc& doc_;
    TextViewState& state_;
    std::string report_;
    QTextDocument* shownDocument_ = nullptr;  // owned (a child of this view)
    int shownRevision_ = -1;  // the options revision the report was made with
};

}  // namespace ondrel::gui
