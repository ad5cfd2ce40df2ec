#pragma once
// The Snapshot window: a small modeless dialog, at most one per chart, that picks one
// recorded sample of the last run. Moving the slider shows that sample's time; "Update"
// makes it the chart's snapshot sample, and the chart and text views then show every
// block's value at it. The slider shows only when the run recorded more than three samples.
// It refreshes when it opens and whenever a run or Initialize replaced the samples; other
// changes of the chart leave a slider position not yet applied where the user put it. OK,
// Esc or closing it destroy it.
#include <QDialog>

class QLabel;
class QSlider;

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class CSnapshotDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSlider = 1284;
    static constexpr int kTimeText = 1285;
    static constexpr int kUpdate = 1286;
    static constexpr int kHelpContext = 401;

    explicit CSnapshotDlg(CTarvekDoc& doc, QWidget* parent = nullptr);

    // The slider's range and position from the chart's samples and snapshot index: called
    // when the window opens and after the samples were replaced.
    void Refresh();
    QSlider* Slider() const { return slider_; }
    QString TimeText() const;
    // "Update": the slider's sample becomes the chart's snapshot sample.
    void OnUpdateButton();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowTime(int position);

    CTarvekDoc& doc_;
    QSlider* slider_;
    QLabel* time_;
};

}  // namespace ondrel::gui
