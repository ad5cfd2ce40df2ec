#pragma once
// A text view on paper: the report laid out for the page inside margins of 900 twips left and
// right and 720 twips top and bottom (from the paper's edges, never outside what the device
// can print), one page after the other, as vector text.
#include <QRectF>
#include <QString>
#include <memory>
#include <string>

#include "gui/printing/PrintableView.h"

class QTextDocument;

namespace ondrel {
class CTarvekDoc;
class TextViewState;
}  // namespace ondrel

namespace ondrel::gui {

inline constexpr int kReportMarginLeftTwips = 900;
inline constexpr int kReportMarginTopTwips = 720;
inline constexpr int kReportMarginRightTwips = 900;
inline constexpr int kReportMarginBottomTwips = 720;

class TextPrintable : public IPrintableView {
public:
    // All must outlive the printable. shownReport, when given, is the report a window shows
    // (CR LF line ends), printed as it is; without it the report is generated when printing
    // begins.
    TextPrintable(const ondrel::CTarvekDoc& doc, const ondrel::TextViewState& state,
                  const std::string* shownReport = nullptr);
    ~TextPrintable() override;

    int EstimatePageCount() override;
    QString PrintJobName() const override;
    int BeginPrinting(QPagedPaintDevice& device, const PrintContext& context) override;
    void PaintPage(QPainter& painter, int page) override;
    void EndPrinting() override;

private:
    QString ReportText() const;

    const ondrel::CTarvekDoc& doc_;
    const ondrel::TextViewState& state_;
    const std::string* shownReport_;
    std::unique_ptr<QTextDocument> document_;  // laid out for the device while printing
    QRectF body_;  // the text's page area, device pixels from the printable area's corner
    int pages_ = 1;
};

}  // namespace ondrel::gui
