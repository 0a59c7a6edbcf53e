#pragma once
// The main window MDIZEM: the container of every other window, its menus, tool bar, the
// first-user panel, and the window host that the command logic drives.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "session/session.h"
#include "session/user_dialogs.h"
#include "session/window_host.h"
#include "ui/shell/calculation_window.h"
#include "ui/shell/frm_help.h"
#include "ui/shell/menu_commands.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QMimeData;
class QFrame;
class QMdiArea;
class QMenu;
class QPushButton;
class QToolBar;

namespace zemtral {

class MDIZEM : public QMainWindow, public WindowHost {
    Q_OBJECT
  public:
    /// @brief Creates a window that comes with another part of the program.
    using WindowFactory = std::function<QWidget*(MDIZEM& main)>;

    /// @brief Runs the start-up: the model window opens, the tip window when tips are wanted.
    MDIZEM(Session& session, UserDialogs& dialogs, QWidget* parent = nullptr);
    ~MDIZEM() override;

    /// @brief Makes a window available to the commands; the menu items that need it are enabled.
    void registerWindow(WindowId id, WindowFactory factory);
    /// @brief True when the program has the window (built in, or registered).
    bool canOpen(WindowId id) const { return canCreate(id); }
    /// @brief The widget of an open window, or nullptr.
    QWidget* window(WindowId id) const;
    /// @brief The program's window in the active frame of the window area, if any.
    std::optional<WindowId> activeWindow() const { return activeWindowId(); }
    /// @brief The open calculation windows (simulation set-up, fitting, the three reactors).
    std::vector<CalculationWindow*> calculationWindows() const;
    /// @brief Opens the help viewer at `topic`.
    void showHelp(int topic);
    frmHelp* helpWindow() const { return m_help; }
    /// @brief The invisible context menus: 1 data-editor grid, 2 XY editor.
    QMenu* contextMenu(int which) const;
    /// @brief Enables "exper. Daten    Sichten / Editieren" (after a successful load or input).
    void setEditDataEnabled(bool enabled);
    /// @brief Loads a ZD3, ZC3 or XY file from outside the menus (command line, drop, recent
    /// files) through the menu's own load routines; false when it was not loaded.
    bool openFile(const std::string& path);
    /// @brief Loads the files of a drop that the program can open, after the drop has ended;
    /// false when the drop holds none.
    bool dropFiles(const QMimeData* mime);
    /// @brief Saves the remembered folders and recent files in the settings.
    void saveRememberedFiles() const;
    Session& session() { return m_session; }
    UserDialogs& dialogs() { return m_dialogs; }

    // WindowHost
    bool isOpen(WindowId id) const override;
    bool open(WindowId id) override;
    void close(WindowId id) override;
    using QMainWindow::close;
    void focus(WindowId id) override;
    void pressFittingDraw() override;
    void setUpDiagram() override;
    void showModel() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    using Command = MenuCommand;

  private:
    struct CommandAction {
        QAction* action = nullptr;
        bool enabledByState = true;   ///< the enabled state the commands decide
        std::vector<WindowId> needs;  ///< windows the command opens
    };

    void buildMenus();
    void buildToolBar();
    void buildFirstUserPanel();
    void placeFirstUserPanel();
    QAction* addCommand(QMenu* menu, Command id, const std::string& caption, int helpTopic,
                        std::function<void()> run, std::vector<WindowId> needs = {}, bool enabled = true);
    CommandAction& command(Command id) { return m_commands[static_cast<std::size_t>(id)]; }
    QMenu* addMenu(QMenu* parent, const char* name, const char* caption, int helpTopic = 0);
    void refreshEnabledStates();
    void runCommand(const std::function<void()>& run, bool closeTip = true);
    bool canCreate(WindowId id) const;
    QWidget* createWindow(WindowId id);
    void afterProjectLoad(bool enableNewAndSave, bool enableEdit, bool reopenModel);
    void fillWindowMenu();
    void fillRecentMenu();
    void placeWindow(WindowId id);
    void loadDataWithDialog();
    void afterDataLoad();
    /// @brief The window of the active MDI child, if it is one of the program's windows.
    std::optional<WindowId> activeWindowId() const;
    /// @brief Presses the "... <Esc>" button of the active child window; false when it has none.
    bool pressEscButtonOfActiveWindow();
    void runOptionsDialog();

    Session& m_session;
    UserDialogs& m_dialogs;
    QMdiArea* m_mdi = nullptr;
    QFrame* m_firstUserPanel = nullptr;  ///< floats over the work area's bottom left
    QMenu* m_windowMenu = nullptr;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_contextMenus[2] = {nullptr, nullptr};
    QPointer<frmHelp> m_help;
    std::map<WindowId, WindowFactory> m_factories;
    std::map<WindowId, QPointer<QWidget>> m_open;
    std::array<CommandAction, static_cast<std::size_t>(Command::Count)> m_commands;
    bool m_exitDone = false;
    bool m_placed = false;  ///< the start-up windows have their places
};

}  // namespace zemtral
