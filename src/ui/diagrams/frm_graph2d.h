#pragma once
// The diagram window "2D-Diagramm": shows every diagram of the program on one chart and offers
// the styling of curves, points, texts, legend, axes, grid and margins, zoom, curve export,
// design files, picture output and printing.
#include <QWidget>
#include <optional>

#include "diagrams/chart_component.h"
#include "diagrams/draw_diagram_curve.h"
#include "diagrams/set_up_diagram.h"
#include "evaluation/half_life_marks.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QSpinBox;
class QStatusBar;
class QTabBar;
class QTabWidget;

namespace zemtral {

struct Session;
class UserDialogs;
class QtChartComponent;

/// @brief frmGraph2D. Controls carry the names of the original window (cmdDraw, cmbKStil,
/// txtLegendCurves, Slider1_PunktDichte, cmdSaveCurveAsXY, cmbSep, txtXMin ..., StatusBar2).
class frmGraph2D : public QWidget {
  public:
    frmGraph2D(Session& session, UserDialogs& dialogs, const CurveTable& curves, QWidget* parent = nullptr);

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

    /// @brief The chart of the window.
    ChartComponent& chart();
    QtChartComponent& chartWidget() { return *m_chart; }
    /// @brief Curve slot of the selected curve tab; 0 when there is none.
    int selectedCurve() const;
    /// @brief Selects the curve tab of `slot`.
    void selectCurve(int slot);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void recolourSeries(int group, int series);
    /// The frame of the session into the chart axes and the axis-range table.
    void applyFrame();
    void deleteHalfLifeMarks();
    QWidget* buildCurvePage();
    QWidget* buildPointPage();
    QWidget* buildAxisPage();
    QWidget* buildDesignPage();
    QWidget* buildTextPage();
    QWidget* buildPicturePage();
    void buildMenus();
    void applyDefaults();
    void rebuildCurveTabs();
    void showCurveControls();
    void showPointControls();
    void applyCurveStyleFromControls();
    void applyPointStyleFromControls();
    void applySpacing();
    void applyOrigins();
    void applyGrid();
    void applyLegendControls();
    void applyFrameControls();
    void applyLabelControls();
    void showTextControls();
    void applyTextControls();
    void updateDeleteMenus();
    void onMouseMoved(QPoint position);
    void onMouseClicked(QPoint position, Qt::MouseButton button);
    void runPictureOutput();
    void deletePointSet(int set);
    int selectedPointSet() const;
    std::optional<QColor> askColour(QColor initial);
    char decimalSeparator() const;

    Session& m_session;
    UserDialogs& m_dialogs;
    const CurveTable& m_curves;
    QtChartComponent* m_chart = nullptr;
    QStatusBar* m_status = nullptr;
    QLabel* m_statusPosition = nullptr;
    QLabel* m_statusText = nullptr;
    QTabWidget* m_pages = nullptr;
    std::optional<ChartColour> m_preselected;
    bool m_updating = false;
    bool m_deletePointMode = false;
    int m_pictureMode = 0;  ///< 0 clipboard, 1 file, 2 printer
    std::array<int, 25> m_curveLabelIds{};

    // Curves.
    QPushButton* m_draw = nullptr;
    QTabBar* m_curveTabs = nullptr;
    QComboBox* m_curveStyle = nullptr;
    QPushButton* m_curveColour = nullptr;
    QSpinBox* m_curveWidth = nullptr;
    QLineEdit* m_curveLegend = nullptr;
    QCheckBox* m_curveLegendShown = nullptr;
    QLineEdit* m_curveLabel = nullptr;
    QCheckBox* m_curveLabelShown = nullptr;
    QSlider* m_curveLabelPosition = nullptr;
    QComboBox* m_separator = nullptr;
    QSlider* m_resolution = nullptr;
    QLabel* m_resolutionLabel = nullptr;

    // Points.
    QTabBar* m_pointTabs = nullptr;
    QComboBox* m_pointStyle = nullptr;
    QSpinBox* m_pointSize = nullptr;
    QLineEdit* m_pointLegend = nullptr;
    QCheckBox* m_pointLegendShown = nullptr;

    // Axes.
    QLineEdit* m_xMin = nullptr;
    QLineEdit* m_xMax = nullptr;
    QLineEdit* m_yMin = nullptr;
    QLineEdit* m_yMax = nullptr;
    QRadioButton* m_scalingAuto = nullptr;
    QRadioButton* m_scalingManual = nullptr;
    std::array<QLineEdit*, 6> m_spacing{};  ///< grid, tick, digit spacing of x, then of y
    QPushButton* m_xLog = nullptr;
    QPushButton* m_yLog = nullptr;
    QButtonGroup* m_xOrigin = nullptr;
    QButtonGroup* m_yOrigin = nullptr;
    QLineEdit* m_xOriginValue = nullptr;
    QLineEdit* m_yOriginValue = nullptr;
    QButtonGroup* m_standardOrigin = nullptr;

    // Design.
    QCheckBox* m_legendShown = nullptr;
    QButtonGroup* m_legendOrientation = nullptr;
    QCheckBox* m_legendTransparent = nullptr;
    QCheckBox* m_legendFrame = nullptr;
    QButtonGroup* m_gridKind = nullptr;
    QButtonGroup* m_gridLine = nullptr;
    QCheckBox* m_diagramFramed = nullptr;
    QButtonGroup* m_frameType = nullptr;
    QSpinBox* m_frameWidth = nullptr;
    QCheckBox* m_autoMargins = nullptr;
    std::array<QSpinBox*, 4> m_margins{};
    QButtonGroup* m_yDigitOrientation = nullptr;
    QButtonGroup* m_yTitleOrientation = nullptr;
    QCheckBox* m_labelsHidden = nullptr;
    QCheckBox* m_labelsFramed = nullptr;
    QColor m_gridColour{0x80, 0x80, 0x80};

    // Texts.
    QComboBox* m_textChoice = nullptr;
    QLineEdit* m_text = nullptr;
    QCheckBox* m_textFramed = nullptr;
    int m_extraTextLabel = 0;

    // Picture.
    QLabel* m_pictureModeLabel = nullptr;
    QComboBox* m_graphFormat = nullptr;
    std::array<QLineEdit*, 4> m_printFields{};
    QButtonGroup* m_printScaling = nullptr;

    // Menus.
    QMenu* m_deleteMenu = nullptr;
    QMenu* m_deleteCurvesMenu = nullptr;
    std::array<QAction*, 25> m_deleteCurveActions{};
    QAction* m_deleteAllLabels = nullptr;
    QAction* m_insertPoints = nullptr;
    QMenu* m_deletePointsMenu = nullptr;
};

}  // namespace zemtral
