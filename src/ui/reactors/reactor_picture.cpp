#include "ui/reactors/reactor_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "reactors/reactor_common.h"

namespace zemtral {
namespace {

// The drawings are made in a fixed logical frame and scaled to the widget.
constexpr QSizeF kVesselFrame(240.0, 240.0);
constexpr QSizeF kTubeFrame(360.0, 130.0);
constexpr double kCaptionHeight = 22.0;  // [px] below the drawing

const QColor kOutline(40, 40, 40);
const QColor kMetal(150, 155, 160);
const QColor kStirrer(255, 255, 0);
const QColor kStaleHatch(90, 90, 90, 150);

// The vessel: a cylinder with a dished bottom.
QPainterPath vesselPath() {
    QPainterPath path;
    path.moveTo(50, 50);
    path.lineTo(50, 180);
    path.arcTo(QRectF(50, 150, 140, 60), 180, 180);
    path.lineTo(190, 50);
    return path;
}

QPainterPath arrow(QPointF tip, double length, double width) {
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(tip.x() - width, tip.y() - width / 2);
    path.lineTo(tip.x() - width, tip.y() - width / 4);
    path.lineTo(tip.x() - length, tip.y() - width / 4);
    path.lineTo(tip.x() - length, tip.y() + width / 4);
    path.lineTo(tip.x() - width, tip.y() + width / 4);
    path.lineTo(tip.x() - width, tip.y() + width / 2);
    path.closeSubpath();
    return path;
}

}  // namespace

QColor conversionQColor(double conversion) {
    const FillColour c = conversionColour(conversion);
    return QColor(c.red, c.green, c.blue);
}

ReactorPicture::ReactorPicture(Kind kind, QWidget* parent) : QWidget(parent), m_kind(kind) {
    setObjectName(QStringLiteral("picReaktor"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ReactorPicture::setConversion(double conversion, bool computed) {
    m_conversion = conversion;
    m_computed = computed;
    if (!computed) {
        m_profile.clear();
    }
    update();
}

void ReactorPicture::setProfile(std::vector<double> profile) {
    m_profile = std::move(profile);
    update();
}

void ReactorPicture::setStirrerPhase(double phase) {
    m_phase = phase;
    update();
}

void ReactorPicture::setStale(bool stale) {
    if (m_stale != stale) {
        m_stale = stale;
        update();
    }
}

void ReactorPicture::setCaption(const QString& caption) {
    m_caption = caption;
    update();
}

QColor ReactorPicture::fillColour() const {
    return conversionQColor(m_conversion);
}

QSize ReactorPicture::sizeHint() const {
    return m_kind == Kind::Tube ? QSize(380, 170) : QSize(230, 250);
}

QSize ReactorPicture::minimumSizeHint() const {
    return m_kind == Kind::Tube ? QSize(240, 110) : QSize(150, 170);
}

void ReactorPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF frame = m_kind == Kind::Tube ? kTubeFrame : kVesselFrame;
    const QRectF area(0, 0, width(), std::max(1.0, height() - kCaptionHeight));
    const double scale = std::min(area.width() / frame.width(), area.height() / frame.height());
    painter.save();
    painter.translate((area.width() - frame.width() * scale) / 2,
                      (area.height() - frame.height() * scale) / 2);
    painter.scale(scale, scale);
    if (m_kind == Kind::Tube) {
        paintTube(painter);
    } else {
        paintVessel(painter, m_kind == Kind::Tank);
    }
    painter.restore();
    if (!m_caption.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRectF(0, height() - kCaptionHeight, width(), kCaptionHeight), Qt::AlignCenter,
                         m_caption);
    }
}

void ReactorPicture::paintVessel(QPainter& p, bool tank) const {
    const QPainterPath vessel = vesselPath();
    QPainterPath inside = vessel;
    inside.closeSubpath();
    QPainterPath belowSurface;
    belowSurface.addRect(QRectF(40, 82, 160, 140));
    const QPainterPath liquid = inside.intersected(belowSurface);

    // Pipes of the stirred tank: inlet of fresh feed (U = 0), outlet of the tank's content.
    if (tank) {
        p.setPen(QPen(kOutline, 1.2));
        p.setBrush(conversionQColor(0.0));
        p.drawRect(QRectF(6, 94, 44, 10));
        p.setBrush(fillColour());
        p.drawRect(QRectF(190, 166, 44, 10));
        p.setBrush(kOutline);
        p.drawPath(arrow(QPointF(44, 84), 30, 8));
        p.drawPath(arrow(QPointF(236, 156), 30, 8));
    }

    p.setPen(Qt::NoPen);
    p.setBrush(fillColour());
    p.drawPath(liquid);
    if (m_stale) {
        p.setBrush(QBrush(kStaleHatch, Qt::BDiagPattern));
        p.drawPath(liquid);
    }
    p.setPen(QPen(kOutline, 0.8, Qt::DashLine));
    p.drawLine(QPointF(52, 82), QPointF(188, 82));

    // Baffles, the vessel wall and the lid.
    p.setPen(Qt::NoPen);
    p.setBrush(kMetal.lighter(130));
    p.drawRect(QRectF(55, 90, 4, 85));
    p.drawRect(QRectF(181, 90, 4, 85));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 3));
    p.drawPath(vessel);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kMetal);
    p.drawRect(QRectF(42, 44, 156, 7));

    // Motor and shaft.
    QLinearGradient motor(QPointF(104, 0), QPointF(136, 0));
    motor.setColorAt(0, kMetal.darker(130));
    motor.setColorAt(0.5, kMetal.lighter(140));
    motor.setColorAt(1, kMetal.darker(130));
    p.setBrush(motor);
    p.drawRoundedRect(QRectF(104, 6, 32, 24), 3, 3);
    p.setBrush(kMetal);
    p.drawRect(QRectF(113, 30, 14, 14));
    p.setPen(QPen(kOutline, 3));
    p.drawLine(QPointF(120, 44), QPointF(120, 186));

    // The stirrer: two paddles seen from the side; their width alternates while the tank runs.
    const double reach = 40.0 * std::clamp(tank ? m_phase / 0.6 : 1.0, 0.1, 1.0);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kStirrer);
    p.drawEllipse(QRectF(114 - reach, 181, reach, 10));
    p.drawEllipse(QRectF(126, 181, reach, 10));
    p.setBrush(kMetal.darker(120));
    p.drawEllipse(QRectF(114, 180, 12, 12));
}

void ReactorPicture::paintTube(QPainter& p) const {
    const QRectF body(50, 40, 260, 50);
    if (m_computed) {
        QRectF fill = body;
        QBrush brush(fillColour());
        if (m_profile.size() >= 2) {
            // The conversion grows along the tube as in the batch vessel over the residence time.
            QLinearGradient gradient(body.topLeft(), body.topRight());
            const double last = static_cast<double>(m_profile.size() - 1);
            for (std::size_t i = 0; i < m_profile.size(); ++i) {
                gradient.setColorAt(static_cast<double>(i) / last, conversionQColor(m_profile[i]));
            }
            brush = QBrush(gradient);
        } else {
            fill.setLeft(body.center().x());
        }
        p.setPen(Qt::NoPen);
        p.setBrush(brush);
        p.drawRect(fill);
        if (m_stale) {
            p.setBrush(QBrush(kStaleHatch, Qt::BDiagPattern));
            p.drawRect(fill);
        }
    }
    p.setPen(QPen(kOutline, 2.5));
    p.drawLine(body.topLeft(), body.topRight());
    p.drawLine(body.bottomLeft(), body.bottomRight());
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 1.5));
    p.drawEllipse(QRectF(body.left() - 9, body.top(), 18, body.height()));
    p.drawEllipse(QRectF(body.right() - 9, body.top(), 18, body.height()));

    p.setPen(QPen(kOutline, 1));
    p.setBrush(kStirrer);
    p.drawPath(arrow(QPointF(36, body.center().y()), 32, 18));
    p.drawPath(arrow(QPointF(354, body.center().y()), 32, 18));

    QFont font = p.font();
    font.setPointSizeF(9);
    p.setFont(font);
    p.setPen(kOutline);
    p.drawText(QRectF(0, body.bottom() + 8, 110, 20), Qt::AlignCenter, QStringLiteral("Eingang"));
    p.drawText(QRectF(250, body.bottom() + 8, 110, 20), Qt::AlignCenter, QStringLiteral("Ausgang"));
    p.setPen(QPen(kOutline, 0.8));
    const double y = body.bottom() + 34;
    p.drawLine(QPointF(body.left(), y), QPointF(body.right(), y));
    p.drawLine(QPointF(body.left(), y - 4), QPointF(body.left(), y + 4));
    p.drawLine(QPointF(body.right(), y - 4), QPointF(body.right(), y + 4));
    p.drawText(QRectF(body.center().x() - 30, y - 16, 60, 14), Qt::AlignCenter, QStringLiteral("l"));
}

}  // namespace zemtral
