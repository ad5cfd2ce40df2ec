#include "gui/dialogs/RecoverChartsDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace ondrel::gui {

RecoverChartsDialog::RecoverChartsDialog(const std::vector<RecoveryEntry>& entries, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Recover Charts"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral(
        "Ondrel did not end normally last time. These charts were saved automatically and can be "
        "recovered. Discard deletes the saved copies; Later keeps them for the next start."));
    intro->setWordWrap(true);
    layout->addWidget(intro);
    list_ = new QTreeWidget(this);
    list_->setHeaderLabels({QStringLiteral("Title"), QStringLiteral("Original File"),
                            QStringLiteral("Auto-Saved")});
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::NoSelection);
    for (const RecoveryEntry& entry : entries) {
        const QString original = entry.info.originalPath.empty()
                                     ? QStringLiteral("(never saved)")
                                     : QString::fromStdString(entry.info.originalPath);
        const QString when = QLocale().toString(QDateTime::fromSecsSinceEpoch(entry.info.savedAt),
                                                QLocale::ShortFormat);
        list_->addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(entry.info.title), original, when}));
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* recover = buttons->addButton(QStringLiteral("&Recover"), QDialogButtonBox::AcceptRole);
    QPushButton* discard = buttons->addButton(QStringLiteral("&Discard"), QDialogButtonBox::DestructiveRole);
    QPushButton* later = buttons->addButton(QStringLiteral("&Later"), QDialogButtonBox::RejectRole);
    recover->setObjectName(QStringLiteral("recover"));
    discard->setObjectName(QStringLiteral("discard"));
    later->setObjectName(QStringLiteral("later"));
    recover->setDefault(true);
    recover->setFocus();
    connect(recover, &QPushButton::clicked, this, [this] { Choose(Choice::Recover); });
    connect(discard, &QPushButton::clicked, this, [this] { Choose(Choice::Discard); });
    connect(later, &QPushButton::clicked, this, [this] { Choose(Choice::Later); });
    layout->addWidget(buttons);
    resize(640, 280);
}

void RecoverChartsDialog::Choose(Choice choice) {
    chosen_ = choice;
    if (choice == Choice::Later)
        reject();
    else
        accept();
}

}  // namespace ondrel::gui
