#include "gui/dialogs/ViewingPropertiesDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/SettingsDialogControls.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ViewingRules.h"
#include "core/model/views/ChartViewState.h"
#include "gui/platform/QtDialogExchange.h"

namespace ondrel::gui {

using namespace ondrel::chart_controls;

namespace {

// The fields whose leaving runs a check.
constexpr int kWatchedFields[] = {kHoldSiz, kMagBmp, kDeltaVert, kLinesY,
                                  kDeltaHoriz, kLinesX, kLineWidth};

// Marks the flag for the life of a handler.
class BusyScope {
public:
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& flag_;
};

}  // namespace

CChartViewPropsDlg::CChartViewPropsDlg(ondrel::CTarvekDoc& doc, ondrel::ChartViewState& view,
                                       ViewEditSink sink, QWidget* parent)
    : QDialog(parent), doc_(doc), view_(view), sink_(std::move(sink)), notes_(view.notes),
      title_(view.title), rememberedMag_(kNoMagnification) {
    settings_.AssignFrom(view.settings);
    setWindowTitle(tr("Chart Viewing Properties"));
    BuildLayout();
    ExchangeData(false);
    // Connected after the controls are filled, so filling them is not a change.
    ConnectChangeSignals();
    EnableApply(false);
}

QWidget* CChartViewPropsDlg::BuildLookColumn() {
    auto* column = new QWidget(this);
    auto* box = new QVBoxLayout(column);
    QGroupBox* display = MakeRadioGroup(
        tr("Display"), {{tr("Color"), kDisplayColor}, {tr("Monochrome"), kDisplayMonochrome}}, true);
    auto* notes = new QGroupBox(tr("Notes"));
    auto* notesGrid = new QGridLayout(notes);
    auto* notesText = new QPlainTextEdit;
    SetControlId(notesText, kNotesText);
    notesGrid->addWidget(notesText, 0, 0, 1, 2);
    notesGrid->addWidget(MakeCheck(tr("Display"), kNotesDisplay, notes), 1, 0);
    notesGrid->addWidget(MakeButton(tr("Font"), kNotesFont, notes), 1, 1);
    auto* hold = new QGroupBox(tr("Holding Marks"));
    auto* holdGrid = new QGridLayout(hold);
    AddLabelledEdit(holdGrid, 0, 0, tr("Size"), kHoldSiz);
    holdGrid->addWidget(MakeButton(tr("Color"), kHold, hold), 1, 0);
    holdGrid->addWidget(MakeCheck(tr("Display"), kHoldDisp, hold), 1, 1);
    auto* titleGrid = new QGridLayout;
    AddLabelledEdit(titleGrid, 0, 0, tr("Title"), kTitle);
    for (QWidget* group : {static_cast<QWidget*>(display), static_cast<QWidget*>(notes),
                           static_cast<QWidget*>(hold)})
        box->addWidget(group);
    box->addLayout(titleGrid);
    return column;
}

QWidget* CChartViewPropsDlg::BuildLinesColumn() {
    auto* column = new QWidget(this);
    auto* box = new QVBoxLayout(column);
    auto* sizing = new QGroupBox(tr("Sizing"));
    auto* sizingGrid = new QGridLayout(sizing);
    sizingGrid->addWidget(MakeCheck(tr("Sizing Lock"), kSizeLock, sizing), 0, 0, 1, 2);
    AddLabelledEdit(sizingGrid, 1, 0, tr("MagFact"), kMagBmp);
    auto* lines = new QGroupBox(tr("Connector Lines"));
    auto* linesGrid = new QGridLayout(lines);
    AddLabelledEdit(linesGrid, 0, 0, tr("Vert Delta"), kDeltaVert);
    AddLabelledEdit(linesGrid, 1, 0, tr("Vert Total"), kLinesY);
    AddLabelledEdit(linesGrid, 2, 0, tr("Horiz Delta"), kDeltaHoriz);
    AddLabelledEdit(linesGrid, 3, 0, tr("Horiz Total"), kLinesX);
    AddLabelledEdit(linesGrid, 4, 0, tr("Line Width"), kLineWidth);
    auto* text = new QGroupBox(tr("Block Text"));
    auto* textGrid = new QGridLayout(text);
    textGrid->addWidget(MakeCheck(tr("Name"), kNameDisplay, text), 0, 0);
    textGrid->addWidget(MakeCheck(tr("Value"), kValueDisplay, text), 0, 1);
    textGrid->addWidget(MakeButton(tr("Font"), kChartFont, text), 1, 0);
    box->addWidget(sizing);
    box->addWidget(lines);
    box->addWidget(text);
    box->addStretch();
    return column;
}

QLayout* CChartViewPropsDlg::BuildButtons() {
    auto* buttons = new QVBoxLayout;
    QPushButton* ok = MakeButton(tr("OK"), 1, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CChartViewPropsDlg::accept);
    connect(MakeButton(tr("Cancel"), 2, this), &QPushButton::clicked, this, &QDialog::reject);
    apply_ = MakeButton(tr("Apply"), kApply, this);
    connect(apply_, &QPushButton::clicked, this, &CChartViewPropsDlg::OnApply);
    connect(MakeButton(tr("Help"), kHelp, this), &QPushButton::clicked, this,
            [] { ShowHelpContext(kHelpContext); });
    connect(MakeButton(tr("Update"), kUpdate, this), &QPushButton::clicked, this,
            &CChartViewPropsDlg::OnUpdate);
    connect(MakeButton(tr("Recall"), kRecall, this), &QPushButton::clicked, this,
            &CChartViewPropsDlg::OnRecall);
    connect(MakeButton(tr("Reset"), kReset, this), &QPushButton::clicked, this,
            &CChartViewPropsDlg::OnReset);
    for (int id : {1, 2, kApply, kHelp, kUpdate, kRecall, kReset})
        buttons->addWidget(FindControl(this, id));
    buttons->addStretch();
    return buttons;
}

void CChartViewPropsDlg::BuildLayout() {
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(BuildLookColumn());
    whole->addWidget(BuildLinesColumn());
    whole->addLayout(BuildButtons());
}

void CChartViewPropsDlg::ConnectChangeSignals() {
    for (int id : {kNameDisplay, kValueDisplay, kSizeLock, kNotesDisplay, kHoldDisp,
                   kDisplayColor, kDisplayMonochrome})
        if (auto* button = qobject_cast<QAbstractButton*>(FindControl(this, id)))
            connect(button, &QAbstractButton::toggled, this, [this] { EnableApply(); });
    if (auto* notes = qobject_cast<QPlainTextEdit*>(FindControl(this, kNotesText)))
        connect(notes, &QPlainTextEdit::textChanged, this, [this] { EnableApply(); });
    if (auto* title = qobject_cast<QLineEdit*>(FindControl(this, kTitle)))
        connect(title, &QLineEdit::textChanged, this, [this] { EnableApply(); });
    for (int id : {kNotesFont, kChartFont, kHold})
        if (auto* button = qobject_cast<QAbstractButton*>(FindControl(this, id)))
            connect(button, &QAbstractButton::clicked, this, [this, id] { OnChooser(id); });
    for (int id : kWatchedFields)
        if (QWidget* field = FindControl(this, id)) field->installEventFilter(this);
}

bool CChartViewPropsDlg::ApplyEnabled() const { return apply_ != nullptr && apply_->isEnabled(); }

void CChartViewPropsDlg::EnableApply(bool enabled) {
    if (apply_ != nullptr) apply_->setEnabled(enabled);
}

bool CChartViewPropsDlg::ExchangeData(bool saving) {
    QtDialogExchange dx(this, saving);
    std::string notes = notes_;
    std::string title = title_;
    if (!ondrel::ExchangeLimitedText(dx, kNotesText, notes, 0)) return false;
    if (!ondrel::ExchangeLimitedText(dx, kTitle, title, kChartTitleMaxChars)) return false;
    if (!settings_.Exchange(dx)) return false;
    // Notes and title change only together with a valid group, as the dialog's values do.
    notes_ = std::move(notes);
    title_ = std::move(title);
    return true;
}

bool CChartViewPropsDlg::ReadControls() {
    QtDialogExchange dx(this, true);
    return settings_.Exchange(dx);
}

void CChartViewPropsDlg::RefreshControls() {
    QtDialogExchange dx(this, false);
    settings_.Exchange(dx);
}

bool CChartViewPropsDlg::eventFilter(QObject* watched, QEvent* event) {
    const bool in = event->type() == QEvent::FocusIn;
    const bool out = event->type() == QEvent::FocusOut;
    if ((in || out) && !busy_) {
        const int id = watched->property(kControlIdProperty).toInt();
        BusyScope scope(busy_);
        if (in && id == kMagBmp) {
            ReadControls();
            rememberedMag_ = ondrel::Magnification(settings_);
        } else if (out) {
            OnFieldLeft(id);
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CChartViewPropsDlg::OnFieldLeft(int controlId) {
    switch (controlId) {
        case kHoldSiz: EnableApply(); break;
        case kMagBmp:
            EnableApply();
            RescaleForMagnification();
            break;
        case kDeltaVert:
        case kLinesY: CheckVerticalTotal(); break;
        case kDeltaHoriz:
        case kLinesX: CheckHorizontalTotal(); break;
        case kLineWidth:
            CheckHorizontalTotal();
            CheckVerticalTotal();
            break;
        default: break;
    }
}

void CChartViewPropsDlg::CheckHorizontalTotal() {
    if (!ReadControls()) return;
    ondrel::RaiseHorizontalTotal(settings_, doc_.vertLines);
    RefreshControls();
    EnableApply();
}

void CChartViewPropsDlg::CheckVerticalTotal() {
    if (!ReadControls()) return;
    ondrel::RaiseVerticalTotal(settings_, doc_.horizLines);
    RefreshControls();
    EnableApply();
}

void CChartViewPropsDlg::RescaleForMagnification() {
    if (rememberedMag_ < 0.0 || !ReadControls()) return;
    if (!ondrel::RescaleWithMagnification(settings_, rememberedMag_)) return;
    rememberedMag_ = ondrel::Magnification(settings_);
    RefreshControls();
    CheckHorizontalTotal();
    CheckVerticalTotal();
}

void CChartViewPropsDlg::OnChooser(int controlId) {
    if (settings_.OnButton(controlId)) EnableApply();
}

void CChartViewPropsDlg::OnReset() {
    settings_.ResetToDefaults();
    RefreshControls();
    EnableApply();
}

void CChartViewPropsDlg::OnUpdate() {
    // Storing defaults changes nothing in the view, so Apply stays as it is.
    if (ReadControls()) settings_.WriteProfile();
}

void CChartViewPropsDlg::OnRecall() {
    settings_.ReadProfile();
    RefreshControls();
    EnableApply();
}

void CChartViewPropsDlg::Hand() {
    ondrel::ViewSettingsEdit edit = ondrel::ViewSettingsEdit::Capture(view_, settings_, title_, notes_);
    if (sink_) sink_(std::move(edit));
    else edit.Apply(view_, doc_);
}

void CChartViewPropsDlg::OnApply() {
    if (!ExchangeData(true)) return;
    Hand();
    EnableApply(false);
}

void CChartViewPropsDlg::accept() {
    if (!ExchangeData(true)) return;
    Hand();
    QDialog::accept();
}

void OnViewParameters(ondrel::CTarvekDoc& doc, ondrel::ChartViewState& view, QWidget* parent,
                      ViewEditSink sink) {
    CChartViewPropsDlg dialog(doc, view, std::move(sink), parent);
    dialog.exec();
}

}  // namespace ondrel::gui
