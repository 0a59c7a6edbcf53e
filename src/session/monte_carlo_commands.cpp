#include "session/monte_carlo_commands.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "numeric/number_text.h"
#include "session/help_topics.h"

namespace zemtral {
namespace {

// The shortest time of a recorded point [s]: small boards are watched molecule by molecule, the
// large ones should finish quickly but still visibly.
constexpr double kSmallBoardPointSeconds = 1.0 / 20.0;
constexpr double kLargeBoardPointSeconds = 1.0 / 125.0;
constexpr double kFlashSeconds = 0.001;      // the white circle is held this long
constexpr double kMaxCatchUpSeconds = 0.25;  // no burst after the machine was busy
constexpr double kTimeAxisStep = 50.0;       // [% of tmax]

ChartColour chartColour(RgbColour rgb) {
    return ChartColour{rgb & 0xFFFFFFu};
}

std::vector<ChartPoint> chartPoints(const std::vector<PercentPoint>& points) {
    std::vector<ChartPoint> out;
    out.reserve(points.size());
    for (const PercentPoint& p : points) {
        out.push_back({p.x, p.y});
    }
    return out;
}

AxisSettings percentAxis(const std::string_view title, double maximum) {
    AxisSettings axis;
    axis.minimum = 0.0;
    axis.maximum = maximum;
    axis.title = std::string(title);
    axis.gridShown = true;
    axis.tickSpacing = 10.0;
    axis.digitSpacing = maximum > 200.0 ? 50.0 : 20.0;
    axis.gridSpacing = axis.digitSpacing;
    return axis;
}

}  // namespace

MonteCarloPacer::MonteCarloPacer(int boardIndex, float speed, bool flash) {
    const BoardSize& board = kBoardSizes[static_cast<std::size_t>(std::clamp(boardIndex, 0, 5))];
    double wait = std::max(0.0, static_cast<double>(speed)) + baseStepDelay(board.n0);
    if (flash) {
        wait += kFlashSeconds;
    }
    const double pointSeconds = board.large ? kLargeBoardPointSeconds : kSmallBoardPointSeconds;
    m_stepSeconds = std::max(wait, pointSeconds / board.stepsPerPoint);
}

std::int64_t MonteCarloPacer::stepsForFrame(double elapsedSeconds) {
    const double elapsed = std::clamp(elapsedSeconds, 0.0, kMaxCatchUpSeconds);
    m_owed += elapsed / m_stepSeconds;
    const double whole = std::floor(m_owed);
    m_owed -= whole;
    return static_cast<std::int64_t>(whole);
}

void setUpMonteCarloChart(ChartComponent& chart, MonteCarloKind kind, const MonteCarloOptions& options) {
    ChartUpdateBatch batch(chart);
    const std::string_view header =
        kind == MonteCarloKind::FirstOrder ? kMonteCarloHeaderFirstOrder : kMonteCarloHeaderEquilibrium;
    chart.setHeader(std::string(header), ChartFont{"Arial", 10.0f, true}, false);
    chart.setAxis(ChartAxis::X, percentAxis(kMonteCarloXTitle, 100.0));
    AxisSettings y = percentAxis(kMonteCarloYTitle, 100.0);
    y.titleOrientation = TextOrientation::Vertical;
    chart.setAxis(ChartAxis::Y, y);
    LegendSettings legend = chart.legend();
    legend.shown = true;
    legend.framed = false;
    legend.orientation = TextOrientation::Horizontal;  // below the plot, which keeps its width
    chart.setLegend(legend);

    chart.setSeriesCount(1, mc_series::kEnsembleHigh);
    chart.setSeriesCount(2, mc_series::kSimulatedP);
    chart.setSeriesLabel(1, mc_series::kAnalyticA, std::string(kMonteCarloSeries1Label));
    chart.setSeriesLabel(1, mc_series::kAnalyticP, std::string(kMonteCarloSeries2Label));
    chart.setSeriesLabel(1, mc_series::kEnsembleMean, "Ensemble-Mittelwert");
    chart.setSeriesLabel(1, mc_series::kEnsembleLow, "Mittelwert ± 1σ");
    chart.setSeriesLabel(1, mc_series::kEnsembleHigh, "");
    chart.setSeriesLegendShown(1, mc_series::kEnsembleHigh, false);
    chart.setSeriesLabel(2, mc_series::kSimulatedA, std::string(kMonteCarloSimulatedLegend));
    chart.setSeriesLabel(2, mc_series::kSimulatedP, "");
    chart.setSeriesLegendShown(2, mc_series::kSimulatedP, false);

    SeriesStyle band;
    band.linePattern = LinePattern::Dashed;
    band.lineColour = ChartColour{0x505050};
    band.lineWidth = 1;
    SeriesStyle mean = band;
    mean.linePattern = LinePattern::Solid;
    mean.lineWidth = 2;
    chart.setSeriesStyle(1, mc_series::kEnsembleMean, mean);
    chart.setSeriesStyle(1, mc_series::kEnsembleLow, band);
    chart.setSeriesStyle(1, mc_series::kEnsembleHigh, band);
    applyMonteCarloPointStyle(chart, options);
    clearMonteCarloRun(chart);
}

void applyMonteCarloPointStyle(ChartComponent& chart, const MonteCarloOptions& options) {
    ChartUpdateBatch batch(chart);
    const int size = options.pointSize <= 0 ? 7 : options.pointSize;
    const RgbColour colours[] = {options.colourA, options.colourP};
    for (int i = 0; i < 2; ++i) {
        SeriesStyle line;
        line.linePattern = LinePattern::Solid;
        line.lineColour = chartColour(colours[i]);
        line.lineWidth = 2;
        chart.setSeriesStyle(1, mc_series::kAnalyticA + i, line);

        SeriesStyle points;
        points.linePattern = LinePattern::None;
        points.symbolShape = options.solidPoints ? SymbolShape::FilledCircle : SymbolShape::Circle;
        points.symbolSize = size;
        points.symbolColour = chartColour(colours[i]);
        points.lineColour = points.symbolColour;
        chart.setSeriesStyle(2, mc_series::kSimulatedA + i, points);
    }
}

void showAnalyticCurves(ChartComponent& chart, const MonteCarloGame& game) {
    ChartUpdateBatch batch(chart);
    for (int series = 1; series <= 2; ++series) {
        const auto points =
            chartPoints(analyticCurve(game.kind(), game.n0(), game.equilibriumConstant(), series));
        chart.setSeriesData(1, series, points);
    }
}

void showSimulatedPoints(ChartComponent& chart, const MonteCarloGame& game) {
    const auto& recorded = game.recorded();
    const int shown = chart.pointCount(2, mc_series::kSimulatedA);
    const int total = static_cast<int>(recorded.size());
    if (shown == total) {
        return;
    }
    ChartUpdateBatch batch(chart);
    if (shown > total) {
        // The game was reset while its old points were still shown.
        chart.setPointCount(2, mc_series::kSimulatedA, 0);
        chart.setPointCount(2, mc_series::kSimulatedP, 0);
        showSimulatedPoints(chart, game);
        return;
    }
    chart.setPointCount(2, mc_series::kSimulatedA, total);
    chart.setPointCount(2, mc_series::kSimulatedP, total);
    for (int i = shown; i < total; ++i) {
        const RecordedPoint& r = recorded[static_cast<std::size_t>(i)];
        const PercentPoint a = game.percentA(r);
        const PercentPoint p = game.percentP(r);
        chart.setPoint(2, mc_series::kSimulatedA, i + 1, {a.x, a.y});
        chart.setPoint(2, mc_series::kSimulatedP, i + 1, {p.x, p.y});
    }
    const double lastX = game.percentA(recorded.back()).x;
    AxisSettings x = chart.axis(ChartAxis::X);
    if (lastX > x.maximum) {
        chart.setAxis(ChartAxis::X,
                      percentAxis(kMonteCarloXTitle, std::ceil(lastX / kTimeAxisStep) * kTimeAxisStep));
    }
}

void clearMonteCarloRun(ChartComponent& chart) {
    ChartUpdateBatch batch(chart);
    chart.setPointCount(2, mc_series::kSimulatedA, 0);
    chart.setPointCount(2, mc_series::kSimulatedP, 0);
    showEnsembleBand(chart, EnsembleBand{});
    if (chart.axis(ChartAxis::X).maximum != 100.0) {
        chart.setAxis(ChartAxis::X, percentAxis(kMonteCarloXTitle, 100.0));
    }
}

void showEnsembleBand(ChartComponent& chart, const EnsembleBand& band) {
    ChartUpdateBatch batch(chart);
    const bool shown = !band.mean.empty();
    chart.setSeriesData(1, mc_series::kEnsembleMean, chartPoints(band.mean));
    chart.setSeriesData(1, mc_series::kEnsembleLow, chartPoints(band.lower));
    chart.setSeriesData(1, mc_series::kEnsembleHigh, chartPoints(band.upper));
    for (int s = mc_series::kEnsembleMean; s <= mc_series::kEnsembleHigh; ++s) {
        chart.setSeriesVisible(1, s, shown);
    }
    chart.setSeriesLegendShown(1, mc_series::kEnsembleMean, shown);
    chart.setSeriesLegendShown(1, mc_series::kEnsembleLow, shown);
}

int monteCarloHelpTopic(MonteCarloKind kind) {
    return kind == MonteCarloKind::FirstOrder ? kHelpMonteCarloFirstOrder : kHelpMonteCarloEquilibrium;
}

std::string monteCarloIntroText(MonteCarloKind kind) {
    if (kind == MonteCarloKind::FirstOrder) {
        return "Kinetik als Glücksspiel: Auf dem Brett liegen N0 Moleküle A. In jedem Zeitschritt wird "
               "ein Molekül zufällig gezogen; ist es ein A, reagiert es zu P. So entsteht Schritt für "
               "Schritt eine Reaktion 1. Ordnung A => P.";
    }
    return "Kinetik als Glücksspiel: In jedem Zeitschritt wird ein Molekül zufällig gezogen; ein A wird "
           "zu P, ein P zu A (bei K = 0,5 wird nur jedes zweite gezogene A zu P, bei K = 2 nur jedes "
           "zweite gezogene P zu A). So stellt sich das Gleichgewicht A <=> P mit K = N(P) / N(A) ein.";
}

std::string monteCarloStateText(const MonteCarloGame& game) {
    return "t = " + std::to_string(game.steps()) + "   N(A) = " + std::to_string(game.countA()) +
           "   N(P) = " + std::to_string(game.n0() - game.countA());
}

std::string ensembleSummaryText(int runs, const EnsembleBand& band, char sep) {
    return "Ensemble aus " + std::to_string(runs) +
           " Läufen: Streuung ±1σ bei N(A) ≈ N0/2: " + formatNumber(band.sigmaAtHalfPercent, "0.00", sep) +
           " % von N0 (erwartet " + formatNumber(band.expectedSigmaAtHalfPercent, "0.00", sep) +
           " %); sie nimmt mit der Wurzel aus N0 ab.";
}

}  // namespace zemtral
