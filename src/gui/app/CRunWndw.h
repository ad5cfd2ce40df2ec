#pragma once
// The run window: a small application-modal window captioned "Time" that shows a running
// document's simulated time. A left click or Esc in it asks the run to stop.
#include <QWidget>

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

inline constexpr const char* kRunWindowCaption = "Time";
inline constexpr const char* kRunTimeFormat = "%15.3g";

class CRunWndw : public QWidget {
    Q_OBJECT
public:
    explicit CRunWndw(CTarvekDoc& doc, QWidget* parent = nullptr);
    // The text the window shows now.
    QString TimeText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Esc and Shift+F5 stop the run even where a main-window shortcut has the same key.
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CTarvekDoc& doc_;
};

}  // namespace ondrel::gui
