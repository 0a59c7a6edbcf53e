#pragma once
// The XY editor "Punkte eingeben/editieren   ": a free list of x-y pairs that the user types,
// pastes or loads, transforms with simple formulas, sorts, prints, saves as an XY file and hands
// to the diagram window as points or as a curve. The list lives in the session (session.xy).
#include <QWidget>
#include <functional>
#include <optional>
#include <utility>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace zemtral {

struct Session;
class UserDialogs;
class NumberField;

/// @brief What the XY editor reaches outside itself.
struct XyEditorLinks {
    /// The diagram window, opened (or brought to the front) for a hand-over; nullptr when the
    /// program cannot show one.
    std::function<QWidget*()> diagramWindow;
    /// The context menu "PopUpMenue XY-editor" of the main window.
    std::function<QMenu*()> contextMenu;
};

/// @brief frmManuInput. Controls: grdXY, inpX, inpY, OKinput, optInputMode_0 "Editieren" and _1
/// "Zufügen", cmdErase with optDeleteXY_0 "alle" and _1 "markierte Zeile(n)", cmdAus, cmdLoad,
/// cmdSave, cmbSep, txtComment, lblFile, cmdClipEinfuegen, invisible cmdClipboard and
/// cmdEraseSelected, cmdManip opening fraManip (optManip_0..5, txtW, cmdExecManip, cmdChangeXY,
/// cmdCloseManip), XSort, YSort, cmdPrint, cmdDrawManu with optIsPoints_0 "als Punkte" and _1
/// "als Kurve", cmdEsc.
class frmManuInput : public QWidget {
    Q_OBJECT
  public:
    frmManuInput(Session& session, UserDialogs& dialogs, XyEditorLinks links, QWidget* parent = nullptr);

    /// @brief Pastes a spreadsheet block at the grid's current cell (as Ctrl+V does with the
    /// clipboard's text).
    void pasteText(const QString& text);
    /// @brief Prints the list on `printer` in Courier New.
    void printList(QPrinter& printer) const;
    /// @brief Fills the grid from the session's list.
    void refreshTable();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buildInputFrame();
    QWidget* buildManipulationFrame();
    QWidget* buildFileFrame();
    void setEditMode(bool edit);
    void showCaption();
    void showCurrentPoint();
    void storeInput();
    void cellEdited(int row, int column);
    void currentRowChanged(int row);
    std::optional<std::pair<int, int>> selectedRows() const;
    void eraseRows();
    void eraseSelectedCells();
    void toggleActive();
    void executeFormula();
    void afterListChange();
    void loadFile();
    void saveFile();
    void print();
    void draw();
    void showContextMenu(const QPoint& pos);
    char decimalSeparator() const;
    void fitFrame();

    Session& m_session;
    UserDialogs& m_dialogs;
    XyEditorLinks m_links;
    QTableWidget* m_grid = nullptr;
    QGroupBox* m_inputFrame = nullptr;
    NumberField* m_x = nullptr;
    NumberField* m_y = nullptr;
    QRadioButton* m_edit = nullptr;
    QRadioButton* m_add = nullptr;
    QRadioButton* m_deleteAll = nullptr;
    QRadioButton* m_deleteMarked = nullptr;
    QRadioButton* m_asPoints = nullptr;
    QButtonGroup* m_formulas = nullptr;
    NumberField* m_w = nullptr;
    QGroupBox* m_manipulation = nullptr;
    QComboBox* m_separator = nullptr;
    QLineEdit* m_comment = nullptr;
    QLabel* m_fileLabel = nullptr;
    int m_current = 1;  ///< the point in the input fields in edit mode
    bool m_editMode = false;
    bool m_filling = false;
};

}  // namespace zemtral
