#pragma once
// The two JSON values the runner's result needs beyond integers and booleans.
#include <string>
#include <string_view>

namespace ondrel::runner {

// text as a JSON string: quotes, backslashes and control characters escaped, valid UTF-8
// passed through, and any byte that is not part of valid UTF-8 (a label from an older chart
// may be in another encoding) as U+FFFD, so that the result always parses.
std::string JsonString(std::string_view text);

// The shortest text that reads back to value; JSON has no infinities or NaN, so those are null.
std::string JsonNumber(double value);

}  // namespace ondrel::runner
