#pragma once
// The main window: the chart windows in an MDI area, the menus (one set while no chart is
// open, one while a chart is), the status bar with command prompts, the Main and Display
// bars and the seven block bars, their layout and the window placement in the profile.
#include <QMainWindow>
#include <QMap>
#include <memory>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QToolBar;

namespace ondrel {
class ChartViewState;
class ViewState;
enum class ViewKind;
}

namespace ondrel::gui {

class CChildFrame;
class CChrtText;
class CDocumentFrame;
class ChartSession;
class COndrelApp;
class CListBase;
class CTarvekView;
class IPrintableView;
class CGraphBase;

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

    // Opens a window of the state's kind on session showing state, with its initial update
    // (newView: a view just made, which completes its defaults; otherwise one read from the
    // chart file). Null and "Command failed." when it cannot.
    CDocumentFrame* OpenView(ChartSession& session, ViewState& state, bool newView);
    CChildFrame* OpenChartView(ChartSession& session, ChartViewState& state);
    // The chart windows.
    std::vector<CChildFrame*> Frames() const;
    // Every window (chart, list, graph, text), in the order they were opened.
    std::vector<CDocumentFrame*> Windows() const;
    std::vector<CDocumentFrame*> FramesOf(const ChartSession& session) const;
    // The active window when it is a chart window.
    CChildFrame* ActiveFrame() const;
    CDocumentFrame* ActiveWindow() const;
    ChartSession* ActiveSession() const;
    CTarvekView* ActiveView() const;
    // The pane in use when the active window is a text view.
    CChrtText* ActiveTextView() const;
    // The list pane in use when the active window is a list window.
    CListBase* ActiveList() const;
    // The graph pane of the active window, if it is a graph window.
    CGraphBase* ActiveGraph() const;
    // Closes every window of session without asking (the caller has asked).
    void CloseFramesOf(const ChartSession& session);

    // Runs a command as its menu item would.
    void Execute(int commandId);
    // Menus, command states and captions follow the active chart.
    void RefreshCommandStates();
    void RefreshCaptions();
    // The recent-file items follow the list.
    void RefreshRecentFiles();
    // The active window's view when it can print (the focused pane of a chart window), else null.
    IPrintableView* ActivePrintable() const;
    // The printer that Print, Print Preview and Print Setup share for the session.
    QPrinter& Printer();

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
    void OnFrameClose(CDocumentFrame* frame, bool* allowed);
    void OnFrameDestroyed(ChartSession* session);
    void OnOpenNewView(ViewKind kind);
    void OnPreferencesCommand();
    void OnViewingCommand();
    void OnSnapshot();
    void OnGraphViewing(CGraphBase& graph, ChartSession& session);
    void OnExportGraphData();
    void OnExportGraphImage();
    void OnRun();
    void OnInitialize();
    void OnBlockTool(int commandId);
    void OnHelp(int commandId);
    void OnAbout();
    void CommandFailed();
    void RefreshEditStates(ChartSession* session);
    void OnPrint();
    void OnPrintPreview();
    void OnPrintSetup();
    void OnExport();
    // The active chart view's guidance while editing, else "Ready".
    QString IdleStatusText() const;
    // File > Export of a chart: SVG, PDF or PNG of the whole chart.
    void ExportChartImage();
    // File > Export of a graph: SVG, PDF or PNG of the graph as the window shows it.
    void ExportGraphPicture(CGraphBase& graph);
    // File > Export of another view: the PDF of its printout.
    void ExportPrintout();

    COndrelApp& app_;
    QMdiArea* mdi_;
    QMap<int, QAction*> actions_;
    QMap<int, QToolBar*> toolbars_;
    QList<QMenu*> noDocumentMenus_;
    QList<QMenu*> documentMenus_list_;
    QList<QAction*> recentActions_;
    bool documentMenus_ = false;
    std::unique_ptr<QPrinter> printer_;
    QString shownGuidance_;  // the editing guidance last put in the status bar
};

}  // namespace ondrel::gui
