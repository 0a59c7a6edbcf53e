#pragma once
// The page "Achsen" of the diagram window: the axis window, the spacing of digits, ticks and
// grid, logarithmic axes, where the axes cross, and the zoom.
#include <QWidget>
#include <array>

#include "session/diagram_controls.h"

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zemtral {

struct Session;
class DiagramDocument;
class QtChartComponent;

class AxisPage : public QWidget {
  public:
    AxisPage(Session& session, DiagramDocument& document, QtChartComponent& chart, QWidget* parent = nullptr);

    /// @brief "OK" of the coordinate frame.
    void applyCoordinates();
    /// @brief The coordinate fields from the session's frame.
    void showFrame();
    /// @brief Automatic spacing selected; the spacing fields follow.
    void selectAutomaticSpacing();
    /// @brief The logarithm buttons from the chart axes.
    void showLogarithmic();

  private:
    SpacingControls spacingControls() const;
    void applySpacing();
    void applyOrigins();

    Session& m_session;
    DiagramDocument& m_document;
    bool m_updating = false;
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
};

}  // namespace zemtral
