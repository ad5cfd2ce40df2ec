#pragma once
// The user profile in QSettings: an INI file in the user's configuration folder, organisation
// and application "Ondrel". Sections and keys are used exactly as the core names them.
#include <QSettings>

#include "core/platform/Profile.h"

namespace ondrel::gui {

class QtProfile : public IProfile {
public:
    QtProfile();
    // A profile in a given INI file (the tests' own store).
    explicit QtProfile(const QString& iniPath);

    int GetInt(const std::string& section, const std::string& key, int defaultValue) override;
    void WriteInt(const std::string& section, const std::string& key, int value) override;
    std::string GetString(const std::string& section, const std::string& key,
                          const std::string& defaultValue) override;
    void WriteString(const std::string& section, const std::string& key,
                     const std::string& value) override;

    // The underlying store, for the values only the desktop keeps (window layout state).
    QSettings& Settings() { return settings_; }

private:
    QSettings settings_;
};

// The full QSettings key of (section, key). Keys hold spaces and dots ("Graph1 Color",
// "ChartLf.Height"), which QSettings keeps; a slash would open a sub-group, so it is replaced.
QString ProfileKey(const std::string& section, const std::string& key);

}  // namespace ondrel::gui
