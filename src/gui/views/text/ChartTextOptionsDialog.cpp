#include "gui/views/text/ChartTextOptionsDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>

#include "core/blocks/BlockToolbars.h"
#include "gui/dialogs/SettingsDialogControls.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ViewingRules.h"
#include "core/model/views/TextViewState.h"
#include "gui/platform/QtDialogExchange.h"

namespace ondrel::gui {
namespace {

using Dlg = CChartTextOptionsDlg;

// The check boxes and radio buttons of the settings; any change of one enables Apply.
constexpr int kSettingButtons[] = {1201, 1202, 1206, 1203, 1205, 1281, 1271, 1272, 1273, 1274,
                                   1275, 1276, 1277, 1259, 1260, 1261, 1268, 1269, 1270,
                                   Dlg::kFilterAll, Dlg::kFilterName, Dlg::kFilterType, Dlg::kFilterGroup};

// Notes keep CR LF line ends, as the report writes them; the edit control works with LF.
std::string ToControlText(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}
std::string FromControlText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

QStringList Texts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

}  // namespace

CChartTextOptionsDlg::CChartTextOptionsDlg(ondrel::CTarvekDoc& doc, ondrel::TextViewState& view,
                                           TextEditSink sink, QWidget* parent)
    : QDialog(parent), doc_(doc), view_(view), sink_(std::move(sink)), title_(view.title),
      notes_(ToControlText(view.notes)), chosen_(view.chosen) {
    settings_.AssignFrom(view.settings);
    chosen_.KeepBlocksOf(doc_);
    setWindowTitle(tr("Chart Text Options"));
    setObjectName(QStringLiteral("Dialog%1").arg(kResourceId));
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(BuildOptionsColumn());
    whole->addWidget(BuildFilterColumn());
    whole->addLayout(BuildButtons());
    ExchangeData(false);
    FillLists();
    // Connected after the controls are filled, so filling them is not a change.
    ConnectChangeSignals();
    EnableApply(false);
}

QWidget* CChartTextOptionsDlg::BuildOptionsColumn() {
    auto* column = new QWidget(this);
    auto* box = new QVBoxLayout(column);
    auto* titleGrid = new QGridLayout;
    AddLabelledEdit(titleGrid, 0, 0, tr("Title"), kTitle);
    box->addLayout(titleGrid);
    auto* notes = new QGroupBox(tr("Notes"));
    auto* notesGrid = new QGridLayout(notes);
    auto* notesText = new QPlainTextEdit;
    SetControlId(notesText, kNotes);
    notesGrid->addWidget(notesText, 0, 0, 1, 2);
    notesGrid->addWidget(MakeCheck(tr("Display"), 1281, notes), 1, 0);
    box->addWidget(notes);
    auto* info = new QGroupBox(tr("Information"));
    auto* infoBox = new QVBoxLayout(info);
    infoBox->addWidget(MakeCheck(tr("Notes"), 1201, info));
    infoBox->addWidget(MakeCheck(tr("Output connections"), 1202, info));
    box->addWidget(info);
    box->addWidget(MakeRadioGroup(tr("Sort"), {{tr("None"), 1271}, {tr("Name"), 1272},
                                               {tr("Type"), 1273}, {tr("Group"), 1274}}, true));
    box->addWidget(MakeRadioGroup(tr("Sort Mode"), {{tr("None"), 1275}, {tr("Normal"), 1276},
                                                    {tr("Initialize"), 1277}}, true));
    auto* look = new QHBoxLayout;
    look->addWidget(MakeButton(tr("Font"), kFont, column));
    look->addWidget(MakeCheck(tr("Auto Update"), 1206, column));
    box->addLayout(look);
    return column;
}

QWidget* CChartTextOptionsDlg::BuildFilterColumn() {
    auto* column = new QGroupBox(tr("Filter"), this);
    auto* grid = new QGridLayout(column);
    grid->addWidget(MakeRadioGroup(tr("Blocks"), {{tr("All"), kFilterAll}, {tr("Name"), kFilterName},
                                                  {tr("Type"), kFilterType}, {tr("Group"), kFilterGroup}},
                                   true), 0, 0, 1, 3);
    grid->addWidget(MakeRadioGroup(tr("Mode"), {{tr("All"), 1259}, {tr("Normal"), 1260},
                                                {tr("Initialize"), 1261}}, true), 1, 0, 1, 3);
    grid->addWidget(MakeRadioGroup(tr("Notes"), {{tr("All"), 1268}, {tr("Yes"), 1269}, {tr("No"), 1270}},
                                   true), 2, 0, 1, 3);
    auto* connections = new QGroupBox(tr("Connections"));
    auto* connectionsBox = new QHBoxLayout(connections);
    connectionsBox->addWidget(MakeCheck(tr("Inputs"), 1203, connections));
    connectionsBox->addWidget(MakeCheck(tr("Outputs"), 1205, connections));
    grid->addWidget(connections, 3, 0, 1, 3);
    left_ = new QListWidget;
    right_ = new QListWidget;
    SetControlId(left_, kLeftList);
    SetControlId(right_, kRightList);
    for (QListWidget* list : {left_, right_}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setMinimumWidth(150);  // the longest tool names fit
    }
    auto* moves = new QVBoxLayout;
    QPushButton* toLeft = MakeButton(QStringLiteral("<<"), kMoveLeft, column);
    QPushButton* toRight = MakeButton(QStringLiteral(">>"), kMoveRight, column);
    moves->addStretch();
    moves->addWidget(toLeft);
    moves->addWidget(toRight);
    moves->addStretch();
    grid->addWidget(left_, 4, 0);
    grid->addLayout(moves, 4, 1);
    grid->addWidget(right_, 4, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    connect(toLeft, &QPushButton::clicked, this, [this] { Move(right_, left_); });
    connect(toRight, &QPushButton::clicked, this, [this] { Move(left_, right_); });
    return column;
}

QLayout* CChartTextOptionsDlg::BuildButtons() {
    auto* buttons = new QVBoxLayout;
    QPushButton* ok = MakeButton(tr("OK"), 1, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CChartTextOptionsDlg::accept);
    connect(MakeButton(tr("Cancel"), 2, this), &QPushButton::clicked, this, &QDialog::reject);
    apply_ = MakeButton(tr("Apply"), kApply, this);
    connect(apply_, &QPushButton::clicked, this, &CChartTextOptionsDlg::OnApply);
    connect(MakeButton(tr("Help"), kHelp, this), &QPushButton::clicked, this,
            [] { ShowHelpContext(kHelpContext); });
    connect(MakeButton(tr("Update"), kUpdate, this), &QPushButton::clicked, this, &CChartTextOptionsDlg::OnUpdate);
    connect(MakeButton(tr("Recall"), kRecall, this), &QPushButton::clicked, this, &CChartTextOptionsDlg::OnRecall);
    connect(MakeButton(tr("Reset"), kReset, this), &QPushButton::clicked, this, &CChartTextOptionsDlg::OnReset);
    for (int id : {1, 2, kApply, kHelp, kUpdate, kRecall, kReset}) buttons->addWidget(FindControl(this, id));
    buttons->addStretch();
    return buttons;
}

void CChartTextOptionsDlg::ConnectChangeSignals() {
    for (int id : kSettingButtons)
        if (auto* button = qobject_cast<QAbstractButton*>(FindControl(this, id)))
            connect(button, &QAbstractButton::toggled, this, [this] { EnableApply(); });
    // Choosing another block filter shows its lists (a user's click, not a refresh).
    for (int id : {kFilterAll, kFilterName, kFilterType, kFilterGroup})
        if (auto* radio = qobject_cast<QAbstractButton*>(FindControl(this, id)))
            connect(radio, &QAbstractButton::clicked, this, [this] { FillLists(); });
    if (auto* notes = qobject_cast<QPlainTextEdit*>(FindControl(this, kNotes)))
        connect(notes, &QPlainTextEdit::textChanged, this, [this] { EnableApply(); });
    if (auto* title = qobject_cast<QLineEdit*>(FindControl(this, kTitle)))
        connect(title, &QLineEdit::textChanged, this, [this] { EnableApply(); });
    if (auto* font = qobject_cast<QAbstractButton*>(FindControl(this, kFont)))
        connect(font, &QAbstractButton::clicked, this, [this] {
            if (settings_.OnButton(kFont)) EnableApply();
        });
}

bool CChartTextOptionsDlg::ApplyEnabled() const { return apply_ != nullptr && apply_->isEnabled(); }

void CChartTextOptionsDlg::EnableApply(bool enabled) {
    if (apply_ != nullptr) apply_->setEnabled(enabled);
}

bool CChartTextOptionsDlg::ExchangeData(bool saving) {
    QtDialogExchange dx(this, saving);
    std::string title = title_;
    std::string notes = notes_;
    if (!ondrel::ExchangeLimitedText(dx, kTitle, title, 0)) return false;
    if (!ondrel::ExchangeLimitedText(dx, kNotes, notes, 0)) return false;
    if (!settings_.Exchange(dx)) return false;
    title_ = std::move(title);
    notes_ = std::move(notes);
    return true;
}

bool CChartTextOptionsDlg::ReadControls() {
    QtDialogExchange dx(this, true);
    return settings_.Exchange(dx);
}

void CChartTextOptionsDlg::RefreshControls() {
    QtDialogExchange dx(this, false);
    settings_.Exchange(dx);
}

QStringList CChartTextOptionsDlg::LeftItems() const { return Texts(left_); }
QStringList CChartTextOptionsDlg::RightItems() const { return Texts(right_); }

// Both lists, for the filter kind the controls show: what is chosen on the left, the rest on
// the right; with the All filter both stay empty.
void CChartTextOptionsDlg::FillLists() {
    ReadControls();
    EnableApply();
    left_->clear();
    right_->clear();
    const int* filter = settings_.FindValue<int>(kFilterAll);
    listedFilter_ = filter != nullptr ? *filter : 0;
    switch (listedFilter_) {
        case 1: {
            std::unordered_set<const CBlock*> chosen(chosen_.blocks.begin(), chosen_.blocks.end());
            for (const CBlock* block : chosen_.blocks) left_->addItem(QString::fromStdString(block->label));
            for (const auto& block : doc_.blockList)
                if (block->kind != BlockKind::Auxiliary && !chosen.contains(block.get()))
                    right_->addItem(QString::fromStdString(block->label));
            break;
        }
        case 2:
            for (const std::string& type : chosen_.types) left_->addItem(QString::fromStdString(type));
            for (const std::string& type : SortedToolNames())
                if (std::find(chosen_.types.begin(), chosen_.types.end(), type) == chosen_.types.end())
                    right_->addItem(QString::fromStdString(type));
            break;
        case 3:
            for (const BlockToolbar* bar : chosen_.groups) left_->addItem(QString::fromLatin1(bar->caption));
            for (const BlockToolbar& bar : BlockToolbars())
                if (std::find(chosen_.groups.begin(), chosen_.groups.end(), &bar) == chosen_.groups.end())
                    right_->addItem(QString::fromLatin1(bar.caption));
            break;
        default: break;
    }
}

void CChartTextOptionsDlg::Move(QListWidget* from, QListWidget* to) {
    if (listedFilter_ < 1 || listedFilter_ > 3) return;
    for (QList<QListWidgetItem*> selected = from->selectedItems(); !selected.isEmpty();
         selected = from->selectedItems()) {
        QListWidgetItem* first = selected.front();
        for (QListWidgetItem* item : selected)
            if (from->row(item) < from->row(first)) first = item;
        to->addItem(first->text());
        delete from->takeItem(from->row(first));
    }
    RebuildChosen();
    EnableApply();
}

// The chosen list of the listed kind follows the left list. Under the Name filter the chosen
// blocks are the chart's blocks, in block-list order, whose labels are on the left.
void CChartTextOptionsDlg::RebuildChosen() {
    const QStringList left = LeftItems();
    switch (listedFilter_) {
        case 1:
            chosen_.blocks.clear();
            for (const auto& block : doc_.blockList)
                if (block->kind != BlockKind::Auxiliary && left.contains(QString::fromStdString(block->label)))
                    chosen_.blocks.push_back(block.get());
            break;
        case 2:
            chosen_.types.clear();
            for (const QString& text : left) chosen_.types.push_back(text.toStdString());
            break;
        case 3:
            chosen_.groups.clear();
            for (const BlockToolbar& bar : BlockToolbars())
                if (left.contains(QString::fromLatin1(bar.caption))) chosen_.groups.push_back(&bar);
            break;
        default: break;
    }
}

void CChartTextOptionsDlg::MoveItems(bool fromLeft, const QStringList& texts) {
    QListWidget* from = fromLeft ? left_ : right_;
    from->clearSelection();
    for (int i = 0; i < from->count(); ++i)
        if (texts.contains(from->item(i)->text())) from->item(i)->setSelected(true);
    if (auto* button = qobject_cast<QPushButton*>(FindControl(this, fromLeft ? kMoveRight : kMoveLeft)))
        button->click();
}

// Reset and Recall change the settings only: the title, the notes and the chosen lists stay.
// The lists are shown again for the filter the settings now hold.
void CChartTextOptionsDlg::OnReset() {
    settings_.ResetToDefaults();
    RefreshControls();
    FillLists();
}

void CChartTextOptionsDlg::OnRecall() {
    settings_.ReadProfile();
    RefreshControls();
    FillLists();
}

void CChartTextOptionsDlg::OnUpdate() {
    if (ReadControls()) settings_.WriteProfile();
}

void CChartTextOptionsDlg::Hand() {
    ondrel::TextOptionsEdit edit =
        ondrel::TextOptionsEdit::Capture(view_, settings_, title_, FromControlText(notes_), chosen_);
    if (sink_) sink_(std::move(edit));
    else edit.Apply(view_, doc_);
}

void CChartTextOptionsDlg::OnApply() {
    if (!ExchangeData(true)) return;
    Hand();
    EnableApply(false);
}

void CChartTextOptionsDlg::accept() {
    if (!ExchangeData(true)) return;
    Hand();
    QDialog::accept();
}

void OnTextViewParameters(ondrel::CTarvekDoc& doc, ondrel::TextViewState& view, QWidget* parent,
                          TextEditSink sink) {
    CChartTextOptionsDlg dialog(doc, view, std::move(sink), parent);
    dialog.exec();
}

}  // namespace ondrel::gui
