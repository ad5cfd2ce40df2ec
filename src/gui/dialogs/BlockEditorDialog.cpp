#include "gui/dialogs/BlockEditorDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/blocks/BlockTypeIds.h"
#include "core/blocks/CBlock.h"
#include "gui/dialogs/FunctionDataDialog.h"
#include "core/platform/Platform.h"

#include "gui/help/BlockHelpPages.h"

namespace ondrel::gui {
namespace {

constexpr char kCaption[] = "Block Editor";
// Notes are kept with the line ends charts have always stored.
constexpr char kNotesLineEnd[] = "\r\n";

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QPushButton* Button(const char* text, const char* name) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    return button;
}

// Algebraic blocks (and any kind without a rule of its own) let the user choose; state and
// always-computed blocks have no choice to show; fixed blocks are always initialised.
bool InitializeIsHidden(BlockKind kind) { return kind == BlockKind::State || kind == BlockKind::AlwaysComputed; }
bool InitializeIsEditable(BlockKind kind) { return !InitializeIsHidden(kind) && kind != BlockKind::Fixed; }

}  // namespace

BlockEditorDialog::BlockEditorDialog(const CBlock& block, QWidget* parent)
    : QDialog(parent),
      kind_(block.kind),
      inputCount_(block.inputCount),
      paramCount_(block.paramCount),
      showsValue_(block.showsValue),
      helpId_(block.helpId),
      before_(BlockEdit::From(block)),
      edit_(before_) {
    setWindowTitle(QString::fromUtf8(kCaption));
    BuildLayout();
    nameEdit_->setText(Text(block.label));
    currentValue_->setText(Text(CurrentValueText(block.value)));
    typeName_->setText(Text(block.typeName));
    for (int k = 1; k <= 3; ++k) {
        inputCaption_[k]->setText(Text(block.inputLabel[k]));
        inputSource_[k]->setText(block.input[k] ? Text(block.input[k]->label) : QString());
        paramCaption_[k]->setText(Text(block.paramLabel[k]));
        paramEdit_[k]->setToolTip(ParameterHint(block.typeId, k));
        paramCaption_[k]->setToolTip(paramEdit_[k]->toolTip());
        shownParamText_[k] = Text(ParamText(block.param[k]));
        paramEdit_[k]->setText(shownParamText_[k]);
    }
    invertBox_->setChecked(block.flipped);
    notesEdit_->setPlainText(Text(block.notes).replace(QString::fromUtf8(kNotesLineEnd), "\n"));
    notesEdit_->document()->setModified(false);
    dataButton_->setVisible(block.typeId == kTypeFunctionGenerator);
    ShowInitialize();
    ShowRows();
}

void BlockEditorDialog::BuildLayout() {
    nameEdit_ = new QLineEdit;
    nameEdit_->setObjectName("nameEdit");
    currentCaption_ = new QLabel("Current");
    currentCaption_->setObjectName("currentCaption");
    currentValue_ = new QLabel;
    currentValue_->setObjectName("currentValue");
    typeName_ = new QLabel;
    typeName_->setObjectName("typeName");

    auto* top = new QGridLayout;
    top->addWidget(new QLabel("Name"), 0, 0);
    top->addWidget(nameEdit_, 0, 1, 1, 3);
    top->addWidget(new QLabel("Type"), 1, 0);
    top->addWidget(typeName_, 1, 1);
    top->addWidget(currentCaption_, 1, 2);
    top->addWidget(currentValue_, 1, 3);

    invertBox_ = new QCheckBox("Invert");
    invertBox_->setObjectName("invertBox");
    initializeBox_ = new QCheckBox("Initialize");
    initializeBox_->setObjectName("initializeBox");
    // Bound to the same value as "Initialize"; never shown.
    atFirstBox_ = new QCheckBox("AtFirst");
    atFirstBox_->setObjectName("atFirstBox");
    atFirstBox_->setVisible(false);
    atFirstBox_->setTristate(true);
    connect(initializeBox_, &QCheckBox::stateChanged, this, [this](int state) {
        atFirstBox_->setCheckState(static_cast<Qt::CheckState>(state));
    });
    auto* checks = new QHBoxLayout;
    checks->addWidget(invertBox_);
    checks->addWidget(initializeBox_);
    checks->addWidget(atFirstBox_);
    checks->addStretch();

    notesEdit_ = new QPlainTextEdit;
    notesEdit_->setObjectName("notesEdit");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(BuildInputs());
    layout->addWidget(BuildParameters());
    layout->addLayout(checks);
    layout->addWidget(new QLabel("Notes"));
    layout->addWidget(notesEdit_);
    layout->addLayout(BuildButtons());
}

QGroupBox* BlockEditorDialog::BuildInputs() {
    inputsGroup_ = new QGroupBox("Inputs");
    inputsGroup_->setObjectName("inputsGroup");
    auto* grid = new QGridLayout(inputsGroup_);
    clearCaption_ = new QLabel("Clear");
    clearCaption_->setObjectName("clearCaption");
    grid->addWidget(clearCaption_, 0, 2);
    for (int k = 1; k <= 3; ++k) {
        inputCaption_[k] = new QLabel;
        inputCaption_[k]->setObjectName(QString("inputCaption%1").arg(k));
        inputSource_[k] = new QLabel;
        inputSource_[k]->setObjectName(QString("inputSource%1").arg(k));
        inputSource_[k]->setFrameShape(QFrame::StyledPanel);
        clearButton_[k] = Button("X", "");
        clearButton_[k]->setObjectName(QString("clearInput%1").arg(k));
        connect(clearButton_[k], &QPushButton::clicked, this, [this, k] { ClearInput(k); });
        grid->addWidget(inputCaption_[k], k, 0);
        grid->addWidget(inputSource_[k], k, 1);
        grid->addWidget(clearButton_[k], k, 2);
    }
    grid->setColumnStretch(1, 1);
    return inputsGroup_;
}

QGroupBox* BlockEditorDialog::BuildParameters() {
    paramsGroup_ = new QGroupBox("Parameters");
    paramsGroup_->setObjectName("parametersGroup");
    auto* grid = new QGridLayout(paramsGroup_);
    for (int k = 1; k <= 3; ++k) {
        paramCaption_[k] = new QLabel;
        paramCaption_[k]->setObjectName(QString("paramCaption%1").arg(k));
        paramEdit_[k] = new QLineEdit;
        paramEdit_[k]->setObjectName(QString("paramEdit%1").arg(k));
        grid->addWidget(paramCaption_[k], k - 1, 0);
        grid->addWidget(paramEdit_[k], k - 1, 1);
    }
    grid->setColumnStretch(1, 1);
    return paramsGroup_;
}

QLayout* BlockEditorDialog::BuildButtons() {
    dataButton_ = Button("Data", "dataButton");
    auto* lineColor = Button("Line Color", "lineColorButton");
    auto* help = Button("Help", "helpButton");
    auto* ok = Button("OK", "okButton");
    auto* cancel = Button("Cancel", "cancelButton");
    ok->setDefault(true);
    connect(dataButton_, &QPushButton::clicked, this, &BlockEditorDialog::EditData);
    connect(lineColor, &QPushButton::clicked, this, &BlockEditorDialog::ChooseLineColor);
    connect(help, &QPushButton::clicked, this, &BlockEditorDialog::ShowHelp);
    connect(ok, &QPushButton::clicked, this, &BlockEditorDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &BlockEditorDialog::reject);
    auto* row = new QHBoxLayout;
    for (QPushButton* b : {dataButton_, lineColor, help}) row->addWidget(b);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

void BlockEditorDialog::ShowInitialize() {
    if (InitializeIsHidden(kind_)) {
        initializeBox_->setVisible(false);
        initializeBox_->setChecked(edit_.initFlag);
    } else if (kind_ == BlockKind::Fixed) {
        // Always initialised: the box says so without offering a choice.
        initializeBox_->setTristate(true);
        initializeBox_->setCheckState(Qt::PartiallyChecked);
        initializeBox_->setEnabled(false);
    } else {
        initializeBox_->setChecked(edit_.initFlag);
    }
}

void BlockEditorDialog::ShowRows() {
    if (inputCount_ <= 0) {
        inputsGroup_->setVisible(false);
        clearCaption_->clear();
    }
    for (int k = inputCount_ + 1; k <= 3; ++k) {
        if (k < 1) continue;
        inputCaption_[k]->clear();
        clearButton_[k]->setVisible(false);
    }
    if (paramCount_ <= 0) paramsGroup_->setVisible(false);
    for (int k = paramCount_ + 1; k <= 3; ++k) {
        if (k < 1) continue;
        paramEdit_[k]->setVisible(false);
        paramCaption_[k]->clear();
    }
    if (!showsValue_) {
        currentCaption_->clear();
        currentValue_->clear();
    }
}

void BlockEditorDialog::ClearInput(int k) {
    // The row's source may carry an empty label, so the request is remembered in the edit
    // rather than read back from the blank text.
    inputSource_[k]->clear();
    edit_.ClearInput(k);
}

void BlockEditorDialog::ChooseLineColor() {
    ICommonDialogs* dialogs = Platform().dialogs;
    if (dialogs == nullptr) return;
    if (std::optional<ColorRef> color = dialogs->ChooseColor(edit_.color)) edit_.color = *color;
}

void BlockEditorDialog::EditData() {
    if (!edit_.ordinates) return;
    FunctionDataDialog data(*edit_.ordinates, this);
    if (data.exec() != QDialog::Accepted) return;
    edit_.ordinates = data.Values();
    tableReplaced_ = true;
}

void BlockEditorDialog::ShowHelp() {
    if (IHelp* help = Platform().help) help->ShowHelp(helpId_);
}

void BlockEditorDialog::accept() {
    Collect();
    QDialog::accept();
}

void BlockEditorDialog::Collect() {
    edit_.label = nameEdit_->text().toStdString();
    for (int k = 1; k <= 3; ++k) {
        // Text left as shown keeps the exact value: "%g" shows only six digits, and a
        // round trip through it would quietly round every parameter on each OK.
        const QString text = paramEdit_[k]->text();
        if (text != shownParamText_[k]) edit_.SetParamText(k, text.toStdString());
    }
    edit_.flipped = invertBox_->isChecked();
    if (notesEdit_->document()->isModified()) edit_.notes = NotesText();
    if (InitializeIsEditable(kind_)) edit_.initFlag = initializeBox_->isChecked();
}

std::string BlockEditorDialog::NotesText() const {
    const QStringList lines = notesEdit_->toPlainText().split(QChar('\n'));
    return lines.join(QString::fromUtf8(kNotesLineEnd)).toStdString();
}

std::optional<BlockEdit> BlockEditorDialog::Change() const {
    if (result() == QDialog::Accepted) return edit_;
    if (!tableReplaced_) return std::nullopt;
    BlockEdit tableOnly = before_;
    tableOnly.ordinates = edit_.ordinates;
    return tableOnly;
}

}  // namespace ondrel::gui
