// The kind table word for word, and the masks per code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagrams/diagram_kind.h"
#include "diagrams/species_masks.h"

namespace zemtral {
namespace {

struct KindRow {
    int kind;
    int series;
    const char* title;
    const char* yCaption;  // rate kinds: without the unit and ")"
};

// The table as the users know it; the rate captions end in the unit, appended below.
const std::vector<KindRow> kRows = {
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
};

TEST(DiagramKindTable, EverySimulationKindWordForWord) {
    DiagramTextContext context;
    context.timeUnit = "min";
    for (const KindRow& row : kRows) {
        SCOPED_TRACE(row.kind);
        const DiagramKindTexts texts = diagramKindTexts(static_cast<DiagramKind>(row.kind), context);
        ASSERT_TRUE(texts.seriesCount && texts.title && texts.xCaption && texts.yCaption);
        EXPECT_EQ(*texts.seriesCount, row.series);
        EXPECT_EQ(*texts.title, row.title);
        EXPECT_EQ(*texts.xCaption, "t/ min");
        const std::string expectedY = row.kind > 50 ? std::string(row.yCaption) + "min)" : row.yCaption;
        EXPECT_EQ(*texts.yCaption, expectedY);
        EXPECT_EQ(texts.pointLegend, row.kind == 1);
    }
    // The rate kinds whose caption the table left unset follow the two-reactant kinds.
    context.timeUnit = "s";
    for (int kind : {54, 62, 67}) {
        EXPECT_EQ(*diagramKindTexts(static_cast<DiagramKind>(kind), context).yCaption,
                  "r(A), r(B), r(P) / (mol/l/s)");
    }
    EXPECT_EQ(*diagramKindTexts(52, context).yCaption, "r(A), r(P) / (mol/l/s)");
}

TEST(DiagramKindTable, ModeDependentTexts) {
    DiagramTextContext context;
    context.fittingMode = kFittingNonIsothermalFirst;
    EXPECT_EQ(*diagramKindTexts(2, context).yCaption, "c(A)/c(A)(0)");
    EXPECT_EQ(*diagramKindTexts(3, context).yCaption, "c(A), c(P)/ (mol/l)");
    EXPECT_EQ(*diagramKindTexts(-9, context).title,
              "Messpunkte Konzentration vs. Zeit, 1. Ordng, nicht-isotherm");
    EXPECT_EQ(*diagramKindTexts(-9, context).yCaption, "c(A)/c(A)(0)");
    context.fittingMode = kFittingNonIsothermalSecond;
    EXPECT_EQ(*diagramKindTexts(3, context).yCaption, "c(A)/ (mol/l)");
    EXPECT_EQ(*diagramKindTexts(-9, context).title,
              "Messpunkte Konzentration vs. Zeit, 2. Ordng,  nicht-isotherm");
    EXPECT_EQ(*diagramKindTexts(-9, context).yCaption, "c(A)/ (mol/l)");
    context.fittingMode = kFittingOrder;
    EXPECT_EQ(*diagramKindTexts(-9, context).title,
              "Messpunkte Konzentration vs. Zeit, Reaktionsordnung-Fitting");
    context.fittingMode = kFittingRateConstants;
    const DiagramKindTexts fit = diagramKindTexts(-9, context);
    EXPECT_EQ(*fit.title, "Messpunkte Konzentration vs. Zeit, k-Fitting");
    EXPECT_EQ(*fit.yCaption, "c/ (mol/l)");
    EXPECT_TRUE(fit.pointLegend);
    EXPECT_FALSE(fit.seriesCount);

    // Michaelis-Menten display of model 10, for kind 10 and 60 alike.
    context = DiagramTextContext{};
    context.mmMode = true;
    context.mmSettings.km = 0.25f;
    context.decimalSeparator = ',';
    for (DiagramKind kind : {DiagramKind{10}, DiagramKind{60}}) {
        const DiagramKindTexts mm = diagramKindTexts(kind, context);
        EXPECT_EQ(*mm.seriesCount, 1);
        EXPECT_EQ(*mm.title, "Enzymreaktion n. Michaelis-Menten; Michaelis-Konstante KM =0,25");
        EXPECT_EQ(*mm.yCaption, "r(P) / r(P), max");
        EXPECT_EQ(*mm.xCaption, "c(S0) / KM");
    }
    context.mmSettings.normalised = false;
    EXPECT_EQ(*diagramKindTexts(10, context).xCaption, "c(S0)");
    // mmMode does not touch the other models.
    EXPECT_EQ(*diagramKindTexts(4, context).seriesCount, 3);
}

TEST(DiagramKindTable, MeasuredAndEvaluationKinds) {
    DiagramTextContext context;
    context.timeUnit = "h";
    context.selectedSpecies = 4;
    const DiagramKindTexts single = diagramKindTexts(100, context);
    EXPECT_EQ(*single.title, "Konzentration c(P) vs. Zeit");
    EXPECT_EQ(*single.yCaption, "c(P)/ (mol/l)");
    EXPECT_EQ(*single.xCaption, "t/ h");
    EXPECT_FALSE(single.seriesCount);

    struct Expected {
        int kind;
        const char* title;
        const char* x;
        const char* y;
    };
    const std::vector<Expected> expected = {
        {-1, "Messpunkte Konzentration vs. Zeit", "t/ h", "c/ (mol/l)"},
        {-2, "Messpunkte Geschw.-konstante k vs. Temperatur", "T/ K ", "k "},
        {-3, "ln(k) vs. reziproke absolute T, ARRHENIUS-Auswertung", "1/ (T/K) ", "ln(k) "},
        {-4, "ln(k/T) vs. reziproke absolute T, EYRING-Auswertung", "1/ (T/K) ", "ln(k/T) "},
        {-5, "Versuchsdaten-Auswertung nach 1. Ordnung: A => P", "t/ h", "ln(c(A)/ (mol/l))"},
        {-6, "Versuchsdaten-Auswertung nach 2. Ordnung: A + B => P  (c(A)(0) = c(B)(0)", "t/ h",
         "1/(c(A)/ (mol/l))"},
        {-7, "Versuchsdaten-Auswertung nach Wilkinson", "t/ h", "t/[(c(A)(0) - c(A))/c(A)(0)]"},
        {-8, "Versuchsdaten-Auswertung nach 2. Ordnung: A  + B => P  (c(A)(0) <> c(B)(0)", "t/ h",
         "ln(c(A)/c(B))"},
        {-10, "lambda-Versuchsdaten-Auswertung nach 1. Ordnung: A => P", "t/ h", "ln (lambda(inf)-lambda)"},
        {-11, "lambda-Versuchsdaten-Auswertung nach 2. Ordnung: A + B => P", "t/ h",
         "lambda(inf) / (lambda(inf)-lambda)"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.kind);
        const DiagramKindTexts texts = diagramKindTexts(static_cast<DiagramKind>(e.kind), context);
        EXPECT_EQ(*texts.title, e.title);
        EXPECT_EQ(*texts.xCaption, e.x);
        EXPECT_EQ(*texts.yCaption, e.y);
        EXPECT_EQ(texts.pointLegend, e.kind == -1);
        EXPECT_FALSE(texts.seriesCount);
    }
    context.equalStartConc = false;
    context.lambda0 = 0.3;
    context.modelId = 3;
    EXPECT_EQ(*diagramKindTexts(-6, context).title, "Versuchsdaten-Auswertung nach 2. Ordnung: 2 A => P");
    EXPECT_EQ(*diagramKindTexts(-10, context).yCaption, "ln ((lambda(inf)-lambda)/(lambda(inf)-lambda(0)))");
    EXPECT_EQ(*diagramKindTexts(-11, context).title,
              "lambda-Versuchsdaten-Auswertung nach 2. Ordnung: 2A => P");
    EXPECT_EQ(*diagramKindTexts(-11, context).yCaption,
              "(lambda(inf)-lambda(0))/(lambda(inf)-lambda)/c(A)(0)");

    // The residual plot of a fit: its own title and y caption (relative in first-order mode 6).
    EXPECT_EQ(*diagramKindTexts(kKindFitResiduals, context).title, "Residuen (Messwert - Modell) vs. Zeit");
    EXPECT_EQ(*diagramKindTexts(kKindFitResiduals, context).yCaption, "Residuum / (mol/l)");
    context.fittingMode = kFittingNonIsothermalFirst;
    EXPECT_EQ(*diagramKindTexts(kKindFitResiduals, context).yCaption, "Residuum c(A)/c(A)(0)");
    EXPECT_FALSE(diagramKindTexts(kKindFitResiduals, context).seriesCount);  // the command sets it

    // Kinds outside the table set nothing, so the previous texts stay.
    for (int kind : {0, 19, 69, 101, -13}) {
        const DiagramKindTexts none = diagramKindTexts(static_cast<DiagramKind>(kind), context);
        EXPECT_FALSE(none.title || none.xCaption || none.yCaption || none.seriesCount) << kind;
    }
}

TEST(SpeciesMasks, EveryCode) {
    struct Expected {
        int code;
        std::uint8_t fitting;
        const char* species;
        const char* parameters;
        bool temperature;
    };
    const std::vector<Expected> expected = {
        {1, 0, "10010", "100", false},   {5, 0, "10010", "100", false},   {2, 0, "10010", "100", false},
        {2, 6, "10000", "110", false},   {3, 0, "10010", "100", false},   {3, 7, "10000", "110", false},
        {4, 0, "11010", "100", false},   {6, 0, "10110", "110", false},   {7, 0, "11110", "110", false},
        {9, 0, "11110", "110", false},   {8, 0, "10010", "110", false},   {10, 0, "11110", "111", false},
        {13, 0, "11110", "111", false},  {18, 0, "11110", "111", false},  {11, 0, "10011", "110", false},
        {12, 0, "11010", "110", false},  {17, 0, "11010", "110", false},  {14, 0, "10110", "111", false},
        {15, 0, "10110", "111", false},  {16, 0, "10011", "100", false},  {20, 0, "10010", "100", false},
        {20, 2, "10010", "110", false},  {51, 0, "00000", "000", false},  {60, 0, "00000", "000", false},
        {70, 0, "00000", "000", false},  {-11, 0, "10010", "000", false}, {-10, 0, "10010", "000", false},
        {-9, 0, "11111", "000", false},  {-1, 0, "11111", "000", false},  {-8, 0, "00002", "000", false},
        {-5, 0, "00002", "000", false},  {-6, 0, "00002", "000", false},  {-4, 0, "00000", "000", true},
        {-3, 0, "00000", "000", true},   {-2, 0, "00000", "000", true},   {19, 0, "00000", "000", false},
        {100, 0, "00000", "000", false}, {0, 0, "00000", "000", false},   {-12, 0, "00000", "000", false},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(testing::Message() << "code " << e.code << " fitting " << int(e.fitting));
        const SpeciesMasks masks = SetSpeciesMasks(e.code, e.fitting);
        EXPECT_EQ(masks.speciesMask, e.species);
        EXPECT_EQ(masks.parameterMask, e.parameters);
        EXPECT_EQ(masks.temperatureDiagram, e.temperature);
    }
    EXPECT_EQ(speciesMaskValue("00002"), 2);
    EXPECT_EQ(speciesMaskValue("10010"), 10010);
}

}  // namespace
}  // namespace zemtral
