#include "ui/evaluation/frm_graph_calc.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/model_catalogue.h"
#include "numeric/number_text.h"
#include "session/session.h"
#include "session/single_point_calculator.h"
#include "ui/evaluation/calculator_buttons.h"
#include "ui/simulation/number_field.h"

namespace zemtral {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

frmGraphCalc::frmGraphCalc(Session& session, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs) {
    setObjectName("frmGraphCalc");
    setWindowTitle(QStringLiteral("  Einzelpunkt-Rechner"));

    auto* grid = new QGridLayout;
    m_timeUnit = new QLabel(this);
    m_timeUnit->setObjectName("lblZeiteinheit");
    m_time = new NumberField(this);
    m_time->setObjectName("txtX");
    m_time->setMinimumWidth(120);
    m_time->setEnterHandler([this] { calculate(); });
    grid->addWidget(m_timeUnit, 0, 0);
    grid->addWidget(m_time, 0, 1);
    for (int d = 1; d <= 5; ++d) {
        auto* caption = new QLabel(this);
        caption->setObjectName(QStringLiteral("lblSpecies_%1").arg(d));
        auto* result = new QLabel(this);
        result->setObjectName(QStringLiteral("lblResult_%1").arg(d));
        result->setFrameShape(QFrame::Panel);
        result->setFrameShadow(QFrame::Sunken);
        result->setMinimumWidth(120);
        result->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_caption[static_cast<std::size_t>(d)] = caption;
        m_result[static_cast<std::size_t>(d)] = result;
        grid->addWidget(caption, d, 0);
        grid->addWidget(result, d, 1);
        auto* unit = new QLabel(QStringLiteral("mol/l"), this);
        m_unit[static_cast<std::size_t>(d)] = unit;
        grid->addWidget(unit, d, 2);
    }
    grid->setColumnStretch(1, 1);

    auto* buttons = calculatorButtons(this, QStringLiteral("Schließen"), [this] { calculate(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    refreshLabels();
}

void frmGraphCalc::refreshLabels() {
    m_timeUnit->setText(QStringLiteral("t / ") + q(m_session.state.timeUnit) + QStringLiteral(" ="));
    const auto captions = singlePointCaptions(m_session.state.modelId);
    // The values come from the last run of the session's model: its species are the ones shown.
    const auto visible =
        singlePointVisible(modelSpeciesMask(m_session.state.modelId, m_session.state.fittingMode));
    for (std::size_t d = 1; d <= 5; ++d) {
        m_caption[d]->setText(q(captions[d]) + QStringLiteral(" ="));
        m_caption[d]->setVisible(visible[d]);
        m_result[d]->setVisible(visible[d]);
        m_unit[d]->setVisible(visible[d]);
    }
}

bool frmGraphCalc::calculate() {
    const std::optional<SpeciesArray> c =
        calculateSinglePoint(m_session, m_time->text().toStdString(), m_dialogs);
    if (!c) {
        return false;
    }
    const char sep = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
    for (std::size_t d = 1; d <= 5; ++d) {
        m_result[d]->setText(q(formatSingle(static_cast<float>((*c)[d]), sep)));
    }
    return true;
}

void frmGraphCalc::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmGraphCalc::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshLabels();
    m_time->setFocus();
}

}  // namespace zemtral
