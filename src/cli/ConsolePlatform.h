#pragma once
// The runner's platform: message boxes become "CAPTION: TEXT" lines on standard error and
// every question is answered OK; the profile lives in memory, so a run never reads or
// changes the desktop program's settings.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/platform/Platform.h"

namespace ondrel::runner {

struct ShownMessage {
    std::string caption;
    std::string text;
};

class ConsoleMessageBox : public IMessageBox {
public:
    explicit ConsoleMessageBox(std::ostream& err) : err_(err) {}
    MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon icon) override;
    // Captions shown since the last Forget(), in order.
    const std::vector<std::string>& Captions() const { return captions_; }
    void Forget() { captions_.clear(); }
    // Called before each message is written: a progress line on a terminal makes room.
    std::function<void()> beforeShow;
    // Every message shown, in order; Forget() leaves these.
    const std::vector<ShownMessage>& Shown() const { return shown_; }

private:
    std::ostream& err_;
    std::vector<std::string> captions_;
    std::vector<ShownMessage> shown_;
};

class ConsolePlatform {
public:
    // runWindow may be null: runs then go without one.
    explicit ConsolePlatform(std::ostream& err, IRunWindow* runWindow = nullptr);
    ConsoleMessageBox messages;
    MemoryProfile profile;
    SystemClock clock;

private:
    ScopedPlatform scope_;
};

}  // namespace ondrel::runner
