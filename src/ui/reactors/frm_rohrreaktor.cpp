#include "ui/reactors/frm_rohrreaktor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "session/reactor_commands.h"
#include "session/session.h"
#include "ui/simulation/number_field.h"

namespace zemtral {

frmRohrreaktor::frmRohrreaktor(Session& session, UserDialogs& dialogs, ReactorWindowLinks links,
                               QWidget* parent)
    : ReactorWindow(session, dialogs, std::move(links), CalcWindowKind::TubeReactor, 17,
                    ReactorPicture::Kind::Tube, parent) {
    setObjectName(QStringLiteral("frmRohrreaktor"));
    setWindowTitle(QStringLiteral("  Rohrreaktor, volumenbeständige Reaktion"));

    QGroupBox* concentrations =
        buildConcentrationFrame(QStringLiteral("Konzentrationen"), QStringLiteral("Eingangs-Konzentration"),
                                QStringLiteral("c(i)(0) /(mol/l)"), QStringLiteral("Ausgangs-Konzentr."),
                                QStringLiteral("c/(mol/l)"));
    QGroupBox* rates = buildRateFrame(QStringLiteral("Geschwindigkeitskonstanten"));
    const int choice =
        session.tubeInputChoice >= 0 && session.tubeInputChoice <= 2 ? session.tubeInputChoice : 0;
    QGroupBox* options = buildOptionFrame(
        QStringLiteral(" Vorgabe einer Größe "),
        {QStringLiteral(" Reaktionszeit"), QStringLiteral(" Rohrlänge l/m"), QStringLiteral(" Umsatz U(A)")},
        choice);

    auto* quantities = new QGroupBox(QStringLiteral("Umsatz, Reaktionszeit, Rohr"), this);
    quantities->setObjectName(QStringLiteral("fraGroessen"));
    auto* grid = new QGridLayout(quantities);
    addQuantityRow(grid, 0, 13, new QLabel(QStringLiteral("U(A)"), quantities),
                   new QLabel(QStringLiteral("(0 < U(A) < 1)"), quantities));
    auto* timeUnit = new QLabel(quantities);
    timeUnit->setObjectName(QStringLiteral("lblZeiteinheit"));
    addQuantityRow(grid, 1, 14, new QLabel(QStringLiteral("Reaktionszeit t /"), quantities), timeUnit);
    addQuantityRow(grid, 2, 15, new QLabel(QStringLiteral("Rohrlänge"), quantities),
                   new QLabel(QStringLiteral("l /m"), quantities));
    addQuantityRow(grid, 3, 16, new QLabel(QStringLiteral("Srömungsgeschwindigkeit"), quantities),
                   new QLabel(QStringLiteral("v /(m/s)"), quantities));
    grid->setColumnStretch(1, 1);

    QWidget* buttons = buildButtonRow(
        QStringLiteral("Berechnen"), QStringLiteral("cmdBerechnen"),
        QStringLiteral(
            " Excel-kompatibles Ergebnisprotokoll als CSV-File und in Clipboard (erst \"Berechnen\", "
            "dann \"Protokollieren\") "));
    assemble(concentrations, rates, options, quantities, buttons);
    loadFromSession({{15, 0.0}, {16, 0.0}});
}

bool frmRohrreaktor::runCommand(double& conversion) {
    const auto result = tubeCalculate(m_session, m_dialogs, inputTexts(), separator());
    if (result.success) {
        showInputTexts(result.fields);
        conversion = result.conversion;
    }
    return result.success;
}

std::vector<int> frmRohrreaktor::givenFields(int option) const {
    const int given = option == 1 ? 15 : option == 2 ? 13 : 14;
    return {given, 16};
}

void frmRohrreaktor::optionChosen(int option) {
    m_session.tubeInputChoice = static_cast<std::int16_t>(option);
}

void frmRohrreaktor::resultsShown(double) {
    picture()->setProfile(tubeConversionProfile(m_session, m_session.reactionTime, kProfileSamples));
}

}  // namespace zemtral
