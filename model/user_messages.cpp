#include "model/user_messages.h"

#include <cstdio>

MessageAnswer StderrMessages::show(const std::string& text, const std::string& caption,
                                   MessageButtons buttons) {
    if (caption.empty())
        std::fprintf(stderr, "%s\n", text.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return m_answer == MessageAnswer::Cancel || m_answer == MessageAnswer::No ? MessageAnswer::Cancel
                                                                                   : MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return m_answer == MessageAnswer::No || m_answer == MessageAnswer::Cancel ? MessageAnswer::No
                                                                                   : MessageAnswer::Yes;
    case MessageButtons::YesNoCancel:
        return m_answer == MessageAnswer::Ok ? MessageAnswer::Yes : m_answer;
    }
    return m_answer;
}
