#pragma once
// State of the evaluations that lives for the whole program run: the switches the evaluation
// commands set, the activation parameters of the temperature laws and the fitting window's state.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/engine.h"
#include "numeric/akima_spline.h"
#include "numeric/fit_statistics.h"

namespace zemtral {

/// @brief Form of the temperature law of k: 1 Arrhenius, 2 Eyring.
enum KTForm : std::uint8_t { kKTArrhenius = 1, kKTEyring = 2 };

/// @brief Physical constants of the temperature laws.
inline constexpr double kGasConstant = 8.3145;     ///< R [J/(mol K)]
inline constexpr double kBoltzmann = 1.38066e-23;  ///< kB [J/K]
inline constexpr double kPlanck = 6.62618e-34;     ///< h [J s]

/// @brief Activation parameters found by the non-isothermal fitting or typed into the calculator.
struct ActivationParameters {
    double arrheniusA = 0.0;        ///< pre-exponential factor A [k unit]
    double activationEnergy = 0.0;  ///< EA [J/mol]
    double eyringFactor = 0.0;      ///< (kB/h)·exp(ΔS#/R) in the data's time unit [1/(K·time unit)]
    double deltaH = 0.0;            ///< ΔH# [J/mol]
    double deltaS = 0.0;            ///< ΔS# [J/(mol K)]
};

/// @brief The spline of the tangent evaluation through the points of one species, or the reason
/// why there is none.
struct TangentSpline {
    AkimaStatus status;
    AkimaCoefficients spline;
    int usedPoints = 0;  ///< measured points that entered the spline
};

/// @brief How well the fitted model matches the measured values of one species.
struct SpeciesFitStatistics {
    int slot = 0;              ///< species slot 1..5
    int count = 0;             ///< m_s, measured values of the species that entered the fit
    double residualSd = 0.0;   ///< √(SS_s/ν_s) with ν_s = m_s·(m − n_free)/m [mol/l]: the residual
                               ///< degrees of freedom shared in proportion, so that the species'
                               ///< variances pool to σ² of the fit
    std::optional<double> r2;  ///< 1 − SS_s/Σ(c − c̄)²; nothing when the measured values do not vary
};

/// @brief The residuals of one fitted species at the fitting window's parameters.
struct SpeciesResiduals {
    int slot = 0;                  ///< species slot 1..5
    std::vector<double> t;         ///< times of the measured values [time unit]
    std::vector<double> residual;  ///< measured − model, one per time [unit of the measured value]
};

/// @brief The statistics of the last Auto-Fitting, shown until a parameter changes.
struct FitStatisticsState {
    bool shown = false;
    std::array<double, 4> params{};  ///< p(1..3) the statistics belong to
    ParameterStatistics parameters;  ///< vectors indexed 0..n−1
    std::vector<SpeciesFitStatistics> species;
};

/// @brief The evaluation switches and the fitting window's state.
struct EvaluationState {
    bool lambdaMode = false;      ///< a lambda evaluation is active
    bool equalStartConc = false;  ///< A + B => P evaluated with c(A)(0) = c(B)(0)
    std::uint8_t kTForm = kKTArrhenius;
    ActivationParameters activation;
    std::array<double, 4> fitParams{};  ///< p(1..3) of the fitting window; p(0) unused
    std::array<bool, 4> fixed{};        ///< "fixiert" per parameter (1..3)
    std::array<bool, 6> fitSpecies{false, true, true, true, true, true};  ///< chkConcFQS(1..5) ticked
    std::array<double, 4> standardDeviation{};  ///< of the last Auto-Fitting; 0 = not shown
    bool standardDeviationShown = false;
    FitStatisticsState statistics;  ///< of the last Auto-Fitting
    bool autoFitRunning = false;    ///< an Auto-Fitting is under way: a second one is refused
    /// The fit's own model runs (on a time span that reaches every measured point), kept apart
    /// from the simulation that the diagram shows.
    SimulationResult fitSimulation;
    /// Temperature of the fitting curve simulated last (modes 6, 7): its curve legend [K].
    float curveTemperature = 0.0f;
    /// The residuals the residual plot shows, taken when "Residuen" was pressed.
    std::vector<SpeciesResiduals> residuals;
    TangentSpline tangent;   ///< of the tangent window
    int tangentSpecies = 1;  ///< its species slot
};

}  // namespace zemtral
