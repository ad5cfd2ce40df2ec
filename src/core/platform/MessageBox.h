#pragma once
// Modal message boxes: the only way the core tells the user something went wrong.
#include <string>

namespace ondrel {

enum class MsgButtons { Ok, OkCancel };
enum class MsgIcon { None, Error };
enum class MsgResult { Ok, Cancel };

class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    // Shows text under caption and waits for the user. Callers rely on Cancel being told
    // apart from OK (the unfilled-input check stops on Cancel).
    virtual MsgResult Show(const std::string& text, const std::string& caption,
                           MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None) = 0;
    // The same with a second, quieter line of detail under the text (the file a message is
    // about). A box without room for it shows the text alone.
    virtual MsgResult ShowWithDetail(const std::string& text, const std::string& detail,
                                     const std::string& caption, MsgButtons buttons, MsgIcon icon) {
        (void)detail;
        return Show(text, caption, buttons, icon);
    }
};

}  // namespace ondrel
