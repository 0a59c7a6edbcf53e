#pragma once
// The data editor frmDatedit: the experimental data set in a grid, the input fields of one point,
// paste from spreadsheets, removal, sorting, the time unit, the drawing commands, load, append,
// save and undo. Every change goes straight into the session's data set.
#include <QWidget>
#include <array>
#include <functional>

#include "session/data_editor.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTableView;

namespace zemtral {

struct Session;
class UserDialogs;
class WindowHost;
class NumberField;
class DataGridModel;

/// @brief What the data editor needs from the main window.
struct DataEditorLinks {
    WindowHost* windows = nullptr;                 ///< the diagram window for the drawing commands
    std::function<QMenu*()> contextMenu;           ///< "Popup-menue exp-daten-grid"
    std::function<void(bool)> setEditDataEnabled;  ///< "exper. Daten    Sichten / Editieren"
    std::function<void()> dataLoaded;              ///< after a load: the set-up window's "mit exper. Punkten"
    std::function<void()> closeWindow;             ///< unloads the editor
};

/// @brief frmDatedit (grid, y_0..y_8, lambda_infin, txtComment, optInputMode_0/1, optZeit_0..4,
/// OKinput, OK, cmdEsc, cmdErase, cmdAus, cmdEraseSelected, cmdClipboard, cmdClipEinfuegen,
/// cmdDraw_ct, cmdDraw_Tk, TSort, TemperaturSort, cmdSave, cmdAddFile, cmdLoadFile, cmdUndo).
class frmDatedit : public QWidget {
    Q_OBJECT
  public:
    frmDatedit(Session& session, UserDialogs& dialogs, DataEditorLinks links, QWidget* parent = nullptr);
    ~frmDatedit() override;

    /// @brief Shows the set anew: grid, captions, title, unit buttons and note, point count.
    Q_INVOKABLE void refreshTable();

    QTableView* grid() const { return m_grid; }
    bool editMode() const { return m_editMode; }
    int currentPoint() const { return m_current; }
    /// @brief Pastes a spreadsheet block at the grid's current cell (what Ctrl+V and the button do).
    void pasteText(const std::string& text);
    /// @brief Restores the set as it was before the last change (Ctrl+Z).
    void undo();

    QSize sizeHint() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildGrid();
    QWidget* buildInputFrame();
    QWidget* buildButtons();
    void setEditMode(bool edit);
    void showPointInFields(int index);
    void clearFields();
    void storeInput();
    void currentRowChanged(int row);
    void cellEdited(int index, int column, const QString& text);
    void removeSelected();
    void toggleCurrent();
    void eraseSelectedCells();
    void copyGrid();
    void pasteClipboard();
    void sortBy(bool temperature);
    void timeUnitChosen(int index);
    void draw(bool kT);
    void save();
    void load(bool append);
    void finish();
    void closeSelf();
    void runContextMenu(const QPoint& at);
    /// @brief Records the state for undo before a change; `changed` false takes it back.
    void changed(bool didChange);
    char decimalSeparator() const;

    Session& m_session;
    UserDialogs& m_dialogs;
    DataEditorLinks m_links;
    DataEditUndo m_undo;
    bool m_editMode = false;
    int m_current = 1;
    bool m_firstNotePending = true;
    bool m_appendedTitle = false;
    bool m_placed = false;
    bool m_updating = false;

    DataGridModel* m_model = nullptr;
    QTableView* m_grid = nullptr;
    QGroupBox* m_inputFrame = nullptr;
    std::array<NumberField*, kInputFieldCount> m_fields{};
    QLabel* m_timeLabel = nullptr;
    QLabel* m_rowLabel = nullptr;
    QLabel* m_countLabel = nullptr;
    QLabel* m_unitNote = nullptr;
    NumberField* m_lambdaInf = nullptr;
    QLineEdit* m_comment = nullptr;
    QRadioButton* m_addOption = nullptr;
    QRadioButton* m_editOption = nullptr;
    std::array<QRadioButton*, 5> m_unitOptions{};
    QPushButton* m_undoButton = nullptr;
};

}  // namespace zemtral
