#pragma once
// A UserDialogs that answers from a script and records everything it was asked to show.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "session/user_dialogs.h"

namespace zemtral::test {

class RecordingDialogs : public UserDialogs {
public:
    struct Shown {
        std::string kind;  ///< "message", "yesno", "yesnocancel", "okcancel", "input", "open", "save"
        std::string title;
        std::string text;
        MessageIcon icon = MessageIcon::None;
    };

    std::vector<Shown> shown;
    std::deque<Answer> answers;                     ///< for the questions, in order; default Yes/Ok
    std::deque<std::optional<std::string>> texts;   ///< for input boxes and file choosers
    int beeps = 0;
    std::string clipboard;

    void showMessage(const std::string& title, const std::string& text, MessageIcon icon) override {
        shown.push_back({"message", title, text, icon});
    }
    Answer askYesNo(const std::string& title, const std::string& text, MessageIcon icon) override {
        shown.push_back({"yesno", title, text, icon});
        return next(Answer::Yes);
    }
    Answer askYesNoCancel(const std::string& title, const std::string& text, MessageIcon icon) override {
        shown.push_back({"yesnocancel", title, text, icon});
        return next(Answer::Yes);
    }
    Answer askOkCancel(const std::string& title, const std::string& text, MessageIcon icon) override {
        shown.push_back({"okcancel", title, text, icon});
        return next(Answer::Ok);
    }
    std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                         const std::string& defaultText) override {
        shown.push_back({"input", title, prompt, MessageIcon::None});
        return nextText(defaultText);
    }
    std::optional<std::string> chooseOpenFile(const std::string& title, const std::string& directory,
                                              const std::string&) override {
        shown.push_back({"open", title, directory, MessageIcon::None});
        return nextText(std::nullopt);
    }
    std::optional<std::string> chooseSaveFile(const std::string& title, const std::string& directory,
                                              const std::string& fileName, const std::string&) override {
        shown.push_back({"save", title, directory + "/" + fileName, MessageIcon::None});
        return nextText(std::nullopt);
    }
    void beep() override { ++beeps; }
    void setClipboardText(const std::string& text) override { clipboard = text; }

    /// @brief The last shown item, or an empty record when nothing was shown.
    Shown last() const { return shown.empty() ? Shown{} : shown.back(); }

private:
    Answer next(Answer fallback) {
        if (answers.empty()) {
            return fallback;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<std::string> nextText(std::optional<std::string> fallback) {
        if (texts.empty()) {
            return fallback;
        }
        auto t = texts.front();
        texts.pop_front();
        return t;
    }
};

}  // namespace zemtral::test
