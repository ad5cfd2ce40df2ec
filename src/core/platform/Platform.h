#pragma once
// The process-wide platform services the core calls. The desktop program installs its Qt
// implementations at start-up, the runner its console ones, the tests recording fakes.
// Everything runs on the one user-interface thread, so no locking is needed.
#include "core/platform/Clock.h"
#include "core/platform/CommonDialogs.h"
#include "core/platform/Help.h"
#include "core/platform/MessageBox.h"
#include "core/platform/Profile.h"
#include "core/platform/RunWindow.h"

namespace ondrel {

struct PlatformServices {
    IMessageBox* messageBox = nullptr;
    IProfile* profile = nullptr;
    IClock* clock = nullptr;
    ICommonDialogs* dialogs = nullptr;  // may be null: choosers then count as cancelled
    IRunWindow* runWindow = nullptr;    // may be null: runs go without a run window
    IHelp* help = nullptr;              // may be null: help requests do nothing
};

// The services in force. Never null members for messageBox, profile and clock: until
// something is installed they are a box that answers OK, an in-memory profile and the
// system clock.
PlatformServices& Platform();

// Installs services for the lifetime of this object and restores the previous ones after.
// Null members keep the services already in force.
class ScopedPlatform {
public:
    explicit ScopedPlatform(const PlatformServices& services);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    PlatformServices previous_;
};

// Shorthands for the calls the core makes most.
MsgResult ShowMessage(const std::string& text, const std::string& caption,
                      MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None);
IProfile& Profile();

}  // namespace ondrel
