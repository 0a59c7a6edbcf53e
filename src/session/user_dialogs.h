#pragma once
// The user-facing side effects the core needs. The windows implement this with Qt; the tests
// with a recorder that answers scripted replies and keeps every title, text and icon shown.
#include <optional>
#include <string>

namespace zemtral {

enum class MessageIcon { None, Critical, Exclamation, Information, Question };

enum class Answer { Ok, Yes, No, Cancel };

/// @brief The title of every input-check message: " Ausführung nicht möglich ".
inline constexpr const char* kNotPossibleTitle = " Ausführung nicht möglich ";

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    /// @brief A message box with an OK button.
    virtual void showMessage(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    /// @brief A question with Yes and No; Answer::Yes or Answer::No.
    virtual Answer askYesNo(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    /// @brief A question with Yes, No and Cancel.
    virtual Answer askYesNoCancel(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    /// @brief A question with OK and Cancel; Answer::Ok or Answer::Cancel.
    virtual Answer askOkCancel(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    /// @brief An input box; nothing when the user cancels.
    virtual std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                                 const std::string& defaultText) = 0;
    /// @brief A file chooser for opening; `filter` like "Datendateien (*.ZD3)". Nothing on cancel.
    virtual std::optional<std::string> chooseOpenFile(const std::string& title, const std::string& directory,
                                                      const std::string& filter) = 0;
    /// @brief A file chooser for saving, proposing `fileName` in `directory`. Nothing on cancel.
    virtual std::optional<std::string> chooseSaveFile(const std::string& title, const std::string& directory,
                                                      const std::string& fileName, const std::string& filter) = 0;
    virtual void beep() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
};

}  // namespace zemtral
