#pragma once
// The simulation result table "  Ergebnis der Modellrechnung": the last run as editable text that
// can be saved, printed and copied.
#include <QDialog>
#include <string>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zemtral {

struct Session;
class UserDialogs;

/// @brief Result table window. The table text is built once when the window is created from the
/// session's last run; resizing only lays the window out again, so the user's edits stay.
class frmSimTabelle : public QDialog {
    Q_OBJECT

  public:
    frmSimTabelle(Session& session, UserDialogs& dialogs, QWidget* parent = nullptr);

    /// @brief The current table text (the text box's content, edits included).
    std::string tableText() const;

    /// @brief "File schreiben": asks for a file and writes the text followed by CR LF, atomically.
    /// @return true when a file was written.
    bool saveTable();
    /// @brief "Copy to Clipboard": the text box's current text.
    void copyToClipboard();
    /// @brief "Tabelle drucken": prints the text in Courier New 10 after the print dialog.
    void printTable();

  private:
    Session& m_session;
    UserDialogs& m_dialogs;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_hint = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_clipboard = nullptr;
    QPushButton* m_close = nullptr;
};

}  // namespace zemtral
