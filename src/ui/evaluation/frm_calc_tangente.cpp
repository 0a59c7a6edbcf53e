#include "ui/evaluation/frm_calc_tangente.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "evaluation/tangent.h"
#include "numeric/number_text.h"
#include "session/evaluation_commands.h"
#include "session/session.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/evaluation/calculator_buttons.h"
#include "ui/simulation/number_field.h"

namespace zemtral {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

char screenSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

}  // namespace

frmCalcTangente::frmCalcTangente(Session& session, UserDialogs& dialogs, DiagramWindows& diagrams,
                                 QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_diagrams(diagrams) {
    setObjectName("frmCalcTangente");
    setWindowTitle(QStringLiteral("Reakt.-geschw. r(i) berechnen"));

    auto* timeFrame = new QGroupBox(QStringLiteral("Zeit-Vorgabe"), this);
    timeFrame->setObjectName("fraZeit");
    auto* timeLayout = new QHBoxLayout(timeFrame);
    m_timeUnit = new QLabel(timeFrame);
    m_timeUnit->setObjectName("lblZeiteinheit");
    m_time = new NumberField(timeFrame);
    m_time->setObjectName("txtX");
    m_time->setEnterHandler([this] { calculate(); });
    timeLayout->addWidget(m_timeUnit);
    timeLayout->addWidget(m_time, 1);

    auto* results = new QGridLayout;
    m_valueLabel = new QLabel(this);
    m_valueLabel->setObjectName("lblc");
    m_value = new QLineEdit(this);
    m_value->setObjectName("txtyResult");
    m_value->setReadOnly(true);
    m_rateLabel = new QLabel(this);
    m_rateLabel->setObjectName("lblr");
    m_rate = new QLineEdit(this);
    m_rate->setObjectName("txtyStrichResult");
    m_rate->setReadOnly(true);
    m_rateUnit = new QLabel(this);
    m_rateUnit->setObjectName("lblrEinheit");
    results->addWidget(m_valueLabel, 0, 0);
    results->addWidget(m_value, 0, 1);
    results->addWidget(new QLabel(QStringLiteral("mol/l"), this), 0, 2);
    results->addWidget(m_rateLabel, 1, 0);
    results->addWidget(m_rate, 1, 1);
    results->addWidget(m_rateUnit, 1, 2);
    results->setColumnStretch(1, 1);

    auto* smoothFrame = new QGroupBox(QStringLiteral("Glättung der Messpunkte"), this);
    smoothFrame->setObjectName("fraGlaettung");
    auto* smoothLayout = new QGridLayout(smoothFrame);
    m_smoothing = new QSlider(Qt::Horizontal, smoothFrame);
    m_smoothing->setObjectName("SliderGlaettung");
    m_smoothing->setRange(0, 100);
    m_smoothing->setValue(0);
    m_smoothing->setToolTip(QStringLiteral(" 0 = keine Glättung: die Kurve läuft durch jeden Messpunkt "));
    m_smoothingValue = new QLabel(smoothFrame);
    m_smoothingValue->setObjectName("lblGlaettung");
    m_smoothingValue->setMinimumWidth(50);
    smoothLayout->addWidget(new QLabel(QStringLiteral("keine"), smoothFrame), 0, 0);
    smoothLayout->addWidget(m_smoothing, 0, 1);
    smoothLayout->addWidget(new QLabel(QStringLiteral("stark"), smoothFrame), 0, 2);
    smoothLayout->addWidget(m_smoothingValue, 0, 3);
    connect(m_smoothing, &QSlider::valueChanged, this, &frmCalcTangente::smoothingChanged);

    auto* buttons = calculatorButtons(this, QStringLiteral("Schließen <Esc>"), [this] { calculate(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(timeFrame);
    layout->addLayout(results);
    layout->addWidget(smoothFrame);
    layout->addLayout(buttons);
    refreshLabels();
}

void frmCalcTangente::refreshLabels() {
    const int slot = m_session.evaluation.tangentSpecies;
    // The measured columns are A, B, C, P, Q whatever the model calls them.
    const QString species = QStringLiteral("ABCPQ").mid(std::clamp(slot, 1, 5) - 1, 1);
    m_timeUnit->setText(QStringLiteral("t / ") + q(m_session.state.timeUnit) + QStringLiteral(" ="));
    m_valueLabel->setText(QStringLiteral("c(%1) = ").arg(species));
    m_rateLabel->setText(q(tangentRateLabel(slot)));
    m_rateUnit->setText(q(tangentRateUnit(m_session.state.timeUnit)));
    m_smoothingValue->setText(QStringLiteral("q = %1").arg(
        q(formatNumber(smoothingExponentOfSlider(m_smoothing->value()), "0.000", screenSeparator()))));
}

bool frmCalcTangente::calculate() {
    const DiagramFrame& f = m_session.diagram.frame;
    const PlotWindow window{f.xMin, f.yMin, f.xMax, f.yMax};
    const std::optional<TangentValue> value =
        calculateTangent(m_session, m_time->text().toStdString(), window, m_dialogs);
    if (!value) {
        return false;
    }
    const char sep = screenSeparator();
    m_value->setText(q(formatSingle(static_cast<float>(value->concentration), sep)));
    m_rate->setText(q(formatSingle(static_cast<float>(value->rate), sep)));
    return true;
}

void frmCalcTangente::smoothingChanged(int value) {
    const float smoothing = smoothingExponentOfSlider(value);
    refreshLabels();
    if (smoothing == m_session.state.smoothingExponent) {
        return;
    }
    m_session.state.smoothingExponent = smoothing;
    // "Berechnen" reads the same spline the diagram shows.
    m_session.evaluation.tangent =
        prepareTangentSpline(m_session.data, m_session.evaluation.tangentSpecies, smoothing);
    if (frmGraph2D* window = m_diagrams.window()) {
        m_session.diagram.seriesCount = 1;
        window->DeleteCurves();
        m_diagrams.pressDraw();
    }
    if (!m_value->text().isEmpty()) {
        calculate();
    }
}

void frmCalcTangente::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmCalcTangente::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshLabels();
    m_time->setFocus();
}

}  // namespace zemtral
