#include "ui/diagrams/design_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "session/diagram_document.h"
#include "ui/diagrams/graph2d_widgets.h"

namespace zemtral {
namespace {

using graph2d::radio;

}  // namespace

DesignPage::DesignPage(DiagramDocument& document, QWidget* parent) : QWidget(parent), m_document(document) {
    auto* v = new QVBoxLayout(this);

    auto* legend = new QGroupBox(QStringLiteral("Legende"), this);
    auto* lg = new QGridLayout(legend);
    m_legendShown = new QCheckBox(QStringLiteral("Sichtbar"), legend);
    m_legendShown->setObjectName("chkLegend");
    m_legendOrientation = new QButtonGroup(legend);
    auto* horizontal = radio(QStringLiteral("horizontal"), "optLegOrient_0", m_legendOrientation, 0, legend);
    auto* vertical = radio(QStringLiteral("vertikal"), "optLegOrient_1", m_legendOrientation, 1, legend);
    m_legendTransparent = new QCheckBox(QStringLiteral("transparent"), legend);
    m_legendTransparent->setObjectName("chkLegTransparent");
    m_legendFrame = new QCheckBox(QStringLiteral("mit Rahmen"), legend);
    m_legendFrame->setObjectName("chkLegFrame");
    auto* legendFont = new QPushButton(QStringLiteral("Schriftart"), legend);
    legendFont->setObjectName("cmdLegFont");
    lg->addWidget(m_legendShown, 0, 0);
    lg->addWidget(horizontal, 0, 1);
    lg->addWidget(vertical, 0, 2);
    lg->addWidget(m_legendTransparent, 1, 0);
    lg->addWidget(m_legendFrame, 1, 1);
    lg->addWidget(legendFont, 1, 2);
    v->addWidget(legend);
    connect(m_legendShown, &QCheckBox::toggled, this, [this] { applyLegend(); });
    connect(m_legendOrientation, &QButtonGroup::idClicked, this, [this] { applyLegend(); });
    connect(m_legendTransparent, &QCheckBox::toggled, this, [this] { applyLegend(); });
    connect(m_legendFrame, &QCheckBox::toggled, this, [this] { applyLegend(); });
    connect(legendFont, &QPushButton::clicked, this, [this] {
        LegendSettings settings = m_document.chart().legend();
        bool ok = false;
        const QFont font = QFontDialog::getFont(
            &ok, QFont(graph2d::q(settings.font.family), int(settings.font.pointSize)), this);
        if (ok) {
            settings.font = graph2d::chartFontOf(font);
            m_document.chart().setLegend(settings);
        }
    });

    auto* grid = new QGroupBox(QStringLiteral("Gitter"), this);
    auto* gg = new QGridLayout(grid);
    m_gridKind = new QButtonGroup(grid);
    const std::array<const char*, 4> gridTexts{"ohne Gitter", "nur y-Gitter", "nur x-Gitter",
                                               "Gitter komplett"};
    for (int i = 0; i < 4; ++i) {
        gg->addWidget(radio(QString::fromUtf8(gridTexts[static_cast<std::size_t>(i)]),
                            QStringLiteral("opt1Gitter_%1").arg(i), m_gridKind, i, grid),
                      i / 2, i % 2);
    }
    m_gridLine = new QButtonGroup(grid);
    gg->addWidget(radio(QStringLiteral("punktiert"), "opt2Gitter_0", m_gridLine, 0, grid), 2, 0);
    gg->addWidget(radio(QStringLiteral("volle Linie"), "opt2Gitter_1", m_gridLine, 1, grid), 2, 1);
    auto* gridColour = new QPushButton(QStringLiteral("Gitterfarbe"), grid);
    gridColour->setObjectName("cmdGitterFarbe");
    gg->addWidget(gridColour, 3, 0);
    v->addWidget(grid);
    connect(m_gridKind, &QButtonGroup::idClicked, this, [this] { applyGrid(); });
    connect(m_gridLine, &QButtonGroup::idClicked, this, [this] { applyGrid(); });
    connect(gridColour, &QPushButton::clicked, this, [this] {
        if (!askColour) {
            return;
        }
        if (const auto c = askColour(graph2d::toQColor(m_document.grid().colour))) {
            GridControls controls = m_document.grid();
            controls.colour = graph2d::fromQColor(*c);
            m_document.setGrid(controls);
        }
    });

    auto* frame = new QGroupBox(QStringLiteral("Rahmen und Ränder"), this);
    auto* fg = new QGridLayout(frame);
    m_diagramFramed = new QCheckBox(QStringLiteral("Diagramm gerahmt"), frame);
    m_diagramFramed->setObjectName("chkDiaFrame");
    m_frameType = new QButtonGroup(frame);
    const std::array<const char*, 4> frameTexts{"Doppelleiste", "normal", "3D", "ohne"};
    for (int i = 0; i < 4; ++i) {
        fg->addWidget(radio(QString::fromUtf8(frameTexts[static_cast<std::size_t>(i)]),
                            QStringLiteral("optFrameType_%1").arg(i), m_frameType, i, frame),
                      1 + i / 2, 2 * (i % 2), 1, 2);
    }
    m_frameWidth = new QSpinBox(frame);
    m_frameWidth->setObjectName("UpDownRBreite");
    m_frameWidth->setRange(1, 10);
    fg->addWidget(m_diagramFramed, 0, 0, 1, 2);
    fg->addWidget(new QLabel(QStringLiteral("Rahmenbreite"), frame), 0, 2);
    fg->addWidget(m_frameWidth, 0, 3);
    m_autoMargins = new QCheckBox(QStringLiteral("Ränder automatisch"), frame);
    m_autoMargins->setObjectName("chkAutoRand");
    fg->addWidget(m_autoMargins, 3, 0, 1, 4);
    const std::array<const char*, 4> marginNames{"scrHL", "scrHR", "scrHO", "scrHU"};
    const std::array<const char*, 4> marginTexts{"links", "rechts", "oben", "unten"};
    for (std::size_t i = 0; i < 4; ++i) {
        auto* box = new QSpinBox(frame);
        box->setObjectName(QString::fromUtf8(marginNames[i]));
        box->setRange(0, 200);
        box->setToolTip(QString::fromUtf8(marginTexts[i]));
        m_margins[i] = box;
        fg->addWidget(box, 4, static_cast<int>(i));
        // A margin typed by hand ends the automatic margins.
        connect(box, &QSpinBox::valueChanged, this, [this] {
            if (!m_updating) {
                m_autoMargins->setChecked(false);
                applyFrame();
            }
        });
    }
    v->addWidget(frame);
    connect(m_diagramFramed, &QCheckBox::toggled, this, [this] { applyFrame(); });
    connect(m_frameType, &QButtonGroup::idClicked, this, [this] { applyFrame(); });
    connect(m_frameWidth, &QSpinBox::valueChanged, this, [this] { applyFrame(); });
    connect(m_autoMargins, &QCheckBox::toggled, this, [this] { applyFrame(); });

    auto* colours = new QGroupBox(QStringLiteral("Farben"), this);
    auto* kg = new QGridLayout(colours);
    const std::array<std::pair<const char*, const char*>, 6> colourButtons{
        {{"cmdRandCol_out", "äußerer Rand"},
         {"cmdRandCol_in", "innerer Rand"},
         {"cmdColor_in", "Zeichenfläche"},
         {"cmdRandColGrau", "Gesamtrand grau"},
         {"cmdFullWhite", "Gesamtblatt weiß"},
         {"cmdFullBlack", "Gesamtblatt schwarz"}}};
    for (std::size_t i = 0; i < colourButtons.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(colourButtons[i].second), colours);
        button->setObjectName(QString::fromUtf8(colourButtons[i].first));
        // Two buttons a row: "Gesamtblatt schwarz" stays whole in the narrow page.
        kg->addWidget(button, static_cast<int>(i) / 2, static_cast<int>(i) % 2);
        connect(button, &QPushButton::clicked, this, [this, i] {
            ChartComponent& chart = m_document.chart();
            AreaSettings a = chart.areas();
            auto pick = [this](ChartColour current) {
                const auto c = askColour ? askColour(graph2d::toQColor(current)) : std::nullopt;
                return c ? graph2d::fromQColor(*c) : current;
            };
            switch (i) {
                case 0:
                    a.chartAreaColour = pick(a.chartAreaColour);
                    break;
                case 1:
                    a.innerMarginColour = pick(a.innerMarginColour);
                    break;
                case 2:
                    a.plotAreaColour = pick(a.plotAreaColour);
                    break;
                case 3:
                    applyAreaPreset(chart, AreaPreset::GreyMargins);
                    return;
                case 4:
                    applyAreaPreset(chart, AreaPreset::AllWhite);
                    return;
                default:
                    applyAreaPreset(chart, AreaPreset::AllBlack);
                    return;
            }
            chart.setAreas(a);
        });
    }
    v->addWidget(colours);

    auto* axes = new QGroupBox(QStringLiteral("y-Achse"), this);
    auto* ag = new QGridLayout(axes);
    m_yDigitOrientation = new QButtonGroup(axes);
    m_yTitleOrientation = new QButtonGroup(axes);
    ag->addWidget(new QLabel(QStringLiteral("Ziffern"), axes), 0, 0);
    ag->addWidget(radio(QStringLiteral("vertikal"), "optOrientYAxZiff_0", m_yDigitOrientation, 0, axes), 0,
                  1);
    ag->addWidget(radio(QStringLiteral("horizontal"), "optOrientYAxZiff_1", m_yDigitOrientation, 1, axes), 0,
                  2);
    ag->addWidget(new QLabel(QStringLiteral("Titel"), axes), 1, 0);
    ag->addWidget(radio(QStringLiteral("vertikal"), "optOrientYAxText_0", m_yTitleOrientation, 0, axes), 1,
                  1);
    ag->addWidget(radio(QStringLiteral("horiz. oben"), "optOrientYAxText_1", m_yTitleOrientation, 1, axes), 1,
                  2);
    v->addWidget(axes);
    connect(m_yDigitOrientation, &QButtonGroup::idClicked, this, [this] { applyYAxisTexts(); });
    connect(m_yTitleOrientation, &QButtonGroup::idClicked, this, [this] { applyYAxisTexts(); });

    auto* labels = new QGroupBox(QStringLiteral("Kurvenetiketts"), this);
    auto* bg = new QHBoxLayout(labels);
    m_labelsHidden = new QCheckBox(QStringLiteral("alle unsichtbar"), labels);
    m_labelsHidden->setObjectName("chkLabelNotVisible");
    m_labelsFramed = new QCheckBox(QStringLiteral("gerahmt"), labels);
    m_labelsFramed->setObjectName("chkLabelFrame");
    auto* labelFont = new QPushButton(QStringLiteral("Schriftart/-größe"), labels);
    labelFont->setObjectName("cmdFontLabel");
    bg->addWidget(m_labelsHidden);
    bg->addWidget(m_labelsFramed);
    bg->addWidget(labelFont);
    v->addWidget(labels);
    connect(m_labelsHidden, &QCheckBox::toggled, this, [this] { applyLabels(); });
    connect(m_labelsFramed, &QCheckBox::toggled, this, [this] { applyLabels(); });
    connect(labelFont, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, QFont(QStringLiteral("Arial"), 8), this);
        if (ok) {
            m_document.setLabelFont(graph2d::chartFontOf(font));
        }
    });
    v->addStretch(1);
    showControls();
}

void DesignPage::showControls() {
    m_updating = true;
    const LegendControls& legend = m_document.legendControls();
    m_legendShown->setChecked(legend.shown);
    graph2d::checkButton(m_legendOrientation, legend.horizontal ? 0 : 1);
    m_legendTransparent->setChecked(legend.transparent);
    m_legendFrame->setChecked(legend.framed);
    const GridControls& grid = m_document.grid();
    graph2d::checkButton(m_gridKind, grid.kind);
    graph2d::checkButton(m_gridLine, grid.solid ? 1 : 0);
    const FrameControls& frame = m_document.frame();
    m_diagramFramed->setChecked(frame.framed);
    graph2d::checkButton(m_frameType, frame.type);
    m_frameWidth->setValue(frame.width);
    m_autoMargins->setChecked(frame.automaticMargins);
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        m_margins[i]->setValue(frame.margins[i]);
    }
    const YAxisTextControls& y = m_document.yAxisText();
    graph2d::checkButton(m_yDigitOrientation, y.digitsVertical ? 0 : 1);
    graph2d::checkButton(m_yTitleOrientation, y.titleHorizontal ? 1 : 0);
    m_labelsHidden->setChecked(m_document.labelsHidden());
    m_labelsFramed->setChecked(m_document.labelsFramed());
    m_updating = false;
}

void DesignPage::setLegendShown(bool shown) {
    m_legendShown->setChecked(shown);
}

void DesignPage::setLabelsHidden(bool hidden) {
    m_labelsHidden->setChecked(hidden);
}

void DesignPage::applyLegend() {
    if (m_updating) {
        return;
    }
    m_document.setLegendControls(
        LegendControls{m_legendShown->isChecked(), m_legendOrientation->checkedId() == 0,
                       m_legendTransparent->isChecked(), m_legendFrame->isChecked()});
}

void DesignPage::applyGrid() {
    if (m_updating) {
        return;
    }
    GridControls grid = m_document.grid();
    grid.kind = m_gridKind->checkedId();
    grid.solid = m_gridLine->checkedId() == 1;
    m_document.setGrid(grid);
}

void DesignPage::applyFrame() {
    if (m_updating) {
        return;
    }
    FrameControls frame;
    frame.framed = m_diagramFramed->isChecked();
    frame.type = m_frameType->checkedId();
    frame.width = m_frameWidth->value();
    frame.automaticMargins = m_autoMargins->isChecked();
    for (std::size_t i = 0; i < m_margins.size(); ++i) {
        frame.margins[i] = m_margins[i]->value();
    }
    m_document.setFrame(frame);
}

void DesignPage::applyLabels() {
    if (!m_updating) {
        m_document.setCurveLabelLook(m_labelsHidden->isChecked(), m_labelsFramed->isChecked());
    }
}

void DesignPage::applyYAxisTexts() {
    if (!m_updating) {
        m_document.setYAxisText(
            YAxisTextControls{m_yDigitOrientation->checkedId() == 0, m_yTitleOrientation->checkedId() == 1});
    }
}

}  // namespace zemtral
