#include "diagrams/diagram_kind.h"

#include <array>
#include <string_view>

#include "numeric/number_text.h"

namespace zemtral {

namespace {

// One row of the kind table of the simulation kinds. For the rate kinds the y caption is the
// prefix to which the time unit and ")" are appended.
struct SimulationKindRow {
    std::int16_t kind;
    std::int16_t seriesCount;
    std::string_view title;
    std::string_view yCaption;
};

// The rate diagrams 54, 62 and 67 had no caption of their own (the previous one stayed on
// screen); they get the caption of the other two-reactant kinds.
constexpr std::array<SimulationKindRow, 38> kSimulationKinds{{
    {1, 2, "Konzentrationsverlauf für die Reaktion 0. Ordnung A => P", "c(A), c(P)/ (mol/l)"},
    {2, 2, "Konzentrationsverlauf für die Reaktion 1. Ordnung A => P", "c(A), c(P)/ (mol/l)"},
    {3, 2, "Konzentrationsverlauf für die Reaktion 2. Ordnung 2A => P", "c(A), c(P)/ (mol/l)"},
    {4, 3, "Konzentrationsverlauf für die Reaktion 2. Ordnung A + B => P", "c(A), c(B), c(P)/ (mol/l)"},
    {5, 2, "Konzentrationsverlauf für eine autokatalytische Reaktion A => P", "c(A), c(P)/ (mol/l)"},
    {6, 3, "Konzentrationsverlauf für die Folgereaktion 1. Ordng A => C => P", "c(A), c(C), c(P)/ (mol/l)"},
    {7, 4, "Konz.-verlauf für die konkurrierende Folgereaktion A + B => C;  A + C => P",
     "c(A), c(B), c(C), c(P)/ (mol/l)"},
    {8, 2, "Konz.-verlauf für die umkehrbare Rkt. 1. Ordng A <=> P,  K = k>/k< ", "c(A), c(P)/ (mol/l)"},
    {9, 4, "Konz.-verlauf für die Folgereaktion 2. Ordnung A + B => C => P",
     "c(A), c(B), c(C), c(P)/ (mol/l)"},
    {10, 4, "Enzymreaktion n. Michaelis-Menten E + S <=> ES => P + E,  KM = (k< + k3) / k> ",
     "c(E), c(S), c(ES), c(P)/ (mol/l)"},
    {11, 3, "Konz.-verlauf für die Parallelreaktion 1. Ordnung  A => P;  A => Q",
     "c(A), c(P), c(Q)/ (mol/l)"},
    {12, 3, "Konz.-verlauf für eine umkehrbare Reakt. 2. Ordnung A + B <=> 2P,  K = k>/k< ",
     "c(A), c(B), c(P)/ (mol/l)"},
    {13, 4, "Folgereakt. 2. Ordng mit nachgelag. Gleichgewicht A + B => C <=> P,  K = k>/k< ",
     "c(A), c(B), c(C), c(P)/ (mol/l)"},
    {14, 3, "Folgereakt. 1. Ordng mit nachgelag. Gleichgewicht A => C <=> P,  K = k>/k< ",
     "c(A), c(C), c(P) / (mol/l)"},
    {15, 3, "Folgereakt. 1. Ordng mit vorgelag. Gleichgewicht A <=> C => P,  K = k>/k< ",
     "c(A), c(C), c(P) / (mol/l)"},
    {16, 3, "Autokatalytische Reaktion A => P + Q  (Katalysator P)", "c(A), c(P), c(Q)/ (mol/l)"},
    {17, 3, "Konz.-verlauf für eine umkehrbare Reakt. 2. Ordnung A + B <=> P,  K = k>/k< ",
     "c(A), c(B), c(P)/ (mol/l)"},
    {18, 4, "Folgereaktion mit vorgelagertem Gleichgewicht A + B <=> C => P,  K = k>/k< ",
     "c(A), c(B), c(C), c(P)/ (mol/l)"},
    {20, 2, "Reaktionsgeschwindigkeiten, Reaktion n-ter Ordnung A => P", "c(A), c(P) / (mol/l)"},
    {51, 2, "Reaktionsgeschwindigkeiten r, Reaktion 0. Ordnung A => P", "r(A), r(P) / (mol/l/"},
    {52, 2, "Reaktionsgeschwindigkeiten r, Reaktion 1. Ordnung A => P", "r(A), r(P) / (mol/l/"},
    {53, 2, "Reaktionsgeschwindigkeiten r, Reaktion 2. Ordnung 2A => P", "r(A), r(P) / (mol/l/"},
    {54, 3, "Reaktionsgeschwindigkeiten r, Reaktion 2. Ordnung A + B => P", "r(A), r(B), r(P) / (mol/l/"},
    {55, 2, "Reaktionsgeschwindigkeiten r, autokatalytische Reaktion A => P", "r(A), r(P) / (mol/l/"},
    {56, 3, "Reaktionsgeschwindigkeiten r, Folgereaktion 1. Ordng A => C => P", "r(A), r(C), r(P) / (mol/l/"},
    {57, 4, "Reaktionsgeschwindigkeiten r, konkurr. Folgereaktion A + B => C;  A + C => P",
     "r(A), r(B), r(C), r(P) / (mol/l/"},
    {58, 2, "Reaktionsgeschwindigkeiten r, umkehrbare Rkt. 1. Ordng A <=> P,  K = k>/k< ",
     "r(A), r(P) / (mol/l/"},
    {59, 4, "Reaktionsgeschwindigkeiten r, Folgereaktion 2. Ordnung A + B => C => P",
     "r(A), r(B), r(C), r(P) / (mol/l/"},
    {60, 4, "Enzymreaktion E + S <=> ES => P * E,  KM = (k< + k3) / k>", "r(E), r(S), r(ES), r(P) / (mol/l/"},
    {61, 3, "Reaktionsgeschwindigkeiten r, Parallelreaktion 1. Ordnung  A => P;  A => Q",
     "r(A), r(P), r(Q) / (mol/l/"},
    {62, 3, "Reaktionsgeschwindigkeiten r, umkehrbare Reakt. 2. Ordnung A + B <=> 2P,  K = k>/k< ",
     "r(A), r(B), r(P) / (mol/l/"},
    {63, 4, "Folgereakt. 2. Ordng mit nachgelag. Gleichgewicht A + B => C <=> P,  K = k>/k<",
     "r(A), r(B), r(C), r(P) / (mol/l/"},
    {64, 3, "Folgereakt. 1. Ordng mit nachgelag. Gleichgewicht A => C <=> P,  K = k>/k<",
     "r(A), r(C), r(P) / (mol/l/"},
    {65, 3, "Folgereakt. 1. Ordng mit vorgelag. Gleichgewicht A <=> C => P,  K = k>/k<",
     "r(A), r(C), r(P) / (mol/l/"},
    {66, 3, "Autokatalytische Reaktion A => P + Q  (Katalysator P)", "r(A), r(P), r(Q) / (mol/l/"},
    {67, 3, "Reaktionsgeschwindigkeiten r, umkehrbare Reakt. 2. Ordnung A + B <=> P,  K = k>/k< ",
     "r(A), r(B), r(P) / (mol/l/"},
    {68, 4, "Folgereaktion mit vorgelagertem Gleichgewicht A + B <=> C => P,  K = k>/k< ",
     "r(A), r(B), r(C), r(P) / (mol/l/"},
    {70, 2, "Reaktionsgeschwindigkeiten r, Reaktion n-ter Ordnung A => P", "r(A), r(P) / (mol/l/"},
}};

const SimulationKindRow* findSimulationKind(int kind) {
    for (const auto& row : kSimulationKinds) {
        if (row.kind == kind) {
            return &row;
        }
    }
    return nullptr;
}

constexpr std::array<std::string_view, 6> kSpeciesLetters{"", "A", "B", "C", "P", "Q"};

}  // namespace

DiagramTextContext textContextFrom(const WorkingState& state) {
    DiagramTextContext context;
    context.timeUnit = state.timeUnit;
    context.fittingMode = state.fittingMode;
    context.mmMode = state.mmMode;
    context.modelId = state.modelId;
    context.mmSettings = state.mmSettings;
    return context;
}

DiagramKindTexts diagramKindTexts(DiagramKind kind, const DiagramTextContext& context) {
    DiagramKindTexts texts;
    const std::string timeCaption = "t/ " + context.timeUnit;

    if (isMichaelisMenten(modelOfKind(kind), context.mmMode)) {
        texts.seriesCount = 1;
        texts.title = "Enzymreaktion n. Michaelis-Menten; Michaelis-Konstante KM =" +
                      formatSingle(context.mmSettings.km, context.decimalSeparator);
        texts.yCaption = "r(P) / r(P), max";
        texts.xCaption = context.mmSettings.normalised ? "c(S0) / KM" : "c(S0)";
        return texts;
    }

    if (const SimulationKindRow* row = findSimulationKind(kind)) {
        texts.seriesCount = row->seriesCount;
        texts.title = std::string(row->title);
        texts.xCaption = timeCaption;
        if (isRateKind(kind)) {
            texts.yCaption = std::string(row->yCaption) + context.timeUnit + ")";
        } else {
            texts.yCaption = std::string(row->yCaption);
        }
        if (kind == 1) {
            texts.pointLegend = true;
        } else if (kind == 2 && context.fittingMode == kFittingNonIsothermalFirst) {
            texts.yCaption = "c(A)/c(A)(0)";
        } else if (kind == 3 && context.fittingMode == kFittingNonIsothermalSecond) {
            texts.yCaption = "c(A)/ (mol/l)";
        }
        return texts;
    }

    switch (kind) {
        case kKindSingleSpecies: {
            const int slot =
                context.selectedSpecies >= 1 && context.selectedSpecies <= 5 ? context.selectedSpecies : 1;
            const std::string letter(kSpeciesLetters[static_cast<std::size_t>(slot)]);
            texts.title = "Konzentration c(" + letter + ") vs. Zeit";
            texts.yCaption = "c(" + letter + ")/ (mol/l)";
            texts.xCaption = timeCaption;
            break;
        }
        case kKindMeasuredConcentrations:
            texts.title = "Messpunkte Konzentration vs. Zeit";
            texts.yCaption = "c/ (mol/l)";
            texts.xCaption = timeCaption;
            texts.pointLegend = true;
            break;
        case kKindMeasuredRateConstants:
            texts.title = "Messpunkte Geschw.-konstante k vs. Temperatur";
            texts.yCaption = "k ";
            texts.xCaption = "T/ K ";
            break;
        case kKindArrhenius:
            texts.title = "ln(k) vs. reziproke absolute T, ARRHENIUS-Auswertung";
            texts.yCaption = "ln(k) ";
            texts.xCaption = "1/ (T/K) ";
            break;
        case kKindEyring:
            texts.title = "ln(k/T) vs. reziproke absolute T, EYRING-Auswertung";
            texts.yCaption = "ln(k/T) ";
            texts.xCaption = "1/ (T/K) ";
            break;
        case kKindFirstOrderLinear:
            texts.title = "Versuchsdaten-Auswertung nach 1. Ordnung: A => P";
            texts.yCaption = "ln(c(A)/ (mol/l))";
            texts.xCaption = timeCaption;
            break;
        case kKindSecondOrderLinear:
            texts.title = context.equalStartConc
                              ? "Versuchsdaten-Auswertung nach 2. Ordnung: A + B => P  (c(A)(0) = c(B)(0)"
                              : "Versuchsdaten-Auswertung nach 2. Ordnung: 2 A => P";
            texts.yCaption = "1/(c(A)/ (mol/l))";
            texts.xCaption = timeCaption;
            break;
        case kKindWilkinson:
            texts.title = "Versuchsdaten-Auswertung nach Wilkinson";
            texts.yCaption = "t/[(c(A)(0) - c(A))/c(A)(0)]";
            texts.xCaption = timeCaption;
            break;
        case kKindSecondOrderUnequal:
            texts.title = "Versuchsdaten-Auswertung nach 2. Ordnung: A  + B => P  (c(A)(0) <> c(B)(0)";
            texts.yCaption = "ln(c(A)/c(B))";
            texts.xCaption = timeCaption;
            break;
        case kKindFittingPoints:
            switch (context.fittingMode) {
                case kFittingOrder:
                    texts.title = "Messpunkte Konzentration vs. Zeit, Reaktionsordnung-Fitting";
                    texts.yCaption = "c/ (mol/l)";
                    break;
                case kFittingNonIsothermalFirst:
                    texts.title = "Messpunkte Konzentration vs. Zeit, 1. Ordng, nicht-isotherm";
                    texts.yCaption = "c(A)/c(A)(0)";
                    break;
                case kFittingNonIsothermalSecond:
                    texts.title = "Messpunkte Konzentration vs. Zeit, 2. Ordng,  nicht-isotherm";
                    texts.yCaption = "c(A)/ (mol/l)";
                    break;
                default:
                    texts.title = "Messpunkte Konzentration vs. Zeit, k-Fitting";
                    texts.yCaption = "c/ (mol/l)";
                    break;
            }
            texts.xCaption = timeCaption;
            texts.pointLegend = true;
            break;
        case kKindFitResiduals:
            texts.title = "Residuen (Messwert - Modell) vs. Zeit";
            texts.yCaption = context.fittingMode == kFittingNonIsothermalFirst ? "Residuum c(A)/c(A)(0)"
                                                                               : "Residuum / (mol/l)";
            texts.xCaption = timeCaption;
            break;
        case kKindLambdaFirstOrder:
            texts.title = "lambda-Versuchsdaten-Auswertung nach 1. Ordnung: A => P";
            texts.yCaption = context.lambda0 != 0.0 ? "ln ((lambda(inf)-lambda)/(lambda(inf)-lambda(0)))"
                                                    : "ln (lambda(inf)-lambda)";
            texts.xCaption = timeCaption;
            break;
        case kKindLambdaSecondOrder:
            texts.title = context.modelId == 3
                              ? "lambda-Versuchsdaten-Auswertung nach 2. Ordnung: 2A => P"
                              : "lambda-Versuchsdaten-Auswertung nach 2. Ordnung: A + B => P";
            texts.yCaption = context.lambda0 != 0.0 ? "(lambda(inf)-lambda(0))/(lambda(inf)-lambda)/c(A)(0)"
                                                    : "lambda(inf) / (lambda(inf)-lambda)";
            texts.xCaption = timeCaption;
            break;
        default:
            // Kinds outside the table (0, 19, 69...) set nothing: the previous texts stay.
            break;
    }
    return texts;
}

}  // namespace zemtral
