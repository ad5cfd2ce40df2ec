#include "gui/dialogs/FunctionDataDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "core/blocks/FunctionDataFile.h"
#include "core/platform/NumberFormat.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"

namespace ondrel::gui {
namespace {

constexpr int kSelectFirstString = 61629;  // "Select a string from the listbox first."
constexpr int kApplicationTitleString = 57344;  // messages about using a dialog carry it
constexpr char kCaption[] = "Function Generator Data";
constexpr char kOpenTitle[] = "Open";

QString ValueText(double value) { return QString::fromStdString(FormatNumber("%g", value)); }

QPushButton* AddButton(QVBoxLayout* column, const char* text, const char* name) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    column->addWidget(button);
    return button;
}

}  // namespace

FunctionDataDialog::FunctionDataDialog(std::vector<double> values, QWidget* parent)
    : QDialog(parent), values_(std::move(values)) {
    setWindowTitle(QString::fromUtf8(kCaption));
    BuildLayout();
    Refresh(-1);
}

void FunctionDataDialog::BuildLayout() {
    valueEdit_ = new QLineEdit;
    valueEdit_->setObjectName("valueEdit");
    list_ = new QListWidget;
    list_->setObjectName("valueList");
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);  // tables from files can be long
    connect(list_, &QListWidget::currentRowChanged, this,
            &FunctionDataDialog::CopySelectionToEdit);

    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel("Position"));
    left->addWidget(valueEdit_);
    left->addWidget(list_);

    auto* buttons = new QVBoxLayout;
    auto* ok = AddButton(buttons, "OK", "okButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(AddButton(buttons, "Cancel", "cancelButton"), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(AddButton(buttons, "Add", "addButton"), &QPushButton::clicked, this,
            &FunctionDataDialog::Add);
    connect(AddButton(buttons, "Insert", "insertButton"), &QPushButton::clicked, this,
            &FunctionDataDialog::Insert);
    connect(AddButton(buttons, "Replace", "replaceButton"), &QPushButton::clicked, this,
            &FunctionDataDialog::Replace);
    connect(AddButton(buttons, "Remove", "removeButton"), &QPushButton::clicked, this,
            &FunctionDataDialog::Remove);
    connect(AddButton(buttons, "Remove All", "removeAllButton"), &QPushButton::clicked, this,
            &FunctionDataDialog::RemoveAll);
    connect(AddButton(buttons, "File", "fileButton"), &QPushButton::clicked, this,
            &FunctionDataDialog::LoadFile);
    connect(AddButton(buttons, "Help", "helpButton"), &QPushButton::clicked, this,
            &FunctionDataDialog::ShowHelp);
    buttons->addStretch();

    auto* layout = new QGridLayout(this);
    layout->addLayout(left, 0, 0);
    layout->addLayout(buttons, 0, 1);
}

void FunctionDataDialog::Add() {
    values_.push_back(TypedValue());
    Refresh(static_cast<int>(values_.size()) - 1);
    valueEdit_->clear();
}

void FunctionDataDialog::Insert() {
    const int row = RequireSelection();
    if (row < 0) return;
    values_.insert(values_.begin() + row, TypedValue());
    Refresh(row);
}

void FunctionDataDialog::Replace() {
    const int row = RequireSelection();
    if (row < 0) return;
    values_[static_cast<std::size_t>(row)] = TypedValue();
    Refresh(row);
}

void FunctionDataDialog::Remove() {
    const int row = RequireSelection();
    if (row < 0) return;
    values_.erase(values_.begin() + row);
    // The entry that moved up into the removed one's place is selected, so a run of
    // entries can be removed with repeated clicks; after the last one nothing is.
    Refresh(row < static_cast<int>(values_.size()) ? row : -1);
}

void FunctionDataDialog::RemoveAll() {
    values_.clear();
    Refresh(-1);
}

void FunctionDataDialog::LoadFile() {
    ICommonDialogs* dialogs = Platform().dialogs;
    if (dialogs == nullptr) return;
    const std::optional<std::string> path = dialogs->OpenFile(kOpenTitle, "");
    if (!path) return;
    std::optional<FunctionData> data = LoadFunctionDataFile(*path);
    if (!data) return;  // a file that cannot be opened leaves the table as it was
    values_ = std::move(data->values);
    Refresh(static_cast<int>(values_.size()) - 1);
}

void FunctionDataDialog::ShowHelp() {
    if (IHelp* help = Platform().help) help->ShowHelp(kHelpContext);
}

void FunctionDataDialog::CopySelectionToEdit(int row) {
    if (refreshing_ || row < 0 || row >= list_->count()) return;
    valueEdit_->setText(list_->item(row)->text());
}

int FunctionDataDialog::RequireSelection() const {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        ShowMessage(LoadString(kSelectFirstString), LoadString(kApplicationTitleString));
        return -1;
    }
    return list_->row(selected.front());
}

double FunctionDataDialog::TypedValue() const {
    return ParseDecimal(valueEdit_->text().toStdString());
}

void FunctionDataDialog::Refresh(int row) {
    refreshing_ = true;
    list_->clear();
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(values_.size()));
    for (double value : values_) texts.append(ValueText(value));
    list_->addItems(texts);
    if (row >= 0 && row < list_->count()) {
        list_->setCurrentRow(row);
    } else {
        list_->setCurrentRow(-1);
        list_->clearSelection();
    }
    refreshing_ = false;
}

}  // namespace ondrel::gui
