#include "session/diagram_window_draw.h"

#include <limits>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>

#include "data/file_errors.h"
#include "data/text_file.h"
#include "numeric/fp_guard.h"
#include "numeric/number_text.h"
#include "session/diagram_controls.h"

namespace zemtral {
namespace {

constexpr const char* kLineBreak = "\r\n";

bool drawsComputedCurves(int kind) {
    // The measured-point kinds -1, -2 and -9 have points only.
    return kind > 0 || (kind <= -3 && kind >= -8) || kind == -10 || kind == -11 || kind == kKindFitResiduals;
}

}  // namespace

std::string tooManyCurvesText() {
    return std::string("Maximal ") + "24" + " Kurven möglich" + kLineBreak + "Löschen Sie vorhandene Kurven";
}

std::optional<int> allocateCurveSlot(DiagramState& diagram) {
    if (diagram.curveCount <= 0) {
        diagram.curveCount = 0;
        diagram.freeCurveSlots.fill(true);
    }
    ++diagram.curveCount;
    if (diagram.curveCount > kMaxCurves) {
        diagram.curveCount = kMaxCurves;
        return std::nullopt;
    }
    for (int slot = 1; slot <= kMaxCurves; ++slot) {
        if (diagram.freeCurveSlots[static_cast<std::size_t>(slot)]) {
            diagram.freeCurveSlots[static_cast<std::size_t>(slot)] = false;
            return slot;
        }
    }
    // The counter and the flags disagree (all flags taken below 24 curves): nothing to give.
    --diagram.curveCount;
    return std::nullopt;
}

void freeCurveSlot(DiagramState& diagram, int slot) {
    if (slot < 1 || slot > kMaxCurves || diagram.freeCurveSlots[static_cast<std::size_t>(slot)]) {
        return;
    }
    diagram.freeCurveSlots[static_cast<std::size_t>(slot)] = true;
    if (diagram.curveCount > 0) {
        --diagram.curveCount;
    }
}

int lastPointBelow(const CurveBuffer& buffer, float xMax) {
    for (int j = buffer.count(); j >= 1; --j) {
        if (buffer[j].x < xMax) {
            return j;
        }
    }
    return 0;
}

int curveLabelPoint(int lastInside, int series, int pointCount) {
    const double j = lastInside;
    const int index = static_cast<int>(std::lround(j / 1.2 - 0.18 * j * series));
    return std::clamp(index, 1, std::max(1, pointCount));
}

ChartColour curveSlotColour(int slot) {
    // Distinct colours that stay readable on white and in print: blue, red, green, magenta,
    // orange, cyan-blue, brown, black, and again in a second round.
    static constexpr std::array<std::uint32_t, 12> kPalette{0x1F4EB4, 0xC0282D, 0x2E8B3A, 0x8E2C9E,
                                                            0xE07B00, 0x0090A8, 0x7A4A1E, 0x000000,
                                                            0x5B7FD6, 0xE0606A, 0x6BB36E, 0xB070C0};
    const int index = (std::max(1, slot) - 1) % static_cast<int>(kPalette.size());
    return ChartColour{kPalette[static_cast<std::size_t>(index)]};
}

DrawCommandResult runDrawCommand(Session& session, ChartComponent& chart, UserDialogs& dialogs,
                                 const CurveTable& curves, std::optional<ChartColour> preselectedColour) {
    DrawCommandResult out;
    DiagramState& diagram = session.diagram;
    const DiagramKind kind = session.diagramKind;
    ChartUpdateBatch batch(chart);
    while (diagram.seriesCount > 0) {
        if (!drawsComputedCurves(kind)) {
            diagram.seriesCount = 0;
            break;
        }
        const std::optional<int> slot = allocateCurveSlot(diagram);
        if (!slot) {
            out.slotsExhausted = true;
            dialogs.showMessage("WARNUNG", tooManyCurvesText(), MessageIcon::Exclamation);
            break;
        }
        CurveRequest request;
        request.kind = kind;
        request.series = diagram.seriesCount;
        request.frame = diagram.frame;
        request.state = &session.state;
        request.simulation = &session.simulation;
        request.data = &session.data;
        request.temperature = session.evaluation.curveTemperature;
        const CurveResult result =
            DrawDiagramCurve(request, diagram.curveBuffer, diagram.seriesCount, curves);
        if (result.errorFlag != 0) {
            freeCurveSlot(diagram, *slot);
            out.failed = true;
            dialogs.showMessage(kCurveFailureTitle, curveFailureMessage(result.errorText),
                                MessageIcon::Critical);
            break;
        }
        if (result.outside) {
            dialogs.showMessage("WARNUNG",
                                std::string("Kurve außerhalb des aktuellen Koordinatenfensters") +
                                    kLineBreak + kLineBreak + "Vergrößern Sie das Koordinatenfenster.",
                                MessageIcon::Exclamation);
        }
        if (chart.seriesCount(1) < *slot) {
            chart.setSeriesCount(1, *slot);
        }
        SeriesStyle style = chart.seriesStyle(1, *slot);
        style.lineColour = preselectedColour.value_or(curveSlotColour(*slot));
        style.symbolColour = style.lineColour;
        if (result.pointsOnly) {
            style = curveStyleFromControls(style, LinePattern::None, style.lineWidth);
        }
        chart.setSeriesStyle(1, *slot, style);
        diagram.lastCurveXMax = diagram.frame.xMax;

        const CurveBuffer& buffer = diagram.curveBuffer;
        const int n = buffer.count();
        loadCurveBuffer(chart, 1, *slot, buffer);
        chart.setSeriesLabel(1, *slot, result.legend);
        chart.setSeriesLegendShown(1, *slot, true);
        chart.setSeriesVisible(1, *slot, true);

        DrawnCurve drawn;
        drawn.slot = *slot;
        drawn.legend = result.legend;
        drawn.outside = result.outside;
        // Single values carry no label along them: the legend names them.
        if (n > 0 && !result.pointsOnly) {
            drawn.labelPoint = curveLabelPoint(lastPointBelow(buffer, diagram.frame.xMax), *slot, n);
            ChartLabel label;
            label.text = result.legend;
            label.attachment = LabelAttachment::DataPoint;
            label.group = 1;
            label.series = *slot;
            label.point = drawn.labelPoint;
            label.foreground = style.lineColour;
            drawn.labelId = chart.addLabel(label);
        }
        if (!result.statusText.empty()) {
            out.statusText = result.statusText;
        }
        out.curves.push_back(drawn);
    }
    return out;
}

void deleteCurve(Session& session, ChartComponent& chart, int slot) {
    if (slot < 1 || slot > chart.seriesCount(1)) {
        return;
    }
    ChartUpdateBatch batch(chart);
    chart.setPointCount(1, slot, 0);
    chart.setSeriesLabel(1, slot, "");
    for (int id : chart.labelIds()) {
        const auto label = chart.label(id);
        if (label && label->attachment == LabelAttachment::DataPoint && label->group == 1 &&
            label->series == slot) {
            chart.removeLabel(id);
        }
    }
    freeCurveSlot(session.diagram, slot);
}

void deleteAllCurves(Session& session, ChartComponent& chart) {
    ChartUpdateBatch batch(chart);
    const int count = std::min(chart.seriesCount(1), kMaxCurves);
    for (int slot = 1; slot <= count; ++slot) {
        deleteCurve(session, chart, slot);
    }
    session.diagram.curveCount = 0;
    session.diagram.freeCurveSlots.fill(true);
}

std::vector<ChartPoint> seriesPoints(const ChartComponent& chart, int group, int series) {
    std::vector<ChartPoint> points;
    const int n = chart.pointCount(group, series);
    points.reserve(static_cast<std::size_t>(std::max(0, n)));
    for (int i = 1; i <= n; ++i) {
        points.push_back(chart.point(group, series, i));
    }
    return points;
}

std::vector<std::string> curveExportLines(const std::vector<ChartPoint>& points,
                                          const std::string& separator) {
    std::vector<std::string> lines;
    lines.reserve(points.size() + 1);
    lines.emplace_back("\"Kurvenpunkte\"");
    for (const ChartPoint& p : points) {
        std::string x = formatNumber(p.x, ".0000000E+00", '.');
        std::string y = formatNumber(p.y, ".0000000E+00", '.');
        std::replace(x.begin(), x.end(), ',', '.');
        std::replace(y.begin(), y.end(), ',', '.');
        lines.push_back(x + separator + y);
    }
    return lines;
}

std::string curveClipboardText(const std::vector<ChartPoint>& points, char decimalSeparator) {
    std::string text;
    for (const ChartPoint& p : points) {
        text += formatSingle(static_cast<float>(p.x), decimalSeparator);
        text += '\t';
        text += formatSingle(static_cast<float>(p.y), decimalSeparator);
        text += kLineBreak;
    }
    return text;
}

bool saveCurveAsXY(Session& session, const ChartComponent& chart, UserDialogs& dialogs, int slot) {
    DiagramWindowMemory& memory = session.diagramWindow;
    const std::string directory = memory.lastXYDir.empty() ? session.appHome : memory.lastXYDir;
    const auto chosen =
        dialogs.chooseSaveFile("Kurve speichern unter ...", directory, memory.lastXYFile, "x-y-Daten (*.XY)");
    if (!chosen || chosen->empty()) {
        return false;
    }
    std::filesystem::path path(*chosen);
    if (!path.has_extension()) {
        path += ".XY";
    }
    memory.lastXYFile = path.filename().string();
    memory.lastXYDir = path.parent_path().string();
    const FileError error = writeTextFileLines(
        path.string(), curveExportLines(seriesPoints(chart, 1, slot), session.protocol.separator));
    if (error.failed()) {
        dialogs.showMessage(routineMessageTitle("cmdSaveCurveAsXY"), fileErrorDescription(error),
                            MessageIcon::Critical);
        return false;
    }
    return true;
}

std::vector<std::string> coordinateInputProblems(double xMin, double xMax, double yMin, double yMax) {
    std::vector<std::string> problems;
    const auto single = [](double v) {
        return std::isfinite(v) && std::fabs(v) <= static_cast<double>(std::numeric_limits<float>::max());
    };
    const std::pair<const char*, double> values[] = {
        {"x(min)", xMin}, {"x(max)", xMax}, {"y(min)", yMin}, {"y(max)", yMax}};
    for (const auto& [name, v] : values) {
        if (!single(v)) {
            problems.push_back(std::string("- ") + name + ": Zahl außerhalb des darstellbaren Bereichs");
        }
    }
    if (single(xMin) && single(xMax) && !(static_cast<float>(xMin) < static_cast<float>(xMax))) {
        problems.emplace_back("- x(min) muss kleiner als x(max) sein");
    }
    if (single(yMin) && single(yMax) && !(static_cast<float>(yMin) < static_cast<float>(yMax))) {
        problems.emplace_back("- y(min) muss kleiner als y(max) sein");
    }
    return problems;
}

std::vector<std::string> coordinateTextProblems(const std::array<std::string, 4>& texts, bool logarithmicX,
                                                bool logarithmicY, std::array<double, 4>& values) {
    static constexpr std::array<const char*, 4> kNames{"x(min)", "x(max)", "y(min)", "y(max)"};
    std::vector<std::string> problems;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const bool blank = texts[i].find_first_not_of(" \t") == std::string::npos;
        const std::optional<double> exact = parseNumberExact(texts[i]);
        values[i] = blank ? 0.0 : exact.value_or(parseNumber(texts[i]));
        // A number too large for the chart is named as such below; anything else that is not
        // one number would otherwise be read as 0 or as its leading digits without a word.
        if (!blank && !exact && std::isfinite(values[i])) {
            problems.push_back(std::string("- ") + kNames[i] + ": keine gültige Zahl");
        }
    }
    for (std::string& line : coordinateInputProblems(values[0], values[1], values[2], values[3])) {
        problems.push_back(std::move(line));
    }
    if (problems.empty()) {
        if (const auto x = logarithmicX ? logarithmicAxisProblem(ChartAxis::X, values[0]) : std::nullopt) {
            problems.push_back(*x);
        }
        if (const auto y = logarithmicY ? logarithmicAxisProblem(ChartAxis::Y, values[2]) : std::nullopt) {
            problems.push_back(*y);
        }
    }
    return problems;
}

std::optional<std::string> logarithmicAxisProblem(ChartAxis axis, double minimum) {
    if (minimum > 0.0) {
        return std::nullopt;
    }
    return axis == ChartAxis::X ? "- logarithmische x-Achse: x(min) muss größer als 0 sein"
                                : "- logarithmische y-Achse: y(min) muss größer als 0 sein";
}

std::vector<std::string> separatorEntries() {
    return {"Trennzeichen Semikolon", "Trennzeichen Leerzeichen", "Trennzeichen Tab"};
}

std::string separatorForEntry(int entry) {
    switch (entry) {
        case 1:
            return " ";
        case 2:
            return "\t";
        default:
            return ";";
    }
}

int entryForSeparator(const std::string& separator) {
    if (separator == " ") {
        return 1;
    }
    if (separator == "\t") {
        return 2;
    }
    return 0;
}

std::string deletePointQuestion(double x, double y, char decimalSeparator) {
    return "Punkt x =" + formatSingle(static_cast<float>(x), decimalSeparator) +
           ",  y =" + formatSingle(static_cast<float>(y), decimalSeparator) + kLineBreak +
           "wirklich löschen?" + kLineBreak + kLineBreak + "(Hinweis: Rechts-Klick auf eine Kurve" +
           kLineBreak + "öffnet Kurven-Bearbeitungsfenster)";
}

}  // namespace zemtral
