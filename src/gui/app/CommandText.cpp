#include "gui/app/CommandText.h"

#include <map>
#include <set>
#include <vector>

#include "gui/app/CommandIds.h"
#include "core/platform/StringTable.h"

namespace ondrel::gui {
namespace {

// "prompt\ntool tip" of the standard commands.
const std::map<int, const char*>& StandardStrings() {
    using namespace cmd;
    static const std::map<int, const char*> kStrings{
        {kFileNew, "Create a new chart\nNew"},
        {kFileOpen, "Open an existing chart\nOpen"},
        {kFileClose, "Close the active chart\nClose"},
        {kFileSave, "Save the active chart\nSave"},
        {kFileSaveAs, "Save the active chart with a new name\nSave As"},
        {kFilePrintSetup, "Change the printer and printing options\nPage Setup"},
        {kFilePrint, "Print the active chart\nPrint"},
        {kFilePrintPreview, "Display full pages\nPrint Preview"},
        {kFileExport, "Save the active chart as an SVG, PDF or PNG picture\nExport"},
        {kAppExit, "Quit the application; prompts to save charts\nExit"},
        {kEditCopy, "Copy the selection and put it on the Clipboard\nCopy"},
        {kEditCut, "Cut the selection and put it on the Clipboard\nCut"},
        {kEditPaste, "Insert Clipboard contents\nPaste"},
        {kEditDelete, "Delete the selected block\nDelete"},
        {kEditUndo, "Undo the last change\nUndo"},
        {kEditRedo, "Redo the change last undone\nRedo"},
        {kViewToolbar, "Show or hide the toolbar\nToggle ToolBar"},
        {kViewStatusBar, "Show or hide the status bar\nToggle StatusBar"},
        {kWindowArrange, "Arrange icons at the bottom of the window\nArrange Icons"},
        {kWindowCascade, "Arrange windows so they overlap\nCascade Windows"},
        {kWindowTile, "Arrange windows as non-overlapping tiles\nTile Windows"},
        {kWindowSplit, "Split the active window into panes\nSplit"},
        {kAppAbout, "Display program information, version number and copyright\nAbout"},
        {kHelpIndex, "List Help topics\nHelp Index"},
        {kHelpUsing, "Display instructions about how to use help\nHelp"},
        {kContextHelp, "Display help for the active window\nHelp"},
        {kHelp, "Display help for current task or command\nHelp"},
        {kNextPane, "Switch to the next window pane\nNext Pane"},
        {kPreviousPane, "Switch back to the previous window pane\nPrevious Pane"},
    };
    return kStrings;
}

QString StringOf(int commandId) {
    if (HasString(commandId)) return QString::fromStdString(LoadString(commandId));
    const auto& standard = StandardStrings();
    if (auto it = standard.find(commandId); it != standard.end()) return QString::fromLatin1(it->second);
    if (commandId >= cmd::kFileMru1 && commandId < cmd::kFileMru1 + 4) return "Open this chart";
    return {};
}

struct Accelerator {
    const char* keys;
    int commandId;
};

// The accelerator table in its order.
const std::vector<Accelerator>& AcceleratorTable() {
    using namespace cmd;
    static const std::vector<Accelerator> kTable{
        {"Ctrl+C", kEditCopy}, {"Ctrl+Ins", kEditCopy}, {"Ctrl+N", kFileNew},
        {"Ctrl+O", kFileOpen}, {"Ctrl+P", kFilePrint}, {"Ctrl+S", kFileSave},
        {"Alt+S", 32819}, {"Ctrl+V", kEditPaste}, {"Shift+Ins", kEditPaste},
        // The standard key of each Edit command comes first, so the menus show it.
        {"Ctrl+Z", kEditUndo}, {"Alt+Backspace", kEditUndo}, {"Ctrl+Y", kEditRedo},
        {"Ctrl+Shift+Z", kEditRedo}, {"Del", kEditDelete},
        {"Ctrl+X", kEditCut}, {"Shift+Del", kEditCut}, {"Esc", kStopRunKey},
        {"Esc", kTerminateRun}, {"F5", kRun}, {"Shift+F5", kTerminateRun},
        {"F1", kHelp}, {"Shift+F1", kContextHelp},
        {"F6", kNextPane}, {"Shift+F6", kPreviousPane},
        // One key per block toolbar group; the first command of each key is the one it runs.
        {"Ctrl+Shift+Alt+Num+0", 32823}, {"Ctrl+Shift+Alt+Num+1", 32792},
        {"Ctrl+Shift+Alt+Num+2", kUnhandledLogicKey}, {"Ctrl+Shift+Alt+Num+3", 32840},
        {"Ctrl+Shift+Alt+Num+4", 32844}, {"Ctrl+Shift+Alt+Num+5", 32855},
        {"Ctrl+Shift+Alt+Print", 32797},
    };
    return kTable;
}

}  // namespace

QString PromptOf(int commandId) { return StringOf(commandId).section('\n', 0, 0); }

QString ToolTipOf(int commandId) {
    const QString text = StringOf(commandId);
    return text.contains('\n') ? text.section('\n', 1) : QString();
}

QList<QKeySequence> AcceleratorsOf(int commandId) {
    QList<QKeySequence> keys;
    std::set<QString> taken;
    for (const Accelerator& a : AcceleratorTable()) {
        const QString k = QString::fromLatin1(a.keys);
        if (!taken.insert(k).second) continue;  // only the first entry of a key counts
        if (a.commandId == commandId) keys << QKeySequence(k);
    }
    return keys;
}

QList<int> CommandsWithAccelerators() {
    QList<int> ids;
    for (const Accelerator& a : AcceleratorTable())
        if (!ids.contains(a.commandId)) ids << a.commandId;
    return ids;
}

}  // namespace ondrel::gui
