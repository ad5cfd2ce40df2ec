#pragma once
// One pane of a window that shows something other than the chart itself (a list, a graph,
// the chart's text): the state it draws from, its initial update, the title it hands to the
// frame caption and its help context. The frame (COutputFrame) holds panes through this.
#include <QString>
#include <functional>

class QWidget;

namespace ondrel {
class ViewState;
}

namespace ondrel::gui {

class IOutputPane {
public:
    virtual ~IOutputPane() = default;

    virtual QWidget* Widget() = 0;
    virtual ViewState& State() = 0;
    // newView: the view was just made by a command and completes its defaults; otherwise
    // its record was read from a chart file and is shown as read.
    virtual void OnInitialUpdate(bool newView) = 0;
    virtual int HelpContext() const = 0;
    // The title for the frame caption; empty for none (the chart's name is shown).
    virtual QString CaptionTitle() const = 0;

    // The frame is told whenever the pane's title may have changed.
    void SetTitleListener(std::function<void()> listener) { titleListener_ = std::move(listener); }

protected:
    void NotifyTitle() const {
        if (titleListener_) titleListener_();
    }

private:
    std::function<void()> titleListener_;
};

}  // namespace ondrel::gui
