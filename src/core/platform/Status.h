#pragma once
// What went wrong, as a value: the text and caption of the message the user is to see, with
// its buttons and icon. Code below the document returns these instead of showing a message
// box, so that it can be used (and tested) without one; the document or the run driver shows
// them, in the order they were found.
#include <string>
#include <utility>
#include <vector>

#include "core/platform/MessageBox.h"

namespace ondrel {

struct Status {
    std::string text;
    std::string caption;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    std::string detail;  // a quieter second line (the file a load error is about); may be empty
};

// Statuses gathered while one piece of work goes on, in the order they arose.
using StatusList = std::vector<Status>;

// Shows status through the platform's message box (with its detail line when there is one).
MsgResult ShowStatus(const Status& status);

}  // namespace ondrel
