#pragma once
// "Recover Charts": the charts a program that did not end normally auto-saved, with their
// titles, their own files and when they were saved; Recover (the default), Discard or Later.
#include <QDialog>
#include <vector>

#include "core/file/RecoveryStore.h"

class QTreeWidget;

namespace ondrel::gui {

class RecoverChartsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Choice { Recover, Discard, Later };

    RecoverChartsDialog(const std::vector<RecoveryEntry>& entries, QWidget* parent = nullptr);

    // Later until a button says otherwise (closing the dialog or Esc keeps the charts).
    Choice Chosen() const { return chosen_; }
    QTreeWidget* List() const { return list_; }

private:
    void Choose(Choice choice);

    QTreeWidget* list_ = nullptr;
    Choice chosen_ = Choice::Later;
};

}  // namespace ondrel::gui
