#pragma once
// What every window benchmark needs: an offscreen application and dialogs that answer every
// question with yes, show nothing and count the messages.
#include <QApplication>
#include <optional>
#include <string>

#include "session/user_dialogs.h"

namespace zemtral::bench {

/// The one application of a benchmark program, offscreen unless a platform is set.
inline QApplication& offscreenApplication(const char* programName) {
    static int argc = 1;
    static std::string name = programName;
    static char* argv[] = {name.data(), nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication app(argc, argv);
    return app;
}

/// Answers every question silently; the benchmarks show no message.
class SilentDialogs : public UserDialogs {
  public:
    void showMessage(const std::string&, const std::string&, MessageIcon) override { ++messages; }
    Answer askYesNo(const std::string&, const std::string&, MessageIcon) override { return Answer::Yes; }
    Answer askYesNoCancel(const std::string&, const std::string&, MessageIcon) override {
        return Answer::Yes;
    }
    Answer askOkCancel(const std::string&, const std::string&, MessageIcon) override { return Answer::Ok; }
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
    void beep() override {}
    void setClipboardText(const std::string&) override {}
    int messages = 0;
};

}  // namespace zemtral::bench
