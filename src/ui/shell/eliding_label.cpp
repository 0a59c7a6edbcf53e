#include "ui/shell/eliding_label.h"

#include <QPainter>

namespace zemtral {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize ElidingLabel::minimumSizeHint() const {
    // Any width will do: the painted text adapts to it.
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidingLabel::paintEvent(QPaintEvent*) {
    QString whole = text();
    whole.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QRect room = contentsRect();
    const QString shown = fontMetrics().elidedText(whole, Qt::ElideRight, room.width());
    const QString tip = shown == whole ? QString() : whole;
    if (toolTip() != tip) {
        setToolTip(tip);
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
}

}  // namespace zemtral
