#pragma once
// The page "Gestaltung" of the diagram window: legend, grid, frame and margins, colours, the
// orientation of the y-axis texts and the look of the curve labels.
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QSpinBox;

namespace zemtral {

class DiagramDocument;

class DesignPage : public QWidget {
  public:
    explicit DesignPage(DiagramDocument& document, QWidget* parent = nullptr);

    /// @brief Every control from the document.
    void showControls();
    /// @brief chkLegend: the legend shown or hidden as if clicked.
    void setLegendShown(bool shown);
    /// @brief chkLabelNotVisible as if clicked.
    void setLabelsHidden(bool hidden);

    std::function<std::optional<QColor>(QColor)> askColour;

  private:
    void applyLegend();
    void applyGrid();
    void applyFrame();
    void applyLabels();
    void applyYAxisTexts();

    DiagramDocument& m_document;
    bool m_updating = false;
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
};

}  // namespace zemtral
