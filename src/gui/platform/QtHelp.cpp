#include "gui/platform/QtHelp.h"

#include <QApplication>
#include <QTextBrowser>

#include "gui/help/BlockHelpPages.h"
#include "gui/help/HelpPages.h"

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
    // A block's page is made from the catalogue; every other page is a shipped one.
    if (const int type = BlockTypeOfHelpContext(context); type != 0) {
        browser_->setHtml(BlockHelpPage(type));
    } else {
        browser_->setSource(HelpPageFor(context));
    }
    // Opened from a modal block editor, the page must come up in front of it.
    browser_->setWindowFlag(Qt::WindowStaysOnTopHint, QApplication::activeModalWidget() != nullptr);
    browser_->show();
    browser_->raise();
    browser_->activateWindow();
}

}  // namespace ondrel::gui
