#include "gui/app/COndrelApp.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMessageBox>
#include <algorithm>
#include <cstring>

#include "gui/app/AboutDialog.h"
#include "gui/app/AutoSaver.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CDocumentFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/ChartRecovery.h"
#include "gui/app/ChartSession.h"
#include "gui/app/MdiWindows.h"
#include "gui/app/CommandIds.h"
#include "gui/app/ViewWindows.h"
#include "gui/app/WindowPlacement.h"
#include "gui/dialogs/BlockEditor.h"
#include "core/engine/HistoryBudget.h"
#include "core/io/ChartFormat.h"
#include "core/model/edits/ChartCommand.h"
#include "core/file/ChartFile.h"
#include "core/platform/NumberFormat.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"

namespace ondrel::gui {

QString ChartPathFromArguments(const QStringList& arguments) {
    QString line = arguments.join(' ').trimmed();
    if (line.size() >= 2 && line.startsWith('"') && line.endsWith('"')) line = line.mid(1, line.size() - 2);
    return line;
}

QString VersionLine() {
    return QStringLiteral("Version :") +
           QString::fromStdString(FormatNumber("%5.2f", kProgramFileVersion * 0.01));
}

COndrelApp::COndrelApp() = default;

// The windows go first: they draw from the charts.
COndrelApp::~COndrelApp() {
    shuttingDown_ = true;
    autoSaver_.reset();
    SetBlockEditor(nullptr);
    blockEditor_.reset();
    mainFrame_.reset();
    sessions_.clear();
}

bool COndrelApp::Start(const QStringList& arguments) {
    recent_.Load();
    mainFrame_ = std::make_unique<CMainFrame>(*this);
    InstallBlockEditor();
    mainFrame_->RefreshRecentFiles();
    mainFrame_->LoadBarState();
    SetHistoryBudgetMegabytes(Profile().GetInt(kHistoryBudgetSection, kHistoryBudgetKey, 0));
    autoSaver_ = std::make_unique<AutoSaver>(*this);
    // The main window takes its place and size first: the charts' windows are placed inside
    // its MDI area as it will be, not as an unshown window's default size has it.
    RestorePlacement(*mainFrame_);
    // What a program that did not end normally left behind comes first; a new empty chart
    // beside recovered ones would only be in the way.
    const bool recovered = OfferRecovery(*this, *autoSaver_, mainFrame_.get());
    const QString path = ChartPathFromArguments(arguments);
    if (!path.isEmpty())
        OpenChart(path);
    else if (!recovered)
        NewChart();
    mainFrame_->setAcceptDrops(true);
    mainFrame_->RefreshCommandStates();
    mainFrame_->repaint();
    return true;
}

// The block editor opened by a click on a block: its OK becomes a change on the chart's undo
// stack.
void COndrelApp::InstallBlockEditor() {
    blockEditor_ = std::make_unique<BlockEditor>(
        mainFrame_.get(), [this](CBlock& block, const BlockEdit& before, const BlockEdit& after) {
            if (ChartSession* session = SessionOf(DocumentOf(block)))
                session->Perform(MakeBlockEditCommand(block, before, after));
            else
                ApplyBlockEdit(*DocumentOf(block), block, after);
        });
    SetBlockEditor(blockEditor_.get());
}

ChartSession* COndrelApp::SessionOf(const CTarvekDoc* doc) const {
    for (const auto& session : sessions_)
        if (&session->Document() == doc) return session.get();
    return nullptr;
}

ChartSession* COndrelApp::Adopt(std::unique_ptr<ChartSession> session) {
    ChartSession* raw = session.get();
    sessions_.push_back(std::move(session));
    // Undo, Redo and the modified mark in the captions follow every change of the stack.
    QUndoStack* stack = &raw->UndoStack();
    connect(stack, &QUndoStack::indexChanged, mainFrame_.get(), &CMainFrame::RefreshCommandStates);
    connect(stack, &QUndoStack::cleanChanged, mainFrame_.get(), &CMainFrame::RefreshCommandStates);
    CChildFrame* frame = mainFrame_->OpenChartView(*raw, raw->FirstChartState());
    if (frame == nullptr) {
        ForgetSession(raw);
        return nullptr;
    }
    // Further views stored with the chart get windows of their own; a kind without windows
    // keeps its record as read.
    QList<QMdiSubWindow*> views;
    for (ViewState* state : raw->TakeStatesWithoutWindow())
        if (HasViewWindow(state->Kind()))
            if (CDocumentFrame* view = mainFrame_->OpenView(*raw, *state, false)) views.append(view);
    // Each view window opened over the chart window; activating the chart window would raise
    // it over them all, so they are laid out beside it first.
    PlaceChartBelowItsViews(*frame, views);
    mainFrame_->MdiArea()->setActiveSubWindow(frame);
    mainFrame_->RefreshCommandStates();
    return raw;
}

ChartSession* COndrelApp::NewChart() {
    auto session = std::make_unique<ChartSession>();
    session->Document().OnNewDocument();
    session->Document().SetFrameworkTitle(kDocumentName + std::to_string(++untitledCount_));
    return Adopt(std::move(session));
}

ChartSession* COndrelApp::FindOpen(const QString& path) const {
    const QString wanted = QFileInfo(path).absoluteFilePath();
    for (const auto& s : sessions_)
        if (!s->Path().isEmpty() && QFileInfo(s->Path()).absoluteFilePath() == wanted) return s.get();
    return nullptr;
}

ChartSession* COndrelApp::OpenChart(const QString& path) {
    if (ChartSession* open = FindOpen(path)) {
        const auto frames = mainFrame_->FramesOf(*open);
        if (!frames.empty()) mainFrame_->MdiArea()->setActiveSubWindow(frames.front());
        return open;
    }
    auto session = std::make_unique<ChartSession>();
    if (!LoadChartFile(path.toStdString(), session->Document(), *session, MessageBoxStatuses())) {
        recent_.Remove(path.toStdString());
        mainFrame_->RefreshRecentFiles();
        return nullptr;
    }
    session->SetPath(QFileInfo(path).absoluteFilePath());
    recent_.Add(session->Path().toStdString());
    mainFrame_->RefreshRecentFiles();
    return Adopt(std::move(session));
}

ChartSession* COndrelApp::OpenRecovered(const std::string& copyPath, const QString& originalPath,
                                        const QString& title) {
    auto session = std::make_unique<ChartSession>();
    if (!LoadChartFile(copyPath, session->Document(), *session, MessageBoxStatuses())) return nullptr;
    session->SetPath(originalPath);
    session->Document().SetFrameworkTitle(title.toStdString());
    session->MarkUnrecordedChange();
    // File New goes on from a recovered "Chart<n>", so no two windows share a name.
    bool numbered = false;
    const int number = title.startsWith(kDocumentName) ? title.mid(int(std::strlen(kDocumentName))).toInt(&numbered) : 0;
    if (numbered) untitledCount_ = std::max(untitledCount_, number);
    return Adopt(std::move(session));
}

void COndrelApp::OnFileOpen() {
    const QString path = QFileDialog::getOpenFileName(
        mainFrame_.get(), QStringLiteral("Open"), QString(),
        QString::fromLatin1(kChartFilter) + QStringLiteral(";;All Files (*)"));
    if (!path.isEmpty()) OpenChart(path);
}

bool COndrelApp::SaveChart(ChartSession& session, bool saveAs) {
    QString path = session.Path();
    if (saveAs || path.isEmpty()) {
        const QString suggested =
            path.isEmpty() ? QString::fromStdString(session.Document().GetTitle()) + kChartExtension : path;
        path = QFileDialog::getSaveFileName(mainFrame_.get(), QStringLiteral("Save As"), suggested,
                                            QString::fromLatin1(kChartFilter));
        if (path.isEmpty()) return false;
        if (QFileInfo(path).suffix().isEmpty()) path += kChartExtension;
    }
    if (!SaveChartFile(path.toStdString(), session.Document(), session, MessageBoxStatuses())) return false;
    if (autoSaver_) autoSaver_->Forget(session);
    session.MarkSaved();
    session.SetPath(QFileInfo(path).absoluteFilePath());
    session.Document().SetFrameworkTitle(QFileInfo(path).fileName().toStdString());
    recent_.Add(session.Path().toStdString());
    mainFrame_->RefreshRecentFiles();
    mainFrame_->RefreshCaptions();
    return true;
}

bool COndrelApp::SaveModified(ChartSession& session) {
    if (!session.Document().IsModified()) return true;
    const QString name = QString::fromStdString(session.Document().GetTitle());
    const auto answer = QMessageBox::question(
        mainFrame_.get(), QString::fromStdString(LoadString(cmd::kAppTitleString)),
        QStringLiteral("Save changes to %1?").arg(name),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) return SaveChart(session, false);
    return answer == QMessageBox::Discard;
}

bool COndrelApp::CloseChart(ChartSession& session) {
    if (!SaveModified(session)) return false;
    mainFrame_->CloseFramesOf(session);
    return true;
}

bool COndrelApp::SaveAllModified() {
    for (const auto& s : sessions_)
        if (!SaveModified(*s)) return false;
    return true;
}

void COndrelApp::ForgetSession(ChartSession* session) {
    if (shuttingDown_) return;
    if (autoSaver_) autoSaver_->Forget(*session);
    std::erase_if(sessions_, [session](const auto& s) { return s.get() == session; });
    if (mainFrame_ != nullptr) mainFrame_->RefreshCommandStates();
}

void COndrelApp::ShowAbout() {
    AboutDialog about(mainFrame_.get());
    about.exec();
}

}  // namespace ondrel::gui
