#include "platform/QtHelp.h"

#include <QTextBrowser>

#include "help/HelpPages.h"

namespace ondrel::gui {

QtHelp::QtHelp() { InitHelpResources(); }

QtHelp::~QtHelp() { delete browser_; }

void QtHelp::ShowHelp(int context) {
    if (browser_ == nullptr) {
        browser_ = new QTextBrowser;
        browser_->setAttribute(Qt::WA_DeleteOnClose);
        browser_->setWindowTitle(QStringLiteral("Ondrel Help"));
        browser_->setOpenLinks(true);
        browser_->resize(520, 420);
    }
    browser_->setSource(HelpPageFor(context));
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

}  // namespace ondrel::gui
