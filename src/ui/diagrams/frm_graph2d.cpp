#include "ui/diagrams/frm_graph2d.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "core/model_catalogue.h"
#include "diagrams/axis_range.h"
#include "diagrams/species_masks.h"
#include "evaluation/linearised_evaluation.h"
#include "numeric/number_text.h"
#include "session/diagram_window_draw.h"
#include "session/evaluation_commands.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/diagrams/qt_chart_component.h"
#include "ui/simulation/ui_text.h"

namespace zemtral {
namespace {

// Selects the list entry whose code is `code`; an unknown code leaves the selection.
void selectEntryWithCode(QComboBox* box, int code) {
    const int index = box->findData(code);
    if (index >= 0) {
        box->setCurrentIndex(index);
    }
}

// A page of the tab widget that scrolls when the window is too low for it.
QScrollArea* scrollable(QWidget* page) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    return scroll;
}

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

ChartColour fromQColor(const QColor& c) {
    return ChartColour{static_cast<std::uint32_t>(c.rgb() & 0xFFFFFFu)};
}

QColor toQColor(ChartColour c) {
    return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | c.rgb));
}

struct StyleEntry {
    const char* text;
    LinePattern pattern;
};
constexpr std::array<StyleEntry, 5> kCurveStyles{{{"nur Einzelpunkte", LinePattern::None},
                                                  {"Kurve normal", LinePattern::Solid},
                                                  {"Kurve punktiert", LinePattern::Dotted},
                                                  {"Kurve gestrichelt", LinePattern::Dashed},
                                                  {"Kurve strichpunkt.", LinePattern::DashDot}}};

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

/// Point-set symbols and colours by set, so that several measured species stay apart.
constexpr std::array<SymbolShape, 8> kSetSymbols{
    SymbolShape::FilledCircle, SymbolShape::FilledCircle, SymbolShape::FilledSquare, SymbolShape::Triangle,
    SymbolShape::Diamond,      SymbolShape::Circle,       SymbolShape::FilledCircle, SymbolShape::Cross};

QRadioButton* radio(const QString& text, const QString& name, QButtonGroup* group, int id, QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(name);
    group->addButton(button, id);
    return button;
}

QLineEdit* field(const QString& name, QWidget* parent, int width = 80) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(width + 40);
    edit->setMinimumWidth(width);
    return edit;
}

}  // namespace

frmGraph2D::frmGraph2D(Session& session, UserDialogs& dialogs, const CurveTable& curves, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_curves(curves) {
    setObjectName("frmGraph2D");
    setWindowTitle(QStringLiteral("2D-Diagramm"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_chart = new QtChartComponent(this);
    m_chart->setMinimumSize(420, 320);
    m_chart->setMouseMoveHandler([this](QPoint p) { onMouseMoved(p); });
    m_chart->setMouseClickHandler([this](QPoint p, Qt::MouseButton b) { onMouseClicked(p, b); });

    m_pages = new QTabWidget(this);
    m_pages->setObjectName("fraTabs");
    m_pages->addTab(buildCurvePage(), QStringLiteral("Kurven"));
    m_pages->addTab(buildPointPage(), QStringLiteral("Messpunkte"));
    m_pages->addTab(buildAxisPage(), QStringLiteral("Achsen"));
    m_pages->addTab(buildDesignPage(), QStringLiteral("Gestaltung"));
    m_pages->addTab(buildTextPage(), QStringLiteral("Texte"));
    m_pages->addTab(buildPicturePage(), QStringLiteral("Bild"));
    m_pages->setMinimumWidth(330);
    m_pages->setMaximumWidth(400);

    m_status = new QStatusBar(this);
    m_status->setObjectName("StatusBar2");
    m_status->setSizeGripEnabled(false);
    m_statusPosition = new QLabel(QStringLiteral("X =                     Y ="), m_status);
    m_statusPosition->setObjectName("StatusBar2_Position");
    m_statusPosition->setMinimumWidth(260);
    m_statusText = new QLabel(m_status);
    m_statusText->setObjectName("StatusBar2_Text");
    m_status->addWidget(m_statusPosition);
    m_status->addWidget(m_statusText, 1);

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName("mnuGraph2D");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setMenuBar(menuBar);
    auto* body = new QHBoxLayout;
    body->addWidget(m_chart, 1);
    body->addWidget(m_pages);
    layout->addLayout(body, 1);
    layout->addWidget(m_status);
    buildMenus();
    setMinimumSize(980, 600);
    resize(1100, 660);
}

// --- Pages -----------------------------------------------------------------------------------

QWidget* frmGraph2D::buildCurvePage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);

    m_draw = new QPushButton(QStringLiteral("Zeichne Kurve"), page);
    m_draw->setObjectName("cmdDraw");
    connect(m_draw, &QPushButton::clicked, this, &frmGraph2D::cmdDraw);
    v->addWidget(m_draw);

    auto* frame = new QGroupBox(QStringLiteral("Kurvengestaltung"), page);
    frame->setObjectName("fraKurven");
    auto* grid = new QGridLayout(frame);
    m_curveTabs = new QTabBar(frame);
    m_curveTabs->setObjectName("tabKurven");
    m_curveTabs->setExpanding(false);
    m_curveTabs->setUsesScrollButtons(true);
    grid->addWidget(m_curveTabs, 0, 0, 1, 3);
    connect(m_curveTabs, &QTabBar::currentChanged, this, [this] { showCurveControls(); });

    m_curveStyle = new QComboBox(frame);
    m_curveStyle->setObjectName("cmbKStil");
    for (const auto& entry : kCurveStyles) {
        m_curveStyle->addItem(QString::fromUtf8(entry.text), static_cast<int>(entry.pattern));
    }
    m_curveStyle->setCurrentIndex(1);
    m_curveColour = new QPushButton(QStringLiteral("Farbe"), frame);
    m_curveColour->setObjectName("cmdKurvenFarbe");
    m_curveWidth = new QSpinBox(frame);
    m_curveWidth->setObjectName("UpDown1_KBreite");
    m_curveWidth->setRange(1, 10);
    grid->addWidget(new QLabel(QStringLiteral("Stil"), frame), 1, 0);
    grid->addWidget(m_curveStyle, 1, 1);
    grid->addWidget(m_curveColour, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Lin.-breite"), frame), 2, 0);
    grid->addWidget(m_curveWidth, 2, 1);

    m_curveLegend = new QLineEdit(frame);
    m_curveLegend->setObjectName("txtLegendCurves");
    m_curveLegend->setToolTip(QStringLiteral(" ohne Text kein Eintrag in die Legende! "));
    m_curveLegendShown = new QCheckBox(QStringLiteral("sichtbar"), frame);
    m_curveLegendShown->setObjectName("chkLegend1");
    m_curveLegendShown->setChecked(true);
    grid->addWidget(new QLabel(QStringLiteral("Legendentext"), frame), 3, 0);
    grid->addWidget(m_curveLegend, 3, 1);
    grid->addWidget(m_curveLegendShown, 3, 2);

    m_curveLabel = new QLineEdit(frame);
    m_curveLabel->setObjectName("txtLabel");
    m_curveLabelShown = new QCheckBox(QStringLiteral("sichtbar"), frame);
    m_curveLabelShown->setObjectName("chkEinzelLabelSichtbar");
    m_curveLabelShown->setChecked(true);
    m_curveLabelPosition = new QSlider(Qt::Horizontal, frame);
    m_curveLabelPosition->setObjectName("scrShiftLab");
    m_curveLabelPosition->setRange(1, 201);
    grid->addWidget(new QLabel(QStringLiteral("Kurvenetikett:"), frame), 4, 0);
    grid->addWidget(m_curveLabel, 4, 1);
    grid->addWidget(m_curveLabelShown, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("Position"), frame), 5, 0);
    grid->addWidget(m_curveLabelPosition, 5, 1, 1, 2);

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

    auto* export_ = new QGroupBox(QStringLiteral("Kurvenexport"), page);
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
    eg->addWidget(saveXY, 0, 0);
    eg->addWidget(m_separator, 0, 1);
    eg->addWidget(clipboard, 1, 0);
    v->addWidget(export_);

    auto* resolution = new QGroupBox(QStringLiteral("Kurven-Auflösung"), page);
    resolution->setObjectName("fraResolution");
    auto* rg = new QHBoxLayout(resolution);
    m_resolution = new QSlider(Qt::Horizontal, resolution);
    m_resolution->setObjectName("Slider1_PunktDichte");
    m_resolution->setRange(20, 2000);
    m_resolution->setValue(m_session.diagram.pointsPerCurve);
    m_resolutionLabel = new QLabel(resolution);
    m_resolutionLabel->setObjectName("lblPunktDichte");
    m_resolutionLabel->setText(QStringLiteral("%1 berechnete Punkte pro Kurve ").arg(m_resolution->value()));
    rg->addWidget(m_resolution, 1);
    rg->addWidget(m_resolutionLabel);
    v->addWidget(resolution);
    v->addStretch(1);

    connect(m_curveStyle, &QComboBox::currentIndexChanged, this, [this] { applyCurveStyleFromControls(); });
    connect(m_curveWidth, &QSpinBox::valueChanged, this, [this] { applyCurveStyleFromControls(); });
    connect(m_curveColour, &QPushButton::clicked, this, [this] {
        const int slot = selectedCurve();
        if (slot == 0) {
            return;
        }
        recolourSeries(1, slot);
    });
    connect(m_curveLegend, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const int slot = selectedCurve()) {
            chart().setSeriesLabel(1, slot, text.toStdString());
        }
    });
    connect(m_curveLegendShown, &QCheckBox::toggled, this, [this](bool on) {
        if (const int slot = selectedCurve(); slot != 0 && !m_updating) {
            chart().setSeriesLegendShown(1, slot, on);
        }
    });
    auto labelChanged = [this] {
        const int slot = selectedCurve();
        if (slot == 0 || m_updating || m_curveLabelIds[static_cast<std::size_t>(slot)] == 0) {
            return;
        }
        const int id = m_curveLabelIds[static_cast<std::size_t>(slot)];
        if (auto label = chart().label(id)) {
            label->text = m_curveLabel->text().toStdString();
            label->visible = m_curveLabelShown->isChecked();
            label->point = m_curveLabelPosition->value();
            chart().setLabel(id, *label);
        }
    };
    connect(m_curveLabel, &QLineEdit::textEdited, this, labelChanged);
    connect(m_curveLabelShown, &QCheckBox::toggled, this, labelChanged);
    connect(m_curveLabelPosition, &QSlider::valueChanged, this, labelChanged);
    connect(deleteCurve, &QPushButton::clicked, this, [this] {
        if (const int slot = selectedCurve()) {
            zemtral::deleteCurve(m_session, chart(), slot);
            m_curveLabelIds[static_cast<std::size_t>(slot)] = 0;
            rebuildCurveTabs();
        }
    });
    connect(deletePoint, &QPushButton::clicked, this, [this] {
        m_dialogs.showMessage("So wird ein einzelner Kurvenpunkt gelöscht",
                              "1) Schalten Sie den Kurvenstil der betreffenden Kurve\r\n"
                              "    von \"Kurve normal\" auf \"nur Einzelpunkte\" um.\r\n\r\n"
                              "2) Klicken Sie dann mit der LINKEN Maustaste\r\n"
                              "    auf den zu löschenden Kurvenpunkt.",
                              MessageIcon::Information);
        m_deletePointMode = true;
    });
    connect(preselect, &QPushButton::clicked, this, [this] {
        if (const auto colour = askColour(m_preselected ? toQColor(*m_preselected) : QColor(Qt::black))) {
            m_preselected = fromQColor(*colour);
        }
    });
    connect(saveXY, &QPushButton::clicked, this, [this] { saveSelectedCurveAsXY(); });
    connect(clipboard, &QPushButton::clicked, this, [this] { copySelectedCurveToClipboard(); });
    connect(m_separator, &QComboBox::activated, this,
            [this](int entry) { m_session.protocol.separator = separatorForEntry(entry); });
    connect(m_resolution, &QSlider::valueChanged, this, [this](int value) {
        m_session.diagram.pointsPerCurve = value;
        m_resolutionLabel->setText(QStringLiteral("%1 berechnete Punkte pro Kurve ").arg(value));
    });
    return page;
}

QWidget* frmGraph2D::buildPointPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* frame = new QGroupBox(QStringLiteral("Messpunkt-Gestaltung"), page);
    frame->setObjectName("fraPunkte");
    auto* grid = new QGridLayout(frame);
    m_pointTabs = new QTabBar(frame);
    m_pointTabs->setObjectName("tabPunkte");
    m_pointTabs->setExpanding(false);
    for (int i = 0; i < 7; ++i) {
        m_pointTabs->addTab(i == 6 ? QStringLiteral("manuell") : QString());
        m_pointTabs->setTabVisible(i, false);
    }
    grid->addWidget(m_pointTabs, 0, 0, 1, 3);
    m_pointStyle = new QComboBox(frame);
    m_pointStyle->setObjectName("cmbPunktStil");
    for (const auto& entry : kPointSymbols) {
        m_pointStyle->addItem(QString::fromUtf8(entry.text), static_cast<int>(entry.shape));
    }
    auto* colour = new QPushButton(QStringLiteral("Farbe"), frame);
    colour->setObjectName("cmdPunktFarbe");
    m_pointSize = new QSpinBox(frame);
    m_pointSize->setObjectName("UpDown1_PointSize");
    m_pointSize->setRange(2, 30);
    m_pointSize->setValue(7);
    m_pointLegend = new QLineEdit(frame);
    m_pointLegend->setObjectName("txtLegendPoints");
    m_pointLegend->setToolTip(QStringLiteral(" ohne Text kein Eintrag in die Legende! "));
    m_pointLegendShown = new QCheckBox(QStringLiteral("sichtbar"), frame);
    m_pointLegendShown->setObjectName("chkLegend2");
    m_pointLegendShown->setChecked(true);
    auto* deleteSet = new QPushButton(QStringLiteral("Punktsatz löschen"), frame);
    deleteSet->setObjectName("cmdPunktsatzLoeschen");
    grid->addWidget(new QLabel(QStringLiteral("Stil"), frame), 1, 0);
    grid->addWidget(m_pointStyle, 1, 1);
    grid->addWidget(colour, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Größe"), frame), 2, 0);
    grid->addWidget(m_pointSize, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Legendentext"), frame), 3, 0);
    grid->addWidget(m_pointLegend, 3, 1);
    grid->addWidget(m_pointLegendShown, 3, 2);
    grid->addWidget(deleteSet, 4, 0, 1, 2);
    v->addWidget(frame);
    auto* show = new QPushButton(QStringLiteral("Messpunkte zeigen"), page);
    show->setObjectName("cmdShowPoints");
    v->addWidget(show);
    v->addStretch(1);

    connect(m_pointTabs, &QTabBar::currentChanged, this, [this] { showPointControls(); });
    connect(m_pointStyle, &QComboBox::currentIndexChanged, this, [this] { applyPointStyleFromControls(); });
    connect(m_pointSize, &QSpinBox::valueChanged, this, [this] { applyPointStyleFromControls(); });
    connect(colour, &QPushButton::clicked, this, [this] {
        const int set = selectedPointSet();
        if (set == 0 || chart().seriesCount(2) < set) {
            return;
        }
        recolourSeries(2, set);
    });
    connect(m_pointLegend, &QLineEdit::textEdited, this, [this](const QString& text) {
        const int set = selectedPointSet();
        if (set != 0 && chart().seriesCount(2) >= set) {
            chart().setSeriesLabel(2, set, text.toStdString());
        }
    });
    connect(m_pointLegendShown, &QCheckBox::toggled, this, [this](bool on) {
        const int set = selectedPointSet();
        if (set != 0 && chart().seriesCount(2) >= set && !m_updating) {
            chart().setSeriesLegendShown(2, set, on);
        }
    });
    connect(deleteSet, &QPushButton::clicked, this, [this] { deletePointSet(selectedPointSet()); });
    connect(show, &QPushButton::clicked, this, [this] { showMeasuredPoints(); });
    return page;
}

QWidget* frmGraph2D::buildAxisPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);

    auto* coords = new QGroupBox(QStringLiteral(" Diagramm-Koordinaten "), page);
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
    connect(ok, &QPushButton::clicked, this, &frmGraph2D::applyCoordinates);
    connect(cancel, &QPushButton::clicked, this, [this] {
        const DiagramFrame& f = m_session.diagram.frame;
        m_xMin->setText(q(formatSingle(f.xMin)));
        m_xMax->setText(q(formatSingle(f.xMax)));
        m_yMin->setText(q(formatSingle(f.yMin)));
        m_yMax->setText(q(formatSingle(f.yMax)));
    });

    auto* scaling = new QGroupBox(QStringLiteral("Teilung von Ziffern, Strichen und Gitter"), page);
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
    for (int i = 0; i < 3; ++i) {
        sg->addWidget(new QLabel(QString::fromUtf8(kinds[static_cast<std::size_t>(i)]), scaling), 2 + i, 0);
        m_spacing[static_cast<std::size_t>(i)] =
            field(QStringLiteral("txt%1X").arg(names[static_cast<std::size_t>(i)]), scaling, 60);
        m_spacing[static_cast<std::size_t>(3 + i)] =
            field(QStringLiteral("txt%1Y").arg(names[static_cast<std::size_t>(i)]), scaling, 60);
        sg->addWidget(m_spacing[static_cast<std::size_t>(i)], 2 + i, 1);
        sg->addWidget(m_spacing[static_cast<std::size_t>(3 + i)], 2 + i, 2);
        connect(m_spacing[static_cast<std::size_t>(i)], &QLineEdit::editingFinished, this,
                [this] { applySpacing(); });
        connect(m_spacing[static_cast<std::size_t>(3 + i)], &QLineEdit::editingFinished, this,
                [this] { applySpacing(); });
    }
    connect(scalingGroup, &QButtonGroup::idClicked, this, [this] { applySpacing(); });
    v->addWidget(scaling);

    auto* logs = new QGroupBox(QStringLiteral("logarithmisch"), page);
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
    auto toggleLog = [this](ChartAxis which, bool on) {
        AxisSettings a = chart().axis(which);
        a.logarithmic = on;
        chart().setAxis(which, a);
    };
    connect(m_xLog, &QPushButton::toggled, this, [toggleLog](bool on) { toggleLog(ChartAxis::X, on); });
    connect(m_yLog, &QPushButton::toggled, this, [toggleLog](bool on) { toggleLog(ChartAxis::Y, on); });

    auto* origins = new QGroupBox(QStringLiteral("Achsenkreuz"), page);
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
        og->addWidget(radio(QString::fromUtf8(xTexts[static_cast<std::size_t>(i)]),
                            QStringLiteral("optXOrigin_%1").arg(i), m_xOrigin, i, origins),
                      1 + i, 0);
        og->addWidget(radio(QString::fromUtf8(yTexts[static_cast<std::size_t>(i)]),
                            QStringLiteral("optYOrigin_%1").arg(i), m_yOrigin, i, origins),
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
    auto* zoom = new QPushButton(QStringLiteral("Zoom"), page);
    zoom->setObjectName("cmdZoom");
    auto* reset = new QPushButton(QStringLiteral("Reset"), page);
    reset->setObjectName("cmdReset");
    zoomRow->addWidget(zoom);
    zoomRow->addWidget(reset);
    v->addLayout(zoomRow);
    auto* warning = new QLabel(QStringLiteral("ACHTUNG: Zoom stellt zurück in Standardeinstellung"), page);
    warning->setWordWrap(true);
    v->addWidget(warning);
    v->addStretch(1);
    connect(zoom, &QPushButton::clicked, this, [this] { m_chart->setZoomMode(true); });
    connect(reset, &QPushButton::clicked, this, [this] { m_chart->resetZoom(); });

    return scrollable(page);
}

QWidget* frmGraph2D::buildDesignPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);

    auto* legend = new QGroupBox(QStringLiteral("Legende"), page);
    auto* lg = new QGridLayout(legend);
    m_legendShown = new QCheckBox(QStringLiteral("Sichtbar"), legend);
    m_legendShown->setObjectName("chkLegend");
    m_legendShown->setChecked(true);
    m_legendOrientation = new QButtonGroup(legend);
    auto* horizontal = radio(QStringLiteral("horizontal"), "optLegOrient_0", m_legendOrientation, 0, legend);
    auto* vertical = radio(QStringLiteral("vertikal"), "optLegOrient_1", m_legendOrientation, 1, legend);
    vertical->setChecked(true);
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
    connect(m_legendShown, &QCheckBox::toggled, this, [this] { applyLegendControls(); });
    connect(m_legendOrientation, &QButtonGroup::idClicked, this, [this] { applyLegendControls(); });
    connect(m_legendTransparent, &QCheckBox::toggled, this, [this] { applyLegendControls(); });
    connect(m_legendFrame, &QCheckBox::toggled, this, [this] { applyLegendControls(); });
    connect(legendFont, &QPushButton::clicked, this, [this] {
        LegendSettings settings = chart().legend();
        bool ok = false;
        const QFont font =
            QFontDialog::getFont(&ok, QFont(q(settings.font.family), int(settings.font.pointSize)), this);
        if (ok) {
            settings.font = ChartFont{font.family().toStdString(), static_cast<float>(font.pointSizeF()),
                                      font.bold(), font.italic(), font.underline()};
            chart().setLegend(settings);
        }
    });

    auto* grid = new QGroupBox(QStringLiteral("Gitter"), page);
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
        if (const auto c = askColour(m_gridColour)) {
            m_gridColour = *c;
            applyGrid();
        }
    });

    auto* frame = new QGroupBox(QStringLiteral("Rahmen und Ränder"), page);
    auto* fg = new QGridLayout(frame);
    m_diagramFramed = new QCheckBox(QStringLiteral("Diagramm gerahmt"), frame);
    m_diagramFramed->setObjectName("chkDiaFrame");
    m_frameType = new QButtonGroup(frame);
    const std::array<const char*, 4> frameTexts{"Doppelleiste", "normal", "3D", "ohne"};
    for (int i = 0; i < 4; ++i) {
        fg->addWidget(radio(QString::fromUtf8(frameTexts[static_cast<std::size_t>(i)]),
                            QStringLiteral("optFrameType_%1").arg(i), m_frameType, i, frame),
                      1, i);
    }
    m_frameWidth = new QSpinBox(frame);
    m_frameWidth->setObjectName("UpDownRBreite");
    m_frameWidth->setRange(1, 10);
    fg->addWidget(m_diagramFramed, 0, 0, 1, 2);
    fg->addWidget(new QLabel(QStringLiteral("Rahmenbreite"), frame), 0, 2);
    fg->addWidget(m_frameWidth, 0, 3);
    m_autoMargins = new QCheckBox(QStringLiteral("Ränder automatisch"), frame);
    m_autoMargins->setObjectName("chkAutoRand");
    m_autoMargins->setChecked(true);
    fg->addWidget(m_autoMargins, 2, 0, 1, 4);
    const std::array<const char*, 4> marginNames{"scrHL", "scrHR", "scrHO", "scrHU"};
    const std::array<const char*, 4> marginTexts{"links", "rechts", "oben", "unten"};
    for (int i = 0; i < 4; ++i) {
        auto* box = new QSpinBox(frame);
        box->setObjectName(QString::fromUtf8(marginNames[static_cast<std::size_t>(i)]));
        box->setRange(0, 200);
        box->setValue(12);
        box->setToolTip(QString::fromUtf8(marginTexts[static_cast<std::size_t>(i)]));
        m_margins[static_cast<std::size_t>(i)] = box;
        fg->addWidget(box, 3, i);
        connect(box, &QSpinBox::valueChanged, this, [this] {
            m_autoMargins->setChecked(false);
            applyFrameControls();
        });
    }
    v->addWidget(frame);
    connect(m_diagramFramed, &QCheckBox::toggled, this, [this] { applyFrameControls(); });
    connect(m_frameType, &QButtonGroup::idClicked, this, [this] { applyFrameControls(); });
    connect(m_frameWidth, &QSpinBox::valueChanged, this, [this] { applyFrameControls(); });
    connect(m_autoMargins, &QCheckBox::toggled, this, [this] { applyFrameControls(); });

    auto* colours = new QGroupBox(QStringLiteral("Farben"), page);
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
        kg->addWidget(button, static_cast<int>(i) / 3, static_cast<int>(i) % 3);
        connect(button, &QPushButton::clicked, this, [this, i] {
            AreaSettings a = chart().areas();
            auto pick = [this](ChartColour current) -> std::optional<ChartColour> {
                if (const auto c = askColour(toQColor(current))) {
                    return fromQColor(*c);
                }
                return std::nullopt;
            };
            if (i == 0) {
                a.chartAreaColour = pick(a.chartAreaColour).value_or(a.chartAreaColour);
            } else if (i == 1) {
                a.innerMarginColour = pick(a.innerMarginColour).value_or(a.innerMarginColour);
            } else if (i == 2) {
                a.plotAreaColour = pick(a.plotAreaColour).value_or(a.plotAreaColour);
            } else if (i == 3) {
                a.chartAreaColour = ChartColour{0xC0C0C0};
                a.innerMarginColour = ChartColour{0xC0C0C0};
            } else if (i == 4) {
                a.chartAreaColour = a.innerMarginColour = a.plotAreaColour = kChartWhite;
            } else {
                a.chartAreaColour = a.innerMarginColour = a.plotAreaColour = kChartBlack;
            }
            chart().setAreas(a);
        });
    }
    v->addWidget(colours);

    auto* axes = new QGroupBox(QStringLiteral("y-Achse"), page);
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
    auto orient = [this] {
        if (m_updating) {
            return;
        }
        AxisSettings y = chart().axis(ChartAxis::Y);
        y.digitOrientation =
            m_yDigitOrientation->checkedId() == 0 ? TextOrientation::Vertical : TextOrientation::Horizontal;
        y.titleOrientation =
            m_yTitleOrientation->checkedId() == 1 ? TextOrientation::Horizontal : TextOrientation::Vertical;
        chart().setAxis(ChartAxis::Y, y);
    };
    connect(m_yDigitOrientation, &QButtonGroup::idClicked, this, orient);
    connect(m_yTitleOrientation, &QButtonGroup::idClicked, this, orient);

    auto* labels = new QGroupBox(QStringLiteral("Kurvenetiketts"), page);
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
    connect(m_labelsHidden, &QCheckBox::toggled, this, [this] { applyLabelControls(); });
    connect(m_labelsFramed, &QCheckBox::toggled, this, [this] { applyLabelControls(); });
    connect(labelFont, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, QFont(QStringLiteral("Arial"), 8), this);
        if (!ok) {
            return;
        }
        ChartUpdateBatch batch(chart());
        for (int id : chart().labelIds()) {
            if (auto label = chart().label(id)) {
                label->font = ChartFont{font.family().toStdString(), static_cast<float>(font.pointSizeF()),
                                        font.bold(), font.italic(), font.underline()};
                chart().setLabel(id, *label);
            }
        }
    });
    v->addStretch(1);

    return scrollable(page);
}

QWidget* frmGraph2D::buildTextPage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* frame = new QGroupBox(QStringLiteral("  Kopftext  "), page);
    frame->setObjectName("fraSchrift");
    auto* g = new QGridLayout(frame);
    m_textChoice = new QComboBox(frame);
    m_textChoice->setObjectName("cmbSchriftWahl");
    m_textChoice->addItems({QStringLiteral("Kopftext"), QStringLiteral("Zusatz-Text"),
                            QStringLiteral("x-Achsenbeschriftung"), QStringLiteral("y-Achsenbeschriftung")});
    m_text = new QLineEdit(frame);
    m_text->setObjectName("schrift");
    m_textFramed = new QCheckBox(QStringLiteral("gerahmt"), frame);
    m_textFramed->setObjectName("chkTextFrame");
    auto* font = new QPushButton(QStringLiteral("Schriftart/-farbe"), frame);
    font->setObjectName("cmdFont");
    g->addWidget(m_textChoice, 0, 0, 1, 2);
    g->addWidget(m_text, 1, 0, 1, 2);
    g->addWidget(m_textFramed, 2, 0);
    g->addWidget(font, 2, 1);
    v->addWidget(frame);
    v->addStretch(1);
    connect(m_textChoice, &QComboBox::currentIndexChanged, this, [this] { showTextControls(); });
    connect(m_text, &QLineEdit::editingFinished, this, [this] { applyTextControls(); });
    connect(m_textFramed, &QCheckBox::toggled, this, [this] { applyTextControls(); });
    connect(font, &QPushButton::clicked, this, [this] {
        if (m_textChoice->currentIndex() != 0) {
            return;
        }
        const ChartState& state = m_chart->state();
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(
            &ok, QFont(q(state.headerFont.family), int(state.headerFont.pointSize)), this);
        if (ok) {
            chart().setHeader(
                state.header,
                ChartFont{chosen.family().toStdString(), static_cast<float>(chosen.pointSizeF()),
                          chosen.bold(), chosen.italic(), chosen.underline()},
                state.headerFramed);
        }
    });
    return page;
}

QWidget* frmGraph2D::buildPicturePage() {
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    auto* frame = new QGroupBox(QStringLiteral("Bild drucken/speichern"), page);
    frame->setObjectName("fraPrint");
    auto* g = new QGridLayout(frame);
    m_pictureModeLabel = new QLabel(QStringLiteral("zur Zwischenablage"), frame);
    m_pictureModeLabel->setObjectName("lblPrintMode");
    g->addWidget(m_pictureModeLabel, 0, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Grafik-Format"), frame), 1, 0);
    m_graphFormat = new QComboBox(frame);
    m_graphFormat->setObjectName("cmbGraphFormat");
    m_graphFormat->addItem(QStringLiteral("Bitmap (.BMP)"), static_cast<int>(PictureFormat::Bitmap));
    m_graphFormat->addItem(QStringLiteral("PNG-Bild (.PNG)"), static_cast<int>(PictureFormat::Png));
    m_graphFormat->addItem(QStringLiteral("Vektorgrafik (.SVG)"), static_cast<int>(PictureFormat::Svg));
    m_graphFormat->addItem(QStringLiteral("PDF-Dokument (.PDF)"), static_cast<int>(PictureFormat::Pdf));
    m_graphFormat->setCurrentIndex(1);
    g->addWidget(m_graphFormat, 1, 1);
    const std::array<const char*, 4> texts{"Rand links  =", "Rand oben =", "Breite =", "Höhe  ="};
    const std::array<const char*, 4> defaults{"2", "2", "16", "12"};
    for (int i = 0; i < 4; ++i) {
        g->addWidget(new QLabel(QString::fromUtf8(texts[static_cast<std::size_t>(i)]), frame), 2 + i, 0);
        auto* edit = field(QStringLiteral("txtPrint_%1").arg(i), frame, 50);
        edit->setText(QString::fromUtf8(defaults[static_cast<std::size_t>(i)]));
        m_printFields[static_cast<std::size_t>(i)] = edit;
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(new QLabel(QStringLiteral("cm"), frame));
        row->addStretch(1);
        g->addLayout(row, 2 + i, 1);
    }
    m_printScaling = new QButtonGroup(frame);
    const std::array<std::pair<const char*, int>, 3> scalings{
        {{"Vorgabe Breite", 2}, {"Vorgabe Höhe", 3}, {"A4-Format voll", 5}}};
    for (std::size_t i = 0; i < scalings.size(); ++i) {
        auto* button = radio(QString::fromUtf8(scalings[i].first), QStringLiteral("optSM_%1").arg(i),
                             m_printScaling, scalings[i].second, frame);
        g->addWidget(button, 6 + static_cast<int>(i), 0, 1, 2);
    }
    m_printScaling->button(2)->setChecked(true);
    auto* run = new QPushButton(QStringLiteral("Ausführen"), frame);
    run->setObjectName("cmdPrint");
    g->addWidget(run, 9, 0, 1, 2);
    v->addWidget(frame);
    v->addStretch(1);
    connect(run, &QPushButton::clicked, this, &frmGraph2D::runPictureOutput);
    return page;
}

void frmGraph2D::buildMenus() {
    auto* bar = findChild<QMenuBar*>("mnuGraph2D");

    m_deleteMenu = bar->addMenu(QStringLiteral("&Löschen..."));
    m_deleteMenu->setObjectName("mnuLoeschen");
    auto* all = m_deleteMenu->addAction(QStringLiteral("Alles"));
    all->setObjectName("mnuDelAll");
    connect(all, &QAction::triggered, this, [this] {
        DeleteCurves();
        deleteHalfLifeMarks();
        for (int set = 1; set <= chart().seriesCount(2); ++set) {
            deletePointSet(set);
        }
        for (int id : chart().labelIds()) {
            chart().removeLabel(id);
        }
        m_extraTextLabel = 0;
    });
    m_deleteCurvesMenu = m_deleteMenu->addMenu(QStringLiteral("Kurven"));
    m_deleteCurvesMenu->setObjectName("mnuDelCurves");
    m_deleteCurveActions[0] = m_deleteCurvesMenu->addAction(QStringLiteral("alle"));
    m_deleteCurveActions[0]->setObjectName("mnuDelCurve_0");
    connect(m_deleteCurveActions[0], &QAction::triggered, this, &frmGraph2D::DeleteCurves);
    for (int slot = 1; slot <= kMaxCurves; ++slot) {
        QAction* action = m_deleteCurvesMenu->addAction(QStringLiteral("Kurve %1").arg(slot));
        action->setObjectName(QStringLiteral("mnuDelCurve_%1").arg(slot));
        m_deleteCurveActions[static_cast<std::size_t>(slot)] = action;
        connect(action, &QAction::triggered, this, [this, slot] {
            deleteCurve(m_session, chart(), slot);
            m_curveLabelIds[static_cast<std::size_t>(slot)] = 0;
            rebuildCurveTabs();
        });
    }
    auto* halfLives = m_deleteMenu->addAction(QStringLiteral("Mark. Halbwertszeiten"));
    halfLives->setObjectName("mnuDelHalfLives");
    connect(halfLives, &QAction::triggered, this, &frmGraph2D::deleteHalfLifeMarks);
    auto* marks = m_deleteMenu->addAction(QStringLiteral("Markierungstexte"));
    marks->setObjectName("mnuDelMarkTexts");
    connect(marks, &QAction::triggered, this, [this] {
        for (int id : chart().labelIds()) {
            const auto label = chart().label(id);
            if (label && label->attachment == LabelAttachment::ChartCoordinates) {
                chart().removeLabel(id);
            }
        }
        m_extraTextLabel = 0;
    });
    auto* legendLines = m_deleteMenu->addAction(QStringLiteral("einzelne Legendenzeilen"));
    legendLines->setObjectName("mnuDelLegendLines");
    connect(legendLines, &QAction::triggered, this, [this] {
        m_pages->setCurrentIndex(0);
        m_dialogs.showMessage(
            "Legendenzeile löschen",
            "Wählen Sie die Kurve und entfernen Sie das Häkchen \"sichtbar\" beim Legendentext.",
            MessageIcon::Information);
    });
    auto* legend = m_deleteMenu->addAction(QStringLiteral("gesamte Legende"));
    legend->setObjectName("mnuDelLegend");
    connect(legend, &QAction::triggered, this, [this] { m_legendShown->setChecked(false); });
    m_deleteAllLabels = m_deleteMenu->addAction(QStringLiteral("alle Kurvenetiketts"));
    m_deleteAllLabels->setObjectName("mnuDelLabels");
    connect(m_deleteAllLabels, &QAction::triggered, this, [this] {
        for (int id : chart().labelIds()) {
            const auto label = chart().label(id);
            if (label && label->attachment == LabelAttachment::DataPoint) {
                chart().removeLabel(id);
            }
        }
        m_curveLabelIds.fill(0);
        m_deleteAllLabels->setEnabled(false);
    });
    m_deletePointsMenu = m_deleteMenu->addMenu(QStringLiteral("Messpunkte"));
    m_deletePointsMenu->setObjectName("mnuDelPoints");
    const std::array<const char*, 7> setNames{"Punktsatz c(A)",   "Punktsatz c(B)", "Punktsatz c(C)",
                                              "Punktsatz c(P)",   "Punktsatz c(Q)", "Punktsatz k - T",
                                              "Punktsatz manuell"};
    for (int set = 1; set <= 7; ++set) {
        QAction* action =
            m_deletePointsMenu->addAction(QString::fromUtf8(setNames[static_cast<std::size_t>(set - 1)]));
        action->setObjectName(QStringLiteral("mnuDelPointSet_%1").arg(set));
        connect(action, &QAction::triggered, this, [this, set] { deletePointSet(set); });
    }

    auto* insert = bar->addMenu(QStringLiteral("&Einfügen..."));
    insert->setObjectName("mnuEinfuegen");
    for (const HalfLifeSpecies species : {HalfLifeSpecies::A, HalfLifeSpecies::B}) {
        const bool a = species == HalfLifeSpecies::A;
        QAction* action =
            insert->addAction(a ? QStringLiteral("Halbwertszeit A") : QStringLiteral("Halbwertszeit B"));
        action->setObjectName(a ? QStringLiteral("mnuHalbA") : QStringLiteral("mnuHalbB"));
        connect(action, &QAction::triggered, this, [this, species] { markHalfLife(species); });
    }
    auto* insertLegend = insert->addAction(QStringLiteral("Legende"));
    insertLegend->setObjectName("mnuInsLegend");
    connect(insertLegend, &QAction::triggered, this, [this] { m_legendShown->setChecked(true); });
    auto* insertLabels = insert->addAction(QStringLiteral("Kurvenetiketts"));
    insertLabels->setObjectName("mnuInsLabels");
    connect(insertLabels, &QAction::triggered, this, [this] { m_labelsHidden->setChecked(false); });
    auto* extra = insert->addAction(QStringLiteral("Zusatztext"));
    extra->setObjectName("mnuInsText");
    connect(extra, &QAction::triggered, this, [this] {
        m_pages->setCurrentIndex(4);
        m_textChoice->setCurrentIndex(1);
        m_text->setFocus();
    });
    m_insertPoints = insert->addAction(QStringLiteral("Messpunkte"));
    m_insertPoints->setObjectName("mnuAddPunkte");
    connect(m_insertPoints, &QAction::triggered, this, [this] { showMeasuredPoints(); });
    auto* xyEditor = insert->addAction(QStringLiteral("manuelle Kurve / Punkte (XY-Editor)"));
    xyEditor->setObjectName("mnuInsXY");
    xyEditor->setEnabled(false);  // wired with the XY editor

    auto* picture = bar->addMenu(QStringLiteral("  &Bild ..."));
    picture->setObjectName("mnuBild");
    const std::array<const char*, 3> modes{
        "... zur Zwischenablage", "... als Bildfile speichern (.BMP, .PNG, .SVG, .PDF)", "... zum Drucker"};
    for (int mode = 0; mode < 3; ++mode) {
        QAction* action = picture->addAction(QString::fromUtf8(modes[static_cast<std::size_t>(mode)]));
        action->setObjectName(QStringLiteral("mnuBild_%1").arg(mode));
        connect(action, &QAction::triggered, this, [this, mode] {
            m_pictureMode = mode;
            const std::array<const char*, 3> captions{"zur Zwischenablage", "als Bildfile", "zum Drucker"};
            m_pictureModeLabel->setText(QString::fromUtf8(captions[static_cast<std::size_t>(mode)]));
            m_pages->setCurrentIndex(5);
        });
    }

    auto* design = bar->addMenu(QStringLiteral("&Diagrammgestaltung"));
    design->setObjectName("mnuDesign");
    auto* save = design->addAction(QStringLiteral("... als *.OC2-File speichern"));
    save->setObjectName("mnuSaveDesign");
    connect(save, &QAction::triggered, this, [this] { saveDesign(); });
    auto* load = design->addAction(QStringLiteral("... importieren (*.OC2)"));
    load->setObjectName("mnuLoadDesign");
    connect(load, &QAction::triggered, this, [this] { loadDesign(); });
    updateDeleteMenus();
}

// --- Loading and set-up ------------------------------------------------------------------------

ChartComponent& frmGraph2D::chart() {
    return *m_chart;
}

char frmGraph2D::decimalSeparator() const {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

void frmGraph2D::applyDefaults() {
    m_updating = true;
    ChartUpdateBatch batch(chart());
    m_gridKind->button(3)->setChecked(true);   // "Gitter komplett"
    m_gridLine->button(0)->setChecked(true);   // "punktiert"
    m_frameType->button(3)->setChecked(true);  // "ohne"
    m_diagramFramed->setChecked(true);
    m_yDigitOrientation->button(1)->setChecked(true);  // digits horizontal
    m_yTitleOrientation->button(0)->setChecked(true);  // title vertical
    m_standardOrigin->button(1)->setChecked(true);
    m_autoMargins->setChecked(true);
    m_labelsHidden->setChecked(false);
    m_labelsFramed->setChecked(false);
    m_legendTransparent->setChecked(false);
    m_separator->setCurrentIndex(entryForSeparator(m_session.protocol.separator));
    m_updating = false;
    applyGrid();
    applyFrameControls();
    applyLegendControls();
    m_pages->setCurrentIndex(0);
}

void frmGraph2D::load() {
    applyDefaults();
    m_insertPoints->setEnabled(m_session.data.pointCount > 0);
    const DiagramFrame& f = m_session.diagram.frame;
    m_xMin->setText(q(formatSingle(f.xMin, decimalSeparator())));
    m_xMax->setText(q(formatSingle(f.xMax, decimalSeparator())));
    m_yMin->setText(q(formatSingle(f.yMin, decimalSeparator())));
    m_yMax->setText(q(formatSingle(f.yMax, decimalSeparator())));
    m_scalingAuto->setChecked(true);
    applyFrame();
    m_session.diagram.masks = SetSpeciesMasks(m_session.diagramKind, m_session.state.fittingMode);

    // The points are shown after loading; when none falls inside the window the user is told
    // how to make them visible.
    const auto warnOutside = [this](const char* hint) {
        m_dialogs.showMessage("Warnung",
                              std::string("Alle experimentellen Punkte befinden sich außerhalb des "
                                          "Koordinatenbereichs des Diagramms\r\n") +
                                  hint,
                              MessageIcon::Exclamation);
    };
    constexpr const char* kEnlarge = "Vergrößern Sie den Koordinatenbereich.";
    const int kind = m_session.diagramKind;
    if (kind == -9 || kind == -2 || kind == -1) {
        if (!showMeasuredPoints()) {
            warnOutside(kEnlarge);
        }
        return;
    }
    cmdDraw();
    // Every evaluation shows its measured points beside its line ("Messpunkte" from code).
    if (kind < 0 && m_session.data.pointCount > 0 && !showMeasuredPoints()) {
        warnOutside(kEnlarge);
    } else if (kind > 0 && m_session.data.pointCount > 0 && m_session.state.showMeasuredPoints &&
               !showMeasuredPoints()) {
        warnOutside(
            "Prüfen Sie, ob die geladenen exper. Punkte zu diesem\r\nDiagramm passen bzw. "
            "vergrößern Sie den Koordinatenbereich.");
    }
}

void frmGraph2D::applySetUp(const DiagramSetUp& setUp) {
    ChartUpdateBatch batch(chart());
    const DiagramFrame& f = setUp.frame;
    chart().setHeader(f.title, m_chart->state().headerFont, m_chart->state().headerFramed);
    AxisSettings x = chart().axis(ChartAxis::X);
    AxisSettings y = chart().axis(ChartAxis::Y);
    x.title = f.xCaption;
    y.title = f.yCaption;
    x.minimum = f.xMin;
    x.maximum = f.xMax;
    y.minimum = f.yMin;
    y.maximum = f.yMax;
    chart().setAxis(ChartAxis::X, x);
    chart().setAxis(ChartAxis::Y, y);
    m_xMin->setText(q(formatSingle(f.xMin, decimalSeparator())));
    m_xMax->setText(q(formatSingle(f.xMax, decimalSeparator())));
    m_yMin->setText(q(formatSingle(f.yMin, decimalSeparator())));
    m_yMax->setText(q(formatSingle(f.yMax, decimalSeparator())));
    for (int i = 0; i < 6; ++i) {
        const PointSetTab& tab = setUp.tabs.tabs[static_cast<std::size_t>(i)];
        m_pointTabs->setTabText(i, q(tab.caption));
        m_pointTabs->setTabVisible(i, tab.visible);
        if (chart().seriesCount(2) > i && !setUp.tabs.legendTexts[static_cast<std::size_t>(i + 1)].empty()) {
            chart().setSeriesLabel(2, i + 1, setUp.tabs.legendTexts[static_cast<std::size_t>(i + 1)]);
        }
    }
    if (setUp.chartLegend) {
        m_legendShown->setChecked(*setUp.chartLegend || chart().seriesCount(1) > 0);
    }
    if (setUp.selectedTab) {
        m_pointTabs->setCurrentIndex(*setUp.selectedTab);
    }
    m_textChoice->setCurrentIndex(0);
    showTextControls();
}

// --- Drawing -----------------------------------------------------------------------------------

void frmGraph2D::cmdDraw() {
    updateDeleteMenus();
    const DrawCommandResult result = runDrawCommand(m_session, chart(), m_dialogs, m_curves, m_preselected);
    for (const DrawnCurve& curve : result.curves) {
        m_curveLabelIds[static_cast<std::size_t>(curve.slot)] = curve.labelId;
    }
    if (m_labelsHidden->isChecked() || m_labelsFramed->isChecked()) {
        applyLabelControls();
    }
    m_statusText->setText(q(result.statusText));
    rebuildCurveTabs();
    if (!result.curves.empty()) {
        selectCurve(result.curves.back().slot);
        m_deleteAllLabels->setEnabled(true);
    }
}

void frmGraph2D::DeleteCurves() {
    deleteAllCurves(m_session, chart());
    m_curveLabelIds.fill(0);
    rebuildCurveTabs();
}

void frmGraph2D::markHalfLife(HalfLifeSpecies species) {
    findChild<QAction*>("mnuDelAll")->setEnabled(true);
    findChild<QAction*>("mnuDelHalfLives")->setEnabled(true);
    const HalfLifeMark mark = halfLifeCommand(m_session, species, m_session.diagramKind, m_dialogs);
    if (!mark.act) {
        return;
    }
    if (mark.show) {
        ChartUpdateBatch batch(chart());
        if (chart().seriesCount(1) < mark.series) {
            chart().setSeriesCount(1, mark.series);
        }
        const std::array<ChartPoint, 2> line{ChartPoint{mark.line[0].x, mark.line[0].y},
                                             ChartPoint{mark.line[1].x, mark.line[1].y}};
        chart().setSeriesData(1, mark.series, line);
        SeriesStyle style = chart().seriesStyle(1, mark.series);
        style.linePattern = LinePattern::Dashed;
        style.lineColour = m_preselected.value_or(kChartBlack);
        style.symbolShape = SymbolShape::None;
        chart().setSeriesStyle(1, mark.series, style);
        chart().setSeriesLegendShown(1, mark.series, false);
    }
    m_statusText->setText(q(mark.statusText));
}

void frmGraph2D::deleteHalfLifeMarks() {
    for (int s : {kHalfLifeSeriesA, kHalfLifeSeriesB}) {
        if (chart().seriesCount(1) >= s) {
            chart().setPointCount(1, s, 0);
        }
    }
}

bool frmGraph2D::showMeasuredPoints() {
    PointDisplayInputs in;
    in.kind = m_session.diagramKind;
    in.evaluation.kind = m_session.diagramKind;
    in.evaluation.cA0 = static_cast<float>(m_session.state.conc0[kSlotA]);
    in.evaluation.cB0 = static_cast<float>(m_session.state.conc0[kSlotB]);
    in.evaluation.modelId = m_session.state.modelId;
    in.evaluation.lambdaMode = m_session.evaluation.lambdaMode;
    in.evaluation.equalStartConc = m_session.evaluation.equalStartConc;
    in.speciesMask = m_session.diagram.masks.speciesMask;
    if (in.kind > 0 && in.kind < 50) {
        in.speciesMask = modelSpeciesMask(m_session.state.modelId, m_session.state.fittingMode);
    }
    in.shownSpecies = m_session.survey.shownSpecies;
    in.selectedSpecies = m_session.shell.selectedSpecies > 0 ? m_session.shell.selectedSpecies
                                                             : m_session.evaluation.tangentSpecies;
    const DiagramFrame& f = m_session.diagram.frame;
    in.window = PlotWindow{f.xMin, f.yMin, f.xMax, f.yMax};
    const ExperimentalPoints points = zeigeExperPunkte(m_session.data, in);

    ChartUpdateBatch batch(chart());
    if (chart().seriesCount(2) < 6) {
        chart().setSeriesCount(2, 6);
    }
    bool any = false;
    for (int set = 1; set <= 6; ++set) {
        const auto& list = points.sets[static_cast<std::size_t>(set)];
        std::vector<ChartPoint> data;
        data.reserve(list.size());
        for (const PlotPoint& p : list) {
            data.push_back({p.x, p.y});
        }
        if (data.empty()) {
            continue;
        }
        any = true;
        chart().setSeriesData(2, set, data);
        SeriesStyle style = chart().seriesStyle(2, set);
        style.symbolShape = kSetSymbols[static_cast<std::size_t>(set)];
        style.symbolColour = curveSlotColour(set);
        style.linePattern = LinePattern::None;
        chart().setSeriesStyle(2, set, style);
        const QString caption = m_pointTabs->tabText(set - 1);
        if (chart().seriesLabel(2, set).empty()) {
            chart().setSeriesLabel(
                2, set,
                caption.isEmpty() ? (set == 6 ? std::string("k-T") : std::string()) : caption.toStdString());
        }
        if (caption.isEmpty()) {
            const std::string name =
                set == 6 ? "k-T" : "c(" + std::string(speciesName(m_session.state.modelId, set)) + ")";
            m_pointTabs->setTabText(set - 1, q(name));
        }
        m_pointTabs->setTabVisible(set - 1, true);
    }
    showPointControls();
    return !any || points.anyInside;
}

// --- Curve tabs and controls -------------------------------------------------------------------

void frmGraph2D::rebuildCurveTabs() {
    m_updating = true;
    const int previous = selectedCurve();
    while (m_curveTabs->count() > 0) {
        m_curveTabs->removeTab(0);
    }
    const int count = std::min(chart().seriesCount(1), kMaxCurves);
    for (int slot = 1; slot <= count; ++slot) {
        if (chart().pointCount(1, slot) > 0) {
            const int index = m_curveTabs->addTab(QStringLiteral("Kurve %1").arg(slot));
            m_curveTabs->setTabData(index, slot);
        }
    }
    m_updating = false;
    if (previous != 0) {
        selectCurve(previous);
    }
    updateDeleteMenus();
    showCurveControls();
}

int frmGraph2D::selectedCurve() const {
    const int index = m_curveTabs->currentIndex();
    return index < 0 ? 0 : m_curveTabs->tabData(index).toInt();
}

void frmGraph2D::selectCurve(int slot) {
    for (int i = 0; i < m_curveTabs->count(); ++i) {
        if (m_curveTabs->tabData(i).toInt() == slot) {
            m_curveTabs->setCurrentIndex(i);
            return;
        }
    }
}

// A curve and a point set each have one colour: its line and its symbols.
void frmGraph2D::recolourSeries(int group, int series) {
    SeriesStyle style = chart().seriesStyle(group, series);
    if (const auto colour = askColour(toQColor(group == 1 ? style.lineColour : style.symbolColour))) {
        style.lineColour = fromQColor(*colour);
        style.symbolColour = style.lineColour;
        chart().setSeriesStyle(group, series, style);
    }
}

void frmGraph2D::showCurveControls() {
    const int slot = selectedCurve();
    m_updating = true;
    const bool has = slot != 0;
    for (QWidget* w : std::initializer_list<QWidget*>{m_curveStyle, m_curveColour, m_curveWidth,
                                                      m_curveLegend, m_curveLegendShown, m_curveLabel,
                                                      m_curveLabelShown, m_curveLabelPosition}) {
        w->setEnabled(has);
    }
    if (has) {
        const SeriesStyle style = chart().seriesStyle(1, slot);
        selectEntryWithCode(m_curveStyle, static_cast<int>(style.linePattern));
        m_curveWidth->setValue(style.lineWidth);
        m_curveLegend->setText(q(chart().seriesLabel(1, slot)));
        m_curveLegendShown->setChecked(chart().seriesLegendShown(1, slot));
        m_curveLabelPosition->setRange(1, std::max(1, chart().pointCount(1, slot)));
        const int id = m_curveLabelIds[static_cast<std::size_t>(slot)];
        if (const auto label = id != 0 ? chart().label(id) : std::nullopt) {
            m_curveLabel->setText(q(label->text));
            m_curveLabelShown->setChecked(label->visible);
            m_curveLabelPosition->setValue(label->point);
        } else {
            m_curveLabel->clear();
        }
    }
    m_updating = false;
}

void frmGraph2D::applyCurveStyleFromControls() {
    const int slot = selectedCurve();
    if (slot == 0 || m_updating) {
        return;
    }
    SeriesStyle style = chart().seriesStyle(1, slot);
    style.linePattern = static_cast<LinePattern>(m_curveStyle->currentData().toInt());
    // Only "nur Einzelpunkte" shows the points of a curve.
    style.symbolShape =
        style.linePattern == LinePattern::None ? SymbolShape::FilledCircle : SymbolShape::None;
    style.symbolColour = style.lineColour;
    style.lineWidth = m_curveWidth->value();
    chart().setSeriesStyle(1, slot, style);
}

int frmGraph2D::selectedPointSet() const {
    const int index = m_pointTabs->currentIndex();
    return index < 0 || !m_pointTabs->isTabVisible(index) ? 0 : index + 1;
}

void frmGraph2D::showPointControls() {
    const int set = selectedPointSet();
    const bool has = set != 0 && chart().seriesCount(2) >= set;
    m_updating = true;
    m_pointStyle->setEnabled(has);
    m_pointSize->setEnabled(has);
    m_pointLegend->setEnabled(has);
    m_pointLegendShown->setEnabled(has);
    if (has) {
        const SeriesStyle style = chart().seriesStyle(2, set);
        selectEntryWithCode(m_pointStyle, static_cast<int>(style.symbolShape));
        m_pointSize->setValue(style.symbolSize);
        m_pointLegend->setText(q(chart().seriesLabel(2, set)));
        m_pointLegendShown->setChecked(chart().seriesLegendShown(2, set));
    }
    m_updating = false;
}

void frmGraph2D::applyPointStyleFromControls() {
    const int set = selectedPointSet();
    if (set == 0 || m_updating || chart().seriesCount(2) < set) {
        return;
    }
    SeriesStyle style = chart().seriesStyle(2, set);
    style.symbolShape = static_cast<SymbolShape>(m_pointStyle->currentData().toInt());
    style.symbolSize = m_pointSize->value();
    chart().setSeriesStyle(2, set, style);
}

void frmGraph2D::deletePointSet(int set) {
    if (set < 1 || set > chart().seriesCount(2)) {
        return;
    }
    chart().setPointCount(2, set, 0);
    chart().setSeriesLabel(2, set, "");
    if (set <= 7) {
        m_pointTabs->setTabVisible(set - 1, false);
    }
    showPointControls();
}

void frmGraph2D::updateDeleteMenus() {
    const int count = chart().seriesCount(1);
    bool any = false;
    for (int slot = 1; slot <= kMaxCurves; ++slot) {
        const bool has = slot <= count && chart().pointCount(1, slot) > 0;
        m_deleteCurveActions[static_cast<std::size_t>(slot)]->setEnabled(has);
        any = any || has;
    }
    m_deleteCurveActions[0]->setEnabled(any);
    m_deleteAllLabels->setEnabled(any);
}

// --- Axes --------------------------------------------------------------------------------------

void frmGraph2D::applyCoordinates() {
    const double xMin = parseNumber(m_xMin->text().toStdString());
    const double xMax = parseNumber(m_xMax->text().toStdString());
    const double yMin = parseNumber(m_yMin->text().toStdString());
    const double yMax = parseNumber(m_yMax->text().toStdString());
    const std::vector<std::string> problems = coordinateInputProblems(xMin, xMax, yMin, yMax);
    if (!problems.empty()) {
        std::string text;
        for (const std::string& line : problems) {
            text += (text.empty() ? "" : "\r\n") + line;
        }
        m_dialogs.showMessage(kNotPossibleTitle, text, MessageIcon::Critical);
        return;
    }
    DiagramFrame& f = m_session.diagram.frame;
    f.xMin = static_cast<float>(xMin);
    f.xMax = static_cast<float>(xMax);
    f.yMin = static_cast<float>(yMin);
    f.yMax = static_cast<float>(yMax);
    applyFrame();
}

void frmGraph2D::applyFrame() {
    const DiagramFrame& f = m_session.diagram.frame;
    ChartUpdateBatch batch(chart());
    AxisSettings x = chart().axis(ChartAxis::X);
    AxisSettings y = chart().axis(ChartAxis::Y);
    x.minimum = f.xMin;
    x.maximum = f.xMax;
    y.minimum = f.yMin;
    y.maximum = f.yMax;
    chart().setAxis(ChartAxis::X, x);
    chart().setAxis(ChartAxis::Y, y);
    StoreAxisRange(m_session.diagramKind, f, m_session.state, m_session.diagram.axisRanges);
    applySpacing();
}

void frmGraph2D::applySpacing() {
    if (m_updating) {
        return;
    }
    const bool manual = m_scalingManual->isChecked();
    for (QLineEdit* e : m_spacing) {
        e->setEnabled(manual);
    }
    auto value = [&](int i) -> std::optional<double> {
        if (!manual) {
            return std::nullopt;
        }
        const double v = parseNumber(m_spacing[static_cast<std::size_t>(i)]->text().toStdString());
        return v > 0.0 ? std::optional<double>(v) : std::nullopt;
    };
    AxisSettings x = chart().axis(ChartAxis::X);
    AxisSettings y = chart().axis(ChartAxis::Y);
    x.gridSpacing = value(0);
    x.tickSpacing = value(1);
    x.digitSpacing = value(2);
    y.gridSpacing = value(3);
    y.tickSpacing = value(4);
    y.digitSpacing = value(5);
    ChartUpdateBatch batch(chart());
    chart().setAxis(ChartAxis::X, x);
    chart().setAxis(ChartAxis::Y, y);
}

void frmGraph2D::applyOrigins() {
    AxisSettings x = chart().axis(ChartAxis::X);
    AxisSettings y = chart().axis(ChartAxis::Y);
    auto origin = [](int id) {
        switch (id) {
            case 0:
                return AxisOrigin::AtMaximum;
            case 2:
                return AxisOrigin::AtZero;
            case 3:
                return AxisOrigin::AtValue;
            default:
                return AxisOrigin::AtMinimum;
        }
    };
    if (m_standardOrigin->checkedId() == 1) {
        x.origin = y.origin = AxisOrigin::AutomaticAtMinimum;
    } else {
        x.origin = origin(m_xOrigin->checkedId());
        y.origin = origin(m_yOrigin->checkedId());
    }
    x.originValue = parseNumber(m_xOriginValue->text().toStdString());
    y.originValue = parseNumber(m_yOriginValue->text().toStdString());
    ChartUpdateBatch batch(chart());
    chart().setAxis(ChartAxis::X, x);
    chart().setAxis(ChartAxis::Y, y);
}

void frmGraph2D::applyGrid() {
    if (m_updating) {
        return;
    }
    const int kind = m_gridKind->checkedId();
    AxisSettings x = chart().axis(ChartAxis::X);
    AxisSettings y = chart().axis(ChartAxis::Y);
    // "nur y-Gitter": lines at the y digits (horizontal lines); "nur x-Gitter" the vertical ones.
    x.gridShown = kind == 2 || kind == 3;
    y.gridShown = kind == 1 || kind == 3;
    const LinePattern pattern = m_gridLine->checkedId() == 1 ? LinePattern::Solid : LinePattern::Dotted;
    x.gridPattern = y.gridPattern = pattern;
    x.gridColour = y.gridColour = fromQColor(m_gridColour);
    ChartUpdateBatch batch(chart());
    chart().setAxis(ChartAxis::X, x);
    chart().setAxis(ChartAxis::Y, y);
}

void frmGraph2D::applyLegendControls() {
    if (m_updating) {
        return;
    }
    LegendSettings legend = chart().legend();
    legend.shown = m_legendShown->isChecked();
    legend.orientation =
        m_legendOrientation->checkedId() == 0 ? TextOrientation::Horizontal : TextOrientation::Vertical;
    legend.transparent = m_legendTransparent->isChecked();
    legend.framed = m_legendFrame->isChecked();
    chart().setLegend(legend);
}

void frmGraph2D::applyFrameControls() {
    if (m_updating) {
        return;
    }
    AreaSettings a = chart().areas();
    const int type = m_frameType->checkedId();
    a.border = !m_diagramFramed->isChecked() || type == 3 ? BorderType::None
               : type == 0                                ? BorderType::DoubleBar
               : type == 2                                ? BorderType::ThreeD
                                                          : BorderType::Normal;
    a.borderWidth = m_frameWidth->value();
    a.margins.automatic = m_autoMargins->isChecked();
    a.margins.left = m_margins[0]->value();
    a.margins.right = m_margins[1]->value();
    a.margins.top = m_margins[2]->value();
    a.margins.bottom = m_margins[3]->value();
    chart().setAreas(a);
}

void frmGraph2D::applyLabelControls() {
    ChartUpdateBatch batch(chart());
    for (int slot = 1; slot <= kMaxCurves; ++slot) {
        const int id = m_curveLabelIds[static_cast<std::size_t>(slot)];
        if (auto label = id != 0 ? chart().label(id) : std::nullopt) {
            label->visible = !m_labelsHidden->isChecked();
            label->framed = m_labelsFramed->isChecked();
            chart().setLabel(id, *label);
        }
    }
}

void frmGraph2D::showTextControls() {
    m_updating = true;
    switch (m_textChoice->currentIndex()) {
        case 0:
            m_text->setText(q(chart().header()));
            m_textFramed->setChecked(m_chart->state().headerFramed);
            break;
        case 1: {
            const auto label = m_extraTextLabel != 0 ? chart().label(m_extraTextLabel) : std::nullopt;
            m_text->setText(label ? q(label->text) : QString());
            m_textFramed->setChecked(label && label->framed);
            break;
        }
        case 2:
            m_text->setText(q(chart().axis(ChartAxis::X).title));
            break;
        default:
            m_text->setText(q(chart().axis(ChartAxis::Y).title));
            break;
    }
    m_updating = false;
}

void frmGraph2D::applyTextControls() {
    if (m_updating) {
        return;
    }
    const std::string text = m_text->text().toStdString();
    switch (m_textChoice->currentIndex()) {
        case 0:
            chart().setHeader(text, m_chart->state().headerFont, m_textFramed->isChecked());
            break;
        case 1: {
            auto label = m_extraTextLabel != 0 ? chart().label(m_extraTextLabel) : std::nullopt;
            if (!label) {
                // A new additional text starts in the upper middle of the axis window.
                const AxisSettings x = chart().axis(ChartAxis::X);
                const AxisSettings y = chart().axis(ChartAxis::Y);
                ChartLabel fresh;
                fresh.x = x.minimum + 0.4 * (x.maximum - x.minimum);
                fresh.y = y.minimum + 0.9 * (y.maximum - y.minimum);
                label = fresh;
                label->text = text;
                label->framed = m_textFramed->isChecked();
                m_extraTextLabel = chart().addLabel(*label);
            } else {
                label->text = text;
                label->framed = m_textFramed->isChecked();
                chart().setLabel(m_extraTextLabel, *label);
            }
            break;
        }
        case 2: {
            AxisSettings x = chart().axis(ChartAxis::X);
            x.title = text;
            chart().setAxis(ChartAxis::X, x);
            break;
        }
        default: {
            AxisSettings y = chart().axis(ChartAxis::Y);
            y.title = text;
            chart().setAxis(ChartAxis::Y, y);
            break;
        }
    }
}

// --- Export, design, picture -------------------------------------------------------------------

bool frmGraph2D::saveSelectedCurveAsXY() {
    const int slot = selectedCurve();
    if (slot == 0) {
        return false;
    }
    return saveCurveAsXY(m_session, chart(), m_dialogs, slot);
}

void frmGraph2D::copySelectedCurveToClipboard() {
    const int slot = selectedCurve();
    if (slot == 0) {
        return;
    }
    m_dialogs.setClipboardText(curveClipboardText(seriesPoints(chart(), 1, slot), decimalSeparator()));
}

bool frmGraph2D::saveDesign(const std::string& path) {
    std::string target = path;
    if (target.empty()) {
        const std::string dir = m_session.diagramWindow.lastDesignDir.empty()
                                    ? m_session.appHome
                                    : m_session.diagramWindow.lastDesignDir;
        const auto chosen =
            m_dialogs.chooseSaveFile("Speichern dieser Diagrammgestaltung", dir, "", "Diagramm-File (*.oc2)");
        if (!chosen || chosen->empty()) {
            return false;
        }
        target = *chosen;
        if (QFileInfo(q(target)).suffix().isEmpty()) {
            target += ".oc2";
        }
    }
    m_session.diagramWindow.lastDesignDir = QFileInfo(q(target)).absolutePath().toStdString();
    const ChartOutput out = chart().saveState(target);
    if (!out.ok) {
        m_dialogs.showMessage("Meldung von Diagrammgestaltung", out.errorText, MessageIcon::Critical);
    }
    return out.ok;
}

bool frmGraph2D::loadDesign(const std::string& path) {
    std::string source = path;
    if (source.empty()) {
        const std::string dir = m_session.diagramWindow.lastDesignDir.empty()
                                    ? m_session.appHome
                                    : m_session.diagramWindow.lastDesignDir;
        const auto chosen = m_dialogs.chooseOpenFile("Laden einer abgespeicherten Diagrammvorlage", dir,
                                                     "Diagramm-File (*.oc2)");
        if (!chosen || chosen->empty()) {
            return false;
        }
        source = *chosen;
    }
    const ChartOutput out = chart().loadState(source);
    if (!out.ok) {
        m_dialogs.showMessage("Meldung von Diagrammgestaltung", out.errorText, MessageIcon::Critical);
        return false;
    }
    m_session.diagramWindow.lastDesignDir = QFileInfo(q(source)).absolutePath().toStdString();
    // The loaded curves take their slots; the curve labels are found again by their series.
    DiagramState& d = m_session.diagram;
    d.freeCurveSlots.fill(true);
    d.curveCount = 0;
    m_curveLabelIds.fill(0);
    for (int slot = 1; slot <= std::min(chart().seriesCount(1), kMaxCurves); ++slot) {
        if (chart().pointCount(1, slot) > 0) {
            d.freeCurveSlots[static_cast<std::size_t>(slot)] = false;
            ++d.curveCount;
        }
    }
    for (int id : chart().labelIds()) {
        const auto label = chart().label(id);
        if (label && label->attachment == LabelAttachment::DataPoint && label->group == 1 &&
            label->series >= 1 && label->series <= kMaxCurves) {
            m_curveLabelIds[static_cast<std::size_t>(label->series)] = id;
        }
    }
    m_updating = true;
    const LegendSettings legend = chart().legend();
    m_legendShown->setChecked(legend.shown);
    m_legendTransparent->setChecked(legend.transparent);
    m_legendFrame->setChecked(legend.framed);
    m_xLog->setChecked(chart().axis(ChartAxis::X).logarithmic);
    m_yLog->setChecked(chart().axis(ChartAxis::Y).logarithmic);
    for (int set = 1; set <= std::min(chart().seriesCount(2), 7); ++set) {
        const bool has = chart().pointCount(2, set) > 0;
        m_pointTabs->setTabVisible(set - 1, has);
        if (has && m_pointTabs->tabText(set - 1).isEmpty()) {
            m_pointTabs->setTabText(set - 1, q(chart().seriesLabel(2, set)));
        }
    }
    m_updating = false;
    rebuildCurveTabs();
    showPointControls();
    showTextControls();
    return true;
}

void frmGraph2D::runPictureOutput() {
    const auto format = static_cast<PictureFormat>(m_graphFormat->currentData().toInt());
    ChartOutput out;
    if (m_pictureMode == 0) {
        out = chart().copyPictureToClipboard(format);
    } else if (m_pictureMode == 1) {
        std::string filter = "PNG-Bild (*.PNG)";
        std::string extension = ".PNG";
        switch (format) {
            case PictureFormat::Bitmap:
                filter = "Bitmap-file (*.BMP)";
                extension = ".BMP";
                break;
            case PictureFormat::Svg:
                filter = "SVG-Vektorgrafik (*.SVG)";
                extension = ".SVG";
                break;
            case PictureFormat::Pdf:
                filter = "PDF-Dokument (*.PDF)";
                extension = ".PDF";
                break;
            case PictureFormat::Png:
                break;
        }
        const std::string dir = m_session.diagramWindow.lastPictureDir.empty()
                                    ? m_session.appHome
                                    : m_session.diagramWindow.lastPictureDir;
        const auto chosen = m_dialogs.chooseSaveFile("Speichere Bild-File", dir, "", filter);
        if (!chosen || chosen->empty()) {
            return;
        }
        std::string path = *chosen;
        if (QFileInfo(q(path)).suffix().isEmpty()) {
            path += extension;
        }
        m_session.diagramWindow.lastPictureDir = QFileInfo(q(path)).absolutePath().toStdString();
        out = chart().writePicture(path, format);
    } else {
        if (chart().areas().plotAreaColour == kChartBlack &&
            m_dialogs.askYesNo(
                "Drucken",
                "Sie haben ein schwarzes Zeichenblatt gewählt.\r\nWollen Sie das wirklich so drucken?",
                MessageIcon::Question) != Answer::Yes) {
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        const double dpi = printer.resolution();
        auto cm = [&](int i) {
            return parseNumber(m_printFields[static_cast<std::size_t>(i)]->text().toStdString());
        };
        // Left and top are measured from the printable edge, half a centimetre in from the sheet.
        PrintRequest request;
        request.left = static_cast<int>(std::lround(std::max(0.0, cm(0) - 0.5) / 2.54 * dpi));
        request.top = static_cast<int>(std::lround(std::max(0.0, cm(1) - 0.5) / 2.54 * dpi));
        request.width = static_cast<int>(std::lround(cm(2) / 2.54 * dpi));
        request.height = static_cast<int>(std::lround(cm(3) / 2.54 * dpi));
        request.scaling = static_cast<PrintScaling>(m_printScaling->checkedId());
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            // Without a printer the diagram is printed into a PDF file.
            const auto chosen = m_dialogs.chooseSaveFile("Drucken in PDF-Datei", m_session.appHome,
                                                         "Diagramm.pdf", "PDF-Dokument (*.PDF)");
            if (!chosen || chosen->empty()) {
                return;
            }
            request.pdfFile = *chosen;
        }
        out = chart().print(request);
    }
    if (!out.ok) {
        m_dialogs.showMessage("Meldung von cmdPrint", out.errorText, MessageIcon::Critical);
    }
}

// --- Mouse -------------------------------------------------------------------------------------

void frmGraph2D::onMouseMoved(QPoint position) {
    const auto value = chart().dataCoordinatesAt(position.x(), position.y());
    if (!value) {
        m_statusPosition->setText(QStringLiteral("X =                     Y ="));
        return;
    }
    const char sep = decimalSeparator();
    m_statusPosition->setText(QStringLiteral("X = %1          Y = %2")
                                  .arg(q(formatSingle(static_cast<float>(value->x), sep)),
                                       q(formatSingle(static_cast<float>(value->y), sep))));
}

void frmGraph2D::onMouseClicked(QPoint position, Qt::MouseButton button) {
    const auto hit = chart().pointAt(position.x(), position.y(), 6);
    if (!hit || hit->group != 1 || hit->series > kMaxCurves) {
        return;
    }
    if (button == Qt::RightButton) {
        // A right click on a curve opens its styling.
        m_pages->setCurrentIndex(0);
        selectCurve(hit->series);
        return;
    }
    if (button != Qt::LeftButton || !m_deletePointMode ||
        chart().seriesStyle(1, hit->series).linePattern != LinePattern::None) {
        return;
    }
    const ChartPoint p = chart().point(1, hit->series, hit->point);
    if (m_dialogs.askYesNo("Löschen eines Kurvenpunktes", deletePointQuestion(p.x, p.y, decimalSeparator()),
                           MessageIcon::Question) == Answer::Yes) {
        chart().removePoint(1, hit->series, hit->point);
    }
}

std::optional<QColor> frmGraph2D::askColour(QColor initial) {
    const QColor colour = QColorDialog::getColor(initial, this);
    if (!colour.isValid()) {
        return std::nullopt;
    }
    return colour;
}

void frmGraph2D::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_separator->setCurrentIndex(entryForSeparator(m_session.protocol.separator));
    }
}

void frmGraph2D::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
}

}  // namespace zemtral
