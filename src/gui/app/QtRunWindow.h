#pragma once
// The run window service: opens a CRunWndw for the run, repaints it and lets it take its
// input at most every 20 ms of wall time (and always after the last interval), so painting
// costs a long run next to nothing. While it is open no other window receives user input,
// and no other window is repainted or laid out: their repaints wait for the end of the run.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

#include "gui/app/CRunWndw.h"
#include "core/platform/RunWindow.h"

namespace ondrel::gui {

class QtRunWindow : public QObject, public IRunWindow {
    Q_OBJECT
public:
    static constexpr qint64 kPumpMilliseconds = 20;

    QtRunWindow();
    ~QtRunWindow() override;

    bool Open(CTarvekDoc& doc) override;
    void Pump(CTarvekDoc& doc, bool lastInterval) override;
    void Close(CTarvekDoc& doc) override;

    // The window of the run in progress, or null.
    CRunWndw* Window() const { return window_; }
    // How many times the window was painted and its input taken during this run.
    int PumpCount() const { return pumps_; }
    // Called with the window right after each pump (the tests click it from here).
    void SetPumpObserver(std::function<void(CRunWndw&)> observer) { observer_ = std::move(observer); }

signals:
    void RunStarted();
    void RunFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool BelongsToRunWindow(QObject* object) const;
    // Holds back a repaint or relayout of another window until the run ends.
    bool Defer(QObject* watched, QEvent* event);
    void ReleaseDeferred();

    QPointer<CRunWndw> window_;
    QElapsedTimer sinceLastPump_;
    int pumps_ = 0;
    std::function<void(CRunWndw&)> observer_;
    // The windows whose repaint (or relayout) was held back, with the event to send again.
    std::vector<std::pair<QPointer<QWidget>, int>> deferred_;
};

}  // namespace ondrel::gui
