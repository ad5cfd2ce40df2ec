#pragma once
// The application object: the open charts, the main frame, start-up from the command line,
// the File commands with their questions, the recent-file list and the About box.
//
// The platform services (message boxes, profile, dialogs, help, run window) must be in force
// before it is created (DesktopPlatform).
#include <QObject>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "gui/app/RecentFiles.h"

namespace ondrel {
class CTarvekDoc;
}

namespace ondrel::gui {

class AutoSaver;
class BlockEditor;
class CMainFrame;
class ChartSession;

inline constexpr const char* kDocumentName = "Chart";
inline constexpr const char* kChartFilter = "Ondrel Files (*.cht)";
inline constexpr const char* kChartExtension = ".cht";

// The chart path a command line names: the arguments as one line, enclosing double quotes
// removed; empty when there is none.
QString ChartPathFromArguments(const QStringList& arguments);
// "Version :" and the version as the About box shows it.
QString VersionLine();

class COndrelApp : public QObject {
    Q_OBJECT
public:
    COndrelApp();
    ~COndrelApp() override;

    // Start-up in order: the recent files, the main frame, the chart of the command line
    // (arguments without the program name) or a new one, then the main window where the
    // user left it. False when the main frame could not be made.
    bool Start(const QStringList& arguments);

    CMainFrame* MainFrame() const { return mainFrame_.get(); }
    const std::vector<std::unique_ptr<ChartSession>>& Sessions() const { return sessions_; }
    RecentFiles& Recent() { return recent_; }
    // The auto-save of the open charts; null before Start.
    AutoSaver* AutoSave() const { return autoSaver_.get(); }

    // File New: a new chart "Chart<n>" in a chart window.
    ChartSession* NewChart();
    // File Open and the recent files: the chart at path in a chart window (the open one
    // when it is open already); null when it could not be read (the reason was shown).
    ChartSession* OpenChart(const QString& path);
    // A chart recovered from an auto-saved copy: opened modified, titled as before, and
    // belonging to originalPath (none: Save asks for one). Null when the copy would not load.
    ChartSession* OpenRecovered(const std::string& copyPath, const QString& originalPath, const QString& title);
    // Asks for a file, then opens it.
    void OnFileOpen();
    // Saves the chart to its file, or asks for one first (always with saveAs). False when
    // not saved (cancelled or failed; the reason was shown).
    bool SaveChart(ChartSession& session, bool saveAs);
    // Before a modified chart closes: Save, Discard or Cancel. True when it may close.
    bool SaveModified(ChartSession& session);
    // File Close: asks, then closes every window of the chart.
    bool CloseChart(ChartSession& session);
    // Asks for every modified chart; true when the program may quit.
    bool SaveAllModified();
    // A chart's last window has gone: the chart goes too.
    void ForgetSession(ChartSession* session);
    void ShowAbout();

private:
    ChartSession* FindOpen(const QString& path) const;
    ChartSession* SessionOf(const CTarvekDoc* doc) const;
    void InstallBlockEditor();
    ChartSession* Adopt(std::unique_ptr<ChartSession> session);

    std::unique_ptr<CMainFrame> mainFrame_;
    std::unique_ptr<BlockEditor> blockEditor_;
    std::vector<std::unique_ptr<ChartSession>> sessions_;
    // Declared after the charts, so it goes first: a normal end removes the recovery copies.
    std::unique_ptr<AutoSaver> autoSaver_;
    RecentFiles recent_;
    int untitledCount_ = 0;
    bool shuttingDown_ = false;
};

}  // namespace ondrel::gui
