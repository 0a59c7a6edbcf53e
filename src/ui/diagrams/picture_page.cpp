#include "ui/diagrams/picture_page.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "numeric/number_text.h"
#include "session/data_commands.h"
#include "session/diagram_document.h"
#include "session/picture_output.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/diagrams/graph2d_widgets.h"
#include "ui/diagrams/qt_chart_component.h"

namespace zemtral {

PicturePage::PicturePage(Session& session, UserDialogs& dialogs, QtChartComponent& chart, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_view(chart), m_chart(chart.model()) {
    setObjectName("pagePicture");
    // Qt's print dialog offers the printers and printing into a PDF file (in German with the
    // translations loaded at start).
    choosePrinter = [this](QPrinter& printer) {
        // On the heap: when the window is closed while the dialog is open, the dialog goes with
        // it and exec() returns, instead of a stack object being deleted twice.
        QPointer<QPrintDialog> dialog = new QPrintDialog(&printer, this);
        dialog->setOption(QAbstractPrintDialog::PrintToFile, true);
        const bool accepted = dialog->exec() == QDialog::Accepted;
        if (dialog.isNull()) {
            return false;
        }
        delete dialog;
        return accepted;
    };
    auto* v = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Bild drucken/speichern"), this);
    frame->setObjectName("fraPrint");
    auto* g = new QGridLayout(frame);
    m_modeLabel = new QLabel(QStringLiteral("zur Zwischenablage"), frame);
    m_modeLabel->setObjectName("lblPrintMode");
    g->addWidget(m_modeLabel, 0, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Grafik-Format"), frame), 1, 0);
    m_format = new QComboBox(frame);
    m_format->setObjectName("cmbGraphFormat");
    m_format->addItem(QStringLiteral("Bitmap (.BMP)"), static_cast<int>(PictureFormat::Bitmap));
    m_format->addItem(QStringLiteral("PNG-Bild (.PNG)"), static_cast<int>(PictureFormat::Png));
    m_format->addItem(QStringLiteral("Vektorgrafik (.SVG)"), static_cast<int>(PictureFormat::Svg));
    m_format->addItem(QStringLiteral("PDF-Dokument (.PDF)"), static_cast<int>(PictureFormat::Pdf));
    m_format->setCurrentIndex(1);
    g->addWidget(m_format, 1, 1);
    const std::array<const char*, 4> texts{"Rand links  =", "Rand oben =", "Breite =", "Höhe  ="};
    const std::array<const char*, 4> defaults{"2", "2", "16", "12"};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int row = 2 + static_cast<int>(i);
        g->addWidget(new QLabel(QString::fromUtf8(texts[i]), frame), row, 0);
        auto* edit = graph2d::field(QStringLiteral("txtPrint_%1").arg(i), frame, 50);
        edit->setText(QString::fromUtf8(defaults[i]));
        m_printFields[i] = edit;
        auto* line = new QHBoxLayout;
        line->addWidget(edit);
        line->addWidget(new QLabel(QStringLiteral("cm"), frame));
        line->addStretch(1);
        g->addLayout(line, row, 1);
    }
    m_scaling = new QButtonGroup(frame);
    const std::array<std::pair<const char*, PrintScaling>, 3> scalings{
        {{"Vorgabe Breite", PrintScaling::GivenWidth},
         {"Vorgabe Höhe", PrintScaling::GivenHeight},
         {"A4-Format voll", PrintScaling::FullPage}}};
    for (std::size_t i = 0; i < scalings.size(); ++i) {
        auto* button = graph2d::radio(QString::fromUtf8(scalings[i].first), QStringLiteral("optSM_%1").arg(i),
                                      m_scaling, static_cast<int>(scalings[i].second), frame);
        g->addWidget(button, 6 + static_cast<int>(i), 0, 1, 2);
    }
    m_scaling->button(static_cast<int>(PrintScaling::GivenWidth))->setChecked(true);
    auto* runButton = new QPushButton(QStringLiteral("Ausführen"), frame);
    runButton->setObjectName("cmdPrint");
    g->addWidget(runButton, 9, 0, 1, 2);
    v->addWidget(frame);
    v->addStretch(1);
    connect(runButton, &QPushButton::clicked, this, &PicturePage::run);
}

void PicturePage::setMode(int mode) {
    m_mode = mode;
    const std::array<const char*, 3> captions{"zur Zwischenablage", "als Bildfile", "zum Drucker"};
    m_modeLabel->setText(QString::fromUtf8(captions[static_cast<std::size_t>(mode)]));
}

void PicturePage::run() {
    const auto format = static_cast<PictureFormat>(m_format->currentData().toInt());
    ChartOutput out;
    if (m_mode == 0) {
        out = m_chart.copyPictureToClipboard(format);
    } else if (m_mode == 1) {
        const PictureFileType type = pictureFileType(format);
        const auto chosen = m_dialogs.chooseSaveFile(
            "Speichere Bild-File", startFolder(m_session.diagramWindow.lastPictureDir, m_session), "",
            type.filter);
        if (!chosen || chosen->empty()) {
            return;
        }
        const std::string path = withDefaultExtension(*chosen, type.extension);
        m_session.diagramWindow.lastPictureDir = directoryOf(path);
        out = m_chart.writePicture(path, format);
    } else {
        if (m_chart.areas().plotAreaColour == kChartBlack &&
            m_dialogs.askYesNo("Drucken", blackSheetQuestion(), MessageIcon::Question) != Answer::Yes) {
            return;
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageOrientation(QPageLayout::Landscape);
        printer.setDocName(QStringLiteral("2D-Diagramm"));
        // The dialog runs its own event loop, in which this window may be closed.
        const QPointer<PicturePage> alive(this);
        const auto choose = choosePrinter;
        if (!choose || !choose(printer) || alive.isNull()) {
            return;
        }
        std::array<double, 4> centimetres{};
        for (std::size_t i = 0; i < centimetres.size(); ++i) {
            centimetres[i] = parseNumber(m_printFields[i]->text().toStdString());
        }
        const PrintRequest request = printRequestFromCentimetres(
            centimetres, printer.resolution(), static_cast<PrintScaling>(m_scaling->checkedId()));
        out = m_view.printOn(printer, request);
    }
    if (!out.ok) {
        m_dialogs.showMessage("Meldung von cmdPrint", out.errorText, MessageIcon::Critical);
    }
}

}  // namespace zemtral
