#pragma once
// The schematic pictures of the reactor windows: the batch vessel, the stirred tank with its
// pipes and turning stirrer, and the tube. The liquid shows the conversion of A as its colour
// (yellow at U = 0, cyan at U = 1).
#include <QString>
#include <QWidget>
#include <vector>

namespace zemtral {

class ReactorPicture : public QWidget {
    Q_OBJECT
  public:
    enum class Kind { Vessel, Tank, Tube };

    explicit ReactorPicture(Kind kind, QWidget* parent = nullptr);

    /// @brief The conversion U(A) the liquid shows (the tank's inlet always shows U = 0). For the
    /// tube, `computed` false leaves the tube empty, as before the first calculation.
    void setConversion(double conversion, bool computed = true);
    /// @brief Tube only: U(A) at evenly spaced places from inlet to outlet; empty fills the outlet
    /// half with the conversion colour alone.
    void setProfile(std::vector<double> profile);
    /// @brief Tank only: width of the stirrer blades as a fraction of their length (0.3 or 0.6
    /// alternate, so that they seem to turn).
    void setStirrerPhase(double phase);
    double stirrerPhase() const { return m_phase; }
    /// @brief Hatches the liquid: the picture belongs to results that are no longer current.
    void setStale(bool stale);
    bool isStale() const { return m_stale; }
    /// @brief A caption under the picture, for example "U(A) = 0,63".
    void setCaption(const QString& caption);

    double conversion() const { return m_conversion; }
    /// @brief The colour of the liquid for the current conversion.
    QColor fillColour() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void paintVessel(QPainter& painter, bool tank) const;
    void paintTube(QPainter& painter) const;

    Kind m_kind;
    double m_conversion = 0.0;
    bool m_computed = false;
    std::vector<double> m_profile;
    double m_phase = 0.6;
    bool m_stale = false;
    QString m_caption;
};

/// @brief The fill colour of conversion U: red = (1 − U)·255, green = 255, blue = U·255.
QColor conversionQColor(double conversion);

}  // namespace zemtral
