#pragma once
// The drawing pieces of the chart renderer: its free texts, literal rich texts, fonts, line
// patterns and point symbols, from the chart model's values to Qt's.
#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsItem>
#include <QImage>
#include <QPainter>
#include <QString>
#include <string>

#include "diagrams/chart_component.h"

namespace zemtral {

/// A chart text: curve labels, additional texts, the y-axis title written horizontally.
class ChartTextItem : public QGraphicsItem {
  public:
    explicit ChartTextItem(QGraphicsItem* parent = nullptr) : QGraphicsItem(parent) { setZValue(20); }

    void setContent(const QString& text, const QFont& font, QColor foreground, QColor background,
                    bool framed) {
        prepareGeometryChange();
        m_text = text;
        m_font = font;
        m_foreground = foreground;
        m_background = background;
        m_framed = framed;
        update();
    }
    QRectF boundingRect() const override {
        const QFontMetricsF metrics(m_font);
        const QRectF text =
            metrics.boundingRect(QRectF(0, 0, 4000, 4000), Qt::AlignLeft | Qt::AlignTop, m_text);
        return text.adjusted(-3, -2, 3, 2);
    }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const QRectF box = boundingRect();
        if (m_framed) {
            painter->setPen(QPen(m_foreground, 1));
            painter->setBrush(m_background);
            painter->drawRect(box);
        }
        painter->setPen(m_foreground);
        painter->setFont(m_font);
        painter->drawText(box.adjusted(3, 2, -3, -2), Qt::AlignLeft | Qt::AlignTop, m_text);
    }

  private:
    QString m_text;
    QFont m_font;
    QColor m_foreground = Qt::black;
    QColor m_background = Qt::white;
    bool m_framed = false;
};

namespace graph2d {

/// The text shown as typed: rich-text characters escaped, blanks kept, line breaks as breaks.
QString literalChartText(const std::string& text);

QFont toQFont(const ChartFont& f);

Qt::PenStyle penStyle(LinePattern pattern);

/// The marker picture of a symbol shape, drawn once per style change.
QImage symbolImage(SymbolShape shape, int size, QColor colour);

}  // namespace graph2d
}  // namespace zemtral
