// ondrel: the desktop program. The platform services come first, so that every chart and
// window created afterwards reads its settings from the user's profile.
#include <QApplication>

#include "app/COndrelApp.h"
#include "app/CMainFrame.h"
#include "app/DesktopPlatform.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setOrganizationName("Ondrel");
    QApplication::setApplicationName("Ondrel");
    ondrel::gui::DesktopPlatform platform;
    ondrel::gui::COndrelApp app;
    if (!app.Start(QApplication::arguments().mid(1))) return 1;
    return QApplication::exec();
}
