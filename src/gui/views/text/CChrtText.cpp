#include "views/text/CChrtText.h"

#include <QApplication>
#include <QClipboard>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextOption>
#include <cstdlib>

#include "help/HelpPages.h"
#include "model/CTarvekDoc.h"
#include "model/ChartFile.h"
#include "model/views/ChartReport.h"
#include "model/views/TextViewState.h"
#include "platform/FontConversion.h"
#include "platform/Platform.h"

namespace ondrel::gui {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTwipsPerFontUnit = 112;
constexpr int kTabStops = 5;

QColor ToQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }

}  // namespace

CChrtText::CChrtText(CTarvekDoc& doc, TextViewState& state, QWidget* parent)
    : QTextEdit(parent), doc_(doc), state_(state) {
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

void CChrtText::OnUpdate(IDocumentView*, int hint, CBlock* block) {
    if (hint == kHintBlockDeleting && block != nullptr) {
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

int CChrtText::TabUnitTwips(const TextViewState& state) {
    return std::abs(state.MainFont.height) * kTwipsPerFontUnit;
}

QList<qreal> CChrtText::TabStops() const {
    const double dpi = logicalDpiX() > 0 ? logicalDpiX() : 96.0;
    const double unit = TabUnitTwips(state_) * dpi / kTwipsPerInch;
    QList<qreal> stops;
    for (int i = 1; i <= kTabStops; ++i) stops << unit * i;
    return stops;
}

// The text goes into a new document that already has the report's font, tab stops and
// colour, inserted with that format in one piece: formatting a shown document afterwards, or
// filling the one on screen, lays the text out again and again. Every character carries the
// colour, so the text does not follow the desktop's automatic text colour.
void CChrtText::ShowText(const QString& text) {
    const QFont font = ToQFont(state_.MainFont);
    auto* fresh = new QTextDocument(this);
    fresh->setDefaultFont(font);
    QTextOption option = fresh->defaultTextOption();
    QList<QTextOption::Tab> tabs;
    for (qreal stop : TabStops()) tabs << QTextOption::Tab(stop, QTextOption::LeftTab);
    option.setTabs(tabs);
    option.setWrapMode(QTextOption::NoWrap);
    fresh->setDefaultTextOption(option);
    fresh->setUndoRedoEnabled(false);
    QTextCharFormat format;
    format.setFont(font);
    format.setForeground(ToQColor(state_.FontColor));
    QTextCursor(fresh).insertText(text, format);
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
