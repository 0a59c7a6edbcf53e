#include "ui/diagrams/axis_page.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "numeric/number_text.h"
#include "session/diagram_document.h"
#include "session/session.h"
#include "ui/diagrams/graph2d_widgets.h"
#include "ui/diagrams/qt_chart_component.h"

namespace zemtral {
namespace {

using graph2d::field;
using graph2d::q;
using graph2d::radio;

char decimalSeparator() {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

}  // namespace

AxisPage::AxisPage(Session& session, DiagramDocument& document, QtChartComponent& chart, QWidget* parent)
    : QWidget(parent), m_session(session), m_document(document) {
    auto* v = new QVBoxLayout(this);

    auto* coords = new QGroupBox(QStringLiteral(" Diagramm-Koordinaten "), this);
    coords->setObjectName("fraCoordInput");
    auto* cg = new QGridLayout(coords);
    m_xMin = field("txtXMin", coords);
    m_xMax = field("txtXMax", coords);
    m_yMin = field("txtYMin", coords);
    m_yMax = field("txtYMax", coords);
    cg->addWidget(new QLabel(QStringLiteral("x(min)"), coords), 0, 0);
    cg->addWidget(m_xMin, 0, 1);
    cg->addWidget(new QLabel(QStringLiteral("x(max)"), coords), 0, 2);
    cg->addWidget(m_xMax, 0, 3);
    cg->addWidget(new QLabel(QStringLiteral("y(min)"), coords), 1, 0);
    cg->addWidget(m_yMin, 1, 1);
    cg->addWidget(new QLabel(QStringLiteral("y(max)"), coords), 1, 2);
    cg->addWidget(m_yMax, 1, 3);
    auto* ok = new QPushButton(QStringLiteral("OK"), coords);
    ok->setObjectName("cmdCoordOK");
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), coords);
    cancel->setObjectName("cmdCoordCancel");
    cg->addWidget(ok, 2, 1);
    cg->addWidget(cancel, 2, 3);
    v->addWidget(coords);
    connect(ok, &QPushButton::clicked, this, &AxisPage::applyCoordinates);
    connect(cancel, &QPushButton::clicked, this, [this] {
        const DiagramFrame& f = m_session.diagram.frame;
        m_xMin->setText(q(formatSingle(f.xMin)));
        m_xMax->setText(q(formatSingle(f.xMax)));
        m_yMin->setText(q(formatSingle(f.yMin)));
        m_yMax->setText(q(formatSingle(f.yMax)));
    });

    auto* scaling = new QGroupBox(QStringLiteral("Teilung von Ziffern, Strichen und Gitter"), this);
    scaling->setObjectName("fraScaling");
    auto* sg = new QGridLayout(scaling);
    auto* scalingGroup = new QButtonGroup(scaling);
    m_scalingAuto = radio(QStringLiteral("automat."), "optScaling_0", scalingGroup, 0, scaling);
    m_scalingManual = radio(QStringLiteral("manuell"), "optScaling_1", scalingGroup, 1, scaling);
    m_scalingAuto->setChecked(true);
    sg->addWidget(m_scalingAuto, 0, 0);
    sg->addWidget(m_scalingManual, 0, 1);
    const std::array<const char*, 3> kinds{"Gitter", "Striche", "Ziffern"};
    const std::array<const char*, 3> names{"Grid", "Tick", "Digit"};
    sg->addWidget(new QLabel(QStringLiteral("x"), scaling), 1, 1);
    sg->addWidget(new QLabel(QStringLiteral("y"), scaling), 1, 2);
    for (std::size_t i = 0; i < 3; ++i) {
        const int row = 2 + static_cast<int>(i);
        sg->addWidget(new QLabel(QString::fromUtf8(kinds[i]), scaling), row, 0);
        m_spacing[i] = field(QStringLiteral("txt%1X").arg(names[i]), scaling, 60);
        m_spacing[3 + i] = field(QStringLiteral("txt%1Y").arg(names[i]), scaling, 60);
        sg->addWidget(m_spacing[i], row, 1);
        sg->addWidget(m_spacing[3 + i], row, 2);
        connect(m_spacing[i], &QLineEdit::editingFinished, this, [this] { applySpacing(); });
        connect(m_spacing[3 + i], &QLineEdit::editingFinished, this, [this] { applySpacing(); });
    }
    connect(scalingGroup, &QButtonGroup::idClicked, this, [this] { applySpacing(); });
    v->addWidget(scaling);

    auto* logs = new QGroupBox(QStringLiteral("logarithmisch"), this);
    auto* lg = new QHBoxLayout(logs);
    m_xLog = new QPushButton(QStringLiteral("  X-Achse"), logs);
    m_xLog->setObjectName("cmdXLog");
    m_xLog->setCheckable(true);
    m_yLog = new QPushButton(QStringLiteral("  Y-Achse"), logs);
    m_yLog->setObjectName("cmdYLog");
    m_yLog->setCheckable(true);
    lg->addWidget(m_xLog);
    lg->addWidget(m_yLog);
    v->addWidget(logs);
    connect(m_xLog, &QPushButton::toggled, this, [this](bool on) {
        if (!m_updating && !m_document.setLogarithmic(ChartAxis::X, on)) {
            showLogarithmic();
        }
    });
    connect(m_yLog, &QPushButton::toggled, this, [this](bool on) {
        if (!m_updating && !m_document.setLogarithmic(ChartAxis::Y, on)) {
            showLogarithmic();
        }
    });

    auto* origins = new QGroupBox(QStringLiteral("Achsenkreuz"), this);
    auto* og = new QGridLayout(origins);
    m_standardOrigin = new QButtonGroup(origins);
    og->addWidget(radio(QStringLiteral("manuell"), "optStandardOrigin_0", m_standardOrigin, 0, origins), 0,
                  0);
    auto* autoOrigin = radio(QStringLiteral("autom. in den Achsen-Minima"), "optStandardOrigin_1",
                             m_standardOrigin, 1, origins);
    autoOrigin->setChecked(true);
    og->addWidget(autoOrigin, 0, 1);
    m_xOrigin = new QButtonGroup(origins);
    m_yOrigin = new QButtonGroup(origins);
    const std::array<const char*, 4> xTexts{"im X-Maximum", "im X-Minimum", "bei X = 0", "bei X ="};
    const std::array<const char*, 4> yTexts{"im Y-Maximum", "im Y-Minimum", "bei Y = 0", "bei Y ="};
    for (int i = 0; i < 4; ++i) {
        const auto index = static_cast<std::size_t>(i);
        og->addWidget(radio(QString::fromUtf8(xTexts[index]), QStringLiteral("optXOrigin_%1").arg(i),
                            m_xOrigin, i, origins),
                      1 + i, 0);
        og->addWidget(radio(QString::fromUtf8(yTexts[index]), QStringLiteral("optYOrigin_%1").arg(i),
                            m_yOrigin, i, origins),
                      1 + i, 1);
    }
    m_xOrigin->button(1)->setChecked(true);
    m_yOrigin->button(1)->setChecked(true);
    m_xOriginValue = field("txtXOrigin", origins, 60);
    m_yOriginValue = field("txtYOrigin", origins, 60);
    og->addWidget(m_xOriginValue, 5, 0);
    og->addWidget(m_yOriginValue, 5, 1);
    v->addWidget(origins);
    connect(m_xOrigin, &QButtonGroup::idClicked, this, [this] {
        m_standardOrigin->button(0)->setChecked(true);
        applyOrigins();
    });
    connect(m_yOrigin, &QButtonGroup::idClicked, this, [this] {
        m_standardOrigin->button(0)->setChecked(true);
        applyOrigins();
    });
    connect(m_standardOrigin, &QButtonGroup::idClicked, this, [this] { applyOrigins(); });
    connect(m_xOriginValue, &QLineEdit::editingFinished, this, [this] { applyOrigins(); });
    connect(m_yOriginValue, &QLineEdit::editingFinished, this, [this] { applyOrigins(); });

    auto* zoomRow = new QHBoxLayout;
    auto* zoom = new QPushButton(QStringLiteral("Zoom"), this);
    zoom->setObjectName("cmdZoom");
    auto* reset = new QPushButton(QStringLiteral("Reset"), this);
    reset->setObjectName("cmdReset");
    zoomRow->addWidget(zoom);
    zoomRow->addWidget(reset);
    v->addLayout(zoomRow);
    auto* warning = new QLabel(QStringLiteral("ACHTUNG: Zoom stellt zurück in Standardeinstellung"), this);
    warning->setWordWrap(true);
    v->addWidget(warning);
    v->addStretch(1);
    connect(zoom, &QPushButton::clicked, this, [&chart] { chart.setZoomMode(true); });
    connect(reset, &QPushButton::clicked, this, [&chart] { chart.resetZoom(); });
}

void AxisPage::showFrame() {
    const DiagramFrame& f = m_session.diagram.frame;
    const char separator = decimalSeparator();
    m_xMin->setText(q(formatSingle(f.xMin, separator)));
    m_xMax->setText(q(formatSingle(f.xMax, separator)));
    m_yMin->setText(q(formatSingle(f.yMin, separator)));
    m_yMax->setText(q(formatSingle(f.yMax, separator)));
}

void AxisPage::applyCoordinates() {
    m_document.applyCoordinates({m_xMin->text().toStdString(), m_xMax->text().toStdString(),
                                 m_yMin->text().toStdString(), m_yMax->text().toStdString()},
                                spacingControls());
}

void AxisPage::selectAutomaticSpacing() {
    m_scalingAuto->setChecked(true);
    for (QLineEdit* e : m_spacing) {
        e->setEnabled(false);
    }
}

void AxisPage::showLogarithmic() {
    m_updating = true;
    m_xLog->setChecked(m_document.chart().axis(ChartAxis::X).logarithmic);
    m_yLog->setChecked(m_document.chart().axis(ChartAxis::Y).logarithmic);
    m_updating = false;
}

SpacingControls AxisPage::spacingControls() const {
    SpacingControls spacing;
    spacing.manual = m_scalingManual->isChecked();
    for (std::size_t i = 0; i < m_spacing.size(); ++i) {
        spacing.texts[i] = m_spacing[i]->text().toStdString();
    }
    return spacing;
}

void AxisPage::applySpacing() {
    const SpacingControls spacing = spacingControls();
    for (QLineEdit* e : m_spacing) {
        e->setEnabled(spacing.manual);
    }
    m_document.setSpacing(spacing);
}

void AxisPage::applyOrigins() {
    OriginControls origins;
    origins.automatic = m_standardOrigin->checkedId() == 1;
    origins.x = m_xOrigin->checkedId();
    origins.y = m_yOrigin->checkedId();
    origins.xValue = m_xOriginValue->text().toStdString();
    origins.yValue = m_yOriginValue->text().toStdString();
    m_document.setOrigins(origins);
}

}  // namespace zemtral
