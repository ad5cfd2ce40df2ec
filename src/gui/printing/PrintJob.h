#pragma once
// Runs views' pages onto a paged device (a printer, a PDF writer, the preview's printer):
// one painter for the whole job, a new page between pages.
#include <QString>
#include <vector>

#include "gui/printing/PrintableView.h"

class QPagedPaintDevice;
class QPrinter;

namespace ondrel::gui {

// No printout goes beyond this many pages of one view: only a chart with blocks far out on
// the grid (a damaged file, a typing slip) asks for more, and it would never finish.
inline constexpr int kMaxPagesPerView = 10000;

// Pages fromPage..toPage (1-based, inclusive; 0 and 0 for all) of each view in turn, every
// view laid out for the device first; a view with more than kMaxPagesPerView pages prints its
// first kMaxPagesPerView and says so. Returns an empty text, or why nothing could be printed.
QString PrintViews(const std::vector<IPrintableView*>& views, QPagedPaintDevice& device,
                   const PrintContext& context, int fromPage = 0, int toPage = 0);

// Prints to the printer as it is set up; PDF output (the printer's PDF file) is written to a
// temporary file first and put in place only when complete. Empty text, or the reason.
QString PrintOnPrinter(const std::vector<IPrintableView*>& views, QPrinter& printer,
                       const PrintContext& context);

// Writes the views into one PDF at path (atomically), on the printer's page layout and at
// its resolution: exactly the pages File > Print would make. Empty text, or the reason.
QString PrintViewsToPdf(const std::vector<IPrintableView*>& views, const QString& path,
                        const QPrinter& layoutFrom, const PrintContext& context, int fromPage = 0,
                        int toPage = 0);

}  // namespace ondrel::gui
