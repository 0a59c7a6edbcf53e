#include "ui/diagrams/frm_graph2d.h"

#include <QAction>
#include <QColorDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "session/diagram_document.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "session/xy_editor.h"
#include "ui/diagrams/axis_page.h"
#include "ui/diagrams/curve_page.h"
#include "ui/diagrams/design_page.h"
#include "ui/diagrams/graph2d_widgets.h"
#include "ui/diagrams/picture_page.h"
#include "ui/diagrams/point_page.h"
#include "ui/diagrams/qt_chart_component.h"
#include "ui/diagrams/text_page.h"
#include "ui/shell/eliding_label.h"

namespace zemtral {
namespace {

enum Page { kCurvePage = 0, kPointPage, kAxisPage, kDesignPage, kTextPage, kPicturePage };

}  // namespace

frmGraph2D::frmGraph2D(Session& session, UserDialogs& dialogs, const CurveTable& curves, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs) {
    setObjectName("frmGraph2D");
    setWindowTitle(QStringLiteral("2D-Diagramm"));
    setAttribute(Qt::WA_DeleteOnClose, false);

    m_chart = new QtChartComponent(this);
    m_chart->setMinimumSize(420, 320);
    m_document = std::make_unique<DiagramDocument>(session, dialogs, curves, m_chart->model());
    m_chart->setMouseMoveHandler([this](QPoint p) {
        m_statusPosition->setText(
            graph2d::q(mousePositionText(chart().dataCoordinatesAt(p.x(), p.y()), decimalSeparator())));
    });
    m_chart->setMouseClickHandler([this](QPoint p, Qt::MouseButton b) {
        const ChartMouseButton button = b == Qt::LeftButton    ? ChartMouseButton::Left
                                        : b == Qt::RightButton ? ChartMouseButton::Right
                                                               : ChartMouseButton::Other;
        // A right click on a curve opens its styling.
        if (const auto slot = m_document->click(p.x(), p.y(), button, decimalSeparator())) {
            m_pages->setCurrentIndex(kCurvePage);
            selectCurve(*slot);
        }
    });

    const auto colourDialog = [this](QColor initial) { return askColour(initial); };
    m_curvePage = new CurvePage(session, dialogs, *m_document);
    m_curvePage->askColour = colourDialog;
    m_curvePage->curvesChanged = [this] { curvesChanged(); };
    m_curvePage->saveCurve = [this] { saveSelectedCurveAsXY(); };
    m_curvePage->copyCurve = [this] { copySelectedCurveToClipboard(); };
    connect(m_curvePage->drawButton(), &QAbstractButton::clicked, this, &frmGraph2D::cmdDraw);
    m_pointPage = new PointPage(*m_document);
    m_pointPage->askColour = colourDialog;
    m_pointPage->showPoints = [this] { showMeasuredPoints(); };
    m_axisPage = new AxisPage(session, *m_document, *m_chart);
    m_designPage = new DesignPage(*m_document);
    m_designPage->askColour = colourDialog;
    m_textPage = new TextPage(*m_document);
    m_picturePage = new PicturePage(session, dialogs, *m_chart);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName("fraTabs");
    m_pages->addTab(m_curvePage, QStringLiteral("Kurven"));
    m_pages->addTab(m_pointPage, QStringLiteral("Messpunkte"));
    m_pages->addTab(graph2d::scrollable(m_axisPage), QStringLiteral("Achsen"));
    m_pages->addTab(graph2d::scrollable(m_designPage), QStringLiteral("Gestaltung"));
    m_pages->addTab(m_textPage, QStringLiteral("Texte"));
    m_pages->addTab(m_picturePage, QStringLiteral("Bild"));
    // Every tab whole, no scroll arrows: the pages are at least as wide as their tab bar.
    m_pages->setUsesScrollButtons(false);
    m_pages->setElideMode(Qt::ElideNone);
    const int tabsWidth = m_pages->tabBar()->sizeHint().width() + 8;
    m_pages->setMinimumWidth(std::max(330, tabsWidth));
    m_pages->setMaximumWidth(std::max(400, tabsWidth + 40));

    auto* status = new QStatusBar(this);
    status->setObjectName("StatusBar2");
    status->setSizeGripEnabled(false);
    m_statusPosition = new QLabel(QStringLiteral("X =                     Y ="), status);
    m_statusPosition->setObjectName("StatusBar2_Position");
    m_statusPosition->setMinimumWidth(260);
    m_statusText = new ElidingLabel(status);
    m_statusText->setObjectName("StatusBar2_Text");
    status->addWidget(m_statusPosition);
    status->addWidget(m_statusText, 1);

    // The calculators that read the diagram's results.
    m_kTCalculator = new QPushButton(QStringLiteral("k-T-Rechner"), this);
    m_kTCalculator->setObjectName("cmdArrhRechner");
    m_kTCalculator->setToolTip(QStringLiteral(" k bei einer Temperatur aus A und EA bzw. s# und h# "));
    m_singlePoint = new QPushButton(QStringLiteral("Calc"), this);
    m_singlePoint->setObjectName("cmdSingleCalc");
    m_singlePoint->setToolTip(QStringLiteral(" Konzentrationen der Simulation zu einer Zeit "));
    m_kTCalculator->setVisible(false);
    m_singlePoint->setVisible(false);
    connect(m_kTCalculator, &QPushButton::clicked, this, [this] {
        if (m_openKTCalculator) {
            m_openKTCalculator();
        }
    });
    connect(m_singlePoint, &QPushButton::clicked, this, [this] {
        if (m_openSinglePoint) {
            m_openSinglePoint();
        }
    });
    auto* calculators = new QHBoxLayout;
    calculators->addWidget(m_kTCalculator);
    calculators->addWidget(m_singlePoint);
    calculators->addStretch();

    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName("mnuGraph2D");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setMenuBar(menuBar);
    auto* body = new QHBoxLayout;
    body->addWidget(m_chart, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_pages, 1);
    side->addLayout(calculators);
    body->addLayout(side);
    layout->addLayout(body, 1);
    layout->addWidget(status);
    buildMenus();
    // The XY editor hands its points over by pressing these two invisible buttons.
    auto* manuPoints = new QPushButton(QStringLiteral("als Punkte"), this);
    manuPoints->setObjectName("cmdManuPoints");
    manuPoints->setVisible(false);
    connect(manuPoints, &QPushButton::clicked, this, &frmGraph2D::cmdManuPoints);
    auto* manuCurve = new QPushButton(QStringLiteral("als Kurve"), this);
    manuCurve->setObjectName("cmdManuKurve");
    manuCurve->setVisible(false);
    connect(manuCurve, &QPushButton::clicked, this, &frmGraph2D::cmdManuKurve);
    setMinimumSize(980, 600);
    resize(1100, 660);
}

frmGraph2D::~frmGraph2D() = default;

// --- Menus -------------------------------------------------------------------------------------------

void frmGraph2D::buildMenus() {
    auto* bar = findChild<QMenuBar*>("mnuGraph2D");
    auto* deleteMenu = bar->addMenu(QStringLiteral("&Löschen..."));
    deleteMenu->setObjectName("mnuLoeschen");
    buildDeleteMenu(deleteMenu);
    auto* insert = bar->addMenu(QStringLiteral("&Einfügen..."));
    insert->setObjectName("mnuEinfuegen");
    buildInsertMenu(insert);

    auto* picture = bar->addMenu(QStringLiteral("  &Bild ..."));
    picture->setObjectName("mnuBild");
    const std::array<const char*, 3> modes{
        "... zur Zwischenablage", "... als Bildfile speichern (.BMP, .PNG, .SVG, .PDF)", "... zum Drucker"};
    for (int mode = 0; mode < 3; ++mode) {
        QAction* action = picture->addAction(QString::fromUtf8(modes[static_cast<std::size_t>(mode)]));
        action->setObjectName(QStringLiteral("mnuBild_%1").arg(mode));
        // The clipboard and the printer are carried out at once (Ctrl+C, Ctrl+P, shown in the
        // menu); the page stays open in that mode for another format or placement. A file needs
        // its format chosen first.
        const bool atOnce = mode != 1;
        if (atOnce) {
            action->setShortcut(mode == 0 ? QKeySequence::Copy : QKeySequence::Print);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            addAction(action);  // the shortcut works wherever the focus is in this window
        }
        connect(action, &QAction::triggered, this, [this, mode, atOnce] {
            m_picturePage->setMode(mode);
            m_pages->setCurrentIndex(kPicturePage);
            if (atOnce) {
                m_picturePage->run();
            }
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
    curvesChanged();
}

void frmGraph2D::buildDeleteMenu(QMenu* menu) {
    auto* all = menu->addAction(QStringLiteral("Alles"));
    all->setObjectName("mnuDelAll");
    connect(all, &QAction::triggered, this, [this] {
        m_document->deleteEverything();
        curvesChanged();
        pointSetsChanged();
    });
    auto* curves = menu->addMenu(QStringLiteral("Kurven"));
    curves->setObjectName("mnuDelCurves");
    m_deleteCurveActions[0] = curves->addAction(QStringLiteral("alle"));
    m_deleteCurveActions[0]->setObjectName("mnuDelCurve_0");
    connect(m_deleteCurveActions[0], &QAction::triggered, this, &frmGraph2D::DeleteCurves);
    for (int slot = 1; slot < static_cast<int>(m_deleteCurveActions.size()); ++slot) {
        QAction* action = curves->addAction(QStringLiteral("Kurve %1").arg(slot));
        action->setObjectName(QStringLiteral("mnuDelCurve_%1").arg(slot));
        m_deleteCurveActions[static_cast<std::size_t>(slot)] = action;
        connect(action, &QAction::triggered, this, [this, slot] {
            m_document->deleteCurve(slot);
            curvesChanged();
        });
    }
    auto* halfLives = menu->addAction(QStringLiteral("Mark. Halbwertszeiten"));
    halfLives->setObjectName("mnuDelHalfLives");
    connect(halfLives, &QAction::triggered, this, [this] { m_document->deleteHalfLifeMarks(); });
    auto* marks = menu->addAction(QStringLiteral("Markierungstexte"));
    marks->setObjectName("mnuDelMarkTexts");
    connect(marks, &QAction::triggered, this, [this] {
        m_document->deleteMarkTexts();
        m_textPage->showText();
    });
    auto* legendLines = menu->addAction(QStringLiteral("einzelne Legendenzeilen"));
    legendLines->setObjectName("mnuDelLegendLines");
    connect(legendLines, &QAction::triggered, this, [this] {
        m_pages->setCurrentIndex(kCurvePage);
        m_dialogs.showMessage(
            "Legendenzeile löschen",
            "Wählen Sie die Kurve und entfernen Sie das Häkchen \"sichtbar\" beim Legendentext.",
            MessageIcon::Information);
    });
    auto* legend = menu->addAction(QStringLiteral("gesamte Legende"));
    legend->setObjectName("mnuDelLegend");
    connect(legend, &QAction::triggered, this, [this] { m_designPage->setLegendShown(false); });
    m_deleteAllLabels = menu->addAction(QStringLiteral("alle Kurvenetiketts"));
    m_deleteAllLabels->setObjectName("mnuDelLabels");
    connect(m_deleteAllLabels, &QAction::triggered, this, [this] {
        m_document->deleteCurveLabels();
        m_deleteAllLabels->setEnabled(false);
    });
    auto* points = menu->addMenu(QStringLiteral("Messpunkte"));
    points->setObjectName("mnuDelPoints");
    const std::array<const char*, kPointSetTabCount> setNames{
        "Punktsatz c(A)", "Punktsatz c(B)",  "Punktsatz c(C)",   "Punktsatz c(P)",
        "Punktsatz c(Q)", "Punktsatz k - T", "Punktsatz manuell"};
    for (int set = 1; set <= kPointSetTabCount; ++set) {
        QAction* action = points->addAction(QString::fromUtf8(setNames[static_cast<std::size_t>(set - 1)]));
        action->setObjectName(QStringLiteral("mnuDelPointSet_%1").arg(set));
        connect(action, &QAction::triggered, this, [this, set] {
            m_document->deletePointSet(set);
            pointSetsChanged();
        });
    }
}

void frmGraph2D::buildInsertMenu(QMenu* menu) {
    for (const HalfLifeSpecies species : {HalfLifeSpecies::A, HalfLifeSpecies::B}) {
        const bool a = species == HalfLifeSpecies::A;
        QAction* action =
            menu->addAction(a ? QStringLiteral("Halbwertszeit A") : QStringLiteral("Halbwertszeit B"));
        action->setObjectName(a ? QStringLiteral("mnuHalbA") : QStringLiteral("mnuHalbB"));
        action->setEnabled(false);
        m_halfLifeActions[a ? 0 : 1] = action;
        connect(action, &QAction::triggered, this, [this, species] { markHalfLife(species); });
    }
    auto* legend = menu->addAction(QStringLiteral("Legende"));
    legend->setObjectName("mnuInsLegend");
    connect(legend, &QAction::triggered, this, [this] { m_designPage->setLegendShown(true); });
    auto* labels = menu->addAction(QStringLiteral("Kurvenetiketts"));
    labels->setObjectName("mnuInsLabels");
    connect(labels, &QAction::triggered, this, [this] { m_designPage->setLabelsHidden(false); });
    auto* extra = menu->addAction(QStringLiteral("Zusatztext"));
    extra->setObjectName("mnuInsText");
    connect(extra, &QAction::triggered, this, [this] {
        m_pages->setCurrentIndex(kTextPage);
        m_textPage->choose(static_cast<int>(DiagramText::ExtraText));
        m_textPage->focusText();
    });
    m_insertPoints = menu->addAction(QStringLiteral("Messpunkte"));
    m_insertPoints->setObjectName("mnuAddPunkte");
    connect(m_insertPoints, &QAction::triggered, this, [this] { showMeasuredPoints(); });
    m_insertXy = menu->addAction(QStringLiteral("manuelle Kurve / Punkte (XY-Editor)"));
    m_insertXy->setObjectName("mnuInsXY");
    m_insertXy->setEnabled(false);  // available once the program has an XY editor
    connect(m_insertXy, &QAction::triggered, this, [this] {
        if (m_openXyEditor) {
            m_openXyEditor();
        }
    });
}

// --- Loading and set-up ------------------------------------------------------------------------------

void frmGraph2D::setCalculatorButtons(std::function<void()> kTCalculator, std::function<void()> singlePoint) {
    m_openKTCalculator = std::move(kTCalculator);
    m_openSinglePoint = std::move(singlePoint);
    m_kTCalculator->setVisible(static_cast<bool>(m_openKTCalculator));
    m_singlePoint->setVisible(static_cast<bool>(m_openSinglePoint));
}

ChartComponent& frmGraph2D::chart() {
    return m_chart->model();
}

char frmGraph2D::decimalSeparator() const {
    return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

void frmGraph2D::updateHalfLifeMenu() {
    const HalfLifeMenu menu =
        halfLifeMenu(m_session.diagramKind, m_session.state.modelId, m_session.state.mmMode);
    m_halfLifeActions[0]->setText(graph2d::q(menu.aCaption));
    m_halfLifeActions[0]->setEnabled(menu.aEnabled);
    m_halfLifeActions[1]->setText(graph2d::q(menu.bCaption));
    m_halfLifeActions[1]->setEnabled(menu.bEnabled);
}

void frmGraph2D::load() {
    updateHalfLifeMenu();
    m_axisPage->selectAutomaticSpacing();
    m_curvePage->showSeparator();
    m_pages->setCurrentIndex(kCurvePage);
    m_insertPoints->setEnabled(m_session.data.pointCount > 0);
    m_axisPage->showFrame();
    const bool draws =
        m_session.diagramKind != -9 && m_session.diagramKind != -2 && m_session.diagramKind != -1;
    const DrawCommandResult drawn = m_document->load();
    if (draws) {
        setStatusText(drawn.statusText);
        if (!drawn.curves.empty()) {
            curvesChanged();
            selectCurve(drawn.curves.back().slot);
        }
    }
    showAll();
}

void frmGraph2D::applySetUp(const DiagramSetUp& setUp) {
    m_document->applySetUp(setUp);
    updateHalfLifeMenu();
    m_axisPage->showFrame();
    m_pointPage->showTabs();
    if (const auto tab = m_document->tabToSelect()) {
        m_pointPage->selectTab(*tab);
    }
    m_designPage->showControls();
    m_textPage->choose(static_cast<int>(DiagramText::Header));
    m_textPage->showText();
}

void frmGraph2D::showAll() {
    curvesChanged();
    pointSetsChanged();
    m_axisPage->showLogarithmic();
    m_designPage->showControls();
    m_textPage->showText();
}

// --- Drawing -----------------------------------------------------------------------------------------

void frmGraph2D::cmdDraw() {
    const DrawCommandResult result = m_document->draw();
    setStatusText(result.statusText);
    curvesChanged();
    if (!result.curves.empty()) {
        selectCurve(result.curves.back().slot);
    }
}

void frmGraph2D::DeleteCurves() {
    m_document->deleteCurves();
    curvesChanged();
}

void frmGraph2D::markHalfLife(HalfLifeSpecies species) {
    findChild<QAction*>("mnuDelAll")->setEnabled(true);
    findChild<QAction*>("mnuDelHalfLives")->setEnabled(true);
    if (const auto status = m_document->markHalfLife(species)) {
        setStatusText(*status);
    }
}

bool frmGraph2D::showMeasuredPoints() {
    const bool inside = m_document->showMeasuredPoints();
    pointSetsChanged();
    return inside;
}

bool frmGraph2D::cmdManuPoints() {
    if (!m_document->loadManualPoints(activeXyPoints(m_session.xy))) {
        return false;
    }
    pointSetsChanged();
    m_pointPage->selectTab(kPointSetTabCount - 1);
    m_axisPage->showFrame();
    return true;
}

bool frmGraph2D::cmdManuKurve() {
    const std::optional<DrawnCurve> drawn = m_document->loadManualCurve(activeXyPoints(m_session.xy));
    if (!drawn) {
        return false;
    }
    curvesChanged();
    selectCurve(drawn->slot);
    m_axisPage->showFrame();
    return true;
}

void frmGraph2D::setXyEditorOpener(std::function<void()> open) {
    m_openXyEditor = std::move(open);
    m_insertXy->setEnabled(static_cast<bool>(m_openXyEditor));
}

void frmGraph2D::curvesChanged() {
    m_curvePage->rebuildCurveTabs();
    const std::vector<int> shown = m_document->curvesShown();
    for (std::size_t slot = 1; slot < m_deleteCurveActions.size(); ++slot) {
        m_deleteCurveActions[slot]->setEnabled(
            std::find(shown.begin(), shown.end(), static_cast<int>(slot)) != shown.end());
    }
    m_deleteCurveActions[0]->setEnabled(!shown.empty());
    m_deleteAllLabels->setEnabled(!shown.empty());
}

void frmGraph2D::pointSetsChanged() {
    m_pointPage->showTabs();
}

void frmGraph2D::setStatusText(const std::string& text) {
    m_statusText->setText(graph2d::q(text));
}

int frmGraph2D::selectedCurve() const {
    return m_curvePage->selectedCurve();
}

void frmGraph2D::selectCurve(int slot) {
    m_curvePage->selectCurve(slot);
}

// --- Axes, export, design --------------------------------------------------------------------------

void frmGraph2D::applyCoordinates() {
    m_axisPage->applyCoordinates();
}

bool frmGraph2D::saveSelectedCurveAsXY() {
    const int slot = selectedCurve();
    return slot != 0 && saveCurveAsXY(m_session, chart(), m_dialogs, slot);
}

void frmGraph2D::copySelectedCurveToClipboard() {
    if (const int slot = selectedCurve()) {
        m_dialogs.setClipboardText(curveClipboardText(seriesPoints(chart(), 1, slot), decimalSeparator()));
    }
}

bool frmGraph2D::saveDesign(const std::string& path) {
    return m_document->saveDesign(path);
}

bool frmGraph2D::loadDesign(const std::string& path) {
    if (!m_document->loadDesign(path)) {
        return false;
    }
    showAll();
    return true;
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
        m_curvePage->showSeparator();
    }
}

}  // namespace zemtral
