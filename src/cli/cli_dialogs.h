#pragma once
// The dialogs of the command line: messages go to stderr with their title, questions are
// answered No (nothing is saved or overwritten behind the user's back), choosers are cancelled.
#include <iosfwd>

#include "session/user_dialogs.h"

namespace zemtral::cli {

class StderrDialogs : public UserDialogs {
  public:
    explicit StderrDialogs(std::ostream& err) : m_err(err) {}

    void showMessage(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer askYesNo(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer askYesNoCancel(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer askOkCancel(const std::string& title, const std::string& text, MessageIcon icon) override;
    std::optional<std::string> inputText(const std::string&, const std::string&,
                                         const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseOpenFile(const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseSaveFile(const std::string&, const std::string&, const std::string&,
                                              const std::string&) override {
        return std::nullopt;
    }
    void beep() override { ++m_beeps; }
    void setClipboardText(const std::string&) override {}

    int messageCount() const { return m_messages; }
    int beepCount() const { return m_beeps; }

  private:
    std::ostream& m_err;
    int m_messages = 0;
    int m_beeps = 0;
};

/// @brief A message text for a terminal: CR LF becomes LF, trailing line breaks removed.
std::string terminalText(const std::string& text);

}  // namespace zemtral::cli
