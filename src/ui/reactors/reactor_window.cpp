#include "ui/reactors/reactor_window.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/model_catalogue.h"
#include "core/unit_captions.h"
#include "numeric/number_text.h"
#include "reactors/reactor_common.h"
#include "session/reactor_commands.h"
#include "session/session.h"
#include "ui/simulation/number_field.h"
#include "ui/simulation/ui_text.h"

namespace zemtral {
namespace {

constexpr int kFirstResultField = 5;
constexpr int kLastResultField = 9;
constexpr int kFirstQuantityField = 13;

// The wait cursor for the lifetime of the object, so that no return path leaves it on.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QLabel* boldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

ReactorWindow::ReactorWindow(Session& session, UserDialogs& dialogs, ReactorWindowLinks links,
                             CalcWindowKind kind, int fieldCount, ReactorPicture::Kind pictureKind,
                             QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_links(std::move(links)), m_kind(kind) {
    for (int i = 0; i < fieldCount; ++i) {
        auto* f = new NumberField(this);
        f->setObjectName(QStringLiteral("inp_%1").arg(i));
        f->setMinimumWidth(96);
        f->setEnterHandler([this, i] { focusNextField(i); });
        connect(f, &QLineEdit::textEdited, this, [this] {
            if (!m_loading) {
                markStale(Staleness::InputsChanged);
            }
        });
        m_inp.push_back(f);
    }
    m_picture = new ReactorPicture(pictureKind, this);
    m_modelLabel = boldLabel(QString(), this);
    m_modelLabel->setObjectName(QStringLiteral("Label7"));
    m_staleLabel = new QLabel(this);
    m_staleLabel->setObjectName(QStringLiteral("lblVeraltet"));
    m_staleLabel->setStyleSheet(QStringLiteral("color: #a03000;"));
    m_staleLabel->setWordWrap(true);
    m_staleLabel->hide();
}

QGroupBox* ReactorWindow::buildConcentrationFrame(const QString& title, const QString& inletCaption,
                                                  const QString& inletUnit, const QString& outletCaption,
                                                  const QString& outletUnit) {
    auto* frame = new QGroupBox(title, this);
    frame->setObjectName(QStringLiteral("fraKonz"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(boldLabel(inletCaption, frame), 0, 1);
    grid->addWidget(boldLabel(outletCaption, frame), 0, 3);
    grid->addWidget(new QLabel(inletUnit, frame), 1, 1);
    grid->addWidget(new QLabel(outletUnit, frame), 1, 3);
    for (int s = 0; s < 5; ++s) {
        for (int side = 0; side < 2; ++side) {
            const int index = s + 5 * side;
            auto* label = new QLabel(frame);
            label->setObjectName(QStringLiteral("lblStoff_%1").arg(index));
            label->setMinimumWidth(28);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid->addWidget(label, s + 2, 2 * side);
            grid->addWidget(field(index), s + 2, 2 * side + 1);
        }
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    return frame;
}

QGroupBox* ReactorWindow::buildRateFrame(const QString& title) {
    auto* frame = new QGroupBox(title, this);
    frame->setObjectName(QStringLiteral("fraK"));
    auto* grid = new QGridLayout(frame);
    for (int j = 1; j <= 3; ++j) {
        auto* name = new QLabel(frame);
        name->setObjectName(QStringLiteral("Bz_%1").arg(4 + j));
        name->setMinimumWidth(28);
        name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* unit = new QLabel(frame);
        unit->setObjectName(QStringLiteral("unit%1").arg(j));
        unit->setMinimumWidth(90);
        grid->addWidget(name, j - 1, 0);
        grid->addWidget(field(9 + j), j - 1, 1);
        grid->addWidget(unit, j - 1, 2);
    }
    grid->setColumnStretch(1, 1);
    return frame;
}

QGroupBox* ReactorWindow::buildOptionFrame(const QString& title, const std::vector<QString>& captions,
                                           int current) {
    auto* frame = new QGroupBox(title, this);
    frame->setObjectName(QStringLiteral("fraVorgabe"));
    auto* layout = new QVBoxLayout(frame);
    m_option = current >= 0 && current < static_cast<int>(captions.size()) ? current : 0;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(QStringLiteral("optVorgabe_%1").arg(i));
        option->setChecked(static_cast<int>(i) == m_option);
        const int index = static_cast<int>(i);
        connect(option, &QRadioButton::toggled, this, [this, index](bool on) {
            if (on && !m_loading) {
                chooseOption(index);
            }
        });
        layout->addWidget(option);
        m_options.push_back(option);
    }
    return frame;
}

QWidget* ReactorWindow::buildKsiFrame() {
    auto* frame = new QGroupBox(QStringLiteral("Reaktionsfortschritt"), this);
    frame->setObjectName(QStringLiteral("fraKsi"));
    auto* layout = new QHBoxLayout(frame);
    auto* lines = new QVBoxLayout;
    layout->addLayout(lines);
    for (int j = 0; j < 2; ++j) {
        m_ksi[j] = new QLabel(frame);
        m_ksi[j]->setObjectName(QStringLiteral("lblTextKsi_%1").arg(j + 1));
        m_ksi[j]->setToolTip(QStringLiteral(" Reaktionslaufzahl der %1. Reaktion ").arg(j + 1));
        m_ksi[j]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        lines->addWidget(m_ksi[j]);
    }
    layout->addStretch(1);
    auto* close = new QPushButton(QStringLiteral("Schließen"), frame);
    close->setObjectName(QStringLiteral("cmdCloseKsi"));
    connect(close, &QPushButton::clicked, frame, &QWidget::hide);
    layout->addWidget(close);
    frame->hide();
    m_ksiFrame = frame;
    return frame;
}

void ReactorWindow::addQuantityRow(QGridLayout* grid, int row, int index, QLabel* label, QLabel* unit) {
    grid->addWidget(label, row, 0);
    grid->addWidget(field(index), row, 1);
    if (unit != nullptr) {
        grid->addWidget(unit, row, 2);
    }
}

QWidget* ReactorWindow::buildButtonRow(const QString& calculateCaption, const QString& calculateName,
                                       const QString& protocolTip, QPushButton* extra) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* calculateButton = new QPushButton(calculateCaption, row);
    calculateButton->setObjectName(calculateName);
    calculateButton->setDefault(true);
    connect(calculateButton, &QPushButton::clicked, this, [this] { calculate(); });
    m_showKsi = new QPushButton(QStringLiteral("Zeige Reaktionsfortschritt(e)"), row);
    m_showKsi->setObjectName(QStringLiteral("cmdShowKsi"));
    m_showKsi->setEnabled(false);
    connect(m_showKsi, &QPushButton::clicked, this, [this] { showExtents(); });
    m_protocol = new QPushButton(QStringLiteral("Protokollieren"), row);
    m_protocol->setObjectName(QStringLiteral("cmdProtocol"));
    m_protocol->setToolTip(protocolTip);
    m_protocol->setEnabled(false);
    connect(m_protocol, &QPushButton::clicked, this, [this] {
        m_protocol->setEnabled(false);
        // The protocol window gives the button back when it closes, also when it was opened
        // by another window.
        m_protocol->setProperty("waitsForProtocol", true);
        if (m_links.openProtocol) {
            m_links.openProtocol();
        }
    });
    auto* close = new QPushButton(QStringLiteral("Schließen <Esc>"), row);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(calculateButton);
    layout->addWidget(m_showKsi);
    layout->addWidget(m_protocol);
    if (extra != nullptr) {
        extra->setParent(row);
        layout->addWidget(extra);
    }
    layout->addStretch(1);
    layout->addWidget(close);
    return row;
}

void ReactorWindow::assemble(QGroupBox* concentrations, QGroupBox* rates, QGroupBox* options,
                             QWidget* quantities, QWidget* buttons) {
    auto* left = new QVBoxLayout;
    left->addWidget(concentrations);
    left->addWidget(rates);
    left->addWidget(quantities);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_picture, 1);
    right->addWidget(options);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_modelLabel);
    layout->addLayout(columns, 1);
    layout->addWidget(buildKsiFrame());
    layout->addWidget(m_staleLabel);
    layout->addWidget(buttons);
}

void ReactorWindow::loadFromSession(const std::vector<std::pair<int, double>>& ownValues) {
    m_loading = true;
    applyModelConfig(buildCalcWindowConfig(m_session, m_kind, calcWindowExtras()));
    setFieldText(
        13, QString::fromStdString(formatSingle(static_cast<float>(m_session.conversionA), separator())));
    for (const auto& [index, value] : ownValues) {
        setFieldText(index, QString::fromStdString(formatSingle(static_cast<float>(value), separator())));
    }
    if (m_option < static_cast<int>(m_options.size())) {
        m_options[static_cast<std::size_t>(m_option)]->setChecked(true);
    }
    applyLocks();
    m_picture->setConversion(0.0, false);
    m_loading = false;
}

CalcWindowExtras ReactorWindow::calcWindowExtras() const {
    CalcWindowExtras extras;
    if (m_kind != CalcWindowKind::StirredTank) {
        extras.reactionTime = static_cast<float>(m_session.reactionTime);
    }
    return extras;
}

void ReactorWindow::applyModelConfig(const CalcWindowConfig& config) {
    const bool wasLoading = m_loading;
    m_loading = true;
    CalculationWindow::applyModelConfig(config);
    m_loading = wasLoading;
    m_modelLabel->setText(QString::fromStdString(
        reactorSchemeLabel(m_session.state.modelId, m_session.state.reactionOrder, separator())));
    // Constants and visible species changed: what is shown was computed for another model.
    markStale(Staleness::InputsChanged);
    fitFrame();
}

void ReactorWindow::fitFrame() {
    // Shown fields, the extents or the stale note made the window taller: it grows to show them whole.
    QWidget* frame = qobject_cast<QMdiSubWindow*>(parentWidget()) != nullptr ? parentWidget() : this;
    if (frame->isVisible() && layout() != nullptr) {
        layout()->activate();
        frame->resize(frame->size().expandedTo(frame->sizeHint()));
    }
}

bool ReactorWindow::calculate() {
    double conversion = 0.0;
    bool ok = false;
    {
        WaitCursor wait;
        ok = runCommand(conversion);
    }
    if (!ok) {
        markStale(Staleness::CalculationFailed);
        resultsLost();
        return false;
    }
    m_hasResults = true;
    m_staleness = Staleness::Current;
    updateStaleLook();
    m_picture->setStale(false);
    m_picture->setConversion(conversion, true);
    m_picture->setCaption(QStringLiteral("U(A) = ") +
                          QString::fromStdString(formatNumber(conversion, "0.000", separator())));
    m_showKsi->setEnabled(true);
    if (m_ksiFrame->isVisible()) {
        showExtents();
    }
    if (!m_everCalculated) {
        m_everCalculated = true;
        m_protocol->setEnabled(m_links.protocolAvailable && m_links.protocolAvailable());
    }
    resultsShown(conversion);
    return true;
}

void ReactorWindow::chooseOption(int index) {
    if (index < 0 || index >= static_cast<int>(m_options.size())) {
        return;
    }
    m_option = index;
    const bool wasLoading = m_loading;
    m_loading = true;
    m_options[static_cast<std::size_t>(index)]->setChecked(true);
    m_loading = wasLoading;
    optionChosen(index);
    applyLocks();
}

QString ReactorWindow::fieldText(int index) const {
    return index >= 0 && index < static_cast<int>(m_inp.size()) ? field(index)->text() : QString();
}

void ReactorWindow::setFieldText(int index, const QString& text) {
    if (index >= 0 && index < static_cast<int>(m_inp.size())) {
        field(index)->setText(text);
        field(index)->setCursorPosition(0);
    }
}

char ReactorWindow::separator() const {
    return m_session.decimalComma ? ',' : '.';
}

void ReactorWindow::applyLocks() {
    const std::vector<int> given = givenFields(m_option);
    for (int i = kFirstResultField; i < static_cast<int>(m_inp.size()); ++i) {
        if (i > kLastResultField && i < kFirstQuantityField) {
            continue;  // the rate constants are always given
        }
        const bool locked = i <= kLastResultField || std::find(given.begin(), given.end(), i) == given.end();
        NumberField* f = field(i);
        f->setReadOnly(locked);
        // Tab goes from input to input; a computed value can still be clicked and copied.
        f->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
        QPalette palette = f->palette();
        palette.setColor(QPalette::Base, locked ? QColor(236, 236, 236) : QColor(Qt::white));
        f->setPalette(palette);
    }
    updateStaleLook();
}

void ReactorWindow::markStale(Staleness why) {
    if (!m_hasResults || m_staleness == why) {
        return;
    }
    if (m_staleness == Staleness::Current) {
        resultsLost();
    }
    m_staleness = why;
    m_picture->setStale(true);
    updateStaleLook();
}

void ReactorWindow::updateStaleLook() {
    const bool stale = m_hasResults && m_staleness != Staleness::Current;
    for (int i = kFirstResultField; i < static_cast<int>(m_inp.size()); ++i) {
        NumberField* f = field(i);
        if (!f->isReadOnly()) {
            continue;
        }
        QFont font = f->font();
        font.setItalic(stale);
        f->setFont(font);
        QPalette palette = f->palette();
        palette.setColor(QPalette::Text, stale ? QColor(130, 130, 130) : QColor(Qt::black));
        f->setPalette(palette);
    }
    if (m_staleness == Staleness::CalculationFailed) {
        m_staleLabel->setText(QStringLiteral(
            "Die angezeigten Ergebnisse sind veraltet: die letzte Berechnung war nicht möglich."));
    } else {
        m_staleLabel->setText(
            QStringLiteral("Die angezeigten Ergebnisse sind veraltet: die Eingaben wurden geändert."));
    }
    m_staleLabel->setVisible(stale);
    fitFrame();
}

void ReactorWindow::showExtents() {
    const std::string text = extentsText(m_session.state.modelId, m_session.extentsOfReaction, separator());
    const auto lineEnd = text.find("\r\n");
    m_ksi[0]->setText(QString::fromStdString(text.substr(0, lineEnd)));
    const bool second = lineEnd != std::string::npos;
    m_ksi[1]->setText(second ? QString::fromStdString(text.substr(lineEnd + 2)) : QString());
    m_ksi[1]->setVisible(second);
    m_ksiFrame->show();
    fitFrame();
}

void ReactorWindow::focusNextField(int index) {
    for (int next = index + 1; next < static_cast<int>(m_inp.size()); ++next) {
        NumberField* f = field(next);
        if (!f->isHidden() && !f->isReadOnly()) {
            f->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    // After the last input Enter reaches the calculation button, so a second Enter computes.
    if (auto* button = findChild<QPushButton*>(QStringLiteral("cmdBerechnen"))) {
        button->setFocus(Qt::TabFocusReason);
    } else if (auto* start = findChild<QPushButton*>(QStringLiteral("cmdStart"))) {
        start->setFocus(Qt::TabFocusReason);
    }
}

void ReactorWindow::activate() {
    m_modelLabel->setText(QString::fromStdString(
        reactorSchemeLabel(m_session.state.modelId, m_session.state.reactionOrder, separator())));
    applyUnitCaptions(UpdateUnitCaptions(m_session.state.modelId, m_session.state.timeUnit));
}

void ReactorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ReactorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Inside the main window the sub-window, not this widget, becomes active.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()); sub != nullptr && !m_watchingSubWindow) {
        m_watchingSubWindow = true;
        connect(sub, &QMdiSubWindow::aboutToActivate, this, [this] { activate(); });
    }
    activate();
}

void ReactorWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        activate();
    }
}

}  // namespace zemtral
