#include "ui/evaluation/frm_fitting.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "core/model_catalogue.h"
#include "core/unit_captions.h"
#include "numeric/number_text.h"
#include "session/auto_fit_job.h"
#include "session/evaluation_commands.h"
#include "session/fit_residuals.h"
#include "session/fit_statistics_table.h"
#include "session/help_topics.h"
#include "session/model_commands.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/diagrams/qt_chart_component.h"
#include "ui/simulation/number_field.h"
#include "ui/simulation/ui_text.h"

namespace zemtral {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

bool nonIsothermal(std::uint8_t mode) {
    return mode == kFittingNonIsothermalFirst || mode == kFittingNonIsothermalSecond;
}

QSlider* makeSlider(QWidget* parent, const QString& name, int minimum, int maximum) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setRange(minimum, maximum);
    slider->setValue(0);
    slider->setMinimumWidth(maximum > 100 ? 150 : 250);
    return slider;
}

QLabel* smallLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    label->setFont(f);
    return label;
}

}  // namespace

frmFitting::frmFitting(Session& session, UserDialogs& dialogs, DiagramWindows& diagrams,
                       FittingWindowLinks links, QWidget* parent)
    : QWidget(parent),
      m_session(session),
      m_dialogs(dialogs),
      m_diagrams(diagrams),
      m_links(std::move(links)) {
    setObjectName("frmFitting");
    setWindowTitle(QStringLiteral("k-Fitting"));

    m_modelLabel = new QLabel(this);
    m_modelLabel->setObjectName("Label7");
    QFont bold = m_modelLabel->font();
    bold.setBold(true);
    m_modelLabel->setFont(bold);

    // Initial concentrations and the time span of the drawn curves.
    auto* concFrame = new QGroupBox(QStringLiteral("Anfangskonz.  [c(i)(0)] = mol/l"), this);
    concFrame->setObjectName("fraKonz");
    auto* concGrid = new QGridLayout(concFrame);
    for (int s = 0; s < 5; ++s) {
        auto* label = new QLabel(concFrame);
        label->setObjectName(QStringLiteral("lblStoff_%1").arg(s));
        m_lblStoff[static_cast<std::size_t>(s)] = label;
        auto* field = new NumberField(concFrame);
        field->setObjectName(QStringLiteral("inp_%1").arg(s));
        field->setMaximumWidth(110);
        m_inp[static_cast<std::size_t>(s)] = field;
        concGrid->addWidget(label, s, 0);
        concGrid->addWidget(field, s, 1);
        connect(field, &QLineEdit::textEdited, this, [this, s](const QString& text) {
            m_session.state.conc0[static_cast<std::size_t>(s + 1)] = parseNumber(text.toStdString());
        });
        field->setEnterHandler([this] { drawCurve(); });
    }
    m_timeLabel = new QLabel(concFrame);
    m_timeLabel->setObjectName("lblZeit");
    auto* tEnd = new NumberField(concFrame);
    tEnd->setObjectName("inp_14");
    tEnd->setMaximumWidth(110);
    tEnd->setToolTip(QStringLiteral(" Ende der gezeichneten Kurve(n) "));
    m_inp[14] = tEnd;
    concGrid->addWidget(m_timeLabel, 5, 0);
    concGrid->addWidget(tEnd, 5, 1);
    connect(tEnd, &QLineEdit::textEdited, this, [this](const QString& text) {
        const double t = parseNumber(text.toStdString());
        if (t > 0.0) {
            m_session.state.tEnd = static_cast<float>(t);
        }
    });
    tEnd->setEnterHandler([this] { drawCurve(); });

    // The species whose measured values enter the sum of squares.
    auto* speciesFrame = new QGroupBox(QStringLiteral("Fehlerquadratsumme über"), this);
    speciesFrame->setObjectName("fraFQS");
    auto* speciesLayout = new QVBoxLayout(speciesFrame);
    for (int s = 1; s <= 5; ++s) {
        auto* box = new QCheckBox(speciesFrame);
        box->setObjectName(QStringLiteral("chkConcFQS_%1").arg(s));
        m_species[static_cast<std::size_t>(s)] = box;
        speciesLayout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this, s](bool on) {
            if (m_updating) {
                return;
            }
            m_session.evaluation.fitSpecies[static_cast<std::size_t>(s)] = on;
            showFitResult();
        });
    }
    m_fqs = new QLabel(speciesFrame);
    m_fqs->setObjectName("lblFQS");
    m_fqs->setToolTip(QStringLiteral(" Summe der Fehlerquadrate "));
    m_fqs->setFrameShape(QFrame::Panel);
    m_fqs->setFrameShadow(QFrame::Sunken);
    m_fqs->setMinimumWidth(110);
    speciesLayout->addStretch();
    speciesLayout->addWidget(new QLabel(QStringLiteral("FQS ="), speciesFrame));
    speciesLayout->addWidget(m_fqs);

    // The parameters.
    m_paramFrame = new QGroupBox(QStringLiteral("Parameter"), this);
    m_paramFrame->setObjectName("fraParameter");
    auto* paramLayout = new QVBoxLayout(m_paramFrame);
    for (int j = 1; j <= 3; ++j) {
        paramLayout->addWidget(buildParameterRow(j));
    }
    m_entropy = new QLabel(m_paramFrame);
    m_entropy->setObjectName("lblAktEntropie");
    paramLayout->addWidget(m_entropy);

    m_kTFrame = new QGroupBox(QStringLiteral("k(T)-Funktion"), this);
    m_kTFrame->setObjectName("fraKTFunktion");
    auto* kTLayout = new QHBoxLayout(m_kTFrame);
    m_eyring = new QRadioButton(QStringLiteral("Eyring"), m_kTFrame);
    m_eyring->setObjectName("optkTFunktion_0");
    m_arrhenius = new QRadioButton(QStringLiteral("Arrhenius"), m_kTFrame);
    m_arrhenius->setObjectName("optkTFunktion_1");
    kTLayout->addWidget(m_eyring);
    kTLayout->addWidget(m_arrhenius);
    kTLayout->addStretch();
    for (QRadioButton* option : {m_eyring, m_arrhenius}) {
        connect(option, &QRadioButton::toggled, this, [this, option](bool on) {
            if (m_updating || !on) {
                return;
            }
            m_session.evaluation.kTForm = option == m_eyring ? kKTEyring : kKTArrhenius;
            reloadFitParameters(m_session);
            refreshFromSession();
            if (m_links.refreshCalculator) {
                m_links.refreshCalculator();
            }
        });
    }

    // Buttons.
    m_draw = new QPushButton(QStringLiteral("Zeichne Kurve"), this);
    m_draw->setObjectName("cmdDrawNewCurve");
    m_autoFit = new QPushButton(QStringLiteral("Auto-   Fitting"), this);
    m_autoFit->setObjectName("cmdAutoFitting");
    m_stop = new QPushButton(QStringLiteral("Stop"), this);
    m_stop->setObjectName("cmdStopFitting");
    m_stop->setToolTip(QStringLiteral(" beendet das Fitting mit den bisher besten Parametern (Esc) "));
    m_stop->setEnabled(false);
    m_residuals = new QPushButton(QStringLiteral("Residuen"), this);
    m_residuals->setObjectName("cmdResiduen");
    m_residuals->setToolTip(QStringLiteral(" Messwert - Modell der gefitteten Stoffe gegen t im Diagramm "));
    m_close = new QPushButton(QStringLiteral("Schließen <Esc>"), this);
    m_close->setObjectName("cmdClose");
    auto* help = new QPushButton(QStringLiteral("Hilfe"), this);
    help->setObjectName("cmdHelp");
    connect(m_draw, &QPushButton::clicked, this, [this] { drawCurve(); });
    connect(m_autoFit, &QPushButton::clicked, this, [this] { startAutoFitting(); });
    connect(m_stop, &QPushButton::clicked, this, [this] { stopAutoFitting(); });
    connect(m_residuals, &QPushButton::clicked, this, [this] { showResiduals(); });
    connect(m_close, &QPushButton::clicked, this, [this] {
        finishRunningFit();
        if (m_links.closeWithDiagram) {
            m_links.closeWithDiagram();
        } else {
            close();
        }
    });
    connect(help, &QPushButton::clicked, this, [this] {
        if (m_links.showHelp) {
            m_links.showHelp(kHelpFitting);
        }
    });

    // Statistics of the last Auto-Fitting.
    m_statisticsFrame = new QGroupBox(QStringLiteral("Statistik des letzten Auto-Fittings"), this);
    m_statisticsFrame->setObjectName("fraStatistik");
    auto* statLayout = new QVBoxLayout(m_statisticsFrame);
    m_statistics = new QTableWidget(m_statisticsFrame);
    m_statistics->setObjectName("tblStatistik");
    m_statistics->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_statistics->horizontalHeader()->setVisible(false);
    m_statistics->verticalHeader()->setVisible(false);
    m_statistics->verticalHeader()->setDefaultSectionSize(m_statistics->fontMetrics().height() + 4);
    m_statistics->setMinimumHeight(170);
    m_statistics->setSelectionMode(QAbstractItemView::ContiguousSelection);
    statLayout->addWidget(m_statistics);
    m_copyStatistics = new QPushButton(QStringLiteral("Kopieren"), m_statisticsFrame);
    m_copyStatistics->setObjectName("cmdCopyStatistik");
    m_copyStatistics->setToolTip(
        QStringLiteral(" Statistik als Tabelle (Tab-getrennt) in die Zwischenablage "));
    connect(m_copyStatistics, &QPushButton::clicked, this, [this] { copyStatistics(); });
    auto* statButtons = new QHBoxLayout;
    statButtons->addStretch();
    statButtons->addWidget(m_copyStatistics);
    statLayout->addLayout(statButtons);

    // Layout: model label on top, concentrations and species beside the parameters, buttons,
    // the statistics over the whole width below.
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_modelLabel);
    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(concFrame);
    left->addWidget(speciesFrame, 1);
    middle->addLayout(left);
    auto* right = new QVBoxLayout;
    right->addWidget(m_paramFrame);
    right->addWidget(m_kTFrame);
    auto* buttons = new QGridLayout;
    buttons->addWidget(m_draw, 0, 0);
    buttons->addWidget(m_autoFit, 0, 1);
    buttons->addWidget(m_stop, 0, 2);
    buttons->addWidget(help, 1, 0);
    buttons->addWidget(m_residuals, 1, 1);
    buttons->addWidget(m_close, 1, 2);
    right->addLayout(buttons);
    right->addStretch();
    middle->addLayout(right, 1);
    top->addLayout(middle);
    top->addWidget(m_statisticsFrame, 1);

    m_progress = new QTimer(this);
    m_progress->setInterval(100);
    connect(m_progress, &QTimer::timeout, this, &frmFitting::onProgressTick);

    setTabOrder(m_inp[10], m_inp[11]);
    setTabOrder(m_inp[11], m_inp[12]);
    refreshFromSession();
}

frmFitting::~frmFitting() {
    if (m_job) {
        m_job->requestStop();
    }
    if (m_thread) {
        m_thread->wait();
        delete m_thread.data();
    }
}

QWidget* frmFitting::buildParameterRow(int j) {
    auto* row = new QWidget(m_paramFrame);
    row->setObjectName(QStringLiteral("fraParam_%1").arg(j));
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 2, 0, 2);
    auto* name = new QLabel(row);
    name->setObjectName(QStringLiteral("Bz_%1").arg(4 + j));
    m_bz[static_cast<std::size_t>(4 + j)] = name;
    auto* field = new NumberField(row);
    field->setObjectName(QStringLiteral("inp_%1").arg(9 + j));
    field->setMinimumWidth(110);
    m_inp[static_cast<std::size_t>(9 + j)] = field;
    auto* unit = new QLabel(row);
    unit->setObjectName(QStringLiteral("unit%1").arg(j));
    m_unit[static_cast<std::size_t>(j)] = unit;
    auto* fixed = new QCheckBox(QStringLiteral("fixiert"), row);
    fixed->setObjectName(QStringLiteral("chkFixed_%1").arg(j));
    m_fixed[static_cast<std::size_t>(j)] = fixed;
    auto* plusMinus = new QLabel(QStringLiteral("+-"), row);
    plusMinus->setObjectName(QStringLiteral("lblPlusMinus_%1").arg(j));
    m_plusMinus[static_cast<std::size_t>(j)] = plusMinus;
    auto* sd = new QLabel(row);
    sd->setObjectName(QStringLiteral("lblStdDev_%1").arg(j));
    sd->setToolTip(q(standardDeviationToolTip(j)));
    sd->setMinimumWidth(70);
    m_stdDev[static_cast<std::size_t>(j)] = sd;
    QSlider* fine = makeSlider(row, QStringLiteral("Sliderk%1_fein").arg(j), -100, 100);
    QSlider* coarse = makeSlider(row, QStringLiteral("Sliderk%1_grob").arg(j), -90, 900);
    m_fine[static_cast<std::size_t>(j)] = fine;
    m_coarse[static_cast<std::size_t>(j)] = coarse;

    grid->addWidget(name, 0, 0, 1, 5);
    grid->addWidget(field, 1, 0);
    grid->addWidget(unit, 1, 1);
    grid->addWidget(plusMinus, 1, 2);
    grid->addWidget(sd, 1, 3);
    grid->addWidget(fixed, 1, 4);
    auto* fineScale = new QHBoxLayout;
    fineScale->addWidget(smallLabel(QStringLiteral("-10        Prozent"), row));
    fineScale->addStretch();
    fineScale->addWidget(smallLabel(QStringLiteral("0         Prozent"), row));
    fineScale->addStretch();
    fineScale->addWidget(smallLabel(QStringLiteral("+10"), row));
    auto* coarseScale = new QHBoxLayout;
    coarseScale->addWidget(smallLabel(QStringLiteral("-90"), row));
    coarseScale->addStretch();
    coarseScale->addWidget(smallLabel(QStringLiteral("+900"), row));
    grid->addWidget(fine, 2, 0, 1, 2);
    grid->addWidget(coarse, 2, 2, 1, 3);
    grid->addLayout(fineScale, 3, 0, 1, 2);
    grid->addLayout(coarseScale, 3, 2, 1, 3);

    connect(field, &QLineEdit::textEdited, this, [this, j] { onParameterTyped(j); });
    field->setEnterHandler([this] { drawCurve(); });
    connect(fixed, &QCheckBox::toggled, this, [this, j](bool on) {
        if (!m_updating) {
            m_session.evaluation.fixed[static_cast<std::size_t>(j)] = on;
        }
    });
    // A slider changes its parameter once it is let go (or moved by keys or a click on its
    // track); it is then set back to 0 without counting that as a second change.
    for (const bool isFine : {true, false}) {
        QSlider* slider = isFine ? fine : coarse;
        connect(slider, &QSlider::sliderReleased, this, [this, j, isFine] { onSliderReleased(j, isFine); });
        connect(slider, &QSlider::valueChanged, this, [this, j, isFine, slider] {
            if (!m_updating && !slider->isSliderDown()) {
                onSliderReleased(j, isFine);
            }
        });
    }
    m_paramRow[static_cast<std::size_t>(j)] = row;
    return row;
}

char frmFitting::decimalSeparator() const {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

void frmFitting::onParameterTyped(int j) {
    if (m_updating) {
        return;
    }
    typeFitParameter(m_session, j, m_inp[static_cast<std::size_t>(9 + j)]->text().toStdString());
    showStandardDeviations();
    showStatistics();
    if (nonIsothermal(m_session.state.fittingMode)) {
        m_entropy->setText(q(entropyLabelText(m_session.evaluation.activation.deltaS, decimalSeparator())));
    }
}

void frmFitting::onSliderReleased(int j, bool fine) {
    QSlider* slider = fine ? m_fine[static_cast<std::size_t>(j)] : m_coarse[static_cast<std::size_t>(j)];
    const int v = slider->value();
    if (m_updating || v == 0 || isFitting()) {
        return;
    }
    slideFitParameter(m_session, j, v, fine);
    m_updating = true;
    slider->setValue(0);
    m_updating = false;
    showParameterTexts();
    if (m_session.diagramKind > 0) {
        drawCurve();
    } else if (m_session.diagramKind == kKindFitResiduals && m_diagrams.isLoaded()) {
        showResiduals();  // the plot follows the parameters
    } else {
        showStatistics();
    }
}

void frmFitting::showParameterTexts() {
    m_updating = true;
    const char sep = decimalSeparator();
    for (int j = 1; j <= 3; ++j) {
        m_inp[static_cast<std::size_t>(9 + j)]->setText(q(formatSingle(
            static_cast<float>(m_session.evaluation.fitParams[static_cast<std::size_t>(j)]), sep)));
    }
    if (nonIsothermal(m_session.state.fittingMode)) {
        m_entropy->setText(q(entropyLabelText(m_session.evaluation.activation.deltaS, sep)));
    }
    m_updating = false;
}

void frmFitting::showStandardDeviations() {
    const std::string mask = modelParameterMask(m_session.state.modelId, m_session.state.fittingMode);
    const bool shown = m_session.evaluation.standardDeviationShown;
    for (int j = 1; j <= 3; ++j) {
        const bool has = j == 1 || mask[static_cast<std::size_t>(j - 1)] == '1';
        m_plusMinus[static_cast<std::size_t>(j)]->setVisible(shown && has);
        m_stdDev[static_cast<std::size_t>(j)]->setVisible(shown && has);
        m_stdDev[static_cast<std::size_t>(j)]->setText(q(standardDeviationText(
            m_session.evaluation.standardDeviation[static_cast<std::size_t>(j)], decimalSeparator())));
    }
}

void frmFitting::showStatistics() {
    // The statistics belong to the parameters of the fit; a change by hand makes them stale.
    const FitStatisticsState& st = m_session.evaluation.statistics;
    const bool current = st.shown && st.params == m_session.evaluation.fitParams;
    const auto rows =
        current ? fitStatisticsTable(m_session, decimalSeparator()) : std::vector<std::vector<std::string>>{};
    int columns = 1;
    for (const auto& row : rows) {
        columns = std::max(columns, static_cast<int>(row.size()));
    }
    m_statistics->clear();
    m_statistics->setRowCount(static_cast<int>(rows.size()));
    m_statistics->setColumnCount(columns);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            auto* item = new QTableWidgetItem(q(row[static_cast<std::size_t>(c)]));
            if (c == 0 || r == 0) {
                QFont f = item->font();
                f.setBold(true);
                item->setFont(f);
            }
            m_statistics->setItem(r, c, item);
        }
    }
    m_statistics->resizeColumnsToContents();
    m_copyStatistics->setEnabled(!rows.empty());
    m_statisticsFrame->setToolTip(current ? QString()
                                          : QStringLiteral(" erscheint nach einem Auto-Fitting "));
}

void frmFitting::copyStatistics() {
    const FitStatisticsState& st = m_session.evaluation.statistics;
    if (!st.shown || st.params != m_session.evaluation.fitParams) {
        m_dialogs.beep();
        return;
    }
    m_dialogs.setClipboardText(tabSeparatedText(fitStatisticsTable(m_session, decimalSeparator())));
}

void frmFitting::applyModeTexts() {
    const WorkingState& state = m_session.state;
    const std::uint8_t mode = state.fittingMode;
    const FittingWindowTexts texts = fittingWindowTexts(state, m_session.evaluation.kTForm);
    const std::string mask = modelParameterMask(state.modelId, mode);
    m_paramFrame->setTitle(texts.frameCaption.empty() ? QStringLiteral("Parameter") : q(texts.frameCaption));
    if (!texts.modelLabel.empty()) {
        m_modelLabel->setText(q(texts.modelLabel));
    }
    for (int j = 1; j <= 3; ++j) {
        const auto js = static_cast<std::size_t>(j);
        const bool has = mask[js - 1] == '1';
        m_paramRow[js]->setVisible(has);
        if (!texts.paramLabel[js].empty()) {
            m_bz[4 + js]->setText(q(texts.paramLabel[js]));
        }
        if (!texts.paramUnit[js].empty()) {
            m_unit[js]->setText(q(texts.paramUnit[js]));
        }
        if (j <= 2) {
            m_inp[9 + js]->setToolTip(q(texts.paramToolTip));
        }
    }
    m_autoFit->setToolTip(q(texts.autoFitToolTip));
    const std::array<bool, 6> visible = fitSpeciesVisible(state.modelId, mode, m_session.survey.shownSpecies);
    m_updating = true;
    for (int s = 1; s <= 5; ++s) {
        const auto ss = static_cast<std::size_t>(s);
        m_species[ss]->setText(q(texts.speciesCaption[ss]));
        m_species[ss]->setVisible(visible[ss]);
        m_species[ss]->setChecked(m_session.evaluation.fitSpecies[ss]);
    }
    for (int j = 1; j <= 3; ++j) {
        m_fixed[static_cast<std::size_t>(j)]->setChecked(
            m_session.evaluation.fixed[static_cast<std::size_t>(j)]);
    }
    const bool temperatureLaw = nonIsothermal(mode);
    m_kTFrame->setVisible(temperatureLaw);
    m_eyring->setChecked(m_session.evaluation.kTForm == kKTEyring);
    m_arrhenius->setChecked(m_session.evaluation.kTForm != kKTEyring);
    m_entropy->setVisible(temperatureLaw && m_session.evaluation.kTForm == kKTEyring);
    m_updating = false;
}

void frmFitting::refreshFromSession() {
    // The model window's configuration first (labels, visibility, concentrations), then the
    // texts of the fitting mode over it.
    m_updating = true;
    applyCalcWindowConfig(*this,
                          buildCalcWindowConfig(m_session, CalcWindowKind::Fitting, calcWindowExtras()));
    applyUnitCaptionsTo(*this, UpdateUnitCaptions(m_session.state.modelId, m_session.state.timeUnit),
                        CalcWindowKind::Fitting);
    m_updating = false;
    applyModeTexts();
    showParameterTexts();
    showStandardDeviations();
    showStatistics();
    m_fqs->clear();
}

CalcWindowExtras frmFitting::calcWindowExtras() const {
    CalcWindowExtras extras;
    if (nonIsothermal(m_session.state.fittingMode)) {
        extras.nonIsothermalParam1 = m_session.evaluation.fitParams[1];
        extras.nonIsothermalParam2 = m_session.evaluation.fitParams[2];
    }
    return extras;
}

void frmFitting::applyModelConfig(const CalcWindowConfig& config) {
    if (isFitting()) {
        // The running fit belongs to the old model: it ends, and its result is not taken over.
        stopAutoFitting();
    }
    m_updating = true;
    applyCalcWindowConfig(*this, config);
    applyUnitCaptionsTo(*this, config.units, CalcWindowKind::Fitting);
    m_updating = false;
    reloadFitParameters(m_session);
    applyModeTexts();
    showParameterTexts();
    showStandardDeviations();
    showStatistics();
}

bool frmFitting::drawCurve() {
    const std::optional<std::vector<FittingCurve>> curves = drawFittingCurve(m_session, m_dialogs);
    if (!curves) {
        return false;
    }
    showStandardDeviations();
    if (m_session.diagramKind == kKindFitResiduals) {
        // Back from the residual plot: the measured points again, the curves over them.
        m_diagrams.unload();
        m_session.diagramKind = kKindFittingPoints;
        if (!m_diagrams.setUpDiagram()) {
            return false;
        }
    }
    if (m_session.diagramKind <= 0) {
        m_session.diagramKind = m_session.state.modelId;
    }
    if (!m_diagrams.isLoaded() && !m_diagrams.setUpDiagram()) {
        return false;
    }
    // The window shows the curves of the current parameters only: the sliders redraw at every
    // step, and old curves would soon fill every curve slot.
    if (frmGraph2D* window = m_diagrams.window()) {
        window->DeleteCurves();
    }
    const double k1 = m_session.state.rateConst[1];
    for (const FittingCurve& curve : *curves) {
        if (!simulateFittingCurve(m_session, curve, m_dialogs)) {
            break;
        }
        m_session.diagram.seriesCount = 1;
        m_diagrams.pressDraw();
    }
    // The temperature fittings borrow k1 for each curve; the model keeps its own.
    if (nonIsothermal(m_session.state.fittingMode)) {
        m_session.state.rateConst[1] = k1;
        if (m_links.refreshCalculator) {
            m_links.refreshCalculator();
        }
    }
    showFitResult();
    return true;
}

void frmFitting::showFitResult() {
    FitContext ctx = fitContext(m_session);
    const std::optional<double> f = CalcDisplayFQS(ctx);
    m_fqs->setText(f ? q(fqsText(*f, decimalSeparator())) : QString());
    if (frmGraph2D* window = m_diagrams.window()) {
        ChartComponent& chart = window->chart();
        chart.setHeader(fromCrLf(fitResultCaption(m_session)).toStdString(), chart.headerFont(),
                        chart.headerFramed());
    }
}

bool frmFitting::showResiduals() {
    if (isFitting()) {
        m_dialogs.beep();  // the parameters are still moving
        return false;
    }
    if (!startResidualPlot(m_session, m_dialogs)) {
        return false;
    }
    // A window of its own kind: the residuals do not share the axes of the concentrations.
    m_diagrams.unload();
    return m_diagrams.setUpDiagram();
}

bool frmFitting::isFitting() const {
    return m_job != nullptr;
}

void frmFitting::setFitControlsEnabled(bool enabled) {
    m_paramFrame->setEnabled(enabled);
    m_kTFrame->setEnabled(enabled);
    m_draw->setEnabled(enabled);
    m_residuals->setEnabled(enabled);
    m_stop->setEnabled(!enabled);
    for (int s = 1; s <= 5; ++s) {
        m_species[static_cast<std::size_t>(s)]->setEnabled(enabled);
    }
    for (int s = 0; s < 5; ++s) {
        m_inp[static_cast<std::size_t>(s)]->setEnabled(enabled);
    }
}

bool frmFitting::startAutoFitting() {
    if (isFitting()) {
        m_dialogs.beep();  // a fit is still running: not started twice
        return false;
    }
    m_job = AutoFitJob::begin(m_session, m_dialogs);
    if (!m_job) {
        return false;
    }
    m_autoFit->setText(QStringLiteral("warte..."));
    setFitControlsEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    AutoFitJob* job = m_job.get();
    m_thread = QThread::create([job] { job->run(); });
    connect(m_thread, &QThread::finished, this, &frmFitting::onFitFinished, Qt::QueuedConnection);
    m_thread->start();
    m_progress->start();
    return true;
}

void frmFitting::stopAutoFitting() {
    if (m_job) {
        m_job->requestStop();
    }
}

void frmFitting::onProgressTick() {
    if (m_job && m_job->acceptedSteps() > 0) {
        m_fqs->setText(q(fqsText(m_job->bestObjective(), decimalSeparator())));
    }
}

void frmFitting::onFitFinished() {
    if (!m_job) {
        return;
    }
    m_progress->stop();
    if (m_thread) {
        m_thread->wait();
        m_thread->deleteLater();
        m_thread.clear();
    }
    const AutoFitOutcome outcome = m_job->finish(m_dialogs);
    m_job.reset();
    QApplication::restoreOverrideCursor();
    m_autoFit->setText(QStringLiteral("Auto-   Fitting"));
    setFitControlsEnabled(true);
    if (outcome.discarded) {
        return;
    }
    showParameterTexts();
    // "Zeichne Kurve" hides the standard deviations of an earlier fit; those of this fit stay.
    const bool sdShown = m_session.evaluation.standardDeviationShown;
    drawCurve();
    m_session.evaluation.standardDeviationShown = sdShown;
    showStandardDeviations();
    showStatistics();
}

void frmFitting::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        if (isFitting()) {
            stopAutoFitting();
        } else {
            m_close->click();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmFitting::finishRunningFit() {
    // A fit still running ends now; its best parameters are taken over.
    if (m_job) {
        m_job->requestStop();
        if (m_thread) {
            m_thread->wait();
        }
        onFitFinished();
    }
}

void frmFitting::closeEvent(QCloseEvent* event) {
    finishRunningFit();
    QWidget::closeEvent(event);
}

}  // namespace zemtral
