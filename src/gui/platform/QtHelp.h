#pragma once
// The help viewer: one browser window over the program's help pages, brought forward and
// turned to the page of each context asked for.
#include <QPointer>

#include "core/platform/Help.h"

#include <QTextBrowser>

namespace ondrel::gui {

class QtHelp : public IHelp {
public:
    QtHelp();
    ~QtHelp() override;
    void ShowHelp(int context) override;
    // The browser while it is open (the tests read its page).
    QTextBrowser* Browser() const { return browser_; }

private:
    QPointer<QTextBrowser> browser_;
};

}  // namespace ondrel::gui
