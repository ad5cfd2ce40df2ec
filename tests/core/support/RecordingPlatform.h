#pragma once
// Recording fakes of the platform services for core tests. A RecordingPlatform installs
// itself for its lifetime: every message box is recorded and answered from a script (OK
// when the script runs out), the profile is in memory, the clock is fixed.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Platform.h"

namespace ondrel::test {

struct ShownMessage {
    std::string text;
    std::string caption;
    MsgButtons buttons;
    MsgIcon icon;
    std::string detail;  // the detail line, when the message had one
};

class RecordingMessageBox : public IMessageBox {
public:
    MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon icon) override;
    MsgResult ShowWithDetail(const std::string& text, const std::string& detail,
                             const std::string& caption, MsgButtons buttons, MsgIcon icon) override;
    std::vector<ShownMessage> shown;
    std::deque<MsgResult> answers;  // taken from the front; OK when empty
};

class FixedClock : public IClock {
public:
    std::int64_t CalendarSeconds() override { return seconds; }
    CalendarDate Today() override { return date; }
    std::int64_t seconds = 1'000'000'000;
    CalendarDate date{2026, 12, 8};
};

// Common dialogs that answer from what the test put in; cancelled when nothing is set.
class ScriptedDialogs : public ICommonDialogs {
public:
    std::optional<ColorRef> ChooseColor(ColorRef initial) override;
    std::optional<FontChoice> ChooseFont(const FontDescription& font, ColorRef color) override;
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filter) override;
    std::optional<std::string> SaveFile(const std::string& title, const std::string& filter,
                                        const std::string& suggestedName) override;

    std::optional<ColorRef> colorAnswer;
    std::optional<FontChoice> fontAnswer;
    std::optional<std::string> fileAnswer;
    std::vector<ColorRef> colorRequests;          // initial colours the chooser was opened on
    std::vector<FontChoice> fontRequests;         // font and colour the chooser was opened on
};

class RecordingPlatform {
public:
    RecordingPlatform();

    RecordingMessageBox messages;
    MemoryProfile profile;
    FixedClock clock;
    ScriptedDialogs dialogs;

    // The single message shown so far; fails the test when there is not exactly one.
    const ShownMessage& OnlyMessage() const;

private:
    ScopedPlatform scope_;
};

}  // namespace ondrel::test
