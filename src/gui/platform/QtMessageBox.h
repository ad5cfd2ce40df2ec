#pragma once
// Message boxes over QMessageBox: the caption exactly as the core passes it, OK or OK and
// Cancel, and the critical icon for errors.
#include "core/platform/MessageBox.h"

namespace ondrel::gui {

class QtMessageBox : public IMessageBox {
public:
    MsgResult Show(const std::string& text, const std::string& caption, MsgButtons buttons,
                   MsgIcon icon) override;
    // The detail goes into the box's informative text.
    MsgResult ShowWithDetail(const std::string& text, const std::string& detail,
                             const std::string& caption, MsgButtons buttons, MsgIcon icon) override;
};

}  // namespace ondrel::gui
