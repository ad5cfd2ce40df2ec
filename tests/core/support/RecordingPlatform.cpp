#include "support/RecordingPlatform.h"

#include <gtest/gtest.h>

namespace ondrel::test {

MsgResult RecordingMessageBox::Show(const std::string& text, const std::string& caption,
                                    MsgButtons buttons, MsgIcon icon) {
    shown.push_back({text, caption, buttons, icon, {}});
    if (answers.empty()) return MsgResult::Ok;
    MsgResult answer = answers.front();
    answers.pop_front();
    return answer;
}

MsgResult RecordingMessageBox::ShowWithDetail(const std::string& text, const std::string& detail,
                                              const std::string& caption, MsgButtons buttons,
                                              MsgIcon icon) {
    MsgResult answer = Show(text, caption, buttons, icon);
    shown.back().detail = detail;
    return answer;
}

std::optional<ColorRef> ScriptedDialogs::ChooseColor(ColorRef initial) {
    colorRequests.push_back(initial);
    return colorAnswer;
}

std::optional<ICommonDialogs::FontChoice> ScriptedDialogs::ChooseFont(const FontDescription& font,
                                                                      ColorRef color) {
    fontRequests.push_back({font, color});
    return fontAnswer;
}

std::optional<std::string> ScriptedDialogs::OpenFile(const std::string&, const std::string&) {
    return fileAnswer;
}

std::optional<std::string> ScriptedDialogs::SaveFile(const std::string&, const std::string&,
                                                     const std::string&) {
    return fileAnswer;
}

RecordingPlatform::RecordingPlatform()
    : scope_(PlatformServices{&messages, &profile, &clock, &dialogs, nullptr, nullptr}) {}

const ShownMessage& RecordingPlatform::OnlyMessage() const {
    EXPECT_EQ(messages.shown.size(), 1u);
    static const ShownMessage none{"<no message>", "", MsgButtons::Ok, MsgIcon::None, ""};
    return messages.shown.empty() ? none : messages.shown.front();
}

}  // namespace ondrel::test
