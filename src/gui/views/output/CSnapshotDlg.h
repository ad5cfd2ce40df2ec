#pragma once
// The Snapshot window: a small modeless dialog, at most one per chart, that picks one
// recorded sample of the last run. Moving the slider shows that sample's time; "Update"
// makes it the chart's snapshot sample, and the chart and text views then show every
// block's value at it. The slider shows only when the run recorded more than three samples.
// It refreshes when it opens and whenever the chart's views are refreshed (after every run
// and Initialize). OK, Esc or closing it destroy it.
#include <QDialog>

#include "core/model/DocumentView.h"

class QLabel;
class QSlider;

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class CSnapshotDlg : public QDialog, private IDocumentView {
    Q_OBJECT
public:
    static constexpr int kSlider = 1284;
    static constexpr int kTimeText = 1285;
    static constexpr int kUpdate = 1286;
    static constexpr int kHelpContext = 401;

    explicit CSnapshotDlg(CTarvekDoc& doc, QWidget* parent = nullptr);
    ~CSnapshotDlg() override;

    // The slider's range and position from the chart's samples and snapshot index.
    void Refresh();
    QSlider* Slider() const { return slider_; }
    QString TimeText() const;
    // "Update": the slider's sample becomes the chart's snapshot sample.
    void OnUpdateButton();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnUpdate(IDocumentView* sender, UpdateHint hint, CBlock* block) override;
    void ShowTime(int position);

    CTarvekDoc& doc_;
    QSlider* slider_;
    QLabel* time_;
};

}  // namespace ondrel::gui
