#include "gui/views/chart/CTarvekView.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <cmath>
#include <unordered_set>

#include "core/model/CTarvekDoc.h"
#include "core/model/views/ChartViewState.h"
#include "gui/resources/BlockIcons.h"
#include "gui/views/chart/ChartPainter.h"
#include "gui/views/chart/ChartPrintable.h"

namespace ondrel::gui {
namespace {

// The page step of the scroll bars: most of a screenful, so one line of context stays.
constexpr double kPageFraction = 0.9;
constexpr int kHitTolerance = 10;

// Chart units to device pixels, kept within what a scroll bar can hold.
int ToPixels(std::int64_t units, double dotsPerInch) {
    const double pixels = std::ceil(static_cast<double>(units) * dotsPerInch / kChartUnitsPerInch);
    return static_cast<int>(std::clamp(pixels, 0.0, static_cast<double>(INT_MAX / 2)));
}

bool IsPrinter(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    return device != nullptr && device->devType() == QInternal::Printer;
}

}  // namespace

CTarvekView::CTarvekView(ondrel::CTarvekDoc& doc, ondrel::ChartViewState& state, QWidget* parent)
    : QAbstractScrollArea(parent),
      doc_(doc),
      state_(state),
      printable_(std::make_unique<ChartPrintable>(doc, state)) {
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    doc_.AddView(this);
}

CTarvekView::~CTarvekView() { doc_.RemoveView(this); }

void CTarvekView::OnInitialUpdate() {
    Layout();
    hitToleranceX_ = kHitTolerance;
    hitToleranceY_ = kHitTolerance;
    shownTitle_ = CaptionTitle();
    if (!state_.title.empty()) emit TitleChanged(CaptionTitle());
    if (!doc_.title.empty()) doc_.SetFrameworkTitle(doc_.title);
    viewport()->update();
}

void CTarvekView::OnUpdate(ondrel::IDocumentView* /*sender*/, UpdateHint hint, ondrel::CBlock* block) {
    // Every hint is news of a change to the chart, whatever block it names.
    culling_.ChartChanged();
    // A block about to go must not stay anywhere in the editing state: the pointer would dangle.
    if (hint == ondrel::UpdateHint::BlockDeleting && block != nullptr) ForgetBlock(block);
    if (block != nullptr) return;
    Layout();
    viewport()->update();
    // An undone or redone change of the view's look may bring another title.
    if (CaptionTitle() != shownTitle_) {
        shownTitle_ = CaptionTitle();
        emit TitleChanged(shownTitle_);
    }
}

double CTarvekView::DotsPerInch() const {
    const int dpi = viewport()->logicalDpiX();
    return dpi > 0 ? dpi : 96.0;
}

void CTarvekView::Layout() {
    const double dpi = DotsPerInch();
    const int right = static_cast<int>(viewport()->width() * kChartUnitsPerInch / dpi);
    geometry_ = LayOutChart(doc_, state_, right);
    laidOut_ = true;
    UpdateScrollBars();
}

void CTarvekView::UpdateScrollBars() {
    const double dpi = DotsPerInch();
    const QSize page = viewport()->size();
    const int totalX = ToPixels(geometry_.extentX, dpi);
    const int totalY = ToPixels(geometry_.extentY, dpi);
    horizontalScrollBar()->setRange(0, std::max(0, totalX - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, totalY - page.height()));
    horizontalScrollBar()->setPageStep(std::max(1, static_cast<int>(page.width() * kPageFraction)));
    verticalScrollBar()->setPageStep(std::max(1, static_cast<int>(page.height() * kPageFraction)));
    horizontalScrollBar()->setSingleStep(std::max(1, ToPixels(geometry_.cellWidth, dpi)));
    verticalScrollBar()->setSingleStep(std::max(1, ToPixels(geometry_.cellHeight, dpi)));
}

QSize CTarvekView::ScrollTotalPixels() const {
    const double dpi = DotsPerInch();
    return {ToPixels(geometry_.extentX, dpi), ToPixels(geometry_.extentY, dpi)};
}

void CTarvekView::Paint(QPainter& painter, const QRect& area, double dotsPerInch) {
    if (!laidOut_) Layout();
    const QPalette palette = QGuiApplication::palette();
    ChartPaintJob job{doc_, state_, geometry_, icons_, textWidths_};
    job.selected = selection_.Single();
    // A set, so that painting a large selected group stays linear in the chart.
    const std::unordered_set<const ondrel::CBlock*> group(selection_.Blocks().begin(), selection_.Blocks().end());
    if (group.size() > 1) job.group = &group;
    job.printing = IsPrinter(painter);
    job.windowColor = palette.color(QPalette::Base);
    // Looks at the whole chart only when the document announced a change since the last paint.
    culling_.Update(doc_, state_, geometry_);
    job.culling = &culling_;
    PaintChart(painter, area, dotsPerInch, job);
}

int CTarvekView::EstimatePageCount() { return printable_->EstimatePageCount(); }
QString CTarvekView::PrintJobName() const { return printable_->PrintJobName(); }
int CTarvekView::BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) {
    return printable_->BeginPrinting(device, context);
}
void CTarvekView::PaintPage(QPainter& painter, int page) { printable_->PaintPage(painter, page); }
void CTarvekView::EndPrinting() { printable_->EndPrinting(); }

void CTarvekView::SetSelectedBlock(ondrel::CBlock* block) {
    if (block == selection_.Single() && (block != nullptr || selection_.Empty())) return;
    selection_.Set(block);
    viewport()->update();
}

QString CTarvekView::CaptionTitle() const { return QString::fromStdString(state_.title); }

void CTarvekView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setClipRect(event->rect());
    const QPoint origin(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    const QSize chart = ScrollTotalPixels().expandedTo(viewport()->size());
    Paint(painter, QRect(origin, chart), DotsPerInch());
    PaintOverlay(painter);
}

void CTarvekView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Layout();
}

void CTarvekView::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    Layout();
    viewport()->update();
    emit EditStateChanged();  // the Edit commands follow the pane with the focus
}

void CTarvekView::scrollContentsBy(int /*dx*/, int /*dy*/) { viewport()->update(); }

}  // namespace ondrel::gui
