#pragma once
// The diagram window "2D-Diagramm": the chart of a DiagramDocument with the pages that style it
// (curves, points, axes, design, texts, picture), the status bar and the menus. What the window
// decides lives in the document (src/session); the window reads its widgets, calls the document
// and shows the result.
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "diagrams/chart_component.h"
#include "diagrams/draw_diagram_curve.h"
#include "diagrams/set_up_diagram.h"
#include "evaluation/half_life_marks.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;

namespace zemtral {

struct Session;
class UserDialogs;
class QtChartComponent;
class DiagramDocument;
class CurvePage;
class PointPage;
class AxisPage;
class DesignPage;
class TextPage;
class PicturePage;

/// @brief frmGraph2D. Controls carry the names of the original window (cmdDraw, cmbKStil,
/// txtLegendCurves, Slider1_PunktDichte, cmdSaveCurveAsXY, cmbSep, txtXMin ..., StatusBar2).
class frmGraph2D : public QWidget {
  public:
    frmGraph2D(Session& session, UserDialogs& dialogs, const CurveTable& curves, QWidget* parent = nullptr);
    ~frmGraph2D() override;

    /// @brief Loading: defaults, the axis window of the frame, automatic spacing, the masks of the
    /// kind, then the measured points (kinds −1, −2, −9) or the curves of the kind.
    void load();
    /// @brief Shows what SetUpDiagram prepared: header, axis titles, axis window, point-set tabs.
    void applySetUp(const DiagramSetUp& setUp);

    /// @brief "Zeichne Kurve": draws the series the set-up asked for.
    void cmdDraw();
    /// @brief DeleteCurves: removes every curve and resets the curve tabs and menus.
    void DeleteCurves();
    /// @brief "Halbwertszeit A" / "Halbwertszeit B": the vertical mark at τ (series 26 or 27) and
    /// τ in the status bar, or the status text that says why there is none.
    void markHalfLife(HalfLifeSpecies species);
    /// @brief zeigeExperPunkte: the measured points of the kind as point sets; false when every
    /// point lies outside the axis window.
    bool showMeasuredPoints();

    /// @brief cmdManuPoints: the active points of the XY editor as the manual point set.
    bool cmdManuPoints();
    /// @brief cmdManuKurve: the active points of the XY editor as a new curve.
    bool cmdManuKurve();
    /// @brief What "manuelle Kurve / Punkte (XY-Editor)" of the insert menu does: opens the XY
    /// editor. The entry is available once this is set.
    void setXyEditorOpener(std::function<void()> open);

    /// @brief "OK" of the coordinate frame: the typed window into the frame, the chart and the
    /// axis-range table.
    void applyCoordinates();
    /// @brief "Kurve in File .XY speichern" for the curve of the selected tab.
    bool saveSelectedCurveAsXY();
    /// @brief "Kurve in Clipboard" for the curve of the selected tab.
    void copySelectedCurveToClipboard();
    /// @brief "... als *.OC2-File speichern" into `path` (asks when empty).
    bool saveDesign(const std::string& path = {});
    /// @brief "... importieren (*.OC2)" from `path` (asks when empty); updates tabs and menus.
    bool loadDesign(const std::string& path = {});

    /// @brief What "k-T-Rechner" (cmdArrhRechner) and "Calc" (cmdSingleCalc) open; a button
    /// without its window stays hidden.
    void setCalculatorButtons(std::function<void()> kTCalculator, std::function<void()> singlePoint);

    /// @brief The chart of the window.
    ChartComponent& chart();
    QtChartComponent& chartWidget() { return *m_chart; }
    /// @brief What the window shows and decides.
    DiagramDocument& document() { return *m_document; }
    /// @brief Curve slot of the selected curve tab; 0 when there is none.
    int selectedCurve() const;
    /// @brief Selects the curve tab of `slot`.
    void selectCurve(int slot);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void buildMenus();
    void buildDeleteMenu(QMenu* menu);
    void buildInsertMenu(QMenu* menu);
    void curvesChanged();
    void pointSetsChanged();
    void showAll();
    void setStatusText(const std::string& text);
    std::optional<QColor> askColour(QColor initial);
    char decimalSeparator() const;
    void updateHalfLifeMenu();

    Session& m_session;
    UserDialogs& m_dialogs;
    QtChartComponent* m_chart = nullptr;
    std::unique_ptr<DiagramDocument> m_document;
    std::array<QAction*, 2> m_halfLifeActions{};  ///< "Halbwertszeit A", "Halbwertszeit B"
    QTabWidget* m_pages = nullptr;
    CurvePage* m_curvePage = nullptr;
    PointPage* m_pointPage = nullptr;
    AxisPage* m_axisPage = nullptr;
    DesignPage* m_designPage = nullptr;
    TextPage* m_textPage = nullptr;
    PicturePage* m_picturePage = nullptr;
    QLabel* m_statusPosition = nullptr;
    QLabel* m_statusText = nullptr;
    QPushButton* m_kTCalculator = nullptr;
    QPushButton* m_singlePoint = nullptr;
    std::function<void()> m_openKTCalculator;
    std::function<void()> m_openSinglePoint;
    std::array<QAction*, 25> m_deleteCurveActions{};
    QAction* m_deleteAllLabels = nullptr;
    QAction* m_insertPoints = nullptr;
    QAction* m_insertXy = nullptr;
    std::function<void()> m_openXyEditor;
};

}  // namespace zemtral
