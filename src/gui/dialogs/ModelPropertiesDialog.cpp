#include "gui/dialogs/ModelPropertiesDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/SettingsDialogControls.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ViewingRules.h"
#include "gui/platform/QtDialogExchange.h"

namespace ondrel::gui {

namespace {

// Control ids of the model parameters (the items of the document's model settings group).
constexpr int kVertLines = 1032;
constexpr int kHorizLines = 1033;
constexpr int kMaxSort = 1196;
constexpr int kMaxSteps = 1204;
constexpr int kRungeKutta45 = 1198;
constexpr int kRungeKutta78 = 1200;
constexpr int kPrintMode = 1201;

}  // namespace

CModelPropDlg::CModelPropDlg(const ondrel::CTarvekDoc& doc, QWidget* parent)
    : QDialog(parent), title_(doc.title) {
    settings_.AssignFrom(doc.modelSettings);
    setWindowTitle(tr("Model Properties"));
    BuildLayout();
    ExchangeData(false);
}

void CModelPropDlg::BuildLayout() {
    auto* top = new QGridLayout;
    AddLabelledEdit(top, 0, 0, tr("Title"), kTitle);
    AddLabelledEdit(top, 1, 0, tr("Max Sort"), kMaxSort);
    AddLabelledEdit(top, 2, 0, tr("Max Steps"), kMaxSteps);

    auto* lines = new QGroupBox(tr("Connector Line Count"));
    auto* linesGrid = new QGridLayout(lines);
    AddLabelledEdit(linesGrid, 0, 0, tr("Vert"), kVertLines);
    AddLabelledEdit(linesGrid, 1, 0, tr("Horiz"), kHorizLines);

    QGroupBox* style = MakeRadioGroup(tr("Integration Style"), {{tr("Runge-Kutta 4/5"), kRungeKutta45},
                                                               {tr("Runge-Kutta 7/8"), kRungeKutta78}});

    auto* buttons = new QVBoxLayout;
    QPushButton* ok = MakeButton(tr("OK"), 1, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CModelPropDlg::accept);
    connect(MakeButton(tr("Cancel"), 2, this), &QPushButton::clicked, this, &QDialog::reject);
    connect(MakeButton(tr("Help"), kHelp, this), &QPushButton::clicked, this,
            [] { ShowHelpContext(kHelpContext); });
    connect(MakeButton(tr("Update"), kUpdate, this), &QPushButton::clicked, this,
            &CModelPropDlg::OnUpdate);
    connect(MakeButton(tr("Recall"), kRecall, this), &QPushButton::clicked, this,
            &CModelPropDlg::OnRecall);
    connect(MakeButton(tr("Reset"), kReset, this), &QPushButton::clicked, this,
            &CModelPropDlg::OnReset);
    for (int id : {1, 2, kHelp, kUpdate, kRecall, kReset}) buttons->addWidget(FindControl(this, id));
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(lines);
    left->addWidget(style);
    left->addWidget(MakeCheck(tr("Always print B/W"), kPrintMode, this));
    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left);
    whole->addLayout(buttons);
}

bool CModelPropDlg::ExchangeData(bool saving) {
    QtDialogExchange dx(this, saving);
    // The model title has no length limit of its own.
    if (!ondrel::ExchangeLimitedText(dx, kTitle, title_, 0)) return false;
    return settings_.Exchange(dx);
}

void CModelPropDlg::accept() {
    if (ExchangeData(true)) QDialog::accept();
}

void CModelPropDlg::OnUpdate() {
    QtDialogExchange dx(this, true);
    // Only valid values become the defaults of new documents.
    if (settings_.Exchange(dx)) settings_.WriteProfile();
}

void CModelPropDlg::OnRecall() {
    settings_.ReadProfile();
    QtDialogExchange dx(this, false);
    settings_.Exchange(dx);
}

void CModelPropDlg::OnReset() {
    settings_.ResetToDefaults();
    QtDialogExchange dx(this, false);
    settings_.Exchange(dx);
}

std::optional<ondrel::ModelSettingsEdit> RunModelProperties(const ondrel::CTarvekDoc& doc,
                                                            QWidget* parent) {
    CModelPropDlg dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ondrel::ModelSettingsEdit::Capture(doc, dialog.Settings(), dialog.Title());
}

void OnPreferences(ondrel::CTarvekDoc& doc, QWidget* parent) {
    if (auto edit = RunModelProperties(doc, parent)) edit->Apply(doc);
}

}  // namespace ondrel::gui
