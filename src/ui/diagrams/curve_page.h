#pragma once
// The page "Kurven" of the diagram window: the draw button, the styling of the curve of the
// selected tab, its export and the curve resolution.
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabBar;

namespace zemtral {

struct Session;
class UserDialogs;
class DiagramDocument;

class CurvePage : public QWidget {
  public:
    CurvePage(Session& session, UserDialogs& dialogs, DiagramDocument& document, QWidget* parent = nullptr);

    /// @brief "Zeichne Kurve" (the window connects it).
    QPushButton* drawButton() const { return m_draw; }
    /// @brief The curve tabs again from the chart: one per curve slot that holds points.
    void rebuildCurveTabs();
    /// @brief Curve slot of the selected tab; 0 when there is none.
    int selectedCurve() const;
    void selectCurve(int slot);
    /// @brief The separator list at the session's separator.
    void showSeparator();

    /// @brief Asks for a colour (the window's colour dialog); nothing when cancelled.
    std::function<std::optional<QColor>(QColor)> askColour;
    /// @brief Called after a curve was deleted here.
    std::function<void()> curvesChanged;
    /// @brief "Kurve in File .XY speichern" and "Kurve in Clipboard" (the window's commands).
    std::function<void()> saveCurve;
    std::function<void()> copyCurve;

  private:
    void showCurveControls();
    void applyStyle();
    void applyLabel();

    Session& m_session;
    UserDialogs& m_dialogs;
    DiagramDocument& m_document;
    bool m_updating = false;
    QPushButton* m_draw = nullptr;
    QTabBar* m_tabs = nullptr;
    QComboBox* m_style = nullptr;
    QPushButton* m_colour = nullptr;
    QSpinBox* m_width = nullptr;
    QLineEdit* m_legend = nullptr;
    QCheckBox* m_legendShown = nullptr;
    QLineEdit* m_label = nullptr;
    QCheckBox* m_labelShown = nullptr;
    QSlider* m_labelPosition = nullptr;
    QComboBox* m_separator = nullptr;
    QSlider* m_resolution = nullptr;
    QLabel* m_resolutionLabel = nullptr;
};

}  // namespace zemtral
