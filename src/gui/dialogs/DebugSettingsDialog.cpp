#include "gui/dialogs/DebugSettingsDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/SettingsDialogControls.h"
#include "core/model/CTarvekDoc.h"
#include "gui/platform/QtDialogExchange.h"

namespace ondrel::gui {

CDebugDlg::CDebugDlg(int connectorDebug, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Debugging Settings"));
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(MakeCheck(tr("CONNECT"), kConnect, this));
    auto* buttons = new QHBoxLayout;
    QPushButton* ok = MakeButton(tr("OK"), 1, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* cancel = MakeButton(tr("Cancel"), 2, this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    whole->addLayout(buttons);
    QtDialogExchange dx(this, false);
    dx.ExchangeCheck(kConnect, connectorDebug);
}

int CDebugDlg::ConnectorDebug() const {
    QtDialogExchange dx(const_cast<CDebugDlg*>(this), true);
    int flag = 0;
    dx.ExchangeCheck(kConnect, flag);
    return flag;
}

std::optional<int> RunDebugSettings(int connectorDebug, QWidget* parent) {
    CDebugDlg dialog(connectorDebug, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.ConnectorDebug();
}

void OnDebugSettings(ondrel::CTarvekDoc& doc, QWidget* parent) {
    if (auto flag = RunDebugSettings(doc.connectorDebug, parent)) doc.connectorDebug = *flag;
}

}  // namespace ondrel::gui
