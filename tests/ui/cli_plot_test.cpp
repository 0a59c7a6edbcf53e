// zemtral-cli plot through the built program: the pictures it writes (size, format, what is
// drawn on them), its usage errors and its refusals.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "session/diagram_window_draw.h"
#include "test_paths.h"

using namespace zemtral;

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run plot(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(ZEMTRAL_BINARY_DIR "/zemtral-cli"), QStringList{"plot"} + args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("did not finish")};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString sample(const char* name) {
    return QStringLiteral(ZEMTRAL_SOURCE_DIR "/resources/samples/") + QLatin1String(name);
}

// Pixels close to a curve colour: the curves and points drawn in it (anti-aliasing blurs the edges).
int pixelsOfColour(const QImage& image, ChartColour colour) {
    const int r = static_cast<int>((colour.rgb >> 16) & 0xFF);
    const int g = static_cast<int>((colour.rgb >> 8) & 0xFF);
    const int b = static_cast<int>(colour.rgb & 0xFF);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += std::abs(c.red() - r) + std::abs(c.green() - g) + std::abs(c.blue() - b) < 60 ? 1 : 0;
        }
    }
    return count;
}

}  // namespace

class CliPlotTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

  private slots:
    void simulationPictureHasTheAskedSizeAndItsCurves() {
        const Run r = plot(
            {"simulate", "--model", "6", "--output", path("sim.png"), "--width", "640", "--height", "480"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        const QImage image(path("sim.png"));
        QCOMPARE(image.size(), QSize(640, 480));
        // A => C => P draws three curves, one per slot colour, and no fourth.
        for (int slot = 1; slot <= 3; ++slot) {
            QVERIFY2(pixelsOfColour(image, curveSlotColour(slot)) > 100, qPrintable(QString::number(slot)));
        }
        QCOMPARE(pixelsOfColour(image, curveSlotColour(4)), 0);
    }

    void halfLifeAddsTheMarkToTheSimulation() {
        const QStringList model{"--model", "2", "--k1", "0.1", "--tend", "40"};
        QCOMPARE(plot(QStringList{"simulate"} + model + QStringList{"--output", path("plain.png")}).exitCode,
                 0);
        QCOMPARE(plot(QStringList{"halflife"} + model + QStringList{"--output", path("marked.png")}).exitCode,
                 0);
        // The dashed vertical mark at ln 2/0.1 s is drawn in black over an otherwise equal picture.
        const int plain = pixelsOfColour(QImage(path("plain.png")), kChartBlack);
        const int marked = pixelsOfColour(QImage(path("marked.png")), kChartBlack);
        QVERIFY2(marked > plain + 150, qPrintable(QStringLiteral("%1 vs %2").arg(marked).arg(plain)));
    }

    void evaluationDrawsItsLineAndItsPoints() {
        const Run r =
            plot({"evaluate", "first-order", sample("zerfall_n2o5.ZD3"), "--output", path("eval.png")});
        QCOMPARE(r.exitCode, 0);
        const QImage image(path("eval.png"));
        QCOMPARE(image.size(), QSize(800, 600));
        // The line and the filled point symbols (a diagram without them has no coloured pixel).
        QVERIFY(pixelsOfColour(image, curveSlotColour(1)) > 250);
    }

    void nonIsothermalFitDrawsOneCurvePerTemperature() {
        const Run r = plot({"fit", sample("nichtisotherm_n2o5.ZD3"), "--mode", "arrhenius1", "--tend", "125",
                            "--output", path("fit.png")});
        QCOMPARE(r.exitCode, 0);
        const QImage image(path("fit.png"));
        for (int slot = 1; slot <= 3; ++slot) {
            QVERIFY2(pixelsOfColour(image, curveSlotColour(slot)) > 100, qPrintable(QString::number(slot)));
        }
    }

    void aWindowTooNarrowForTheChartIsWidenedInsteadOfHanging() {
        // Rates of 1e-30 mol/(l s): the chart cannot resolve the window and once asked for
        // billions of axis labels.
        const Run r =
            plot({"simulate", "--rates", "--model", "2", "--k1", "1e-30", "--output", path("tiny.png")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(QImage(path("tiny.png")).size(), QSize(800, 600));
    }

    void vectorFormats() {
        QCOMPARE(plot({"tangent", sample("zerfall_n2o5.ZD3"), "--species", "A", "--output", path("t.svg")})
                     .exitCode,
                 0);
        QFile svg(path("t.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QByteArray text = svg.readAll();
        QVERIFY(text.contains("<svg"));
        QVERIFY(text.contains("Konzentration c(A) vs. Zeit"));

        QCOMPARE(
            plot({"evaluate", "arrhenius", sample("arrhenius_n2o5.ZD3"), "--output", path("a.PDF")}).exitCode,
            0);
        QFile pdf(path("a.PDF"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }

    void usageErrorsAndRefusals() {
        struct Case {
            QStringList args;
            int exitCode;
            const char* err;
        };
        const QString out = path("never.png");
        const Case cases[] = {
            {{"simulate", "--model", "2"}, 2, "--output FILE.png"},
            {{"simulate", "--model", "2", "--output", path("x.jpg")}, 2, "--output FILE.png"},
            {{"simulate", "--model", "2", "--output", out, "--width", "50"}, 2, "--width"},
            {{"simulate", "--model", "2", "--output", out, "--height", "600.5"}, 2, "--height"},
            {{"reactor", "batch", "--output", out}, 2, "SOURCE"},
            {{"tangent", sample("zerfall_n2o5.ZD3"), sample("verseifung.ZD3"), "--species", "A", "--output",
              out},
             2,
             "plot tangent: a picture shows one data set"},
            {{"simulate", "--model", "2", "--k1", "0", "--output", out}, 1, " Ausführung nicht möglich "},
            {{"evaluate", "first-order", path("missing.ZD3"), "--output", out},
             1,
             "Meldung von LoadDataFile"},
            {{"simulate", "--model", "2", "--output", path("no/such/dir/x.png")},
             1,
             "Die Datei kann nicht geschrieben werden"},
        };
        for (const Case& c : cases) {
            const Run r = plot(c.args);
            QVERIFY2(r.exitCode == c.exitCode,
                     qPrintable(c.args.join(' ') + " -> " + QString::number(r.exitCode)));
            QVERIFY2(r.err.contains(QString::fromUtf8(c.err)), qPrintable(r.err));
        }
        QVERIFY(!QFile::exists(out));
        const Run help = plot({"--help"});
        QCOMPARE(help.exitCode, 0);
        QVERIFY(help.out.contains("--output FILE.png|svg|pdf"));
        QVERIFY(plot({"evaluate", "--help"}).out.contains("plot evaluate METHOD FILE [OPTIONS]"));
        QCOMPARE(plot({}).exitCode, 2);
    }
};

QTEST_MAIN(CliPlotTest)
#include "cli_plot_test.moc"
