#pragma once
// Small builders for the code-built settings dialogs: every control carries the control id
// by which the dialog data exchange finds it.
#include <QString>
#include <initializer_list>
#include <utility>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ondrel::gui {

// A label in column column and an edit with controlId right of it, in row.
QLineEdit* AddLabelledEdit(QGridLayout* grid, int row, int column, const QString& label,
                           int controlId);
QPushButton* MakeButton(const QString& text, int controlId, QWidget* parent);
QCheckBox* MakeCheck(const QString& text, int controlId, QWidget* parent);
// A titled group of radio buttons (text, control id), one checked at a time, laid out in a
// column or, with inRow, side by side.
QGroupBox* MakeRadioGroup(const QString& title,
                          std::initializer_list<std::pair<QString, int>> choices, bool inRow = false);
// Shows help at context when a help viewer is installed.
void ShowHelpContext(int context);

}  // namespace ondrel::gui
