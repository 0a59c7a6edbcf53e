#include "cli/cli_dialogs.h"

#include <ostream>

namespace zemtral::cli {

std::string terminalText(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        out += text[i];
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) {
        out.pop_back();
    }
    return out;
}

void StderrDialogs::showMessage(const std::string& title, const std::string& text, MessageIcon) {
    ++m_messages;
    m_err << terminalText(title) << "\n" << terminalText(text) << "\n";
}

Answer StderrDialogs::askYesNo(const std::string& title, const std::string& text, MessageIcon icon) {
    showMessage(title, text, icon);
    return Answer::No;
}

Answer StderrDialogs::askYesNoCancel(const std::string& title, const std::string& text, MessageIcon icon) {
    showMessage(title, text, icon);
    return Answer::No;
}

Answer StderrDialogs::askOkCancel(const std::string& title, const std::string& text, MessageIcon icon) {
    showMessage(title, text, icon);
    return Answer::Cancel;
}

}  // namespace zemtral::cli
