#pragma once
// What the data editor does to the experimental data set, without a widget: the texts of its grid
// and captions, storing a typed point, cell edits, pasting a block of spreadsheet cells, removing,
// sorting, deactivating, the time-unit change, the drawing commands, OK, and the undo history.
#include <array>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "session/session.h"
#include "session/user_dialogs.h"
#include "session/window_host.h"

namespace zemtral {

/// @brief Columns of the grid: 0 row number, 1 "aus" (inactive), 2..10 t, cA..cQ, lambda, T, k.
inline constexpr int kGridColumnCount = 11;
inline constexpr int kGridFirstValueColumn = 2;
/// @brief Number of input fields y(0..8); field f edits grid column f + 2.
inline constexpr int kInputFieldCount = 9;

/// @brief The header text above grid column `column` (the time column names the unit).
std::string dataGridHeader(int column, const std::string& timeUnit);

/// @brief The short column name used in messages: "t", "cA" ... "cQ", "lambda", "T", "k".
std::string dataColumnName(int column);

/// @brief The value of grid column 2..10 of a point.
double pointValue(const ExpPoint& point, int column);
/// @brief Sets grid column 2..10 of a point (lambda in single precision).
void setPointValue(ExpPoint& point, int column, double value);

/// @brief The text of a value cell (columns 2..10) as the grid shows it: t in single precision,
/// a concentration above 0 and below 0.00001 as "0.000000E+00", everything else in the general
/// form; `decimalSeparator` is the locale's.
std::string dataCellText(const ExpPoint& point, int column, char decimalSeparator);

/// @brief The window title: file name in parentheses (or "(unbenannt)") and the mode text.
/// `appended` gives the title after "Addiere File".
std::string dataEditorTitle(const ExpDataSet& set, bool appended = false);

/// @brief Frame caption in add mode: "Hinzufügen von Messpunkt #" + (pointCount + 1).
std::string addModeCaption(int pointCount);
/// @brief Frame caption in edit mode: "Editieren Messpunkt #" + current + " (von " + count + ")".
std::string editModeCaption(int current, int pointCount);
/// @brief Frame caption after the grid's current row moved: "Editieren Datensatz #...".
std::string rowModeCaption(int current, int pointCount);
/// @brief The point count shown under the grid.
std::string pointCountText(int pointCount);

/// @brief The note beside the time-unit buttons while the set has points.
inline constexpr const char* kTimeUnitNote =
    "Achtung: Jede Änderung der Zeiteinheit führt zu einer entsprechenden Umrechnung der Zeit-Spalte.";

/// @brief The one-time note on non-isothermal data (title "einmaliger Hinweis").
std::string nonIsothermalNoteText();

/// @brief Result of storing the input fields as a point.
struct StoredPoint {
    bool stored = false;    ///< false: the fields sum to 0 or less, nothing was stored (beep)
    int index = 0;          ///< the point written (1-based)
    bool showNote = false;  ///< the one-time note on non-isothermal data is due
};

/// @brief "Daten in Liste übernehmen": the nine field texts (t, cA..cQ, lambda, T, k) into the
/// current point (edit mode) or a new last point (add mode); lambda(inf) from its field. Marks
/// the set changed. A set at its largest size takes no new point.
StoredPoint storeInputPoint(ExpDataSet& set, const std::array<std::string, kInputFieldCount>& fields,
                            const std::string& lambdaInfText, bool editMode, int current,
                            bool firstNotePending);

/// @brief A cell edited in the grid: the text (a comma counts as the point) into grid column
/// 2..10 of point `index`. Marks the set changed; false when the cell is not a value cell.
bool storeCellText(ExpDataSet& set, int index, int column, const std::string& text);

/// @brief Reads a clipboard text into cells: lines are rows (CR LF, LF or CR end a line; a final
/// line break starts no new row), Tabs separate the cells.
std::vector<std::vector<std::string>> clipboardCells(const std::string& text);

/// @brief Outcome of a paste.
struct PasteOutcome {
    bool pasted = false;
    int firstPoint = 0;  ///< points firstPoint..lastPoint received cells
    int lastPoint = 0;
};

/// @brief Pastes a spreadsheet block at point `startPoint` (1-based; pointCount + 1 appends) and
/// grid column `startColumn`: the rows fill the points from there on, the set grows as needed,
/// the cells fill the columns from the start column on. Cells that land in the row-number or the
/// "aus" column or beyond the last column are ignored; an empty cell is 0. A cell that is not a
/// number refuses the whole paste with one message naming the first such cell, and nothing
/// changes; so does a block that would exceed the largest set.
PasteOutcome pasteIntoDataSet(ExpDataSet& set, UserDialogs& dialogs, const std::string& text, int startPoint,
                              int startColumn);

/// @brief The grid as tab-separated lines (row number, "x" for inactive points, the values as
/// the grid shows them), one line per point, CR LF after each.
std::string dataGridClipboardText(const ExpDataSet& set, char decimalSeparator);

/// @brief "markierte Zeilen entfernen" for the selected rows first..last (1-based points; nothing
/// when there is no selection): "keine Markierung!", or the question, then the removal. True when
/// points were removed.
bool removeSelectedPoints(ExpDataSet& set, UserDialogs& dialogs, std::optional<std::pair<int, int>> rows);

/// @brief "markierte Zelle(n) => 0": value cells of points firstRow..lastRow in columns
/// firstColumn..lastColumn become 0. True when a value changed.
bool zeroSelectedCells(ExpDataSet& set, int firstRow, int lastRow, int firstColumn, int lastColumn);

/// @brief "Zeile aktiv/inaktiv": flips `exclude` of point `index` (0 and -1). False for no point.
bool toggleExclude(ExpDataSet& set, int index);

/// @brief Orders the points by t (or by T) ascending; points with equal keys keep their order.
/// True when the order changed.
bool sortPointsByTime(ExpDataSet& set);
bool sortPointsByTemperature(ExpDataSet& set);

/// @brief A time-unit button: converts every t and the rate constants from the set's unit to the
/// unit `newIndex` (0..4) and makes it the unit of the set and the working state.
void changeDataTimeUnit(Session& session, int newIndex);

/// @brief "zeichne c-t-Punkte" (kT false) or "zeichne k-T-Punkte" (kT true): the refusals, or the
/// measured-points diagram. True when the diagram was set up.
bool drawMeasuredPoints(Session& session, UserDialogs& dialogs, WindowHost& windows, bool kT);

/// @brief What OK leads to.
enum class FinishOutcome { Close, StayOpen };

/// @brief OK: the survey, the non-isothermal warning (Yes keeps the window open), the start values
/// of the non-isothermal fitting and the initial concentrations from the data.
FinishOutcome finishDataEditor(Session& session, UserDialogs& dialogs);

/// @brief The data editor's undo history: each change to the set records the state before it.
/// A time-unit change also records the working state's unit and rate constants it converted.
class DataEditUndo {
  public:
    /// @brief Most changes kept.
    static constexpr std::size_t kDepth = 20;

    /// @brief Records the state before a change.
    void record(const Session& session);
    /// @brief Forgets the last record (the change did not happen).
    void dropLast();
    /// @brief Restores the state before the last change; false when there is none.
    bool undo(Session& session);
    bool empty() const { return m_steps.empty(); }
    void clear() { m_steps.clear(); }

  private:
    struct Step {
        ExpDataSet data;
        std::string timeUnit;
        std::int16_t timeUnitIndex = 0;
        std::array<double, 4> rateConst{};
    };
    std::deque<Step> m_steps;
};

}  // namespace zemtral
