#pragma once
// The XY editor's commands on its list apart from the widgets: typed points, cell edits,
// spreadsheet paste, the grid as clipboard text, removal with its questions, active/inactive,
// the printed list, and the points handed to the diagram window.
#include <optional>
#include <string>
#include <vector>

#include "data/project_file.h"
#include "data/xy_list.h"
#include "diagrams/chart_component.h"
#include "session/user_dialogs.h"

namespace zemtral {

/// @brief Largest number of points the list holds (its count is a 16-bit number).
inline constexpr int kMaxXyPoints = 32767;

/// @brief Grid columns of the list: 0 the row number, 1 x, 2 y.
inline constexpr int kXyColumnX = 1;
inline constexpr int kXyColumnY = 2;

/// @brief "Daten in Liste übernehmen <+>": stores the typed x and y (read like Val, a comma is a
/// decimal point) into row `current` in edit mode, or as a new active point in add mode. With
/// both fields empty, or no row to edit, it beeps and stores nothing. Returns the stored row.
std::optional<int> storeXyInput(XyList& list, UserDialogs& dialogs, bool editMode, int current,
                                const std::string& xText, const std::string& yText);

/// @brief An edited grid cell: x (column 1) or y (column 2) of row 1..count := `value`.
bool setXyCell(XyList& list, int row, int column, float value);

/// @brief Paste of a spreadsheet block at row `row` (1-based; beyond the list the list grows),
/// column `column` (the row-number column counts as x): lines are rows, Tabs separate cells,
/// cells right of y are ignored, an empty cell is 0 and a comma is a decimal point. A cell that
/// is not a number (or does not fit a 4-byte float) is refused with one message naming the
/// first such cell, and the list stays as it was. Returns the number of pasted lines.
int pasteXyBlock(XyList& list, UserDialogs& dialogs, int row, int column, const std::string& text);

/// @brief The whole grid as clipboard text: x, Tab, y, CR LF per point, in the general format.
std::string xyClipboardText(const XyList& list, char decimalSeparator);

/// @brief "Zeile(n) entfernen". With `all` it asks "wirklich alles löschen?" and empties the
/// list; otherwise rows first..last of the selection after the question naming them, or
/// "keine Markierung!" without a selection. True when rows were removed.
bool eraseXyRows(XyList& list, UserDialogs& dialogs, bool all, std::optional<std::pair<int, int>> selection);

/// @brief "Zeile aktiv/inaktiv": toggles the flag of row 1..count (0 active, -1 inactive); a
/// beep with an empty list.
bool toggleXyActive(XyList& list, UserDialogs& dialogs, int row);

/// @brief The printed list: heading "Liste XY-Daten vom <date time>" (no file) or "Liste von
/// XY-Datenfile <name>", a rule, the column heads X and Y, a rule, one line per point.
std::vector<std::string> xyPrintLines(const XyList& list, const DateTime& now, char decimalSeparator);

/// @brief The active points in list order, as the diagram window takes them.
std::vector<ChartPoint> activeXyPoints(const XyList& list);

/// @brief "&Zeichnen": the active points, or nothing after "Mindestens 2 aktive Punkte
/// notwendig!" when fewer than two are active.
std::optional<std::vector<ChartPoint>> xyPointsToDraw(const XyList& list, UserDialogs& dialogs);

}  // namespace zemtral
