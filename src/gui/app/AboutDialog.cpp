#include "gui/app/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/COndrelApp.h"
#include "gui/app/CommandIds.h"
#include "gui/help/HelpPages.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"
#include "gui/resources/BlockIcons.h"

namespace ondrel::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(kAboutCaption));
    auto* icon = new QLabel;
    icon->setPixmap(CommandIcon(cmd::kAppAbout).pixmap(46, 46));
    auto* text = new QVBoxLayout;
    text->addWidget(new QLabel(QString::fromStdString(LoadString(cmd::kMainTitleString))));
    auto* version = new QLabel(VersionLine());
    version->setObjectName("versionLine");
    text->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Help);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [] {
        if (IHelp* help = Platform().help) help->ShowHelp(kHelpAbout);
    });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

}  // namespace ondrel::gui
