#include "ui/montecarlo/molecule_board.h"

#include <QPainter>
#include <algorithm>

namespace zemtral {
namespace {

constexpr int kMargin = 6;  // [px] around the board
const QColor kBoardBackground(245, 245, 240);
const QColor kFrame(90, 90, 90);

}  // namespace

MoleculeBoard::MoleculeBoard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picBrett"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void MoleculeBoard::setGame(const MonteCarloGame* game) {
    m_game = game;
    m_flashing.clear();
    rebuildImage();
}

void MoleculeBoard::setColours(const QColor& a, const QColor& p) {
    m_colourA = a;
    m_colourP = p;
    rebuildImage();
}

void MoleculeBoard::redrawAll() {
    m_flashing.clear();
    rebuildImage();
}

bool MoleculeBoard::large() const {
    return m_game != nullptr && m_game->board().large;
}

int MoleculeBoard::side() const {
    return m_game != nullptr ? m_game->board().side : 1;
}

QRect MoleculeBoard::boardRect() const {
    const int available = std::max(1, std::min(width(), height()) - 2 * kMargin);
    // Small boards get a whole number of pixels per cell, so that the circles stay round.
    const int extent = large() ? available : std::max(side(), available / side() * side());
    return QRect((width() - extent) / 2, (height() - extent) / 2, extent, extent);
}

QColor MoleculeBoard::stateColour(std::int32_t j) const {
    return m_game != nullptr && m_game->isA(j) ? m_colourA : m_colourP;
}

QColor MoleculeBoard::moleculeColour(std::int32_t j) const {
    if (std::find(m_flashing.begin(), m_flashing.end(), j) != m_flashing.end()) {
        return Qt::white;
    }
    return stateColour(j);
}

void MoleculeBoard::rebuildImage() {
    if (m_game == nullptr) {
        m_image = QImage();
        update();
        return;
    }
    const int s = side();
    if (large()) {
        m_image = QImage(s, s, QImage::Format_RGB32);
        const QRgb a = m_colourA.rgb();
        const QRgb p = m_colourP.rgb();
        for (int row = 0; row < s; ++row) {
            auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(row));
            for (int column = 0; column < s; ++column) {
                line[column] = m_game->isA(row * s + column + 1) ? a : p;
            }
        }
    } else {
        m_image = QImage(boardRect().size(), QImage::Format_RGB32);
        m_image.fill(kBoardBackground);
        Painter painter(*this);
        for (std::int32_t j = 1; j <= m_game->n0(); ++j) {
            painter.draw(j, stateColour(j));
        }
    }
    update();
}

MoleculeBoard::Painter::Painter(MoleculeBoard& board) : m_board(board) {
    if (!board.large()) {
        m_painter.begin(&board.m_image);
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_pitch = static_cast<double>(board.m_image.width()) / board.side();
    }
}

void MoleculeBoard::Painter::draw(std::int32_t j, const QColor& colour) {
    const BoardCell cell = moleculeCell(j, m_board.side());
    if (m_board.large()) {
        m_board.m_image.setPixel(cell.column - 1, cell.row - 1, colour.rgb());
        return;
    }
    const double radius = m_pitch / 2.3;
    const QPointF centre((cell.column - 0.5) * m_pitch, (cell.row - 0.5) * m_pitch);
    // Clear the cell first: the antialiased edge of the old circle must not show through.
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(kBoardBackground);
    m_painter.drawRect(QRectF((cell.column - 1) * m_pitch, (cell.row - 1) * m_pitch, m_pitch, m_pitch));
    m_painter.setBrush(colour);
    if (colour == Qt::white) {
        m_painter.setPen(QPen(kFrame, 0.5));
    }
    m_painter.drawEllipse(centre, radius, radius);
}

void MoleculeBoard::showChanges(const std::vector<MoleculeChange>& changes, bool flash) {
    if (m_game == nullptr || m_image.isNull()) {
        return;
    }
    finishFlash();
    Painter painter(*this);
    for (const MoleculeChange& change : changes) {
        if (flash) {
            painter.draw(change.index, Qt::white);
            m_flashing.push_back(change.index);
        } else {
            painter.draw(change.index, change.isA ? m_colourA : m_colourP);
        }
    }
    if (!changes.empty()) {
        update(boardRect());
    }
}

void MoleculeBoard::finishFlash() {
    if (m_flashing.empty()) {
        return;
    }
    {
        Painter painter(*this);
        for (std::int32_t j : m_flashing) {
            painter.draw(j, stateColour(j));
        }
    }
    m_flashing.clear();
    update(boardRect());
}

void MoleculeBoard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!large()) {
        rebuildImage();
        Painter painter(*this);
        for (std::int32_t j : m_flashing) {
            painter.draw(j, Qt::white);
        }
    }
}

void MoleculeBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const QRect board = boardRect();
    if (!m_image.isNull()) {
        // One image copy; the large boards are scaled without smoothing so that cells stay sharp.
        painter.drawImage(board, m_image);
    } else {
        painter.fillRect(board, kBoardBackground);
    }
    painter.setPen(QPen(kFrame, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(board.adjusted(-1, -1, 0, 0));
}

}  // namespace zemtral
