#pragma once
// The page "Messpunkte" of the diagram window: the styling of the point set of the selected tab.
#include <QWidget>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTabBar;

namespace zemtral {

class DiagramDocument;

class PointPage : public QWidget {
  public:
    explicit PointPage(DiagramDocument& document, QWidget* parent = nullptr);

    /// @brief The tabs (captions, visibility) and the controls of the selected set again.
    void showTabs();
    /// @brief Selects tab 0..6.
    void selectTab(int index);
    /// @brief Point set 1..7 of the selected tab; 0 when no visible tab is selected.
    int selectedPointSet() const;

    std::function<std::optional<QColor>(QColor)> askColour;
    /// @brief "Messpunkte zeigen" (the window's command).
    std::function<void()> showPoints;

  private:
    void showPointControls();
    void applyStyle();

    DiagramDocument& m_document;
    bool m_updating = false;
    QTabBar* m_tabs = nullptr;
    QComboBox* m_style = nullptr;
    QSpinBox* m_size = nullptr;
    QLineEdit* m_legend = nullptr;
    QCheckBox* m_legendShown = nullptr;
};

}  // namespace zemtral
