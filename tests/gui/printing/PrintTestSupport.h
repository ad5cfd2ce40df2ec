#pragma once
// What the printing tests share: a fixed date, message boxes that only record, the text of
// a PDF's pages and a count of coloured pixels.
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace ondrel::guitest {

class FixedClock : public IClock {
public:
    std::int64_t CalendarSeconds() override { return 0; }
    CalendarDate Today() override { return {2026, 3, 4}; }
};

class RecordingBoxes : public IMessageBox {
public:
    MsgResult Show(const std::string& text, const std::string&, MsgButtons, MsgIcon) override {
        shown.push_back(text);
        return MsgResult::Ok;
    }
    std::vector<std::string> shown;
};

// The text of page n of a PDF, or of all pages with n = 0; a null string without pdftotext.
inline QString PdfText(const QString& pdf, int page = 0) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return {};
    QStringList args{QStringLiteral("-layout")};
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    QProcess process;
    process.start(tool, args << pdf << QStringLiteral("-"));
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Pixels whose channels differ: anything not black, white or grey.
inline int ColouredPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int spread = std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()});
            if (spread > 24) ++count;
        }
    return count;
}

}  // namespace ondrel::guitest
