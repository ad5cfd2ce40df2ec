#pragma once
// The messages a settings dialog shows when a control holds an invalid value, in one place
// so every dialog words them alike.
#include <string>

namespace ondrel::setting_messages {

inline constexpr const char* kEnterInteger = "Please enter an integer.";
inline constexpr const char* kEnterNumber = "Please enter a number.";
inline constexpr const char* kIntegerBetween = "Please enter an integer between %1 and %2.";
inline constexpr const char* kNumberBetween = "Please enter a number between %1 and %2.";
inline constexpr const char* kMaxCharacters = "Please enter no more than %1 characters.";

// The message with every "%1" replaced by first and every "%2" by second.
std::string Fill(const std::string& message, const std::string& first,
                 const std::string& second = std::string());

}  // namespace ondrel::setting_messages
