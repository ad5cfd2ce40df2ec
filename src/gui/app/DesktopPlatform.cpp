#include "gui/app/DesktopPlatform.h"

namespace ondrel::gui {

DesktopPlatform::DesktopPlatform()
    : profile_(std::make_unique<QtProfile>()), installed_(Services()) {}

DesktopPlatform::DesktopPlatform(const QString& profilePath)
    : profile_(std::make_unique<QtProfile>(profilePath)), installed_(Services()) {}

PlatformServices DesktopPlatform::Services() {
    PlatformServices services;
    services.messageBox = &messageBox_;
    services.profile = profile_.get();
    services.dialogs = &dialogs_;
    services.help = &help_;
    services.runWindow = &runWindow_;
    return services;
}

}  // namespace ondrel::gui
