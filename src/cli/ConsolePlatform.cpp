#include "cli/ConsolePlatform.h"

namespace ondrel::runner {

MsgResult ConsoleMessageBox::Show(const std::string& text, const std::string& caption, MsgButtons,
                                  MsgIcon) {
    if (beforeShow) beforeShow();
    captions_.push_back(caption);
    shown_.push_back({caption, text});
    // One line each, even when a text holds a line break.
    std::string line = caption + ": " + text;
    for (char& ch : line)
        if (ch == '\n' || ch == '\r') ch = ' ';
    err_ << line << '\n';
    return MsgResult::Ok;
}

ConsolePlatform::ConsolePlatform(std::ostream& err, IRunWindow* runWindow)
    : messages(err), scope_(PlatformServices{&messages, &profile, &clock, nullptr, runWindow, nullptr}) {}

}  // namespace ondrel::runner
