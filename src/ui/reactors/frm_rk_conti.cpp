#include "ui/reactors/frm_rk_conti.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "reactors/cstr.h"
#include "session/help_topics.h"
#include "session/reactor_commands.h"
#include "session/session.h"
#include "ui/simulation/number_field.h"

namespace zemtral {

frmRKconti::frmRKconti(Session& session, UserDialogs& dialogs, ReactorWindowLinks links, QWidget* parent)
    : ReactorWindow(session, dialogs, links, CalcWindowKind::StirredTank, 17, ReactorPicture::Kind::Tank,
                    parent) {
    setObjectName(QStringLiteral("frmRKconti"));
    setWindowTitle(QStringLiteral("  Kontinuierlicher Rührreaktor"));

    QGroupBox* concentrations =
        buildConcentrationFrame(QStringLiteral("Konzentrationen"), QStringLiteral("Einlaufkonzentration"),
                                QStringLiteral("c(i)(0) /(mol/l)"), QStringLiteral("Produktkonzentration"),
                                QStringLiteral("c /(mol/l)"));
    QGroupBox* rates = buildRateFrame(QStringLiteral("Geschwindigkeitskonstanten"));
    std::vector<QString> captions;
    for (int i = 0; i <= 4; ++i) {
        captions.push_back(QString::fromStdString(cstrOptionCaption(static_cast<CstrInputChoice>(i))));
    }
    const int choice =
        session.cstrInputChoice >= 0 && session.cstrInputChoice <= 4 ? session.cstrInputChoice : 0;
    QGroupBox* options = buildOptionFrame(QStringLiteral(" Vorgabe von zwei Größen "), captions, choice);

    auto* quantities = new QGroupBox(QStringLiteral("Umsatz, Volumen, Volumenstrom, Verweilzeit"), this);
    quantities->setObjectName(QStringLiteral("fraGroessen"));
    auto* grid = new QGridLayout(quantities);
    addQuantityRow(grid, 0, 13, new QLabel(QStringLiteral("U(A)"), quantities),
                   new QLabel(QStringLiteral("(0 < U(A) < 1) "), quantities));
    addQuantityRow(grid, 1, 14, new QLabel(QStringLiteral(" V/ m^3"), quantities), nullptr);
    auto* flow = new QLabel(QStringLiteral(" V*/ (m^3/t)"), quantities);
    flow->setObjectName(QStringLiteral("lblFlow"));
    addQuantityRow(grid, 2, 15, flow, nullptr);
    auto* time = new QLabel(QStringLiteral("mittl. Verweilzeit t /"), quantities);
    auto* timeUnit = new QLabel(quantities);
    timeUnit->setObjectName(QStringLiteral("lblZeiteinheit"));
    addQuantityRow(grid, 3, 16, time, timeUnit);
    field(16)->setToolTip(QStringLiteral(" entspricht \"Füllzeit\" des Reaktors "));
    grid->setColumnStretch(1, 1);

    auto* help = new QPushButton(QStringLiteral("Hilfe zum Rechenweg"));
    help->setObjectName(QStringLiteral("cmdHilfe"));
    connect(help, &QPushButton::clicked, this, [this, links] {
        if (links.showHelp) {
            links.showHelp(kHelpStirredTankWay + m_session.cstrInputChoice);
        }
    });
    QWidget* buttons = buildButtonRow(
        QStringLiteral("Start"), QStringLiteral("cmdStart"),
        QStringLiteral(
            " Excel-kompatibles Ergebnisprotokoll als CSV-File und in Clipboard (erst \"Start\", dann "
            "\"Protokollieren\" ) "),
        help);
    assemble(concentrations, rates, options, quantities, buttons);
    // The tank keeps its own volume and flow; the residence time is the session's reaction time.
    loadFromSession({{14, 0.0}, {15, 0.0}, {16, session.reactionTime}});
    picture()->setConversion(0.0, true);

    m_stirrer.setInterval(kStirrerIntervalMs);
    connect(&m_stirrer, &QTimer::timeout, this,
            [this] { picture()->setStirrerPhase(picture()->stirrerPhase() > 0.45 ? 0.3 : 0.6); });
}

bool frmRKconti::runCommand(double& conversion) {
    const auto result = cstrStart(m_session, m_dialogs, inputTexts(), separator());
    if (result.success) {
        showInputTexts(result.fields);
        conversion = result.conversion;
    }
    return result.success;
}

std::vector<int> frmRKconti::givenFields(int option) const {
    const auto given = cstrGivenFields(static_cast<CstrInputChoice>(option));
    return {given[0], given[1]};
}

void frmRKconti::optionChosen(int option) {
    m_stirring = false;
    m_stirrer.stop();
    picture()->setConversion(0.0, true);
    m_session.cstrInputChoice = static_cast<std::int16_t>(option);
}

void frmRKconti::resultsShown(double) {
    m_stirring = true;
    m_stirrer.start();
}

void frmRKconti::resultsLost() {
    m_stirring = false;
    m_stirrer.stop();
}

void frmRKconti::showEvent(QShowEvent* event) {
    ReactorWindow::showEvent(event);
    if (m_stirring && !m_stirrer.isActive()) {
        m_stirrer.start();
    }
}

void frmRKconti::hideEvent(QHideEvent* event) {
    // Hidden or minimised: nobody sees the stirrer, so its timer rests.
    m_stirrer.stop();
    ReactorWindow::hideEvent(event);
}

}  // namespace zemtral
