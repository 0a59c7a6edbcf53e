#include "session/data_editor.h"

#include <algorithm>

#include "core/time_units.h"
#include "data/time_unit_change.h"
#include "diagrams/diagram_kind.h"
#include "numeric/number_text.h"
#include "session/data_commands.h"

namespace zemtral {
namespace {

constexpr const char* kColumnNames[kGridColumnCount] = {"#",  "aus", "t",      "cA", "cB", "cC",
                                                        "cP", "cQ",  "lambda", "T",  "k"};

bool isValueColumn(int column) {
    return column >= kGridFirstValueColumn && column < kGridColumnCount;
}

std::string withPoint(std::string text) {
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string fileNamePart(const ExpDataSet& set) {
    return set.dataFilePath.empty() ? "(unbenannt)" : "(" + FileNameOnly(set.dataFilePath) + ")";
}

template <typename Key>
bool stableSortPoints(ExpDataSet& set, Key key) {
    if (set.pointCount < 2) {
        return false;
    }
    const std::vector<ExpPoint> before(set.points.begin() + 1, set.points.end());
    std::stable_sort(set.points.begin() + 1, set.points.end(),
                     [&key](const ExpPoint& a, const ExpPoint& b) { return key(a) < key(b); });
    const bool changed = !std::equal(before.begin(), before.end(), set.points.begin() + 1);
    if (changed) {
        set.dataChanged = true;
    }
    return changed;
}

}  // namespace

std::string dataGridHeader(int column, const std::string& timeUnit) {
    switch (column) {
        case 0:
            return "#";
        case 1:
            return "aus";
        case 2:
            return " Zeit t/" + timeUnit;
        case 3:
            return "cA/(mol/l)";
        case 4:
            return "cB/(mol/l)";
        case 5:
            return "cC/(mol/l)";
        case 6:
            return "cP/(mol/l)";
        case 7:
            return "cQ/(mol/l)";
        case 8:
            return "   lambda";
        case 9:
            return "   T/K";
        case 10:
            return "    k";
        default:
            return {};
    }
}

std::string dataColumnName(int column) {
    return column >= 0 && column < kGridColumnCount ? kColumnNames[column] : std::string();
}

double pointValue(const ExpPoint& point, int column) {
    switch (column) {
        case 2:
            return point.t;
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
            return point.c[static_cast<std::size_t>(column - 2)];
        case 8:
            return point.lambda;
        case 9:
            return point.T;
        case 10:
            return point.k;
        default:
            return 0.0;
    }
}

void setPointValue(ExpPoint& point, int column, double value) {
    switch (column) {
        case 2:
            point.t = value;
            break;
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
            point.c[static_cast<std::size_t>(column - 2)] = value;
            break;
        case 8:
            point.lambda = toSingle(value);
            break;
        case 9:
            point.T = value;
            break;
        case 10:
            point.k = value;
            break;
        default:
            break;
    }
}

std::string dataCellText(const ExpPoint& point, int column, char decimalSeparator) {
    const double value = pointValue(point, column);
    if (column == 2) {
        return formatSingle(toSingle(value), decimalSeparator);
    }
    if (column == 8) {
        return formatSingle(point.lambda, decimalSeparator);
    }
    if (column >= 3 && column <= 7 && value > 0.0 && value < 0.00001) {
        return formatNumber(value, "0.000000E+00", decimalSeparator);
    }
    return formatDouble(value, decimalSeparator);
}

std::string dataEditorTitle(const ExpDataSet& set, bool appended) {
    if (appended) {
        return fileNamePart(set) + " Experimentelle Daten, Editieren von Datensätzen  ";
    }
    return fileNamePart(set) + (set.pointCount > 0 ? " Experimentelle Daten, Editieren von Messpunkten  "
                                                   : " Eingabe von Messpunkten  ");
}

std::string addModeCaption(int pointCount) {
    return "Hinzufügen von Messpunkt #" + std::to_string(pointCount + 1);
}

std::string editModeCaption(int current, int pointCount) {
    return "Editieren Messpunkt #" + std::to_string(current) + " (von " + std::to_string(pointCount) + ")";
}

std::string rowModeCaption(int current, int pointCount) {
    return "Editieren Datensatz #" + std::to_string(current) + " (von " + std::to_string(pointCount) + ")";
}

std::string pointCountText(int pointCount) {
    return pointCount == 1 ? "1 Messpunkt" : std::to_string(pointCount) + " Messpunkte";
}

std::string nonIsothermalNoteText() {
    const std::string nl = kMessageLineBreak;
    return "Für nicht-isotherme Datensätze c(A) = Fu(t, T) ist für eine " + nl +
           "Reaktion 1. Ordnung statt des Konzentrationswertes c(A)" + nl +
           "das Verhältnis c(A) / c(A)(0) anzugeben," + nl + "für t = 0 also z. B. der Wert 1." + nl +
           "Das hat den Vorteil, dass die einzelnen Messpunkte auf" + nl +
           "unterschiedliche c(A)(0) bezogen sein können.";
}

StoredPoint storeInputPoint(ExpDataSet& set, const std::array<std::string, kInputFieldCount>& fields,
                            const std::string& lambdaInfText, bool editMode, int current,
                            bool firstNotePending) {
    StoredPoint result;
    std::array<double, kInputFieldCount> values{};
    float sum = 0.0f;
    for (std::size_t f = 0; f < values.size(); ++f) {
        values[f] = parseNumber(withPoint(fields[f]));
        sum += toSingle(values[f]);
    }
    if (!(sum > 0.0f)) {
        return result;
    }
    int index = current;
    if (!editMode || current < 1 || current > set.pointCount) {
        if (set.pointCount >= kMaxPointCount) {
            return result;
        }
        set.points.emplace_back();
        set.pointCount = static_cast<std::int16_t>(set.pointCount + 1);
        index = set.pointCount;
    }
    ExpPoint& point = set.points[static_cast<std::size_t>(index)];
    for (int f = 0; f < kInputFieldCount; ++f) {
        setPointValue(point, f + kGridFirstValueColumn, values[static_cast<std::size_t>(f)]);
    }
    set.lambdaInf = toSingle(parseNumber(withPoint(lambdaInfText)));
    set.dataChanged = true;
    result.stored = true;
    result.index = index;
    result.showNote = firstNotePending && point.T > 0.0 && point.c[kSlotA] > 0.0;
    return result;
}

bool storeCellText(ExpDataSet& set, int index, int column, const std::string& text) {
    if (index < 1 || index > set.pointCount || !isValueColumn(column)) {
        return false;
    }
    setPointValue(set.points[static_cast<std::size_t>(index)], column, parseNumber(withPoint(text)));
    set.dataChanged = true;
    return true;
}

std::vector<std::vector<std::string>> clipboardCells(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string cell;
    const auto endRow = [&] {
        row.push_back(cell);
        rows.push_back(row);
        row.clear();
        cell.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\t') {
            row.push_back(cell);
            cell.clear();
        } else if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            endRow();
        } else {
            cell += ch;
        }
    }
    if (!cell.empty() || !row.empty()) {
        endRow();
    }
    return rows;
}

PasteOutcome pasteIntoDataSet(ExpDataSet& set, UserDialogs& dialogs, const std::string& text, int startPoint,
                              int startColumn) {
    PasteOutcome outcome;
    const std::vector<std::vector<std::string>> rows = clipboardCells(text);
    if (rows.empty()) {
        return outcome;
    }
    startPoint = std::clamp(startPoint, 1, set.pointCount + 1);
    startColumn = std::clamp(startColumn, 0, kGridColumnCount - 1);
    const int lastPoint = startPoint + static_cast<int>(rows.size()) - 1;
    if (lastPoint > kMaxPointCount) {
        dialogs.showMessage(kNotPossibleTitle,
                            "Die eingefügten Zeilen ergäben " + std::to_string(lastPoint) +
                                " Messpunkte; höchstens " + std::to_string(kMaxPointCount) +
                                " sind möglich." + kMessageLineBreak + "Es wurde nichts eingefügt.",
                            MessageIcon::Critical);
        return outcome;
    }

    // Every cell is read before anything is written, so that a refused paste changes nothing.
    struct Cell {
        int point;
        int column;
        double value;
    };
    std::vector<Cell> cells;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const int column = startColumn + static_cast<int>(c);
            if (!isValueColumn(column)) {
                continue;
            }
            const int point = startPoint + static_cast<int>(r);
            const std::string cellText = trimmed(rows[r][c]);
            std::optional<double> value = 0.0;
            if (!cellText.empty()) {
                value = parseNumberExact(withPoint(cellText));
            }
            if (!value) {
                dialogs.showMessage(kNotPossibleTitle,
                                    "Zeile " + std::to_string(point) + ", Spalte " + dataColumnName(column) +
                                        ": \"" + cellText + "\" ist keine Zahl." + kMessageLineBreak +
                                        "Es wurde nichts eingefügt.",
                                    MessageIcon::Critical);
                return outcome;
            }
            cells.push_back({point, column, *value});
        }
    }
    if (lastPoint > set.pointCount) {
        set.points.resize(static_cast<std::size_t>(lastPoint) + 1);
        set.pointCount = static_cast<std::int16_t>(lastPoint);
    }
    for (const Cell& cell : cells) {
        setPointValue(set.points[static_cast<std::size_t>(cell.point)], cell.column, cell.value);
    }
    set.dataChanged = true;
    outcome.pasted = true;
    outcome.firstPoint = startPoint;
    outcome.lastPoint = lastPoint;
    return outcome;
}

std::string dataGridClipboardText(const ExpDataSet& set, char decimalSeparator) {
    std::string text;
    for (int i = 1; i <= set.pointCount; ++i) {
        const ExpPoint& point = set.points[static_cast<std::size_t>(i)];
        text += std::to_string(i);
        text += '\t';
        text += point.exclude != 0 ? "x" : "";
        for (int column = kGridFirstValueColumn; column < kGridColumnCount; ++column) {
            text += '\t';
            text += dataCellText(point, column, decimalSeparator);
        }
        text += kMessageLineBreak;
    }
    return text;
}

bool removeSelectedPoints(ExpDataSet& set, UserDialogs& dialogs, std::optional<std::pair<int, int>> rows) {
    if (rows) {
        rows->first = std::max(rows->first, 1);
        rows->second = std::min(rows->second, static_cast<int>(set.pointCount));
    }
    if (!rows || rows->first > rows->second) {
        dialogs.showMessage(kNotPossibleTitle, "keine Markierung!", MessageIcon::Critical);
        return false;
    }
    const auto [first, last] = *rows;
    const std::string question = first == last ? "Zeile " + std::to_string(first) + " wirklich entfernen?"
                                               : "Zeilen " + std::to_string(first) + " bis " +
                                                     std::to_string(last) + " wirklich entfernen?";
    if (dialogs.askYesNo(kNotPossibleTitle, question, MessageIcon::Question) != Answer::Yes) {
        return false;
    }
    set.points.erase(set.points.begin() + first, set.points.begin() + last + 1);
    set.pointCount = static_cast<std::int16_t>(set.pointCount - (last - first + 1));
    set.points.shrink_to_fit();
    set.dataChanged = true;
    return true;
}

bool zeroSelectedCells(ExpDataSet& set, int firstRow, int lastRow, int firstColumn, int lastColumn) {
    bool changed = false;
    for (int i = std::max(firstRow, 1); i <= std::min(lastRow, static_cast<int>(set.pointCount)); ++i) {
        for (int column = std::max(firstColumn, kGridFirstValueColumn);
             column <= std::min(lastColumn, kGridColumnCount - 1); ++column) {
            ExpPoint& point = set.points[static_cast<std::size_t>(i)];
            if (pointValue(point, column) != 0.0) {
                setPointValue(point, column, 0.0);
                changed = true;
            }
        }
    }
    if (changed) {
        set.dataChanged = true;
    }
    return changed;
}

bool toggleExclude(ExpDataSet& set, int index) {
    if (index < 1 || index > set.pointCount) {
        return false;
    }
    std::int16_t& exclude = set.points[static_cast<std::size_t>(index)].exclude;
    exclude = exclude == 0 ? std::int16_t{-1} : std::int16_t{0};
    set.dataChanged = true;
    return true;
}

bool sortPointsByTime(ExpDataSet& set) {
    return stableSortPoints(set, [](const ExpPoint& p) { return p.t; });
}

bool sortPointsByTemperature(ExpDataSet& set) {
    return stableSortPoints(set, [](const ExpPoint& p) { return p.T; });
}

void changeDataTimeUnit(Session& session, int newIndex) {
    const int oldIndex = timeUnitIndex(session.data.timeUnit);
    SetTimeUnit(session.state, session.data, newIndex, oldIndex);
    if (oldIndex != newIndex && session.data.pointCount > 0) {
        session.data.dataChanged = true;
    }
}

bool drawMeasuredPoints(Session& session, UserDialogs& dialogs, WindowHost& windows, bool kT) {
    SurveyDataSet(session);
    const ExpDataSet& set = session.data;
    int count = 0;
    bool anyActive = false;
    for (int i = 1; i <= set.pointCount; ++i) {
        const ExpPoint& p = set.points[static_cast<std::size_t>(i)];
        anyActive = anyActive || p.exclude == 0;
        if (kT ? (p.T > 0.0 && p.k > 0.0) : (p.c[kSlotA] > 0.0 && p.t >= 0.0)) {
            ++count;
        }
    }
    if (kT) {
        session.survey.hasKTData = count > 1;
    } else {
        session.dataC0 = InitialConcFromData(set);
        session.survey.hasCtData = count > 1;
    }
    if (set.pointCount < 1 || count < 2) {
        session.diagramKind = 0;
        dialogs.beep();
        dialogs.showMessage(kNotPossibleTitle,
                            kT ? "mindestens 2 k-T-Punkte notwendig!" : "mindestens 2 c-t-Punkte notwendig!",
                            MessageIcon::Critical);
        return false;
    }
    if (!kT && !anyActive) {
        dialogs.showMessage(kNotPossibleTitle, "alle Daten inaktiv gesetzt", MessageIcon::Critical);
        return false;
    }
    windows.close(WindowId::Diagram);
    session.diagramKind = kT ? kKindMeasuredRateConstants : kKindMeasuredConcentrations;
    session.evaluationAxisWindow.reset();
    session.diagram.seriesCount = 0;
    windows.setUpDiagram();
    return true;
}

FinishOutcome finishDataEditor(Session& session, UserDialogs& dialogs) {
    SurveyDataSet(session);
    const DataSurvey& survey = session.survey;
    const std::string nl = kMessageLineBreak;
    if (survey.temperatureCount > 1 && survey.hasCtTData && (survey.tMax > 1.0 || survey.tMax < 0.2)) {
        const std::string text = "Die aktuellen Zahlenwerte der Reaktionszeiten t können zu" + nl +
                                 "numerischen Problemen bei der Regressionsrechnung führen." + nl +
                                 "Besonders empfindlich sind hier Reaktionen erster Ordnung." + nl +
                                 "Die Zahlenwerte für t müssen in folgendem Bereich liegen:" + nl +
                                 "für Reaktion 1. Ordnung: (1 > t > 1E-4)" + nl +
                                 "für Reaktion 2. Ordnung: (t > 1E-4)" + nl + nl +
                                 "Experimentieren Sie mit verschiedenen Zeiteinheiten und" + nl +
                                 "gehen Sie immer von niedrigen Startwerten aus (0 | 1 | 10 |100)" + nl + nl +
                                 "Jetzt die Zeiteinheit ändern?";
        if (dialogs.askYesNo(" Warnung für nicht-isothermes Fitting ", text, MessageIcon::Exclamation) ==
            Answer::Yes) {
            return FinishOutcome::StayOpen;
        }
    }
    if (survey.hasCtTData) {
        // The start values of the temperature-law fitting: low values lead to success.
        ActivationParameters& a = session.evaluation.activation;
        if (session.evaluation.kTForm == kKTEyring) {
            a.eyringFactor = 100.0;
            a.deltaH = 100.0;
        } else {
            a.arrheniusA = 100.0;
            a.activationEnergy = 100.0;
        }
    }
    session.dataC0 = InitialConcFromData(session.data);
    return FinishOutcome::Close;
}

void DataEditUndo::record(const Session& session) {
    m_steps.push_back(
        {session.data, session.state.timeUnit, session.state.timeUnitIndex, session.state.rateConst});
    if (m_steps.size() > kDepth) {
        m_steps.pop_front();
    }
}

void DataEditUndo::dropLast() {
    if (!m_steps.empty()) {
        m_steps.pop_back();
    }
}

bool DataEditUndo::undo(Session& session) {
    if (m_steps.empty()) {
        return false;
    }
    Step& step = m_steps.back();
    if (step.data.timeUnit != session.data.timeUnit) {
        // The change converted the unit: its rate constants come back with it.
        session.state.timeUnit = step.timeUnit;
        session.state.timeUnitIndex = step.timeUnitIndex;
        session.state.rateConst = step.rateConst;
    }
    session.data = std::move(step.data);
    m_steps.pop_back();
    return true;
}

}  // namespace zemtral
