#include "gui/views/text/CChrtText.h"

#include <QApplication>
#include <QClipboard>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextOption>
#include <cstdlib>

#include "gui/help/HelpPages.h"
#include "core/model/CTarvekDoc.h"
#include "core/file/ChartFile.h"
#include "core/model/views/ChartReport.h"
#include "core/model/views/TextViewState.h"
#include "gui/platform/FontConversion.h"
#include "core/platform/Platform.h"
#include "gui/views/text/ReportDocument.h"
#include "gui/views/text/TextPrintable.h"

namespace ondrel::gui {

CChrtText::CChrtText(CTarvekDoc& doc, TextViewState& state, QWidget* parent)
    : QTextEdit(parent), PrintsThrough(std::make_unique<TextPrintable>(doc, state, &report_)), doc_(doc), state_(state) {
    setReadOnly(true);
    setLineWrapMode(QTextEdit::NoWrap);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    doc_.AddView(this);
}

CChrtText::~CChrtText() { doc_.RemoveView(this); }

ViewState& CChrtText::State() { return state_; }

void CChrtText::OnInitialUpdate(bool) {
    state_.ChooseEverything(doc_);
    Regenerate();
    NotifyTitle();
}

int CChrtText::HelpContext() const { return kHelpTextView; }

QString CChrtText::CaptionTitle() const { return QString::fromStdString(state_.title); }

void CChrtText::OnUpdate(IDocumentView*, UpdateHint hint, CBlock* block) {
    if (hint == UpdateHint::BlockDeleting && block != nullptr) {
        state_.OnBlockDeleting(*block, doc_);
        return;  // the block is still in the chart; the notice after its removal refreshes
    }
    // A change of the view's own options (or its undo) always shows; other changes of the
    // chart only when the view follows them.
    if (state_.AutoUpdate || state_.optionsRevision != shownRevision_) Regenerate();
    NotifyTitle();
}

void CChrtText::Regenerate() {
    shownRevision_ = state_.optionsRevision;
    report_ = ChartReportText(state_, doc_);
    QString shown = QString::fromStdString(report_);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ShowText(shown);
}

int CChrtText::TabUnitTwips(const TextViewState& state) { return ReportTabUnitTwips(state); }

QList<qreal> CChrtText::TabStops() const {
    return ReportTabStops(state_, logicalDpiX() > 0 ? logicalDpiX() : 96.0);
}

void CChrtText::ShowText(const QString& text) {
    QTextDocument* fresh = MakeReportDocument(state_, text, logicalDpiX() > 0 ? logicalDpiX() : 96.0, this);
    setDocument(fresh);
    setLineWrapMode(QTextEdit::NoWrap);
    delete shownDocument_;  // the one made for the previous report
    shownDocument_ = fresh;
}

QString CChrtText::CopyText() const {
    const QTextCursor cursor = textCursor();
    return cursor.hasSelection() ? cursor.selection().toPlainText() : toPlainText();
}

void CChrtText::CopyToClipboard() const { QApplication::clipboard()->setText(CopyText()); }

bool CChrtText::SaveReportAs() {
    ICommonDialogs* dialogs = Platform().dialogs;
    if (dialogs == nullptr) return false;
    const auto path = dialogs->SaveFile("Save Report As", "Text Files (*.txt)|*.txt", "Report.txt");
    return path && SaveReport(*path);
}

bool CChrtText::SaveReport(const std::string& path) const {
    std::string error;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(report_.data());
    if (WriteFileAtomically(path, {bytes, report_.size()}, error)) return true;
    ShowMessage("Unable to save the report to " + path + ": " + error + ". The previous file is unchanged.",
                "Save Error", MsgButtons::Ok, MsgIcon::Error);
    return false;
}

}  // namespace ondrel::gui
