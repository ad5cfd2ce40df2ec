#include "gui/views/output/GraphExport.h"

#include <QBuffer>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSpinBox>
#include <QSvgGenerator>
#include <span>
#include <string>

#include "core/file/ChartFile.h"
#include "core/platform/CommonDialogs.h"
#include "core/platform/Platform.h"
#include "core/platform/StringTable.h"
#include "gui/views/output/CGraphBase.h"

namespace ondrel::gui {

namespace {

constexpr int kApplicationTitleId = 57344;
// Images are drawn at the screen's resolution: one unit is one pixel.
constexpr double kImageDotsPerInch = 96.0;

std::optional<std::string> AskPath(const char* title, const char* filter, const char* suggested) {
    ICommonDialogs* dialogs = Platform().dialogs;
    return dialogs != nullptr ? dialogs->SaveFile(title, filter, suggested) : std::nullopt;
}

}  // namespace

bool WriteExport(const QString& path, const QByteArray& bytes) {
    std::string error;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    if (WriteFileAtomically(path.toStdString(), std::span(data, static_cast<std::size_t>(bytes.size())),
                            error))
        return true;
    ShowMessage("Unable to write " + path.toStdString() + ": " + error, LoadString(kApplicationTitleId));
    return false;
}

void ExportGraphData(CGraphBase& graph, QWidget*) {
    const auto path = AskPath("Export Graph Data", "CSV Files (*.csv)|*.csv", "graph.csv");
    if (!path) return;
    WriteExport(QString::fromStdString(*path), QByteArray::fromStdString(graph.VisibleDataText(',')));
}

QByteArray GraphImageBytes(CGraphBase& graph, const QSize& size, const QString& format, double scale) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRect area(QPoint(0, 0), size);
    if (format == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setResolution(static_cast<int>(kImageDotsPerInch));
        svg.setTitle(graph.CaptionTitle());
        QPainter painter(&svg);
        graph.Paint(painter, area, kImageDotsPerInch);
        painter.end();
    } else if (format == QLatin1String("pdf")) {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Ondrel"));
        pdf.setTitle(graph.CaptionTitle());
        pdf.setResolution(static_cast<int>(kImageDotsPerInch));
        pdf.setPageLayout(QPageLayout(QPageSize(QSizeF(size) / kImageDotsPerInch, QPageSize::Inch), QPageLayout::Portrait,
                                      QMarginsF()));
        QPainter painter(&pdf);
        graph.Paint(painter, area, kImageDotsPerInch);
        painter.end();
    } else {
        const double magnified = scale > 0.0 ? scale : 1.0;
        QImage image(size * magnified, QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(kImageDotsPerInch * magnified / 0.0254 + 0.5));
        image.setDotsPerMeterY(image.dotsPerMeterX());
        QPainter painter(&image);
        painter.scale(magnified, magnified);
        graph.Paint(painter, area, kImageDotsPerInch);
        painter.end();
        image.save(&buffer, "PNG");
    }
    // The window lays its graph out again for its own size.
    graph.viewport()->update();
    return bytes;
}

void ExportGraphImage(CGraphBase& graph, QWidget* parent) {
    const auto path =
        AskPath("Export Graph Image", "SVG Images (*.svg)|*.svg|PNG Images (*.png)|*.png", "graph.svg");
    if (!path) return;
    const QString file = QString::fromStdString(*path);
    const bool png = file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
    QSize size = graph.viewport()->size();
    if (png) {
        GraphImageSizeDialog ask(size, parent);
        if (ask.exec() != QDialog::Accepted) return;
        size = ask.ChosenSize();
    }
    WriteExport(file, GraphImageBytes(graph, size, png ? "png" : "svg"));
}

GraphImageSizeDialog::GraphImageSizeDialog(const QSize& initial, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Image Size"));
    auto* form = new QFormLayout(this);
    auto side = [this](int value) {
        auto* box = new QSpinBox(this);
        box->setRange(kMinSide, kMaxSide);
        box->setSuffix(tr(" pixels"));
        box->setValue(value);
        return box;
    };
    width_ = side(initial.width());
    height_ = side(initial.height());
    form->addRow(tr("Width"), width_);
    form->addRow(tr("Height"), height_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QSize GraphImageSizeDialog::ChosenSize() const { return QSize(width_->value(), height_->value()); }

}  // namespace ondrel::gui
