#pragma once
// A window that prints through the printable of the state it shows: it passes every call on,
// so the window and the headless printing print the same pages.
#include <memory>
#include <utility>

#include "gui/printing/PrintableView.h"

namespace ondrel::gui {

class PrintsThrough : public IPrintableView {
public:
    int EstimatePageCount() override { return printable_->EstimatePageCount(); }
    QString PrintJobName() const override { return printable_->PrintJobName(); }
    int BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) override {
        return printable_->BeginPrinting(device, context);
    }
    void PaintPage(QPainter& painter, int page) override { printable_->PaintPage(painter, page); }
    void EndPrinting() override { printable_->EndPrinting(); }

protected:
    explicit PrintsThrough(std::unique_ptr<IPrintableView> printable) : printable_(std::move(printable)) {}

private:
    std::unique_ptr<IPrintableView> printable_;
};

}  // namespace ondrel::gui
