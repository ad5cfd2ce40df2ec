#include "gui/dialogs/ListParametersDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/dialogs/SettingsDialogControls.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ViewingRules.h"
#include "core/model/views/ListViewState.h"
#include "gui/platform/QtDialogExchange.h"

namespace ondrel::gui {
namespace {

QListWidget* MakeList(int controlId) {
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    SetControlId(list, controlId);
    return list;
}

bool Shows(const std::vector<ondrel::BlockReference>& columns, const ondrel::CBlock* block) {
    return std::any_of(columns.begin(), columns.end(), [block](const auto& r) { return r.block == block; });
}

}  // namespace

CListParamsDlg::CListParamsDlg(ondrel::CTarvekDoc& doc, ondrel::ListViewState& view,
                               ListEditSink sink, QWidget* parent)
    : QDialog(parent), doc_(doc), view_(view), sink_(std::move(sink)), title_(view.title),
      notes_(view.notes), columns_(view.displayedBlocks) {
    settings_.AssignFrom(view.settings);
    setWindowTitle(tr("List Parameters"));
    auto* whole = new QHBoxLayout(this);
    whole->addWidget(BuildListsColumn());
    whole->addWidget(BuildFormatColumn());
    whole->addLayout(BuildButtons());
    ExchangeData(false);
    RebuildLists();
    // Connected after the controls are filled, so filling them is not a change.
    ConnectChangeSignals();
    EnableApply(false);
}

QWidget* CListParamsDlg::BuildListsColumn() {
    auto* column = new QWidget(this);
    auto* grid = new QGridLayout(column);
    display_ = MakeList(kDisplayList);
    availableList_ = MakeList(kAvailableList);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(MakeButton(tr("<<"), kInsert, column));
    moves->addWidget(MakeButton(tr(">>"), kRemove, column));
    moves->addStretch();
    grid->addWidget(new QLabel(tr("Display")), 0, 0);
    grid->addWidget(new QLabel(tr("Available")), 0, 2);
    grid->addWidget(display_, 1, 0);
    grid->addLayout(moves, 1, 1);
    grid->addWidget(availableList_, 1, 2);
    return column;
}

QWidget* CListParamsDlg::BuildFormatColumn() {
    auto* column = new QWidget(this);
    auto* box = new QVBoxLayout(column);
    auto* format = new QGroupBox(tr("Values"));
    auto* formatGrid = new QGridLayout(format);
    AddLabelledEdit(formatGrid, 0, 0, tr("Precision"), kPrecision);
    AddLabelledEdit(formatGrid, 1, 0, tr("Extra"), kExtra);
    formatGrid->addWidget(MakeButton(tr("Font"), kListFont, format), 2, 0, 1, 2);
    auto* notes = new QGroupBox(tr("Notes"));
    auto* notesGrid = new QGridLayout(notes);
    auto* notesText = new QPlainTextEdit;
    SetControlId(notesText, kNotes);
    notesGrid->addWidget(notesText, 0, 0, 1, 2);
    notesGrid->addWidget(MakeCheck(tr("Display"), kNotesDisplay, notes), 1, 0);
    notesGrid->addWidget(MakeButton(tr("Font"), kNotesFont, notes), 1, 1);
    auto* titleGrid = new QGridLayout;
    AddLabelledEdit(titleGrid, 0, 0, tr("Title"), kTitle)->setMaxLength(kTitleMaxChars);
    box->addWidget(format);
    box->addWidget(notes);
    box->addLayout(titleGrid);
    return column;
}

QLayout* CListParamsDlg::BuildButtons() {
    auto* buttons = new QVBoxLayout;
    QPushButton* ok = MakeButton(tr("OK"), 1, this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CListParamsDlg::accept);
    connect(MakeButton(tr("Cancel"), 2, this), &QPushButton::clicked, this, &QDialog::reject);
    apply_ = MakeButton(tr("Apply"), kApply, this);
    connect(apply_, &QPushButton::clicked, this, &CListParamsDlg::OnApply);
    connect(MakeButton(tr("Help"), kHelp, this), &QPushButton::clicked, this,
            [] { ShowHelpContext(kHelpContext); });
    connect(MakeButton(tr("Update"), kUpdate, this), &QPushButton::clicked, this, &CListParamsDlg::OnUpdate);
    connect(MakeButton(tr("Recall"), kRecall, this), &QPushButton::clicked, this, &CListParamsDlg::OnRecall);
    connect(MakeButton(tr("Reset"), kReset, this), &QPushButton::clicked, this, &CListParamsDlg::OnReset);
    for (int id : {1, 2, kApply, kHelp, kUpdate, kRecall, kReset}) buttons->addWidget(FindControl(this, id));
    buttons->addStretch();
    return buttons;
}

void CListParamsDlg::ConnectChangeSignals() {
    connect(qobject_cast<QAbstractButton*>(FindControl(this, kInsert)), &QAbstractButton::clicked, this,
            &CListParamsDlg::OnInsert);
    connect(qobject_cast<QAbstractButton*>(FindControl(this, kRemove)), &QAbstractButton::clicked, this,
            &CListParamsDlg::OnRemove);
    for (int id : {kListFont, kNotesFont})
        connect(qobject_cast<QAbstractButton*>(FindControl(this, id)), &QAbstractButton::clicked, this,
                [this, id] { OnChooser(id); });
    // The item with the caret becomes the insertion point.
    connect(display_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) insertAt_ = row;
    });
    connect(display_, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) {
        insertAt_ = display_->row(item);
    });
    for (int id : {kPrecision, kExtra, kTitle})
        connect(qobject_cast<QLineEdit*>(FindControl(this, id)), &QLineEdit::textEdited, this,
                [this] { EnableApply(); });
    connect(qobject_cast<QPlainTextEdit*>(FindControl(this, kNotes)), &QPlainTextEdit::textChanged, this,
            [this] { EnableApply(); });
    connect(qobject_cast<QAbstractButton*>(FindControl(this, kNotesDisplay)), &QAbstractButton::toggled,
            this, [this] { EnableApply(); });
}

bool CListParamsDlg::ApplyEnabled() const { return apply_ != nullptr && apply_->isEnabled(); }

void CListParamsDlg::EnableApply(bool enabled) {
    if (apply_ != nullptr) apply_->setEnabled(enabled);
}

bool CListParamsDlg::ExchangeData(bool saving) {
    QtDialogExchange dx(this, saving);
    std::string notes = notes_;
    std::string title = title_;
    if (!ondrel::ExchangeLimitedText(dx, kNotes, notes, 0)) return false;
    if (!ondrel::ExchangeLimitedText(dx, kTitle, title, kTitleMaxChars)) return false;
    if (!settings_.Exchange(dx)) return false;
    notes_ = std::move(notes);
    title_ = std::move(title);
    return true;
}

void CListParamsDlg::RefreshGroupControls() {
    QtDialogExchange dx(this, false);
    settings_.Exchange(dx);
}

// Both lists from the columns and the chart; the insertion point goes back to the end.
void CListParamsDlg::RebuildLists() {
    const QSignalBlocker quiet(display_);
    display_->clear();
    shown_.clear();
    for (std::size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].IsEmpty()) continue;
        shown_.push_back(i);
        display_->addItem(QString::fromStdString(columns_[i].block->label));
    }
    availableList_->clear();
    available_.clear();
    for (const auto& block : doc_.blockList) {
        if (block->initFlag || Shows(columns_, block.get())) continue;
        available_.push_back(block.get());
        availableList_->addItem(QString::fromStdString(block->label));
    }
    insertAt_ = kAtEnd;
}

void CListParamsDlg::OnInsert() {
    int at = insertAt_;
    for (int row = 0; row < availableList_->count(); ++row) {
        if (!availableList_->item(row)->isSelected()) continue;
        ondrel::BlockReference ref(available_[static_cast<std::size_t>(row)]);
        if (at == kAtEnd || static_cast<std::size_t>(at) >= shown_.size()) {
            columns_.push_back(ref);
        } else {
            // Before the column shown in that row; the rows after it move down by one.
            const std::size_t index = shown_[static_cast<std::size_t>(at)];
            columns_.insert(columns_.begin() + static_cast<std::ptrdiff_t>(index), ref);
            for (std::size_t& s : shown_) s += s >= index ? 1 : 0;
            shown_.insert(shown_.begin() + at, index);
            ++at;
        }
    }
    RebuildLists();
    EnableApply();
}

void CListParamsDlg::OnRemove() {
    std::vector<std::size_t> gone;
    for (int row = 0; row < display_->count(); ++row)
        if (display_->item(row)->isSelected()) gone.push_back(shown_[static_cast<std::size_t>(row)]);
    for (auto it = gone.rbegin(); it != gone.rend(); ++it)
        columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(*it));
    RebuildLists();
    EnableApply();
}

void CListParamsDlg::OnChooser(int controlId) {
    if (settings_.OnButton(controlId)) EnableApply();
}

void CListParamsDlg::OnRecall() {
    settings_.ReadProfile();
    RefreshGroupControls();
    EnableApply();
}

void CListParamsDlg::OnReset() {
    settings_.ResetToDefaults();
    RefreshGroupControls();
    EnableApply();
}

void CListParamsDlg::OnUpdate() {
    // The defaults of new list views; the view itself does not change.
    QtDialogExchange dx(this, true);
    if (settings_.Exchange(dx)) settings_.WriteProfile();
}

void CListParamsDlg::Hand() {
    ondrel::ListViewValues values;
    values.settings->AssignFrom(settings_);
    values.title = title_;
    values.notes = notes_;
    values.displayedBlocks = columns_;
    ondrel::ListSettingsEdit edit = ondrel::ListSettingsEdit::Capture(view_, std::move(values));
    if (sink_)
        sink_(std::move(edit));
    else
        edit.Apply(view_, doc_);
}

void CListParamsDlg::OnApply() {
    if (!ExchangeData(true)) return;
    Hand();
    EnableApply(false);
}

void CListParamsDlg::accept() {
    if (!ExchangeData(true)) return;
    Hand();
    QDialog::accept();
}

void OnListParameters(ondrel::CTarvekDoc& doc, ondrel::ListViewState& view, QWidget* parent,
                      ListEditSink sink) {
    CListParamsDlg dialog(doc, view, std::move(sink), parent);
    dialog.exec();
}

}  // namespace ondrel::gui
