#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "ui/diagrams/graph2d_widgets.h"
#include "ui/diagrams/qt_chart_component.h"

// The chart's pictures: clipboard, picture files and the printed page.
namespace zemtral {

using graph2d::toQColor;

void QtChartComponent::renderTo(QPainter& painter, const QRectF& target) const {
    auto* self = const_cast<QtChartComponent*>(this);
    self->scene()->render(&painter, target, self->mapToScene(viewport()->rect()).boundingRect(),
                          Qt::KeepAspectRatio);
}

QImage QtChartComponent::renderImage() const {
    const QSize size = viewport()->size().isEmpty() ? QSize(800, 600) : viewport()->size();
    // As sharp as on the screen: a screen scaled by 2 gives a picture of twice the pixels, whose
    // logical size is the chart's.
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatioF());
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(toQColor(state().areas.chartAreaColour));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderTo(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

ChartOutput QtChartComponent::copyPictureToClipboard(PictureFormat format) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return {false, "Die Zwischenablage ist nicht verfügbar."};
    }
    auto* mime = new QMimeData;
    mime->setImageData(renderImage());
    if (format == PictureFormat::Svg) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(viewport()->size());
        svg.setViewBox(QRect(QPoint(0, 0), viewport()->size()));
        QPainter painter(&svg);
        renderTo(painter, QRectF(QPointF(0, 0), QSizeF(viewport()->size())));
        painter.end();
        mime->setData(QStringLiteral("image/svg+xml"), buffer.data());
    }
    clipboard->setMimeData(mime);
    return {};
}

ChartOutput QtChartComponent::writePicture(const std::string& path, PictureFormat format) {
    // The picture goes to a temporary file that replaces the old one only when it is complete,
    // so a failed write never leaves half a picture where a good one was.
    QSaveFile file(QString::fromStdString(path));
    const ChartOutput failed{false, "Die Datei kann nicht geschrieben werden: " + path};
    if (!file.open(QIODevice::WriteOnly)) {
        return failed;
    }
    const QSize size = viewport()->size().isEmpty() ? QSize(800, 600) : viewport()->size();
    bool written = false;
    switch (format) {
        case PictureFormat::Bitmap:
        case PictureFormat::Png: {
            const QImage image = renderImage().convertToFormat(QImage::Format_RGB32);
            written = image.save(&file, format == PictureFormat::Bitmap ? "BMP" : "PNG");
            break;
        }
        case PictureFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&file);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setTitle(QString::fromStdString(state().header));
            QPainter painter;
            if (painter.begin(&svg)) {
                renderTo(painter, QRectF(QPointF(0, 0), QSizeF(size)));
                written = painter.end();
            }
            break;
        }
        case PictureFormat::Pdf: {
            QPdfWriter pdf(&file);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageOrientation(QPageLayout::Landscape);
            pdf.setTitle(QString::fromStdString(state().header));
            QPainter painter;
            if (painter.begin(&pdf)) {
                renderTo(painter, QRectF(painter.viewport()));
                written = painter.end();
            }
            break;
        }
    }
    if (!written || !file.commit()) {
        return failed;
    }
    return {};
}

ChartOutput QtChartComponent::print(const PrintRequest& request) {
    QPrinter printer(QPrinter::HighResolution);
    if (!request.pdfFile.empty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(request.pdfFile));
    } else if (QPrinterInfo::availablePrinters().isEmpty()) {
        return {false, "Es ist kein Drucker eingerichtet."};
    }
    printer.setPageOrientation(QPageLayout::Landscape);
    return printOn(printer, request);
}

ChartOutput QtChartComponent::printOn(QPrinter& printer, const PrintRequest& request) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return {false, "Der Druck kann nicht begonnen werden."};
    }
    const QRect page = painter.viewport();
    const QSizeF source = viewport()->size().isEmpty() ? QSizeF(800, 600) : QSizeF(viewport()->size());
    const double aspect = source.height() / source.width();
    QRectF target;
    switch (request.scaling) {
        case PrintScaling::GivenWidth: {
            const double w = request.width > 0 ? request.width : page.width();
            target = QRectF(request.left, request.top, w, w * aspect);
            break;
        }
        case PrintScaling::GivenHeight: {
            const double h = request.height > 0 ? request.height : page.height();
            target = QRectF(request.left, request.top, h / aspect, h);
            break;
        }
        case PrintScaling::FullPage:
            target = QRectF(page);
            break;
    }
    renderTo(painter, target);
    painter.end();
    return {};
}

}  // namespace zemtral
