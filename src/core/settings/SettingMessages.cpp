#include "core/settings/SettingMessages.h"

namespace ondrel::setting_messages {

std::string Fill(const std::string& message, const std::string& first, const std::string& second) {
    std::string result;
    result.reserve(message.size() + first.size() + second.size());
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message[i] == '%' && i + 1 < message.size() && (message[i + 1] == '1' || message[i + 1] == '2')) {
            result += message[i + 1] == '1' ? first : second;
            ++i;
        } else {
            result += message[i];
        }
    }
    return result;
}

}  // namespace ondrel::setting_messages
