#pragma once
// What a view offers to be printed. Each view kind implements it over its one painting path,
// so File > Print, Print Preview, PDF output and the headless --print-to-pdf all print the
// same pages the same way. A print job calls BeginPrinting once per device, PaintPage for
// each page it wants, then EndPrinting.
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace ondrel::gui {

// What the page footers need from outside the view.
struct PrintContext {
    QString pathName;  // the document's full path; empty for a chart never saved
    QString date;      // today, "%m/%d/%y"
};

// The context for a document at path, dated by the platform clock.
PrintContext MakePrintContext(const QString& pathName);

class IPrintableView {
public:
    virtual ~IPrintableView() = default;
    // The number of pages on the standard page (800 x 1054 units) before the print dialog,
    // so the dialog can offer the page range. At least 1.
    virtual int EstimatePageCount() = 0;
    // The name of the print job and the PDF's title.
    virtual QString PrintJobName() const = 0;
    // Lays out for the device's printable area and returns the page count (at least 1).
    virtual int BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) = 0;
    // Paints page (1-based) with a painter open on the device BeginPrinting was given.
    virtual void PaintPage(QPainter& painter, int page) = 0;
    virtual void EndPrinting() = 0;
};

}  // namespace ondrel::gui
