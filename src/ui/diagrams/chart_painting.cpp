#include "ui/diagrams/chart_painting.h"

#include <QPainterPath>
#include <QStringList>
#include <algorithm>

namespace zemtral::graph2d {

// Qt Charts lays out its title, axis titles and legend entries as rich text, so "A <=> P" or
// "k>/k<" would lose their angle brackets as tags. Every text the program hands over is escaped and
// so shown literally; blanks stay as typed and line breaks stay line breaks.
QString literalChartText(const std::string& text) {
    QStringList lines = QString::fromStdString(text).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        line = line.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    }
    return lines.join(QStringLiteral("<br>"));
}

QFont toQFont(const ChartFont& f) {
    QFont font(QString::fromStdString(f.family));
    font.setPointSizeF(f.pointSize > 0 ? f.pointSize : 8.0);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

Qt::PenStyle penStyle(LinePattern pattern) {
    switch (pattern) {
        case LinePattern::None:
            return Qt::NoPen;
        case LinePattern::Solid:
            return Qt::SolidLine;
        case LinePattern::Dashed:
            return Qt::DashLine;
        case LinePattern::Dotted:
            return Qt::DotLine;
        case LinePattern::DashDot:
            return Qt::DashDotLine;
    }
    return Qt::SolidLine;
}

QImage symbolImage(SymbolShape shape, int size, QColor colour) {
    const int s = std::max(3, size);
    QImage image(s, s, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, s - 1.0, s - 1.0);
    const QPointF c = r.center();
    p.setPen(QPen(colour, std::max(1.0, s / 7.0)));
    p.setBrush(Qt::NoBrush);
    switch (shape) {
        case SymbolShape::None:
            break;
        case SymbolShape::FilledCircle:
            p.setBrush(colour);
            p.drawEllipse(r);
            break;
        case SymbolShape::Circle:
            p.drawEllipse(r.adjusted(0.5, 0.5, -0.5, -0.5));
            break;
        case SymbolShape::FilledSquare:
            p.setBrush(colour);
            p.drawRect(r);
            break;
        case SymbolShape::Square:
            p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
            break;
        case SymbolShape::Triangle: {
            QPainterPath path;
            path.moveTo(c.x(), r.top());
            path.lineTo(r.right(), r.bottom());
            path.lineTo(r.left(), r.bottom());
            path.closeSubpath();
            p.drawPath(path);
            break;
        }
        case SymbolShape::Diamond: {
            QPainterPath path;
            path.moveTo(c.x(), r.top());
            path.lineTo(r.right(), c.y());
            path.lineTo(c.x(), r.bottom());
            path.lineTo(r.left(), c.y());
            path.closeSubpath();
            p.setBrush(colour);
            p.drawPath(path);
            break;
        }
        case SymbolShape::Star:
            p.drawLine(QPointF(c.x(), r.top()), QPointF(c.x(), r.bottom()));
            p.drawLine(r.topLeft(), r.bottomRight());
            p.drawLine(r.bottomLeft(), r.topRight());
            p.drawLine(QPointF(r.left(), c.y()), QPointF(r.right(), c.y()));
            break;
        case SymbolShape::Cross:
            p.drawLine(r.topLeft(), r.bottomRight());
            p.drawLine(r.bottomLeft(), r.topRight());
            break;
        case SymbolShape::VerticalLine:
            p.drawLine(QPointF(c.x(), r.top()), QPointF(c.x(), r.bottom()));
            break;
        case SymbolShape::HorizontalLine:
            p.drawLine(QPointF(r.left(), c.y()), QPointF(r.right(), c.y()));
            break;
    }
    return image;
}

}  // namespace zemtral::graph2d
