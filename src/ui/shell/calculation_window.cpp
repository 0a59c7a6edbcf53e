#include "ui/shell/calculation_window.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

namespace zemtral {
namespace {

template <typename T>
T* child(QWidget& w, const QString& name) {
    return w.findChild<T*>(name);
}

void setVisible(QWidget& w, const QString& name, bool visible) {
    if (QWidget* c = child<QWidget>(w, name)) {
        c->setVisible(visible);
    }
}

void setText(QWidget& w, const QString& name, const std::string& text) {
    const QString t = QString::fromStdString(text);
    if (auto* label = child<QLabel>(w, name)) {
        label->setText(t);
    } else if (auto* edit = child<QLineEdit>(w, name)) {
        edit->setText(t);
    } else if (auto* button = child<QAbstractButton>(w, name)) {
        button->setText(t);
    }
}

QString indexed(const char* base, int i) {
    return QStringLiteral("%1_%2").arg(QLatin1String(base)).arg(i);
}

}  // namespace

void CalculationWindow::applyModelConfig(const CalcWindowConfig& config) {
    if (QWidget* w = calcWidget()) {
        applyCalcWindowConfig(*w, config);
        applyUnitCaptionsTo(*w, config.units, calcWindowKind());
    }
}

void CalculationWindow::applyUnitCaptions(const UnitCaptions& units) {
    if (QWidget* w = calcWidget()) {
        applyUnitCaptionsTo(*w, units, calcWindowKind());
    }
}

void applyCalcWindowConfig(QWidget& w, const CalcWindowConfig& config) {
    setVisible(w, QStringLiteral("lblMichaelisK"), config.michaelisVisible);
    setVisible(w, QStringLiteral("fraMichaelis"), config.michaelisVisible);
    for (int i = 0; i < 10; ++i) {
        const bool shown = config.speciesVisible[static_cast<std::size_t>(i)];
        setVisible(w, indexed("inp", i), shown);
        setVisible(w, indexed("lblStoff", i), shown);
        setText(w, indexed("lblStoff", i), config.speciesCaption[static_cast<std::size_t>(i)]);
    }
    if (config.reactor) {
        if (QWidget* c = child<QWidget>(w, QStringLiteral("cmdShowKsi"))) {
            c->setEnabled(false);
        }
        setVisible(w, QStringLiteral("fraKsi"), false);
        for (const char* name : {"lblTextKsi_1", "lblTextKsi_2"}) {
            if (QWidget* c = child<QWidget>(w, QLatin1String(name))) {
                QString tip = c->toolTip();
                const QString prefix = QStringLiteral("... beide nach rechts => ");
                if (!config.singleReaction && !tip.startsWith(prefix)) {
                    c->setToolTip(prefix + tip);
                }
            }
        }
    }
    setText(w, QStringLiteral("Label7"), config.modelLabel);
    setVisible(w, QStringLiteral("inp_11"), config.k2Visible);
    setVisible(w, QStringLiteral("Bz_6"), config.k2Visible);
    setVisible(w, QStringLiteral("unit2"), config.k2Visible);
    setVisible(w, QStringLiteral("inp_12"), config.k3Visible);
    setVisible(w, QStringLiteral("Bz_7"), config.k3Visible);
    setVisible(w, QStringLiteral("unit3"), config.k3Visible);
    for (int j = 0; j < 3; ++j) {
        setText(w, indexed("Bz", 5 + j), config.rateCaption[static_cast<std::size_t>(j)]);
    }
    for (int i = 0; i < 15; ++i) {
        if (const auto& text = config.inputText[static_cast<std::size_t>(i)]) {
            setText(w, indexed("inp", i), *text);
        }
    }
    for (int s = 1; s <= 5; ++s) {
        if (QWidget* box = child<QWidget>(w, indexed("chkConcFQS", s))) {
            box->setVisible(config.speciesMask[static_cast<std::size_t>(s - 1)] == '1');
        }
    }
}

void applyUnitCaptionsTo(QWidget& w, const UnitCaptions& units, CalcWindowKind kind) {
    setText(w, QStringLiteral("lblZeiteinheit"), units.timeUnit);
    setText(w, QStringLiteral("unit1"), units.unit1);
    setText(w, QStringLiteral("unit2"), units.unit2);
    setText(w, QStringLiteral("unit3"), units.unit3);
    if (kind == CalcWindowKind::StirredTank) {
        setText(w, QStringLiteral("lblFlow"), units.flowLabel);
    }
    if (kind == CalcWindowKind::SimulationSetUp) {
        setText(w, QStringLiteral("lblZeit"), units.timeCaption);
    } else if (kind == CalcWindowKind::Fitting) {
        setText(w, QStringLiteral("lblZeit"), units.fittingTimeCaption);
    }
}

}  // namespace zemtral
