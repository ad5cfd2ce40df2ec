#pragma once
// The main window: the chart windows in an MDI area, the menus (one set while no chart is
// open, one while a chart is), the status bar with command prompts, the Main and Display
// bars and the seven block bars, their layout and the window placement in the profile.
#include <QMainWindow>
#include <QMap>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace ondrel {
class ChartViewState;
}

namespace ondrel::gui {

class CChildFrame;
class ChartSession;
class COndrelApp;
class CTarvekView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kBarStateSection = "General";
    static constexpr const char* kBarStateKey = "State";

    explicit CMainFrame(COndrelApp& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The action of a command id (menus, bars and accelerators share it); null if none.
    QAction* Action(int commandId) const;
    QToolBar* Toolbar(int barId) const;
    QMdiArea* MdiArea() const { return mdi_; }

    // Puts the bars in the default layout for the window's width, then applies the layout
    // saved on the last exit, when there is one.
    void LoadBarState();
    void SaveBarState();
    // The default layout of the bars for a window this wide (used on a first start).
    void ApplyDefaultBarLayout(int windowWidth);

    // Opens a chart window on session showing state, with its initial update; null and
    // "Command failed." when it cannot.
    CChildFrame* OpenChartView(ChartSession& session, ChartViewState& state);
    std::vector<CChildFrame*> Frames() const;
    std::vector<CChildFrame*> FramesOf(const ChartSession& session) const;
    CChildFrame* ActiveFrame() const;
    ChartSession* ActiveSession() const;
    CTarvekView* ActiveView() const;
    // Closes every window of session without asking (the caller has asked).
    void CloseFramesOf(const ChartSession& session);

    // Runs a command as its menu item would.
    void Execute(int commandId);
    // Menus, command states and captions follow the active chart.
    void RefreshCommandStates();
    void RefreshCaptions();
    // The recent-file items follow the list.
    void RefreshRecentFiles();
    // Whether the menu set for an open chart is showing.
    bool ShowsDocumentMenus() const { return documentMenus_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateActions();
    QAction* MakeAction(int commandId, const QString& menuText);
    void CreateToolbars();
    void CreateMenus();
    void ShowMenus(bool documentOpen);
    void ConnectCommands();
    void OnFrameClose(CChildFrame* frame, bool* allowed);
    void OnFrameDestroyed(ChartSession* session);
    void OnOpenNewChartView();
    void OnPreferencesCommand();
    void OnViewingCommand();
    void OnRun();
    void OnInitialize();
    void OnBlockTool(int commandId);
    void OnHelp(int commandId);
    void OnAbout();
    void CommandFailed();
    void RefreshEditStates(ChartSession* session);
    // The active chart view's guidance while editing, else "Ready".
    QString IdleStatusText() const;

    COndrelApp& app_;
    QMdiArea* mdi_;
    QMap<int, QAction*> actions_;
    QMap<int, QToolBar*> toolbars_;
    QList<QMenu*> noDocumentMenus_;
    QList<QMenu*> documentMenus_list_;
    QList<QAction*> recentActions_;
    bool documentMenus_ = false;
    QString shownGuidance_;  // the editing guidance last put in the status bar
};

}  // namespace ondrel::gui
