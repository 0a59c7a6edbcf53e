#pragma once
// UserDialogs with Qt: message boxes, questions, input boxes, Qt's own file dialogs, beep, clipboard.
#include <functional>

#include "session/user_dialogs.h"

class QWidget;

namespace zemtral {

class QtUserDialogs : public UserDialogs {
  public:
    explicit QtUserDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    /// @brief The folder of the sample files, offered in the file dialogs' side bar.
    void setSampleFolder(const std::string& folder) { m_sampleFolder = folder; }
    /// @brief The program's own open dialog for data and project files: title, start folder and
    /// pattern ("*.ZD3") in, the chosen path out (nothing on cancel).
    using OwnOpenDialog = std::function<std::optional<std::string>(
        const std::string& title, const std::string& directory, const std::string& pattern)>;
    void setOwnOpenDialog(OwnOpenDialog run) { m_ownOpenDialog = std::move(run); }

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
    OwnOpenDialog m_ownOpenDialog;
};

}  // namespace zemtral
