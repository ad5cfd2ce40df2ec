#pragma once
// The desktop program's platform services, installed for the lifetime of this object:
// message boxes, the profile in QSettings, the common dialogs, the help viewer and the run
// window. The clock stays the system's.
#include <QString>
#include <memory>

#include "gui/app/QtRunWindow.h"
#include "core/platform/Platform.h"
#include "gui/platform/QtCommonDialogs.h"
#include "gui/platform/QtHelp.h"
#include "gui/platform/QtMessageBox.h"
#include "gui/platform/QtProfile.h"

namespace ondrel::gui {

class DesktopPlatform {
public:
    // The profile in the user's configuration folder.
    DesktopPlatform();
    // The profile in the INI file at profilePath (the tests' own).
    explicit DesktopPlatform(const QString& profilePath);

    QtProfile& Profile() { return *profile_; }
    QtRunWindow& RunWindow() { return runWindow_; }
    QtHelp& Help() { return help_; }

private:
    PlatformServices Services();

    QtMessageBox messageBox_;
    std::unique_ptr<QtProfile> profile_;
    QtCommonDialogs dialogs_;
    QtHelp help_;
    QtRunWindow runWindow_;
    ScopedPlatform installed_;
};

}  // namespace ondrel::gui
