#pragma once
// "Function Generator Data": edits a copy of a Function Generator's table of ordinates. The
// values are kept as numbers (the list shows them "%g"), so entries the user does not touch
// keep every digit. Values() is the table to use when the dialog was accepted.
#include <QDialog>
#include <vector>

class QLineEdit;
class QListWidget;

namespace ondrel::gui {

class FunctionDataDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kHelpContext = 119;

    explicit FunctionDataDialog(std::vector<double> values, QWidget* parent = nullptr);

    const std::vector<double>& Values() const { return values_; }

private:
    void BuildLayout();
    void Add();
    void Insert();
    void Replace();
    void Remove();
    void RemoveAll();
    void LoadFile();
    void ShowHelp();
    void CopySelectionToEdit(int row);

    // The selected row, or -1 after telling the user to select one first.
    int RequireSelection() const;
    double TypedValue() const;
    // Shows the table again with row selected (-1: nothing selected).
    void Refresh(int row);

    std::vector<double> values_;
    QLineEdit* valueEdit_ = nullptr;
    QListWidget* list_ = nullptr;
    bool refreshing_ = false;  // selection set by Refresh, not by the user
};

}  // namespace ondrel::gui
