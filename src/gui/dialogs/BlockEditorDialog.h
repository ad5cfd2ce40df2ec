#pragma once
// The "Block Editor": shows one block's name, type, current value, inputs, parameters, notes,
// orientation, Initialize setting and connector colour, and collects the user's changes as a
// BlockEdit. It never changes the block itself; Change() says what to apply after exec().
#include <QDialog>
#include <array>
#include <optional>
#include <string>

#include "core/model/edits/BlockEdit.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ondrel {
class CBlock;
}

namespace ondrel::gui {

class BlockEditorDialog : public QDialog {
    Q_OBJECT
public:
    explicit BlockEditorDialog(const CBlock& block, QWidget* parent = nullptr);

    // After exec(): on OK everything the dialog shows; on Cancel only a table that the data
    // dialog's OK replaced (that OK takes effect at once); otherwise nothing.
    std::optional<BlockEdit> Change() const;
    // The block's values when the dialog opened: applying them reverts Change().
    const BlockEdit& Before() const { return before_; }

    void accept() override;

private:
    void BuildLayout();
    QGroupBox* BuildInputs();
    QGroupBox* BuildParameters();
    QLayout* BuildButtons();
    void ShowRows();
    void ShowInitialize();
    void ClearInput(int k);
    void ChooseLineColor();
    void EditData();
    void ShowHelp();
    void Collect();
    std::string NotesText() const;

    const BlockKind kind_;
    const int inputCount_;
    const int paramCount_;
    const bool showsValue_;
    const int helpId_;
    const BlockEdit before_;
    BlockEdit edit_;
    bool tableReplaced_ = false;
    std::array<QString, 4> shownParamText_;  // [1..3]

    QLineEdit* nameEdit_ = nullptr;
    QLabel* currentCaption_ = nullptr;
    QLabel* currentValue_ = nullptr;
    QLabel* typeName_ = nullptr;
    QGroupBox* inputsGroup_ = nullptr;
    QLabel* clearCaption_ = nullptr;
    std::array<QLabel*, 4> inputCaption_{};  // [1..3]
    std::array<QLabel*, 4> inputSource_{};   // [1..3]
    std::array<QPushButton*, 4> clearButton_{};  // [1..3]
    QGroupBox* paramsGroup_ = nullptr;
    std::array<QLabel*, 4> paramCaption_{};  // [1..3]
    std::array<QLineEdit*, 4> paramEdit_{};  // [1..3]
    QCheckBox* invertBox_ = nullptr;
    QCheckBox* initializeBox_ = nullptr;
    QCheckBox* atFirstBox_ = nullptr;
    QPlainTextEdit* notesEdit_ = nullptr;
    QPushButton* dataButton_ = nullptr;
};

}  // namespace ondrel::gui
