#pragma once
// The program's own file-open dialog for data and project files: places, a folder tree and a file
// list, the path, the file-name field with its pattern handling, the comment of the selected
// file before it is loaded, the parent-folder button and Delete with its question.
#include <QDialog>
#include <string>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTreeView;

namespace zemtral {

struct Session;
class UserDialogs;
class QtUserDialogs;

/// @brief frmCmnDlg (drvOpenList, dirOpenList, filOpenList, txtOpenFile, lblOpenPath,
/// lblFileComment, Text1, cmdOpenOK, cmdOpenCancel, cmdReturn).
class frmCmnDlg : public QDialog {
    Q_OBJECT
  public:
    frmCmnDlg(Session& session, UserDialogs& dialogs, QWidget* parent = nullptr);

    /// @brief Caption, file-list pattern ("*.*" when empty), start folder (kept when empty) and the
    /// name field (the name as given, or the pattern when there is no name).
    void setUp(const std::string& title, const std::string& pattern, const std::string& directory,
               const std::string& fileName);
    /// @brief The folder the file list shows.
    QString directory() const;
    QString pattern() const { return m_pattern; }
    QString fileNameText() const;
    /// @brief True when the dialog ended by accepting a file (the accept mark).
    bool acceptMark() const { return m_acceptMark; }

    /// @brief Goes to a folder: the file list follows, the path shows it, the name field the pattern.
    void goToDirectory(const QString& path);
    /// @brief A single click on a file of the list: its name and comment preview.
    void selectFile(const QString& name);
    /// @brief "OK, Laden".
    void pressOk();
    /// @brief The places offered on the left: label and folder.
    QStringList placeFolders() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void accept(const QString& name);
    void deleteSelected();

    Session& m_session;
    UserDialogs& m_dialogs;
    QString m_pattern = QStringLiteral("*.*");
    QString m_selected;  ///< name of the file last selected in the list
    bool m_acceptMark = false;

    QFileSystemModel* m_dirModel = nullptr;
    QFileSystemModel* m_fileModel = nullptr;
    QListWidget* m_places = nullptr;
    QTreeView* m_dirs = nullptr;
    QListView* m_files = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_path = nullptr;
    QLabel* m_commentLabel = nullptr;
    QPlainTextEdit* m_comment = nullptr;
};

/// @brief Shows the open dialog modally. Returns true when it was cancelled (name and directory
/// stay); otherwise `fileName` is the name field's text and `directory` the file list's folder.
bool ShowOpenDialog(Session& session, UserDialogs& dialogs, QWidget* parent, std::string& fileName,
                    std::string& directory, const std::string& pattern, const std::string& title);

/// @brief Makes the Qt dialogs use frmCmnDlg for opening data (ZD3) and project (ZC3) files.
void installOwnOpenDialog(QtUserDialogs& dialogs, Session& session);

}  // namespace zemtral
