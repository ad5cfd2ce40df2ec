#include "gui/printing/PdfFromCommandLine.h"

#include <QFileInfo>
#include <QPrinter>
#include <memory>
#include <vector>

#include "gui/app/ChartSession.h"
#include "core/file/ChartFile.h"
#include "core/model/views/TextViewState.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"
#include "gui/printing/PrintJob.h"
#include "gui/printing/StatePrintables.h"

namespace ondrel::gui {
namespace {

constexpr int kApplicationTitleString = 57344;
constexpr int kPrinted = 0;
constexpr int kUsage = 1;
constexpr int kFailed = 2;

// Message boxes as lines on standard error; every question is answered OK.
class StderrMessageBox : public IMessageBox {
public:
    explicit StderrMessageBox(std::ostream& err) : err_(err) {}
    MsgResult Show(const std::string& text, const std::string& caption, MsgButtons, MsgIcon) override {
        std::string line = caption + ": " + text;
        for (char& ch : line)
            if (ch == '\n' || ch == '\r') ch = ' ';
        err_ << line << '\n';
        return MsgResult::Ok;
    }

private:
    std::ostream& err_;
};

}  // namespace

bool AsksToPrintToPdf(const QStringList& arguments) {
    return !arguments.isEmpty() && arguments.front() == QLatin1String(kPrintToPdfOption);
}

int PrintChartToPdf(const QStringList& arguments, std::ostream& err) {
    if (arguments.size() != 3 || !AsksToPrintToPdf(arguments)) {
        err << "usage: ondrel " << kPrintToPdfOption << " OUT.pdf CHART.cht\n";
        return kUsage;
    }
    StderrMessageBox messages(err);
    PlatformServices services;
    services.messageBox = &messages;
    ScopedPlatform scope(services);
    const QString pdfPath = arguments[1];
    const QString chartPath = arguments[2];

    ChartSession session;
    if (!LoadChartFile(chartPath.toStdString(), session.Document(), session, MessageBoxStatuses())) return kFailed;
    session.SetPath(QFileInfo(chartPath).absoluteFilePath());
    std::vector<std::unique_ptr<IPrintableView>> printables;
    std::vector<IPrintableView*> views;
    for (const auto& state : session.States()) {
        // A text window starts with every block, type and group chosen; so does its printout.
        if (state->Kind() == ViewKind::Text) static_cast<TextViewState&>(*state).ChooseEverything(session.Document());
        if (auto printable = MakeStatePrintable(session.Document(), *state)) {
            views.push_back(printable.get());
            printables.push_back(std::move(printable));
        }
    }
    // The page layout of the default printer, as File > Print starts with.
    const QPrinter printer(QPrinter::HighResolution);
    const QString error = PrintViewsToPdf(views, pdfPath, printer, MakePrintContext(session.Path()));
    if (!error.isEmpty()) {
        ShowMessage(error.toStdString(), LoadString(kApplicationTitleString), MsgButtons::Ok, MsgIcon::Error);
        return kFailed;
    }
    return kPrinted;
}

}  // namespace ondrel::gui
