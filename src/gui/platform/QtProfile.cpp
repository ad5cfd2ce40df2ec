#include "gui/platform/QtProfile.h"

#include <QStringList>
#include <cstdlib>

namespace ondrel::gui {
namespace {

// A hand-edited INI value with unquoted commas reads back as a list; the profile knows only
// text, so the list is put back together.
QString AsText(const QVariant& v) {
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(',');
    return v.toString();
}

}  // namespace

QString ProfileKey(const std::string& section, const std::string& key) {
    QString s = QString::fromStdString(section);
    QString k = QString::fromStdString(key);
    s.replace('/', '_');
    k.replace('/', '_');
    return s + '/' + k;
}

QtProfile::QtProfile()
    : settings_(QSettings::IniFormat, QSettings::UserScope, "Ondrel", "Ondrel") {}

QtProfile::QtProfile(const QString& iniPath) : settings_(iniPath, QSettings::IniFormat) {}

int QtProfile::GetInt(const std::string& section, const std::string& key, int defaultValue) {
    const QVariant v = settings_.value(ProfileKey(section, key));
    if (!v.isValid()) return defaultValue;
    // Like a profile's integer read: leading digits count, text that is no number gives 0.
    bool ok = false;
    const int n = AsText(v).trimmed().toInt(&ok);
    if (ok) return n;
    const std::string text = AsText(v).toStdString();
    return static_cast<int>(std::strtol(text.c_str(), nullptr, 10));
}

void QtProfile::WriteInt(const std::string& section, const std::string& key, int value) {
    settings_.setValue(ProfileKey(section, key), QString::number(value));
}

std::string QtProfile::GetString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) {
    const QVariant v = settings_.value(ProfileKey(section, key));
    if (!v.isValid()) return defaultValue;
    return AsText(v).toStdString();
}

void QtProfile::WriteString(const std::string& section, const std::string& key,
                            const std::string& value) {
    settings_.setValue(ProfileKey(section, key), QString::fromStdString(value));
}

}  // namespace ondrel::gui
