#pragma once
// The Chart Viewing Properties dialog: a chart view's look, notes and title, edited on an
// unbound copy of the view's settings group. Leaving a spacing, line width or total field
// widens the connector room to what the model's lanes need; with the sizing lock set, a new
// magnification rescales every size. Each Apply, and OK, hands the change to a sink as a
// ViewSettingsEdit; Cancel keeps what was applied before.
#include <QDialog>
#include <functional>
#include <string>

#include "core/model/edits/ViewSettingsEdit.h"
#include "core/settings/CSettingsGroup.h"

class QPushButton;

namespace ondrel {
class CTarvekDoc;
class ChartViewState;
}

namespace ondrel::gui {

// Receives each change the dialog makes; it applies it (directly or through an undo stack).
using ViewEditSink = std::function<void(ondrel::ViewSettingsEdit&&)>;

class CChartViewPropsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kApply = 3;
    static constexpr int kHelp = 1045;
    static constexpr int kUpdate = 1133;
    static constexpr int kRecall = 1134;
    static constexpr int kReset = 1044;
    static constexpr int kHelpContext = 357;

    // doc supplies the lane counts; view is read when the dialog opens and when each edit is
    // captured. An empty sink applies every edit to view and doc at once.
    CChartViewPropsDlg(ondrel::CTarvekDoc& doc, ondrel::ChartViewState& view, ViewEditSink sink,
                       QWidget* parent = nullptr);

    ondrel::CSettingsGroup& Settings() { return settings_; }
    bool ApplyEnabled() const;

    // Notes, title and group, in the exchange's direction; false on an invalid value.
    bool ExchangeData(bool saving);
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    QWidget* BuildLookColumn();
    QWidget* BuildLinesColumn();
    QLayout* BuildButtons();
    void ConnectChangeSignals();
    void EnableApply(bool enabled = true);

    bool ReadControls();    // the group only
    void RefreshControls(); // the group only; notes and title stay as typed
    void OnFieldLeft(int controlId);
    void CheckHorizontalTotal();
    void CheckVerticalTotal();
    void RescaleForMagnification();
    void OnChooser(int controlId);
    void OnReset();
    void OnUpdate();
    void OnRecall();
    void OnApply();
    void Hand();  // the current values to the sink

    ondrel::CTarvekDoc& doc_;
    ondrel::ChartViewState& view_;
    ViewEditSink sink_;
    ondrel::CSettingsGroup settings_;
    std::string notes_;
    std::string title_;
    double rememberedMag_;
    QPushButton* apply_ = nullptr;
    // Set while a handler runs: a message box it shows moves the focus, which must not start
    // another check.
    bool busy_ = false;
};

// The View parameters command (32816) of a chart view: runs the dialog modally on the
// view's state; each Apply and the final OK give the sink an edit (applied directly when the
// sink is empty).
void OnViewParameters(ondrel::CTarvekDoc& doc, ondrel::ChartViewState& view, QWidget* parent,
                      ViewEditSink sink = {});

}  // namespace ondrel::gui
