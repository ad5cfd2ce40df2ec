// ondrel: the desktop program. The platform services come first, so that every chart and
// window created afterwards reads its settings from the user's profile.
#include <QApplication>
#include <iostream>
#include <string_view>

#include "gui/app/COndrelApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/DesktopPlatform.h"
#include "gui/printing/PdfFromCommandLine.h"

int main(int argc, char* argv[]) {
    // Printing to PDF shows no window, so it needs no display: a script on a machine without
    // one still gets its PDF.
    const bool printToPdf = argc > 1 && std::string_view(argv[1]) == ondrel::gui::kPrintToPdfOption;
    if (printToPdf && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Ondrel");
    QApplication::setApplicationName("Ondrel");
    ondrel::gui::DesktopPlatform platform;
    // Printing a chart to PDF from a script: no window, no event loop.
    const QStringList arguments = QApplication::arguments().mid(1);
    if (ondrel::gui::AsksToPrintToPdf(arguments)) return ondrel::gui::PrintChartToPdf(arguments, std::cerr);
    ondrel::gui::COndrelApp app;
    if (!app.Start(arguments)) return 1;
    return QApplication::exec();
}
