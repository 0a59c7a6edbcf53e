#include "ui/simulation/frm_prepare_time_diagram.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/engine.h"
#include "core/model_catalogue.h"
#include "core/unit_captions.h"
#include "diagrams/axis_range.h"
#include "numeric/fp_guard.h"
#include "numeric/number_text.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/diagrams/diagram_window_control.h"
#include "ui/simulation/frm_sim_tabelle.h"
#include "ui/simulation/interruptible_run.h"
#include "ui/simulation/number_field.h"
#include "ui/simulation/ui_text.h"

namespace zemtral {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr std::array<int, 9> kFieldOrder{0, 1, 2, 3, 4, 10, 11, 12, 14};

}  // namespace

frmPrepareTimeDiagram::frmPrepareTimeDiagram(Session& session, UserDialogs& dialogs,
                                             DiagramWindowControl& diagram, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_diagram(diagram) {
    setObjectName("frmPrepareTimeDiagram");
    setWindowTitle(QStringLiteral("Konzentrations-Zeit-Funktionen"));
    m_presentTable = [](frmSimTabelle& table) { table.exec(); };

    m_modelLabel = new QLabel(this);
    m_modelLabel->setObjectName("Label7");
    QFont bold = m_modelLabel->font();
    bold.setBold(true);
    m_modelLabel->setFont(bold);

    for (int index : kFieldOrder) {
        auto* field = new NumberField(this);
        field->setObjectName(QStringLiteral("inp_%1").arg(index));
        field->setMinimumWidth(90);
        field->setMinimumHeight(field->sizeHint().height());
        field->setEnterHandler([this, index] { focusNextField(index); });
        m_inp[static_cast<std::size_t>(index)] = field;
    }

    // Initial concentrations.
    auto* concFrame = new QGroupBox(QStringLiteral("Vorgabe der Anfangskonz.  [c(i)(0)] = mol/l"), this);
    concFrame->setObjectName("fraKonz");
    auto* concGrid = new QGridLayout(concFrame);
    for (int s = 0; s < 5; ++s) {
        auto* label = new QLabel(concFrame);
        label->setObjectName(QStringLiteral("lblStoff_%1").arg(s));
        m_lblStoff[static_cast<std::size_t>(s)] = label;
        concGrid->addWidget(label, s, 0);
        concGrid->addWidget(m_inp[static_cast<std::size_t>(s)], s, 1);
    }

    // Rate constants with their unit labels.
    auto* rateFrame = new QGroupBox(QStringLiteral("Vorgabe der Geschwindigkeitskonstante(n)"), this);
    rateFrame->setObjectName("fraK");
    auto* rateGrid = new QGridLayout(rateFrame);
    for (int j = 1; j <= 3; ++j) {
        auto* name = new QLabel(rateFrame);
        name->setObjectName(QStringLiteral("Bz_%1").arg(4 + j));
        m_bz[static_cast<std::size_t>(4 + j)] = name;
        auto* unit = new QLabel(rateFrame);
        unit->setObjectName(QStringLiteral("unit%1").arg(j));
        m_unit[static_cast<std::size_t>(j)] = unit;
        rateGrid->addWidget(name, j - 1, 0);
        rateGrid->addWidget(m_inp[static_cast<std::size_t>(9 + j)], j - 1, 1);
        rateGrid->addWidget(unit, j - 1, 2);
        connect(m_inp[static_cast<std::size_t>(9 + j)], &QLineEdit::textChanged, this,
                [this] { onRateConstantChanged(); });
    }
    m_michaelisK = new QLabel(rateFrame);
    m_michaelisK->setObjectName("lblMichaelisK");
    m_michaelisK->setWordWrap(true);
    rateGrid->addWidget(m_michaelisK, 3, 0, 1, 3);

    // Time span.
    auto* timeFrame = new QGroupBox(QStringLiteral("Zeitachse"), this);
    timeFrame->setObjectName("fraZeit");
    auto* timeRow = new QHBoxLayout(timeFrame);
    m_timeLabel = new QLabel(timeFrame);
    m_timeLabel->setObjectName("lblZeit");
    timeRow->addWidget(m_timeLabel);
    timeRow->addWidget(m_inp[14]);

    // Michaelis-Menten frame of model 10.
    m_michaelisFrame = new QGroupBox(QStringLiteral("Michaelis-Menten"), this);
    m_michaelisFrame->setObjectName("fraMichaelis");
    auto* mmGrid = new QGridLayout(m_michaelisFrame);
    m_s0maxLabel = new QLabel(QStringLiteral("S(0),max/(mol/l) ="), m_michaelisFrame);
    m_s0maxLabel->setObjectName("lblS0max");
    m_s0max = new NumberField(m_michaelisFrame);
    m_s0max->setObjectName("txtS0max");
    m_normalised = new QCheckBox(QStringLiteral("x-Achse normiert"), m_michaelisFrame);
    m_normalised->setObjectName("chkNormiert");
    m_mmDiagram = new QPushButton(QStringLiteral("Diagramm  r(P)_=_Fu(S(0)) "), m_michaelisFrame);
    m_mmDiagram->setObjectName("cmdMMdiagram");
    m_mmDiagram->setToolTip(QStringLiteral(
        "...stellt Abhängigkeit der Reaktionsgeschwindigkeit von der Substratkonzentration dar "));
    m_mmList = new QPushButton(QStringLiteral("Werte- Tabelle "), m_michaelisFrame);
    m_mmList->setObjectName("cmdMichaelisListe");
    mmGrid->addWidget(m_s0maxLabel, 0, 0);
    mmGrid->addWidget(m_s0max, 0, 1);
    mmGrid->addWidget(m_normalised, 1, 0, 1, 2);
    mmGrid->addWidget(m_mmDiagram, 2, 0);
    mmGrid->addWidget(m_mmList, 2, 1);

    // Commands.
    m_draw = new QPushButton(QStringLiteral("c-t-Diagramm zeichnen"), this);
    m_draw->setObjectName("cmdDrawctDiagram");
    m_draw->setDefault(true);
    m_list = new QPushButton(QStringLiteral("Werte- Tabelle "), this);
    m_list->setObjectName("cmdListe");
    m_deleteOld = new QCheckBox(QStringLiteral("alte Kurven löschen"), this);
    m_deleteOld->setObjectName("chkDelDiagram");
    m_withPoints = new QCheckBox(QStringLiteral("mit exper. Punkten"), this);
    m_withPoints->setObjectName("chkMitPunkten");
    m_close = new QPushButton(QStringLiteral("Schließen <Esc>"), this);
    m_close->setObjectName("cmdClose");

    auto* commands = new QGridLayout;
    commands->addWidget(m_draw, 0, 0);
    commands->addWidget(m_list, 0, 1);
    commands->addWidget(m_deleteOld, 1, 0);
    commands->addWidget(m_withPoints, 1, 1);
    commands->addWidget(m_close, 2, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(concFrame);
    left->addWidget(timeFrame);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(rateFrame);
    right->addWidget(m_michaelisFrame);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_modelLabel);
    layout->addLayout(columns);
    layout->addLayout(commands);

    connect(m_draw, &QPushButton::clicked, this, [this] { drawDiagram(); });
    connect(m_list, &QPushButton::clicked, this, [this] { listTable(); });
    connect(m_mmDiagram, &QPushButton::clicked, this, [this] { drawMichaelisMenten(); });
    connect(m_mmList, &QPushButton::clicked, this, [this] { listMichaelisMenten(); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_deleteOld, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_updating) {
            m_session.state.deleteOldCurves = on;
        }
    });
    connect(m_withPoints, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_updating) {
            m_session.state.showMeasuredPoints = on;
        }
    });
    connect(m_normalised, &QCheckBox::toggled, this, [this](bool on) { onNormalisedToggled(on); });
    connect(m_s0max, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_updating) {
            m_session.state.mmSettings.s0Max = static_cast<float>(parseNumber(text.toStdString()));
        }
    });

    // Loading: the measured points can be offered only when the data set holds points.
    move(60 / 15, 0);
    m_withPoints->setEnabled(m_session.data.pointCount > 0);
    m_session.state.showMeasuredPoints = m_withPoints->isEnabled() && m_withPoints->isChecked();
    applyModel();
    activate();
}

void frmPrepareTimeDiagram::applyModel() {
    const WorkingState& state = m_session.state;
    const std::string mask = modelSpeciesMask(state.modelId, state.fittingMode);
    const std::string parameters = modelParameterMask(state.modelId, state.fittingMode);
    const bool enzyme = isEnzymeKinetics(state.modelId);
    m_updating = true;

    m_michaelisK->setVisible(enzyme);
    m_michaelisFrame->setVisible(enzyme);
    for (int s = 1; s <= 5; ++s) {
        const bool shown = mask[static_cast<std::size_t>(s - 1)] == '1';
        m_inp[static_cast<std::size_t>(s - 1)]->setVisible(shown);
        m_lblStoff[static_cast<std::size_t>(s - 1)]->setVisible(shown);
        m_lblStoff[static_cast<std::size_t>(s - 1)]->setText(
            QStringLiteral("c0(%1) =")
                .arg(QString::fromUtf8(speciesName(state.modelId, s).data(),
                                       static_cast<int>(speciesName(state.modelId, s).size()))));
    }
    m_modelLabel->setText(q(modelLabelText(state, screenDecimalSeparator())));

    m_inp[11]->setVisible(parameters[1] == '1');
    m_inp[12]->setVisible(parameters[2] == '1');
    m_bz[6]->setVisible(parameters[1] == '1');
    m_unit[2]->setVisible(parameters[1] == '1');
    m_bz[7]->setVisible(parameters[2] == '1');
    m_unit[3]->setVisible(parameters[2] == '1');

    const auto names = rateConstantCaptions(state.modelId, {"k1", "k2", "k3"});
    QString k1 = q(names[0]), k2 = q(names[1]), k3 = q(names[2]);
    if (state.fittingMode >= kFittingNonIsothermalFirst) {
        k2 = QStringLiteral("Arrhenius-A");
    } else if (state.fittingMode == kFittingOrder) {
        k2 = QStringLiteral("n");
    }
    m_bz[5]->setText(k1);
    m_bz[6]->setText(k2);
    m_bz[7]->setText(k3);

    const SimulationInputs texts = simulationInputsFor(state, screenDecimalSeparator());
    for (int index : kFieldOrder) {
        m_inp[static_cast<std::size_t>(index)]->setText(q(texts.inp[static_cast<std::size_t>(index)]));
    }
    m_updating = false;
    onRateConstantChanged();
    // More inputs may have become visible: the window grows to show them whole.
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) != nullptr ? parentWidget() : this;
    if (frame->isVisible()) {
        frame->resize(frame->size().expandedTo(frame->sizeHint()));
    }
}

void frmPrepareTimeDiagram::applyModelConfig(const CalcWindowConfig& config) {
    CalculationWindow::applyModelConfig(config);
    applyModel();
}

void frmPrepareTimeDiagram::applyUnitCaptions(const UnitCaptions& units) {
    CalculationWindow::applyUnitCaptions(units);
    m_timeLabel->setText(q("t(max)/" + units.timeUnit));
}

void frmPrepareTimeDiagram::activate() {
    WorkingState& state = m_session.state;
    m_updating = true;
    const UnitCaptions units = UpdateUnitCaptions(state.modelId, state.timeUnit);
    m_unit[1]->setText(q(units.unit1));
    m_unit[2]->setText(q(units.unit2));
    m_unit[3]->setText(q(units.unit3));
    m_timeLabel->setText(q("t(max)/" + state.timeUnit));

    state.mmMode = false;
    m_michaelisFrame->setVisible(isEnzymeKinetics(state.modelId));
    m_deleteOld->setEnabled(m_diagram.isLoaded() && m_diagram.curveCount() > 0);
    m_deleteOld->setChecked(state.deleteOldCurves);
    m_normalised->setChecked(state.mmSettings.normalised);
    m_s0max->setEnabled(!state.mmSettings.normalised);
    m_s0maxLabel->setEnabled(!state.mmSettings.normalised);
    m_modelLabel->setText(q(modelLabelText(state, screenDecimalSeparator())));

    if (state.rateDiagram) {
        state.showMeasuredPoints = false;
        m_withPoints->setChecked(false);
        m_withPoints->setEnabled(false);
        setWindowTitle(QStringLiteral("Reaktionsgeschwindigkeit-Zeit-Funktionen"));
        m_draw->setText(QStringLiteral("r-t-Diagramm zeichnen"));
        m_draw->setToolTip(QStringLiteral(" Reaktionsgeschwindigkeit(en) vs. Zeit "));
        m_list->setToolTip(QStringLiteral(" Zeit | Reaktionsgeschwindigkeit(en) "));
    } else {
        setWindowTitle(QStringLiteral("Konzentrations-Zeit-Funktionen"));
        m_draw->setText(QStringLiteral("c-t-Diagramm zeichnen"));
        m_draw->setToolTip(QStringLiteral(" Konzentration(en) vs. Zeit "));
        m_list->setToolTip(QStringLiteral(" Zeit | Konzentration(en) "));
        const std::string mask = modelSpeciesMask(state.modelId, state.fittingMode);
        bool anyShown = false;
        for (int s = 1; s <= 5; ++s) {
            anyShown = anyShown || (mask[static_cast<std::size_t>(s - 1)] == '1' &&
                                    m_session.survey.shownSpecies[static_cast<std::size_t>(s)]);
        }
        m_withPoints->setEnabled(anyShown && m_session.data.pointCount > 0);
        if (!m_withPoints->isEnabled()) {
            m_withPoints->setChecked(false);
            state.showMeasuredPoints = false;
        }
    }
    m_s0max->setText(q(formatSingle(state.mmSettings.s0Max)));
    m_updating = false;
}

SimulationInputs frmPrepareTimeDiagram::currentInputs() const {
    SimulationInputs inputs;
    for (int index : kFieldOrder) {
        inputs.inp[static_cast<std::size_t>(index)] =
            m_inp[static_cast<std::size_t>(index)]->text().toStdString();
    }
    inputs.bVisible = !m_inp[1]->isHidden();
    inputs.k2Visible = !m_inp[11]->isHidden();
    inputs.k3Visible = !m_inp[12]->isHidden();
    return inputs;
}

SimulationRunResult frmPrepareTimeDiagram::runFromFields(SimulationCommand command) {
    const SimulationInputs inputs = currentInputs();
    readSimulationInputs(inputs, m_session.state);
    SimulationRunOptions options;
    options.checkedInputs = &inputs;
    options.command = command;
    // The draw command draws the diagram of the chosen model: concentrations, or rates after the
    // rate-time command.
    options.showsModelDiagram = command == SimulationCommand::Draw;
    options.storeAxisRanges = command == SimulationCommand::Draw;
    SimulationRunResult result;
    {
        // A stiff model can take a moment: wait cursor, and Esc stops the run.
        InterruptibleRun run;
        const EngineControl control = run.control();
        options.stepBudget = control.stepBudget;
        options.keepGoing = control.keepGoing;
        result = runSimulation(m_session, options);
    }
    // A run stopped with Esc needs no message: the user asked for it.
    reportSimulationRun(result, m_dialogs);
    return result;
}

bool frmPrepareTimeDiagram::drawDiagram() {
    WorkingState& state = m_session.state;
    const SimulationRunResult run = runFromFields(SimulationCommand::Draw);
    if (run.outcome == SimulationOutcome::Refused) {
        return false;
    }
    const bool fault = !run.ran();

    if (state.deleteOldCurves) {
        m_diagram.unload();
        if (fault) {
            return false;
        }
        AutoRangeFromData(m_session.diagramKind, m_session.data, state, m_session.diagram.axisRanges);
        return m_diagram.setUpDiagram();
    }
    // An engine error leaves the arrays of an unfinished run: nothing is added to the diagram.
    if (fault) {
        return false;
    }
    const bool wasLoaded = m_diagram.isLoaded();
    if (!m_diagram.setUpDiagram()) {
        return false;
    }
    if (wasLoaded) {
        m_diagram.pressDraw();
    }
    return true;
}

bool frmPrepareTimeDiagram::listTable() {
    if (!runFromFields(SimulationCommand::List).ran()) {
        return false;
    }
    frmSimTabelle table(m_session, m_dialogs, this);
    m_presentTable(table);
    return true;
}

bool frmPrepareTimeDiagram::drawMichaelisMenten() {
    WorkingState& state = m_session.state;
    state.mmMode = true;
    state.mmSettings.normalised = m_normalised->isChecked();
    const bool drawn = drawDiagram();
    state.mmMode = false;
    return drawn;
}

bool frmPrepareTimeDiagram::listMichaelisMenten() {
    WorkingState& state = m_session.state;
    state.mmMode = true;
    const bool listed = listTable();
    state.mmMode = false;
    return listed;
}

void frmPrepareTimeDiagram::onRateConstantChanged() {
    if (m_updating) {
        return;
    }
    WorkingState probe = m_session.state;
    for (int j = 1; j <= 3; ++j) {
        probe.rateConst[static_cast<std::size_t>(j)] =
            parseNumber(m_inp[static_cast<std::size_t>(9 + j)]->text().toStdString());
    }
    if (probe.rateConst[1] > 0.0) {
        updateMichaelisConstant(probe);
        m_session.state.mmSettings.km = probe.mmSettings.km;
        m_michaelisK->setText(fromCrLf(michaelisLabelText(probe, screenDecimalSeparator())));
    }
}

void frmPrepareTimeDiagram::onNormalisedToggled(bool checked) {
    m_s0max->setEnabled(!checked);
    m_s0maxLabel->setEnabled(!checked);
    m_normalised->setToolTip(checked ? QStringLiteral(" normierte Gleichung r(P)/r(P),max = Fu(S(0)/KM) ")
                                     : QStringLiteral(" Gleichung r(P)/r(P),max = Fu(S(0)) "));
}

void frmPrepareTimeDiagram::focusNextField(int index) {
    for (int next = index + 1; next < static_cast<int>(m_inp.size()); ++next) {
        NumberField* field = m_inp[static_cast<std::size_t>(next)];
        if (field != nullptr && !field->isHidden()) {
            field->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void frmPrepareTimeDiagram::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        activate();
    }
}

void frmPrepareTimeDiagram::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Inside the main window the sub-window, not this widget, becomes active.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub != nullptr && !m_watchingSubWindow) {
        m_watchingSubWindow = true;
        connect(sub, &QMdiSubWindow::aboutToActivate, this, [this] { activate(); });
    }
    activate();
}

void frmPrepareTimeDiagram::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zemtral
