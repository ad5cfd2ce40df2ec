#pragma once
// The graph's property sheet (command "Viewing" on a graph view): five pages over a copy of
// the graph's settings, blocks, title and notes (GraphSheetValues). "Apply Now" only shows
// the graph's current automatic limits in the slots that are not Fixed; OK hands the values
// to a sink, which applies them as one undoable change; Cancel changes nothing.
#include <QDialog>
#include <array>
#include <functional>
#include <vector>

#include "core/model/edits/GraphSheetValues.h"

class QPushButton;
class QTabWidget;

namespace ondrel {
class CTarvekDoc;
class GraphViewState;
}  // namespace ondrel

namespace ondrel::gui {

class CGrafPage;

using GraphSheetSink = std::function<void(const ondrel::GraphSheetValues&)>;

class CGraphPropertySheet : public QDialog {
    Q_OBJECT
public:
    // view is read when the sheet opens (its current limits also by Apply Now, Recall and
    // Reset); it is not changed by the sheet.
    CGraphPropertySheet(ondrel::CTarvekDoc& doc, ondrel::GraphViewState& view, GraphSheetSink sink,
                        QWidget* parent = nullptr);

    ondrel::GraphSheetValues& Values() { return values_; }
    QTabWidget* Tabs() const { return tabs_; }
    CGrafPage* Page(int index) const { return pages_[index]; }
    QPushButton* ApplyNowButton() const { return applyNow_; }
    // Shows page index as a click on its tab would.
    void ShowPage(int index);

    void accept() override;

private:
    void BuildLayout();
    void ConnectControls();
    void ConnectPage(CGrafPage* page);
    void MarkModified(bool modified = true);

    // All pages' controls <-> values; false at an invalid entry (the message has been shown).
    bool ReadControls();
    void ShowValues();
    void FillBlockList(int slot);
    void UpdateClearButton();

    void OnPageChanged(int index);
    void OnFixed(int slot);
    void OnClear(int k);
    void OnColorOrFont(int slot, int controlId);
    void OnRecallOrReset(bool recall);
    void OnUpdate();
    void OnApplyNow();

    ondrel::GraphViewState& view_;
    GraphSheetSink sink_;
    ondrel::GraphSheetValues values_;
    std::vector<ondrel::CBlock*> offered_;
    QTabWidget* tabs_ = nullptr;
    std::array<CGrafPage*, 5> pages_{};
    QPushButton* applyNow_ = nullptr;
    int shownPage_ = 0;
    bool filling_ = false;  // controls are being filled: not a change by the user
};

// The Viewing command on a graph view: runs the sheet modally.
void OnGraphProperties(ondrel::CTarvekDoc& doc, ondrel::GraphViewState& view, QWidget* parent,
                       GraphSheetSink sink);

}  // namespace ondrel::gui
