#include "ui/montecarlo/frm_monte_carlo.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/diagrams/qt_chart_component.h"
#include "ui/montecarlo/molecule_board.h"
#include "ui/shell/frm_option.h"

namespace zemtral {
namespace {

constexpr std::int64_t kEnsembleChunk = 50'000;  // steps between two looks at the clock
constexpr qint64 kEnsembleFrameBudgetMs = 15;    // of every frame, for the ensemble's games

QString q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void setOptionFont(QRadioButton* option, bool chosen) {
    QFont font = option->font();
    font.setBold(chosen);
    font.setPointSize(chosen ? 9 : 8);
    option->setFont(font);
}

QString colouredStyle(const QColor& colour) {
    return QStringLiteral("color: %1; font-weight: bold; font-size: 14pt;").arg(colour.name());
}

}  // namespace

frmMonteCarlo::frmMonteCarlo(Session& session, UserDialogs& dialogs, std::function<void(int)> showHelp,
                             QWidget* parent)
    : QWidget(parent),
      m_session(session),
      m_dialogs(dialogs),
      m_showHelp(std::move(showHelp)),
      m_kind(session.shell.monteCarloKind == 2 ? MonteCarloKind::Equilibrium : MonteCarloKind::FirstOrder),
      m_pacer(kDefaultBoardIndex, 0.0f, false) {
    setObjectName(QStringLiteral("frmMonteCarlo"));
    setWindowTitle(q(kMonteCarloCaption));

    auto* intro = new QLabel(QString::fromStdString(monteCarloIntroText(m_kind)), this);
    intro->setObjectName(QStringLiteral("lblKopf"));
    intro->setWordWrap(true);

    m_board = new MoleculeBoard(this);
    m_labelA = new QLabel(QStringLiteral("A"), this);
    m_labelA->setObjectName(QStringLiteral("lblA"));
    m_labelP = new QLabel(QStringLiteral("P"), this);
    m_labelP->setObjectName(QStringLiteral("lblP"));
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("lblZustand"));
    m_state->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* boardLegend = new QHBoxLayout;
    boardLegend->addWidget(m_labelA);
    boardLegend->addSpacing(12);
    boardLegend->addWidget(m_labelP);
    boardLegend->addStretch(1);
    boardLegend->addWidget(m_state);
    auto* boardColumn = new QVBoxLayout;
    boardColumn->addWidget(m_board, 1);
    boardColumn->addLayout(boardLegend);

    m_chart = new QtChartComponent(this);
    m_chart->setObjectName(QStringLiteral("Chart2D2"));
    m_chart->setMinimumSize(500, 380);

    auto* top = new QHBoxLayout;
    top->addLayout(boardColumn, 2);
    top->addWidget(m_chart, 3);

    auto* n0Frame = new QGroupBox(QStringLiteral(" Zahl der Moleküle N0 "), this);
    n0Frame->setObjectName(QStringLiteral("fraN0"));
    auto* n0Layout = new QHBoxLayout(n0Frame);
    for (std::size_t i = 0; i < m_optN0.size(); ++i) {
        auto* option = new QRadioButton(q(kBoardSizes[i].caption), n0Frame);
        option->setObjectName(QStringLiteral("optN0_%1").arg(i));
        option->setToolTip(QStringLiteral(" Zahl der Moleküle N0, die an der Simulation beteiligt sind "));
        const int index = static_cast<int>(i);
        connect(option, &QRadioButton::clicked, this, [this, index] { chooseBoard(index); });
        n0Layout->addWidget(option);
        m_optN0[i] = option;
    }
    auto* kFrame = new QGroupBox(QStringLiteral(" Gleichgewichtskonstante  K = N(P) / N(A) "), this);
    kFrame->setObjectName(QStringLiteral("fraK"));
    auto* kLayout = new QHBoxLayout(kFrame);
    for (std::size_t i = 0; i < m_optK.size(); ++i) {
        auto* option = new QRadioButton(q(kEquilibriumCaptions[i]), kFrame);
        option->setObjectName(QStringLiteral("optK_%1").arg(i));
        const int index = static_cast<int>(i);
        connect(option, &QRadioButton::clicked, this, [this, index] { chooseK(index); });
        kLayout->addWidget(option);
        m_optK[i] = option;
    }
    m_kFrame = kFrame;
    kFrame->setVisible(m_kind == MonteCarloKind::Equilibrium);

    m_flashBox = new QCheckBox(QStringLiteral(" Aufblitz-Effekt bei \"Reaktion\"  (verlangsamt!)"), this);
    m_flashBox->setObjectName(QStringLiteral("chkBlitz"));
    m_ensembleBox = new QCheckBox(QStringLiteral("Ensemble: Mittelwert und ±1σ-Band aus 50 Läufen"), this);
    m_ensembleBox->setObjectName(QStringLiteral("chkEnsemble"));
    m_ensembleBox->setToolTip(
        QStringLiteral(" nach dem Lauf: 50 unabhängige Läufe auf demselben Brett; die Streuung nimmt mit "
                       "der Wurzel aus N0 ab "));
    m_ensembleBox->setVisible(m_kind == MonteCarloKind::FirstOrder);
    connect(m_ensembleBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!on) {
            cancelEnsemble();
        } else if (!isRunning() && m_game->phase() == MonteCarloGame::Phase::Finished) {
            startEnsemble();
        }
    });
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_flashBox);
    checks->addWidget(m_ensembleBox);
    auto* settings = new QHBoxLayout;
    settings->addWidget(n0Frame);
    settings->addWidget(kFrame);
    settings->addLayout(checks);
    settings->addStretch(1);

    m_ensembleText = new QLabel(this);
    m_ensembleText->setObjectName(QStringLiteral("lblEnsemble"));
    m_ensembleText->setWordWrap(true);
    m_ensembleText->hide();

    auto makeButton = [this](const QString& caption, const char* name) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        return button;
    };
    m_start = makeButton(QStringLiteral("Start"), "cmdStart");
    m_stop = makeButton(QStringLiteral("Stop"), "cmdStop");
    m_go = makeButton(QStringLiteral("Go"), "cmdGo");
    m_refresh = makeButton(QStringLiteral("Refresh"), "cmdRefresh");
    m_refresh->setToolTip(QStringLiteral("...stellt Startzustand des Molekülbretts wieder her "));
    m_clipboard = makeButton(QStringLiteral(">Clipboard"), "cmdClipboard");
    m_clipboard->setToolTip(QStringLiteral("...sendet Diagramm zur Zwischenablage "));
    auto* help = makeButton(QStringLiteral("Hilfe"), "cmdHilfe");
    auto* close = makeButton(QStringLiteral("Schließen <Esc>"), "cmdClose");
    m_start->setDefault(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_start, m_stop, m_go, m_refresh, m_clipboard, help}) {
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    buttons->addWidget(close);
    connect(m_start, &QPushButton::clicked, this, &frmMonteCarlo::start);
    connect(m_stop, &QPushButton::clicked, this, &frmMonteCarlo::stop);
    connect(m_go, &QPushButton::clicked, this, &frmMonteCarlo::go);
    connect(m_refresh, &QPushButton::clicked, this, &frmMonteCarlo::refresh);
    connect(m_clipboard, &QPushButton::clicked, this, [this] {
        const ChartOutput out = chart().copyPictureToClipboard(PictureFormat::Bitmap);
        if (!out.ok) {
            m_dialogs.showMessage(kNotPossibleTitle, out.errorText, MessageIcon::Critical);
        }
    });
    // Ctrl+C copies the chart picture, as ">Clipboard" does.
    auto* copy = new QShortcut(QKeySequence::Copy, this);
    copy->setContext(Qt::WidgetWithChildrenShortcut);
    connect(copy, &QShortcut::activated, m_clipboard, &QPushButton::click);
    connect(help, &QPushButton::clicked, this, [this] {
        if (m_showHelp) {
            m_showHelp(monteCarloHelpTopic(m_kind));
        }
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(top, 1);
    layout->addLayout(settings);
    layout->addWidget(m_ensembleText);
    layout->addLayout(buttons);

    m_timer.setInterval(kMonteCarloFrameMs);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &frmMonteCarlo::onTimer);

    // Load: N0 = 1024 and K = 0.5, the board in its start state and the analytic curves.
    setUpMonteCarloChart(chart(), m_kind, m_session.shell.monteCarlo);
    m_optN0[static_cast<std::size_t>(m_boardIndex)]->setChecked(true);
    m_optK[static_cast<std::size_t>(m_kIndex)]->setChecked(true);
    newGame();
    applyOptions();
    refresh();
    updateOptionFonts();
}

frmMonteCarlo::~frmMonteCarlo() {
    m_timer.stop();
}

ChartComponent& frmMonteCarlo::chart() {
    return m_chart->model();
}

void frmMonteCarlo::newGame() {
    m_game = std::make_unique<MonteCarloGame>(m_kind, m_boardIndex, m_kIndex);
    m_board->setGame(m_game.get());
}

void frmMonteCarlo::start() {
    if (isRunning()) {
        return;
    }
    cancelEnsemble();
    m_flash = m_flashBox->isChecked();
    m_pacer = MonteCarloPacer(m_boardIndex, m_session.shell.monteCarlo.speed, m_flash);
    m_game->start();
    m_board->redrawAll();
    {
        ChartUpdateBatch batch(chart());
        showAnalyticCurves(chart(), *m_game);
        clearMonteCarloRun(chart());
        showSimulatedPoints(chart(), *m_game);
    }
    updateStateLine();
    setRunning(true);
    m_clock.start();
    m_timer.start();
}

void frmMonteCarlo::stop() {
    m_game->stop();
    if (m_ensemble && !m_ensemble->finished()) {
        cancelEnsemble();
    }
    m_timer.stop();
    m_board->finishFlash();
    setRunning(false);
}

void frmMonteCarlo::go() {
    if (isRunning() || !m_game->go()) {
        return;
    }
    cancelEnsemble();
    m_clock.start();
    m_timer.start();
    setRunning(true);
}

void frmMonteCarlo::refresh() {
    stop();
    cancelEnsemble();
    m_game->refresh();
    m_board->redrawAll();
    {
        ChartUpdateBatch batch(chart());
        clearMonteCarloRun(chart());
        showAnalyticCurves(chart(), *m_game);
    }
    updateStateLine();
    setRunning(false);
}

void frmMonteCarlo::chooseBoard(int index) {
    if (isRunning() || index < 0 || index >= static_cast<int>(m_optN0.size())) {
        return;
    }
    m_boardIndex = index;
    m_optN0[static_cast<std::size_t>(index)]->setChecked(true);
    newGame();
    updateOptionFonts();
    refresh();
}

void frmMonteCarlo::chooseK(int index) {
    if (isRunning() || index < 0 || index >= static_cast<int>(m_optK.size())) {
        return;
    }
    m_kIndex = index;
    m_optK[static_cast<std::size_t>(index)]->setChecked(true);
    newGame();
    updateOptionFonts();
    refresh();
}

void frmMonteCarlo::applyOptions() {
    const MonteCarloOptions& options = m_session.shell.monteCarlo;
    m_pacer = MonteCarloPacer(m_boardIndex, options.speed, m_flash);
    applyMonteCarloPointStyle(chart(), options);
    const QColor a = toQColor(options.colourA);
    const QColor p = toQColor(options.colourP);
    m_board->setColours(a, p);
    m_labelA->setStyleSheet(colouredStyle(a));
    m_labelP->setStyleSheet(colouredStyle(p));
}

void frmMonteCarlo::onTimer() {
    const double elapsed = static_cast<double>(m_clock.nsecsElapsed()) / 1e9;
    m_clock.start();
    advanceFrame(elapsed);
}

void frmMonteCarlo::advanceFrame(double elapsedSeconds) {
    if (m_game->phase() == MonteCarloGame::Phase::Running) {
        m_changes.clear();
        m_game->advance(m_pacer.stepsForFrame(elapsedSeconds), &m_changes);
        m_board->showChanges(m_changes, m_flash);
        showSimulatedPoints(chart(), *m_game);
        updateStateLine();
        if (m_game->phase() == MonteCarloGame::Phase::Finished) {
            runEnded();
        }
        return;
    }
    if (m_ensemble && !m_ensemble->finished()) {
        QElapsedTimer budget;
        budget.start();
        while (!m_ensemble->finished() && budget.elapsed() < kEnsembleFrameBudgetMs) {
            m_ensemble->advance(kEnsembleChunk);
        }
        if (!m_ensemble->finished()) {
            m_ensembleText->setText(QStringLiteral("Ensemble: %1 von %2 Läufen berechnet ...")
                                        .arg(m_ensemble->runsDone())
                                        .arg(m_ensemble->runs()));
            return;
        }
        const EnsembleBand band = m_ensemble->band();
        showEnsembleBand(chart(), band);
        m_ensembleText->setText(QString::fromStdString(
            ensembleSummaryText(m_ensemble->runs(), band, m_session.decimalComma ? ',' : '.')));
    }
    m_timer.stop();
    setRunning(false);
}

void frmMonteCarlo::runEnded() {
    m_board->finishFlash();
    if (m_kind == MonteCarloKind::FirstOrder && m_ensembleBox->isChecked()) {
        startEnsemble();
        return;
    }
    m_timer.stop();
    setRunning(false);
}

void frmMonteCarlo::startEnsemble() {
    m_ensemble = std::make_unique<MonteCarloEnsemble>(m_boardIndex);
    m_ensembleText->setText(
        QStringLiteral("Ensemble: 0 von %1 Läufen berechnet ...").arg(m_ensemble->runs()));
    m_ensembleText->show();
    m_clock.start();
    m_timer.start();
    setRunning(true);
}

void frmMonteCarlo::cancelEnsemble() {
    if (!m_ensemble) {
        return;
    }
    m_ensemble.reset();
    showEnsembleBand(chart(), EnsembleBand{});
    m_ensembleText->hide();
}

void frmMonteCarlo::setRunning(bool running) {
    m_stop->setEnabled(running);
    for (QWidget* w : {static_cast<QWidget*>(m_start), static_cast<QWidget*>(m_refresh),
                       static_cast<QWidget*>(m_clipboard), static_cast<QWidget*>(m_flashBox)}) {
        w->setEnabled(!running);
    }
    for (QRadioButton* option : m_optN0) {
        option->setEnabled(!running);
    }
    for (QRadioButton* option : m_optK) {
        option->setEnabled(!running);
    }
    const auto phase = m_game->phase();
    m_go->setEnabled(!running &&
                     (phase == MonteCarloGame::Phase::Stopped || phase == MonteCarloGame::Phase::Finished) &&
                     m_game->countA() > 1);
}

void frmMonteCarlo::updateStateLine() {
    m_state->setText(QString::fromStdString(monteCarloStateText(*m_game)));
}

void frmMonteCarlo::updateOptionFonts() {
    for (std::size_t i = 0; i < m_optN0.size(); ++i) {
        setOptionFont(m_optN0[i], static_cast<int>(i) == m_boardIndex);
    }
    for (std::size_t i = 0; i < m_optK.size(); ++i) {
        setOptionFont(m_optK[i], static_cast<int>(i) == m_kIndex);
    }
}

void frmMonteCarlo::closeEvent(QCloseEvent* event) {
    // The run stops before the window goes, so that no frame reaches a closed window.
    stop();
    cancelEnsemble();
    QWidget::closeEvent(event);
}

void frmMonteCarlo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zemtral
