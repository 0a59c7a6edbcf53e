#include "ui/reactors/frm_batch.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "numeric/number_text.h"
#include "session/reactor_commands.h"
#include "session/session.h"
#include "ui/simulation/number_field.h"

namespace zemtral {

frmBatch::frmBatch(Session& session, UserDialogs& dialogs, ReactorWindowLinks links, QWidget* parent)
    : ReactorWindow(session, dialogs, std::move(links), CalcWindowKind::BatchReactor, 15,
                    ReactorPicture::Kind::Vessel, parent) {
    setObjectName(QStringLiteral("frmBatch"));
    setWindowTitle(QStringLiteral("  Batch-Reaktor, isotherm"));

    QGroupBox* concentrations =
        buildConcentrationFrame(QStringLiteral("Konzentrationen"), QStringLiteral("Anfangs-Konzentration"),
                                QStringLiteral("c(i)(0) /(mol/l)"), QStringLiteral("End- Konzentration"),
                                QStringLiteral("c/(mol/l)"));
    QGroupBox* rates = buildRateFrame(QStringLiteral("Geschwindigkeitskonst."));
    QGroupBox* options = buildOptionFrame(QStringLiteral(" Vorgabe einer Größe "),
                                          {QStringLiteral("Reaktionszeit"), QStringLiteral(" Umsatz U/A)")},
                                          session.reactorInputChoice == 1 ? 1 : 0);

    auto* quantities = new QGroupBox(QStringLiteral("Umsatz und Reaktionszeit"), this);
    quantities->setObjectName(QStringLiteral("fraGroessen"));
    auto* grid = new QGridLayout(quantities);
    auto* conversionLabel = new QLabel(QStringLiteral("U(A)"), quantities);
    addQuantityRow(grid, 0, 13, conversionLabel, new QLabel(QStringLiteral("(0 < U(A) < 1)"), quantities));
    auto* timeLabel = new QLabel(QStringLiteral("Reaktionszeit t /"), quantities);
    auto* timeUnit = new QLabel(quantities);
    timeUnit->setObjectName(QStringLiteral("lblZeiteinheit"));
    addQuantityRow(grid, 1, 14, timeLabel, timeUnit);
    grid->setColumnStretch(1, 1);

    QWidget* buttons = buildButtonRow(
        QStringLiteral("Berechnen"), QStringLiteral("cmdBerechnen"),
        QStringLiteral(
            " Excel-kompatibles Ergebnisprotokoll als CSV-File und in Clipboard (erst \"Berechnen\", "
            "dann \"Protokollieren\") "));
    assemble(concentrations, rates, options, quantities, buttons);
    loadFromSession({});
}

bool frmBatch::runCommand(double& conversion) {
    const auto result = batchCalculate(m_session, m_dialogs, inputTexts(), separator());
    if (result.success) {
        showInputTexts(result.fields);
        conversion = result.conversion;
    }
    return result.success;
}

std::vector<int> frmBatch::givenFields(int option) const {
    return {option == 1 ? 13 : 14};
}

void frmBatch::optionChosen(int option) {
    m_session.reactorInputChoice = static_cast<std::int16_t>(option);
    if (option == 0) {
        setFieldText(14, QString::fromStdString(
                             formatSingle(static_cast<float>(m_session.reactionTime), separator())));
    }
}

}  // namespace zemtral
