#pragma once
// The options window "   Optionen": display settings of the Monte-Carlo simulation.
#include <QColor>
#include <QDialog>
#include <functional>

#include "session/session.h"

class QCheckBox;
class QPushButton;
class QSlider;
class QSpinBox;

namespace zemtral {

class frmOption : public QDialog {
    Q_OBJECT
  public:
    /// @brief `chooseColour` opens the colour dialog (QColorDialog in the program; tests replace it).
    frmOption(Session& session, QWidget* parent = nullptr,
              std::function<QColor(const QColor&)> chooseColour = nullptr);

    /// @brief "OK": stores the settings and closes.
    void store();
    QColor buttonColour(bool a) const { return a ? m_colourA : m_colourP; }

  private:
    void pickColour(bool a);

    Session& m_session;
    std::function<QColor(const QColor&)> m_chooseColour;
    QSlider* m_speed = nullptr;
    QSpinBox* m_pointSize = nullptr;
    QCheckBox* m_solid = nullptr;
    QPushButton* m_cmdAColor = nullptr;
    QPushButton* m_cmdPColor = nullptr;
    QColor m_colourA, m_colourP;
};

/// @brief The colour of an RGB value 0xRRGGBB.
QColor toQColor(RgbColour rgb);

}  // namespace zemtral
