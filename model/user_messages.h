#pragma once
// Messages the user must see. The core never shows a window: it hands each
// message to a sink, which the command-line tools print, the desktop programs
// show as message boxes and the tests record.
#include <string>

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class UserMessages {
public:
    virtual ~UserMessages() = default;
    virtual MessageAnswer show(const std::string& text, const std::string& caption,
                               MessageButtons buttons) = 0;
};

// Prints every message on the error stream and answers as given
// (Ok or Yes by default), for headless runs.
class StderrMessages : public UserMessages {
public:
    explicit StderrMessages(MessageAnswer answer = MessageAnswer::Yes) : m_answer(answer) {}
    MessageAnswer show(const std::string& text, const std::string& caption,
                       MessageButtons buttons) override;

private:
    MessageAnswer m_answer;
};
