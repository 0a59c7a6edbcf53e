#include "cli/plot/plot_command.h"

#include <QApplication>
#include <QLocale>
#include <cmath>
#include <cstdio>
#include <optional>
#include <ostream>
#include <string_view>

#include "cli/cli_dialogs.h"
#include "cli/commands.h"
#include "cli/diagram_drawing.h"
#include "cli/diagram_sources.h"
#include "data/quoted_field.h"
#include "ui/diagrams/qt_chart_component.h"

namespace zemtral::cli {
namespace {

constexpr const char* kPlotHelp =
    "Usage: zemtral-cli plot SOURCE [SOURCE'S ARGUMENTS] --output FILE.png|svg|pdf\n"
    "         [--width W] [--height H]   (zemtral-cli plot SOURCE --help for all its options)\n\n"
    "Draws the diagram that the diagram window would show and writes it as a picture, without a\n"
    "screen. SOURCE and its arguments are those of the subcommand (see 'zemtral-cli SOURCE --help'):\n"
    "  simulate ...          the concentration-time (or with --rates rate-time) curves of a model\n"
    "  halflife ...          the concentration-time curves with the half-life marks of A and B\n"
    "  evaluate METHOD FILE  the measured points of the evaluation and their straight line\n"
    "  fit FILE ...          the measured points and the curves of the fitted model (Auto-Fitting)\n"
    "  tangent FILE --species S [--smoothing q]   the measured points of S and their spline\n"
    "--width and --height give the picture in pixels (default 800 x 600, 200 to 8000); a PDF is\n"
    "an A4 landscape page.\n";

constexpr const char* kPlotSourceHelp =
    "Draws the diagram of SOURCE (see 'zemtral-cli SOURCE --help' for what its options mean) and\n"
    "writes it as a picture; a PDF is an A4 landscape page.\n";

constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
constexpr int kMinimumSize = 200;
constexpr int kMaximumSize = 8000;

struct Source {
    std::string_view name;
    OptionSpec (*grammar)();
};

constexpr Source kSources[] = {
    {"simulate", simulateGrammar}, {"halflife", halfLifeGrammar}, {"evaluate", evaluateGrammar},
    {"fit", fitGrammar},           {"tangent", tangentGrammar},
};

// The stderr dialogs that also remember whether a message reported a failure.
class PlotDialogs : public StderrDialogs {
  public:
    using StderrDialogs::StderrDialogs;
    void showMessage(const std::string& title, const std::string& text, MessageIcon icon) override {
        m_failed = m_failed || icon == MessageIcon::Critical;
        StderrDialogs::showMessage(title, text, icon);
    }
    bool failed() const { return m_failed; }

  private:
    bool m_failed = false;
};

std::optional<PictureFormat> pictureFormatOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return std::nullopt;
    }
    const QString ext = QString::fromStdString(path.substr(dot + 1)).toLower();
    if (ext == QLatin1String("png")) {
        return PictureFormat::Png;
    }
    if (ext == QLatin1String("svg")) {
        return PictureFormat::Svg;
    }
    if (ext == QLatin1String("pdf")) {
        return PictureFormat::Pdf;
    }
    return std::nullopt;
}

// A pixel size option: nothing (and a message) unless it is a whole number in range.
std::optional<int> sizeOption(const ParsedArgs& args, const std::string& name, int fallback,
                              std::string& error) {
    const auto value = numberOption(args, name, error);
    if (!value) {
        return error.empty() ? std::optional<int>(fallback) : std::nullopt;
    }
    if (!(*value >= kMinimumSize && *value <= kMaximumSize) || *value != std::trunc(*value)) {
        error = "--" + name + ": a whole number of pixels from 200 to 8000";
        return std::nullopt;
    }
    return static_cast<int>(*value);
}

// Qt's notes about the offscreen platform (no runtime folder, no window hints) are not the
// user's business; only its errors reach stderr.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
}

// The widgets need an application object; a picture never needs a screen.
void makeApplication(std::optional<QApplication>& app) {
    if (QApplication::instance() == nullptr) {
        qInstallMessageHandler(qtMessages);
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "zemtral-cli";
        static char* argv[] = {name, nullptr};
        app.emplace(argc, argv);
    }
}

int prepare(std::string_view name, const ParsedArgs& args, Session& session, UserDialogs& dialogs,
            std::ostream& err, DiagramSource& source) {
    if (name == "simulate" || name == "halflife") {
        source.route = name == "simulate" ? DiagramRoute::Simulation : DiagramRoute::HalfLives;
        return prepareSimulation(args, SimulationCommand::Draw, session, err, std::string(name));
    }
    if (name == "evaluate") {
        return prepareEvaluation(args, session, dialogs, err, source);
    }
    if (name == "fit") {
        return prepareFit(args, session, dialogs, err, source);
    }
    return prepareTangentDiagram(args, session, dialogs, err, source);
}

}  // namespace

int runPlot(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    if (words.empty() || words[0] == "--help" || words[0] == "-h") {
        (words.empty() ? err : out) << kPlotHelp;
        return words.empty() ? kExitUsage : kExitOk;
    }
    const Source* source = nullptr;
    for (const Source& s : kSources) {
        if (words[0] == s.name) {
            source = &s;
        }
    }
    if (source == nullptr) {
        return usageError(
            err, "plot",
            "SOURCE: one of simulate, halflife, evaluate, fit, tangent (not " + quotedField(words[0]) + ")");
    }
    OptionSpec grammar = source->grammar();
    // A picture shows one data set, where the source itself takes several files.
    std::string synopsis = grammar.synopsis;
    if (const std::size_t files = synopsis.find("FILE..."); files != std::string::npos) {
        synopsis.replace(files, 7, "FILE");
    }
    grammar.synopsis = std::string(source->name) + " " + synopsis;
    grammar.value("output", "FILE.png|svg|pdf", "the picture file (required)")
        .value("width", "W", "width in pixels, 200 to 8000 (default 800)")
        .value("height", "H", "height in pixels, 200 to 8000 (default 600)");
    const CommandArgs parsed = parseCommandArgs(std::vector<std::string>(words.begin() + 1, words.end()),
                                                grammar, "plot", kPlotSourceHelp, out, err);
    if (!parsed.args) {
        return parsed.exitCode;
    }
    const auto& args = parsed.args;
    std::string error;
    const std::string output = args->value("output").value_or("");
    const auto format = pictureFormatOf(output);
    if (!format) {
        return usageError(err, "plot", "--output FILE.png, FILE.svg or FILE.pdf is required");
    }
    const auto width = sizeOption(*args, "width", kDefaultWidth, error);
    const auto height = width ? sizeOption(*args, "height", kDefaultHeight, error) : std::nullopt;
    if (!width || !height) {
        return usageError(err, "plot", error);
    }

    Session session;
    PlotDialogs dialogs(err);
    DiagramSource prepared;
    if (const int code = prepare(source->name, *args, session, dialogs, err, prepared); code != kExitOk) {
        return code;
    }
    // The texts the diagram writes itself take the decimal separator of the user's locale.
    const char separator = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
    OffscreenDiagram diagram(session, dialogs, separator);
    if (const int code = drawSourceDiagram(session, prepared, diagram, dialogs); code != kExitOk) {
        return code;
    }
    if (!diagram.isLoaded() || dialogs.failed()) {
        return kExitRefused;
    }
    // The chart model drawn by a chart view of its own at the asked size, never shown.
    std::optional<QApplication> app;
    makeApplication(app);
    QtChartComponent picture;
    picture.setState(diagram.chart().state());
    picture.resize(*width, *height);
    picture.setAttribute(Qt::WA_DontShowOnScreen);
    picture.show();
    QApplication::processEvents();
    const ChartOutput written = picture.model().writePicture(output, *format);
    if (!written.ok) {
        err << written.errorText << "\n";
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace zemtral::cli
