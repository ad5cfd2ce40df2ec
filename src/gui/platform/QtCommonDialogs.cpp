#include "gui/platform/QtCommonDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QStringList>

#include "gui/platform/FontConversion.h"

namespace ondrel::gui {
namespace {

QColor ToQColor(ColorRef c) { return QColor(ColorRed(c), ColorGreen(c), ColorBlue(c)); }
ColorRef FromQColor(const QColor& c) { return MakeColor(c.red(), c.green(), c.blue()); }

}  // namespace

QString QtFileFilter(const std::string& filter) {
    // Pairs of (description, pattern): the description already names the patterns.
    const QStringList parts = QString::fromStdString(filter).split('|', Qt::SkipEmptyParts);
    QStringList shown;
    for (int i = 0; i < parts.size(); i += 2) shown << parts[i];
    return shown.join(";;");
}

std::optional<ColorRef> QtCommonDialogs::ChooseColor(ColorRef initial) {
    const QColor chosen = QColorDialog::getColor(ToQColor(initial), QApplication::activeWindow());
    if (!chosen.isValid()) return std::nullopt;
    return FromQColor(chosen);
}

// QFontDialog has no colour field; the font's colour is asked for right after, starting
// from the current one, and cancelling that keeps the colour as it was.
std::optional<ICommonDialogs::FontChoice> QtCommonDialogs::ChooseFont(const FontDescription& font,
                                                                      ColorRef color) {
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, ToQFont(font), QApplication::activeWindow());
    if (!ok) return std::nullopt;
    FontChoice choice{FromQFont(chosen, font), color};
    const QColor c = QColorDialog::getColor(ToQColor(color), QApplication::activeWindow(),
                                            QObject::tr("Font Colour"));
    if (c.isValid()) choice.color = FromQColor(c);
    return choice;
}

std::optional<std::string> QtCommonDialogs::OpenFile(const std::string& title,
                                                     const std::string& filter) {
    const QString path = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), QString::fromStdString(title), QString(), QtFileFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtCommonDialogs::SaveFile(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& suggestedName) {
    const QString path = QFileDialog::getSaveFileName(
        QApplication::activeWindow(), QString::fromStdString(title),
        QString::fromStdString(suggestedName), QtFileFilter(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

}  // namespace ondrel::gui
