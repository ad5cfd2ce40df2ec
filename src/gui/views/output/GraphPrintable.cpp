// The core's graph state comes before any Qt header: its "slots" member would otherwise meet
// Qt's keyword macro.
#include <algorithm>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/GraphViewState.h"
#include "gui/views/output/GraphPrintable.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "gui/views/output/GraphDrawing.h"

#undef slots

namespace ondrel::gui {
namespace {

constexpr double kUnitsPerInch = 100.0;
constexpr int kPrintedTop = 5;

}  // namespace

GraphPrintable::GraphPrintable(const ondrel::CTarvekDoc& doc, ondrel::GraphViewState& state, ScreenSize screenSize)
    : doc_(doc), state_(state), screenSize_(std::move(screenSize)) {}

QString GraphPrintable::PrintJobName() const {
    QString title = QString::fromStdString(doc_.GetTitle());
    if (!state_.title.empty()) title += QStringLiteral(" : ") + QString::fromStdString(state_.title);
    return title;
}

int GraphPrintable::BeginPrinting(QPagedPaintDevice& device, const PrintContext&) {
    dpi_ = std::max(1, device.logicalDpiX());
    const QSize paint = device.pageLayout().paintRectPixels(static_cast<int>(dpi_)).size();
    width_ = static_cast<int>(paint.width() * kUnitsPerInch / dpi_);
    const int height = static_cast<int>(paint.height() * kUnitsPerInch / dpi_);
    bottom_ = width_ < height ? height / 2 : height;
    return 1;
}

QRect GraphPrintable::PageArea() const { return QRect(0, kPrintedTop, width_, std::max(1, bottom_ - kPrintedTop)); }

void GraphPrintable::PaintPage(QPainter& painter, int) {
    painter.scale(dpi_ / kUnitsPerInch, dpi_ / kUnitsPerInch);
    GraphPrintStyle style;
    style.screenSize = screenSize_ ? screenSize_() : QSize(width_, bottom_);
    style.black = doc_.printMode;
    GraphDrawing drawing;
    drawing.Paint(painter, PageArea(), kUnitsPerInch, state_, doc_, true, &style);
}

}  // namespace ondrel::gui
