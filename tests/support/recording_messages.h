#pragma once
#include <deque>
#include <string>
#include <vector>

#include "model/user_messages.h"

// Records every message and answers from a queue (Ok/Yes when it runs dry).
class RecordingMessages : public UserMessages {
public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageButtons buttons;
    };

    MessageAnswer show(const std::string& text, const std::string& caption,
                       MessageButtons buttons) override;

    void answerNext(MessageAnswer answer) { m_answers.push_back(answer); }
    std::vector<std::string> texts() const;

    std::vector<Shown> shown;

private:
    std::deque<MessageAnswer> m_answers;
};
