#include "ui/diagrams/curve_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <array>

#include "session/diagram_document.h"
#include "session/session.h"
#include "ui/diagrams/graph2d_widgets.h"

namespace zemtral {
namespace {

using graph2d::q;

struct StyleEntry {
    const char* text;
    LinePattern pattern;
};
constexpr std::array<StyleEntry, 5> kCurveStyles{{{"nur Einzelpunkte", LinePattern::None},
                                                  {"Kurve normal", LinePattern::Solid},
                                                  {"Kurve punktiert", LinePattern::Dotted},
                                                  {"Kurve gestrichelt", LinePattern::Dashed},
                                                  {"Kurve strichpunkt.", LinePattern::DashDot}}};

QString resolutionText(int value) {
    return QStringLiteral("%1 berechnete Punkte pro Kurve ").arg(value);
}

}  // namespace

CurvePage::CurvePage(Session& session, UserDialogs& dialogs, DiagramDocument& document, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_document(document) {
    auto* v = new QVBoxLayout(this);

    m_draw = new QPushButton(QStringLiteral("Zeichne Kurve"), this);
    m_draw->setObjectName("cmdDraw");
    v->addWidget(m_draw);

    auto* frame = new QGroupBox(QStringLiteral("Kurvengestaltung"), this);
    frame->setObjectName("fraKurven");
    auto* grid = new QGridLayout(frame);
    m_tabs = new QTabBar(frame);
    m_tabs->setObjectName("tabKurven");
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    grid->addWidget(m_tabs, 0, 0, 1, 3);
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { showCurveControls(); });

    m_style = new QComboBox(frame);
    m_style->setObjectName("cmbKStil");
    for (const auto& entry : kCurveStyles) {
        m_style->addItem(QString::fromUtf8(entry.text), static_cast<int>(entry.pattern));
    }
    m_style->setCurrentIndex(1);
    m_colour = new QPushButton(QStringLiteral("Farbe"), frame);
    m_colour->setObjectName("cmdKurvenFarbe");
    m_width = new QSpinBox(frame);
    m_width->setObjectName("UpDown1_KBreite");
    m_width->setRange(1, 10);
    grid->addWidget(new QLabel(QStringLiteral("Stil"), frame), 1, 0);
    grid->addWidget(m_style, 1, 1);
    grid->addWidget(m_colour, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Lin.-breite"), frame), 2, 0);
    grid->addWidget(m_width, 2, 1);

    m_legend = new QLineEdit(frame);
    m_legend->setObjectName("txtLegendCurves");
    m_legend->setToolTip(QStringLiteral(" ohne Text kein Eintrag in die Legende! "));
    m_legendShown = new QCheckBox(QStringLiteral("sichtbar"), frame);
    m_legendShown->setObjectName("chkLegend1");
    m_legendShown->setChecked(true);
    grid->addWidget(new QLabel(QStringLiteral("Legendentext"), frame), 3, 0);
    grid->addWidget(m_legend, 3, 1);
    grid->addWidget(m_legendShown, 3, 2);

    m_label = new QLineEdit(frame);
    m_label->setObjectName("txtLabel");
    m_labelShown = new QCheckBox(QStringLiteral("sichtbar"), frame);
    m_labelShown->setObjectName("chkEinzelLabelSichtbar");
    m_labelShown->setChecked(true);
    m_labelPosition = new QSlider(Qt::Horizontal, frame);
    m_labelPosition->setObjectName("scrShiftLab");
    m_labelPosition->setRange(1, 201);
    grid->addWidget(new QLabel(QStringLiteral("Kurvenetikett:"), frame), 4, 0);
    grid->addWidget(m_label, 4, 1);
    grid->addWidget(m_labelShown, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("Position"), frame), 5, 0);
    grid->addWidget(m_labelPosition, 5, 1, 1, 2);

    auto* deleteCurve = new QPushButton(QStringLiteral("Kurve löschen"), frame);
    deleteCurve->setObjectName("cmdKurveLoeschen");
    auto* deletePoint = new QPushButton(QStringLiteral("einzelne Kurvenpunkte löschen"), frame);
    deletePoint->setObjectName("cmdMsgDelPoint");
    auto* preselect = new QPushButton(QStringLiteral(" Farb-Vorwahl"), frame);
    preselect->setObjectName("cmdFarbVorwahl");
    grid->addWidget(deleteCurve, 6, 0);
    grid->addWidget(deletePoint, 6, 1, 1, 2);
    grid->addWidget(preselect, 7, 0);
    v->addWidget(frame);

    auto* export_ = new QGroupBox(QStringLiteral("Kurvenexport"), this);
    auto* eg = new QGridLayout(export_);
    auto* saveXY = new QPushButton(QStringLiteral("Kurve in File .XY speichern"), export_);
    saveXY->setObjectName("cmdSaveCurveAsXY");
    saveXY->setToolTip(QStringLiteral("...im systemeigenen XY-Textformat  "));
    m_separator = new QComboBox(export_);
    m_separator->setObjectName("cmbSep");
    for (const auto& entry : separatorEntries()) {
        m_separator->addItem(q(entry));
    }
    auto* clipboard = new QPushButton(QStringLiteral("Kurve in Clipboard"), export_);
    clipboard->setObjectName("cmdClipboard");
    clipboard->setToolTip(QStringLiteral("...für Datenexport nach Excel / Origin "));
    // One control per row: the button texts stay whole in the narrow page.
    eg->addWidget(saveXY, 0, 0);
    eg->addWidget(m_separator, 1, 0);
    eg->addWidget(clipboard, 2, 0);
    v->addWidget(export_);

    auto* resolution = new QGroupBox(QStringLiteral("Kurven-Auflösung"), this);
    resolution->setObjectName("fraResolution");
    auto* rg = new QHBoxLayout(resolution);
    m_resolution = new QSlider(Qt::Horizontal, resolution);
    m_resolution->setObjectName("Slider1_PunktDichte");
    m_resolution->setRange(20, 2000);
    m_resolution->setValue(m_session.diagram.pointsPerCurve);
    m_resolutionLabel = new QLabel(resolution);
    m_resolutionLabel->setObjectName("lblPunktDichte");
    m_resolutionLabel->setText(resolutionText(m_resolution->value()));
    rg->addWidget(m_resolution, 1);
    rg->addWidget(m_resolutionLabel);
    v->addWidget(resolution);
    v->addStretch(1);

    connect(m_style, &QComboBox::currentIndexChanged, this, [this] { applyStyle(); });
    connect(m_width, &QSpinBox::valueChanged, this, [this] { applyStyle(); });
    connect(m_colour, &QPushButton::clicked, this, [this] {
        const int slot = selectedCurve();
        if (slot == 0 || !askColour) {
            return;
        }
        const ChartColour current = m_document.chart().seriesStyle(1, slot).lineColour;
        if (const auto colour = askColour(graph2d::toQColor(current))) {
            m_document.recolour(1, slot, graph2d::fromQColor(*colour));
        }
    });
    connect(m_legend, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const int slot = selectedCurve()) {
            m_document.chart().setSeriesLabel(1, slot, text.toStdString());
        }
    });
    connect(m_legendShown, &QCheckBox::toggled, this, [this](bool on) {
        if (const int slot = selectedCurve(); slot != 0 && !m_updating) {
            m_document.chart().setSeriesLegendShown(1, slot, on);
        }
    });
    connect(m_label, &QLineEdit::textEdited, this, [this] { applyLabel(); });
    connect(m_labelShown, &QCheckBox::toggled, this, [this] { applyLabel(); });
    connect(m_labelPosition, &QSlider::valueChanged, this, [this] { applyLabel(); });
    connect(deleteCurve, &QPushButton::clicked, this, [this] {
        if (const int slot = selectedCurve()) {
            m_document.deleteCurve(slot);
            rebuildCurveTabs();
            if (curvesChanged) {
                curvesChanged();
            }
        }
    });
    connect(deletePoint, &QPushButton::clicked, this, [this] { m_document.startDeletingPoints(); });
    connect(preselect, &QPushButton::clicked, this, [this] {
        const auto current = m_document.preselectedColour();
        if (!askColour) {
            return;
        }
        if (const auto colour = askColour(current ? graph2d::toQColor(*current) : QColor(Qt::black))) {
            m_document.setPreselectedColour(graph2d::fromQColor(*colour));
        }
    });
    connect(saveXY, &QPushButton::clicked, this, [this] {
        if (saveCurve) {
            saveCurve();
        }
    });
    connect(clipboard, &QPushButton::clicked, this, [this] {
        if (copyCurve) {
            copyCurve();
        }
    });
    connect(m_separator, &QComboBox::activated, this,
            [this](int entry) { m_session.protocol.separator = separatorForEntry(entry); });
    connect(m_resolution, &QSlider::valueChanged, this, [this](int value) {
        m_session.diagram.pointsPerCurve = value;
        m_resolutionLabel->setText(resolutionText(value));
    });
}

void CurvePage::showSeparator() {
    m_separator->setCurrentIndex(entryForSeparator(m_session.protocol.separator));
}

void CurvePage::rebuildCurveTabs() {
    m_updating = true;
    const int previous = selectedCurve();
    while (m_tabs->count() > 0) {
        m_tabs->removeTab(0);
    }
    for (int slot : m_document.curvesShown()) {
        const int index = m_tabs->addTab(QStringLiteral("Kurve %1").arg(slot));
        m_tabs->setTabData(index, slot);
    }
    m_updating = false;
    if (previous != 0) {
        selectCurve(previous);
    }
    showCurveControls();
}

int CurvePage::selectedCurve() const {
    const int index = m_tabs->currentIndex();
    return index < 0 ? 0 : m_tabs->tabData(index).toInt();
}

void CurvePage::selectCurve(int slot) {
    for (int i = 0; i < m_tabs->count(); ++i) {
        if (m_tabs->tabData(i).toInt() == slot) {
            m_tabs->setCurrentIndex(i);
            return;
        }
    }
}

void CurvePage::showCurveControls() {
    const int slot = selectedCurve();
    m_updating = true;
    const bool has = slot != 0;
    for (QWidget* w : std::initializer_list<QWidget*>{m_style, m_colour, m_width, m_legend, m_legendShown,
                                                      m_label, m_labelShown, m_labelPosition}) {
        w->setEnabled(has);
    }
    if (has) {
        const ChartComponent& chart = m_document.chart();
        const SeriesStyle style = chart.seriesStyle(1, slot);
        graph2d::selectEntryWithCode(m_style, static_cast<int>(style.linePattern));
        m_width->setValue(style.lineWidth);
        m_legend->setText(q(chart.seriesLabel(1, slot)));
        m_legendShown->setChecked(chart.seriesLegendShown(1, slot));
        m_labelPosition->setRange(1, std::max(1, chart.pointCount(1, slot)));
        const int id = m_document.curveLabelId(slot);
        if (const auto label = id != 0 ? chart.label(id) : std::nullopt) {
            m_label->setText(q(label->text));
            m_labelShown->setChecked(label->visible);
            m_labelPosition->setValue(label->point);
        } else {
            m_label->clear();
        }
    }
    m_updating = false;
}

void CurvePage::applyStyle() {
    const int slot = selectedCurve();
    if (slot == 0 || m_updating) {
        return;
    }
    m_document.setCurveStyle(slot, static_cast<LinePattern>(m_style->currentData().toInt()),
                             m_width->value());
}

void CurvePage::applyLabel() {
    const int slot = selectedCurve();
    if (slot == 0 || m_updating) {
        return;
    }
    m_document.setCurveLabel(slot, m_label->text().toStdString(), m_labelShown->isChecked(),
                             m_labelPosition->value());
}

}  // namespace zemtral
