#pragma once
// UserDialogs with Qt: message boxes, questions, input boxes, Qt's own file dialogs, beep, clipboard.
#include "session/user_dialogs.h"

class QWidget;

namespace zemtral {

class QtUserDialogs : public UserDialogs {
  public:
    explicit QtUserDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    /// @brief The folder of the sample files, offered in the file dialogs' side bar.
    void setSampleFolder(const std::string& folder) { m_sampleFolder = folder; }

    void showMessage(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer askYesNo(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer askYesNoCancel(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer askOkCancel(const std::string& title, const std::string& text, MessageIcon icon) override;
    std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                         const std::string& defaultText) override;
    std::optional<std::string> chooseOpenFile(const std::string& title, const std::string& directory,
                                              const std::string& filter) override;
    std::optional<std::string> chooseSaveFile(const std::string& title, const std::string& directory,
                                              const std::string& fileName,
                                              const std::string& filter) override;
    void beep() override;
    void setClipboardText(const std::string& text) override;

    /// @brief A filter "Name (*.x)|*.x|Other (*.y)|*.y" or "Name (*.x)" as Qt's ";;" list.
    static std::string qtFilter(const std::string& filter);

  private:
    std::optional<std::string> runFileDialog(bool save, const std::string& title, const std::string& start,
                                             const std::string& filter);

    QWidget* m_parent;
    std::string m_sampleFolder;
};

}  // namespace zemtral
