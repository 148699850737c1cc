#include "tests/support/recording_messages.h"

MessageAnswer RecordingMessages::show(const std::string& text, const std::string& caption,
                                      MessageButtons buttons) {
    shown.push_back({text, caption, buttons});
    if (!m_answers.empty()) {
        MessageAnswer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? MessageAnswer::Ok
                                                                                 : MessageAnswer::Yes;
}

std::vector<std::string> RecordingMessages::texts() const {
    std::vector<std::string> result;
    for (const auto& s : shown)
        result.push_back(s.text);
    return result;
}
