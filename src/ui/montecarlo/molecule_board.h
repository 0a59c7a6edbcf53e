#pragma once
// The board of the Monte-Carlo game, painted from the engine's molecule array: circles on the
// small boards, filled cells on the large ones. The picture is kept in an image and only the
// molecules that changed are drawn anew, so that even the 90 000 board repaints with one
// image copy.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <vector>

#include "montecarlo/monte_carlo.h"

namespace zemtral {

class MoleculeBoard : public QWidget {
    Q_OBJECT
  public:
    explicit MoleculeBoard(QWidget* parent = nullptr);

    /// @brief The game whose molecules are shown (not owned; nullptr shows an empty board).
    void setGame(const MonteCarloGame* game);
    /// @brief Colours of the A and P molecules; the board is drawn anew.
    void setColours(const QColor& a, const QColor& p);
    /// @brief Draws every molecule from the game's array.
    void redrawAll();
    /// @brief Draws the molecules that changed. With `flash` they appear white first and take
    /// their colour at the next call (or at finishFlash).
    void showChanges(const std::vector<MoleculeChange>& changes, bool flash);
    /// @brief Gives the flashed molecules their colour.
    void finishFlash();

    /// @brief The colour shown for molecule j (1..N0).
    QColor moleculeColour(std::int32_t j) const;
    /// @brief The square the board occupies in the widget.
    QRect boardRect() const;

    QSize sizeHint() const override { return {420, 420}; }
    QSize minimumSizeHint() const override { return {220, 220}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return width; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    bool large() const;
    int side() const;
    void rebuildImage();
    QColor stateColour(std::int32_t j) const;

    // Draws molecules into the board image: a pixel on the large boards, a circle on the small
    // ones (one QPainter for a whole batch of molecules).
    class Painter {
      public:
        explicit Painter(MoleculeBoard& board);
        void draw(std::int32_t j, const QColor& colour);

      private:
        MoleculeBoard& m_board;
        QPainter m_painter;
        double m_pitch = 1.0;
    };

    const MonteCarloGame* m_game = nullptr;
    QColor m_colourA{255, 0, 0};
    QColor m_colourP{0, 0, 255};
    /// Large boards: one pixel per molecule, scaled when painted. Small boards: the board at
    /// widget resolution with one circle per molecule.
    QImage m_image;
    std::vector<std::int32_t> m_flashing;
};

}  // namespace zemtral
