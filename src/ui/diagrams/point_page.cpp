#include "ui/diagrams/point_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <array>

#include "session/diagram_document.h"
#include "ui/diagrams/graph2d_widgets.h"

namespace zemtral {
namespace {

struct SymbolEntry {
    const char* text;
    SymbolShape shape;
};
constexpr std::array<SymbolEntry, 11> kPointSymbols{{{"Kreis voll", SymbolShape::FilledCircle},
                                                     {"Kreis", SymbolShape::Circle},
                                                     {"Dreieck", SymbolShape::Triangle},
                                                     {"Quadrat", SymbolShape::Square},
                                                     {"Stern", SymbolShape::Star},
                                                     {"Kreuz", SymbolShape::Cross},
                                                     {"Quadrat voll", SymbolShape::FilledSquare},
                                                     {"Rhombus", SymbolShape::Diamond},
                                                     {"Vert. Linie", SymbolShape::VerticalLine},
                                                     {"Horiz. Linie", SymbolShape::HorizontalLine},
                                                     {"versteckt", SymbolShape::None}}};

}  // namespace

PointPage::PointPage(DiagramDocument& document, QWidget* parent) : QWidget(parent), m_document(document) {
    auto* v = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Messpunkt-Gestaltung"), this);
    frame->setObjectName("fraPunkte");
    auto* grid = new QGridLayout(frame);
    m_tabs = new QTabBar(frame);
    m_tabs->setObjectName("tabPunkte");
    m_tabs->setExpanding(false);
    for (int i = 0; i < kPointSetTabCount; ++i) {
        m_tabs->addTab(graph2d::q(m_document.pointTabs()[static_cast<std::size_t>(i)].caption));
        m_tabs->setTabVisible(i, false);
    }
    grid->addWidget(m_tabs, 0, 0, 1, 3);
    m_style = new QComboBox(frame);
    m_style->setObjectName("cmbPunktStil");
    for (const auto& entry : kPointSymbols) {
        m_style->addItem(QString::fromUtf8(entry.text), static_cast<int>(entry.shape));
    }
    auto* colour = new QPushButton(QStringLiteral("Farbe"), frame);
    colour->setObjectName("cmdPunktFarbe");
    m_size = new QSpinBox(frame);
    m_size->setObjectName("UpDown1_PointSize");
    m_size->setRange(2, 30);
    m_size->setValue(7);
    m_legend = new QLineEdit(frame);
    m_legend->setObjectName("txtLegendPoints");
    m_legend->setToolTip(QStringLiteral(" ohne Text kein Eintrag in die Legende! "));
    m_legendShown = new QCheckBox(QStringLiteral("sichtbar"), frame);
    m_legendShown->setObjectName("chkLegend2");
    m_legendShown->setChecked(true);
    auto* deleteSet = new QPushButton(QStringLiteral("Punktsatz löschen"), frame);
    deleteSet->setObjectName("cmdPunktsatzLoeschen");
    grid->addWidget(new QLabel(QStringLiteral("Stil"), frame), 1, 0);
    grid->addWidget(m_style, 1, 1);
    grid->addWidget(colour, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Größe"), frame), 2, 0);
    grid->addWidget(m_size, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Legendentext"), frame), 3, 0);
    grid->addWidget(m_legend, 3, 1);
    grid->addWidget(m_legendShown, 3, 2);
    grid->addWidget(deleteSet, 4, 0, 1, 2);
    v->addWidget(frame);
    auto* show = new QPushButton(QStringLiteral("Messpunkte zeigen"), this);
    show->setObjectName("cmdShowPoints");
    v->addWidget(show);
    v->addStretch(1);

    connect(m_tabs, &QTabBar::currentChanged, this, [this] { showPointControls(); });
    connect(m_style, &QComboBox::currentIndexChanged, this, [this] { applyStyle(); });
    connect(m_size, &QSpinBox::valueChanged, this, [this] { applyStyle(); });
    connect(colour, &QPushButton::clicked, this, [this] {
        const int set = selectedPointSet();
        if (set == 0 || m_document.chart().seriesCount(2) < set || !askColour) {
            return;
        }
        const ChartColour current = m_document.chart().seriesStyle(2, set).symbolColour;
        if (const auto chosen = askColour(graph2d::toQColor(current))) {
            m_document.recolour(2, set, graph2d::fromQColor(*chosen));
        }
    });
    connect(m_legend, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int set = selectedPointSet();
        if (set != 0 && m_document.chart().seriesCount(2) >= set) {
            m_document.chart().setSeriesLabel(2, set, text.toStdString());
        }
    });
    connect(m_legendShown, &QCheckBox::toggled, this, [this](bool on) {
        const int set = selectedPointSet();
        if (set != 0 && m_document.chart().seriesCount(2) >= set && !m_updating) {
            m_document.chart().setSeriesLegendShown(2, set, on);
        }
    });
    connect(deleteSet, &QPushButton::clicked, this, [this] {
        m_document.deletePointSet(selectedPointSet());
        showTabs();
    });
    connect(show, &QPushButton::clicked, this, [this] {
        if (showPoints) {
            showPoints();
        }
    });
}

void PointPage::showTabs() {
    for (int i = 0; i < kPointSetTabCount; ++i) {
        const PointSetTab& tab = m_document.pointTabs()[static_cast<std::size_t>(i)];
        m_tabs->setTabText(i, graph2d::q(tab.caption));
        m_tabs->setTabVisible(i, tab.visible);
    }
    // The tab bar keeps a hidden tab current (all tabs start hidden): the controls would stay grey
    // until a tab is clicked. The first shown set with points is chosen, else the first shown tab.
    const int current = m_tabs->currentIndex();
    const ChartComponent& chart = m_document.chart();
    const auto hasPoints = [&chart](int index) {
        return chart.seriesCount(2) > index && chart.pointCount(2, index + 1) > 0;
    };
    if (current < 0 || !m_tabs->isTabVisible(current) || !hasPoints(current)) {
        int choice = -1;
        for (int i = 0; i < kPointSetTabCount && choice < 0; ++i) {
            if (m_tabs->isTabVisible(i) && hasPoints(i)) {
                choice = i;
            }
        }
        for (int i = 0; i < kPointSetTabCount && choice < 0; ++i) {
            if (m_tabs->isTabVisible(i)) {
                choice = i;
            }
        }
        if (choice >= 0 && (current < 0 || !m_tabs->isTabVisible(current) || hasPoints(choice))) {
            m_tabs->setCurrentIndex(choice);
        }
    }
    showPointControls();
}

void PointPage::selectTab(int index) {
    m_tabs->setCurrentIndex(index);
}

int PointPage::selectedPointSet() const {
    const int index = m_tabs->currentIndex();
    return index < 0 || !m_tabs->isTabVisible(index) ? 0 : index + 1;
}

void PointPage::showPointControls() {
    const int set = selectedPointSet();
    const ChartComponent& chart = m_document.chart();
    const bool has = set != 0 && chart.seriesCount(2) >= set;
    m_updating = true;
    m_style->setEnabled(has);
    m_size->setEnabled(has);
    m_legend->setEnabled(has);
    m_legendShown->setEnabled(has);
    if (has) {
        const SeriesStyle style = chart.seriesStyle(2, set);
        graph2d::selectEntryWithCode(m_style, static_cast<int>(style.symbolShape));
        m_size->setValue(style.symbolSize);
        m_legend->setText(graph2d::q(chart.seriesLabel(2, set)));
        m_legendShown->setChecked(chart.seriesLegendShown(2, set));
    }
    m_updating = false;
}

void PointPage::applyStyle() {
    const int set = selectedPointSet();
    if (set == 0 || m_updating) {
        return;
    }
    m_document.setPointStyle(set, static_cast<SymbolShape>(m_style->currentData().toInt()), m_size->value());
}

}  // namespace zemtral
