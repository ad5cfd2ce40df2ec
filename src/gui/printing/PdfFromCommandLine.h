#pragma once
// ondrel --print-to-pdf OUT.pdf CHART.cht: every view stored in the chart, in file order,
// printed as File > Print prints it, into one PDF, with no window shown. Messages go to
// standard error as "CAPTION: TEXT" lines, as the headless runner writes them.
#include <QStringList>
#include <ostream>

namespace ondrel::gui {

inline constexpr const char* kPrintToPdfOption = "--print-to-pdf";

// True when the arguments (without the program name) start with the option.
bool AsksToPrintToPdf(const QStringList& arguments);

// Exit status: 0 printed, 1 the arguments are not OUT.pdf and CHART, 2 the chart could not
// be loaded or the PDF could not be written.
int PrintChartToPdf(const QStringList& arguments, std::ostream& err);

}  // namespace ondrel::gui
