#include "core/platform/Platform.h"

#include "core/platform/Status.h"

namespace ondrel {
namespace {

class AnswerOkMessageBox : public IMessageBox {
public:
    MsgResult Show(const std::string&, const std::string&, MsgButtons, MsgIcon) override {
        return MsgResult::Ok;
    }
};

PlatformServices& DefaultServices() {
    static AnswerOkMessageBox box;
    static MemoryProfile profile;
    static SystemClock clock;
    static PlatformServices services{&box, &profile, &clock, nullptr, nullptr, nullptr};
    return services;
}

}  // namespace

PlatformServices& Platform() { return DefaultServices(); }

ScopedPlatform::ScopedPlatform(const PlatformServices& services) : previous_(Platform()) {
    PlatformServices& current = Platform();
    if (services.messageBox) current.messageBox = services.messageBox;
    if (services.profile) current.profile = services.profile;
    if (services.clock) current.clock = services.clock;
    if (services.dialogs) current.dialogs = services.dialogs;
    if (services.runWindow) current.runWindow = services.runWindow;
    if (services.help) current.help = services.help;
}

ScopedPlatform::~ScopedPlatform() { Platform() = previous_; }

MsgResult ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons,
                      MsgIcon icon) {
    return Platform().messageBox->Show(text, caption, buttons, icon);
}

IProfile& Profile() { return *Platform().profile; }

MsgResult ShowStatus(const Status& status) {
    if (status.detail.empty()) return ShowMessage(status.text, status.caption, status.buttons, status.icon);
    return Platform().messageBox->ShowWithDetail(status.text, status.detail, status.caption, status.buttons,
                                                 status.icon);
}

}  // namespace ondrel
