#pragma once
// The List Parameters dialog: a list view's columns, value format, fonts, notes and title,
// edited on copies. "Display" lists the columns in order, "Available" the chart's blocks a
// run computes that are not shown; "<<" inserts the selected available blocks at the
// insertion point (the item last clicked in "Display", otherwise the end), ">>" removes the
// selected columns. Each Apply, and OK, hands the values to a sink as one edit; Cancel keeps
// what was applied before.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/model/edits/ListSettingsEdit.h"
#include "core/model/views/BlockReference.h"
#include "core/settings/CSettingsGroup.h"

class QListWidget;
class QPushButton;

namespace ondrel {
class CTarvekDoc;
class ListViewState;
}

namespace ondrel::gui {

using ListEditSink = std::function<void(ondrel::ListSettingsEdit&&)>;

class CListParamsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDisplayList = 1174;
    static constexpr int kAvailableList = 1166;
    static constexpr int kInsert = 1167;
    static constexpr int kRemove = 1168;
    static constexpr int kListFont = 1207;
    static constexpr int kNotesFont = 1169;
    static constexpr int kRecall = 4;
    static constexpr int kReset = 5;
    static constexpr int kUpdate = 1221;
    static constexpr int kApply = 1208;
    static constexpr int kPrecision = 1172;
    static constexpr int kExtra = 1173;
    static constexpr int kTitle = 1176;
    static constexpr int kNotes = 1175;
    static constexpr int kNotesDisplay = 1097;
    static constexpr int kHelp = 57670;
    static constexpr int kHelpContext = 49;
    static constexpr int kTitleMaxChars = 28;
    // The insertion point "at the end".
    static constexpr int kAtEnd = 32000;

    // An empty sink applies every edit to view at once.
    CListParamsDlg(ondrel::CTarvekDoc& doc, ondrel::ListViewState& view, ListEditSink sink,
                   QWidget* parent = nullptr);

    bool ApplyEnabled() const;
    int InsertionPoint() const { return insertAt_; }
    const std::vector<ondrel::BlockReference>& Columns() const { return columns_; }

    void accept() override;

private:
    QWidget* BuildListsColumn();
    QWidget* BuildFormatColumn();
    QLayout* BuildButtons();
    void ConnectChangeSignals();
    void EnableApply(bool enabled = true);
    bool ExchangeData(bool saving);
    void RefreshGroupControls();

    void RebuildLists();
    void OnInsert();
    void OnRemove();
    void OnChooser(int controlId);
    void OnRecall();
    void OnReset();
    void OnUpdate();
    void OnApply();
    void Hand();

    ondrel::CTarvekDoc& doc_;
    ondrel::ListViewState& view_;
    ListEditSink sink_;
    ondrel::CSettingsGroup settings_;
    std::string title_;
    std::string notes_;
    std::vector<ondrel::BlockReference> columns_;  // empty entries kept, never shown
    std::vector<ondrel::CBlock*> available_;        // the rows of "Available"
    std::vector<std::size_t> shown_;                 // "Display" row -> index in columns_
    int insertAt_ = kAtEnd;                          // a "Display" row, or kAtEnd
    QListWidget* display_ = nullptr;
    QListWidget* availableList_ = nullptr;
    QPushButton* apply_ = nullptr;
};

// The View parameters command (32816) of a list view: the dialog, modal, on view's state.
void OnListParameters(ondrel::CTarvekDoc& doc, ondrel::ListViewState& view, QWidget* parent,
                      ListEditSink sink = {});

}  // namespace ondrel::gui
