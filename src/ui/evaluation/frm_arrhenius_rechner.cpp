#include "ui/evaluation/frm_arrhenius_rechner.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "evaluation/kt_calculator.h"
#include "session/session.h"
#include "ui/evaluation/calculator_buttons.h"
#include "ui/simulation/number_field.h"

namespace zemtral {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

frmArrheniusRechner::frmArrheniusRechner(Session& session, QWidget* parent)
    : QWidget(parent), m_session(session) {
    setObjectName("frmArrheniusRechner");
    m_formula = new QLabel(this);
    m_formula->setObjectName("lblFormel");
    QFont bold = m_formula->font();
    bold.setBold(true);
    m_formula->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_formula);
    for (std::size_t i = 0; i < m_explanation.size(); ++i) {
        m_explanation[i] = new QLabel(this);
        m_explanation[i]->setObjectName(QStringLiteral("lblErklaerung_%1").arg(i));
        layout->addWidget(m_explanation[i]);
    }
    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblInpArrh_%1").arg(i));
        auto* field = new NumberField(this);
        field->setObjectName(QStringLiteral("txtInpArrh_%1").arg(i));
        field->setMinimumWidth(130);
        field->setEnterHandler([this] { calculate(); });
        m_inputLabel[static_cast<std::size_t>(i)] = label;
        m_input[static_cast<std::size_t>(i)] = field;
        grid->addWidget(label, i, 0);
        grid->addWidget(field, i, 1);
    }
    m_inputLabel[2]->setText(QStringLiteral("T /K ="));
    m_k = new QLineEdit(this);
    m_k->setObjectName("txtkResult");
    m_k->setReadOnly(true);
    m_kPerSecond = new QLineEdit(this);
    m_kPerSecond->setObjectName("txtksecResult");
    m_kPerSecond->setReadOnly(true);
    m_kUnit = new QLabel(this);
    m_kUnit->setObjectName("lblkEinheit");
    m_kPerSecondUnit = new QLabel(this);
    m_kPerSecondUnit->setObjectName("lblksecEinheit");
    grid->addWidget(new QLabel(QStringLiteral("k ="), this), 3, 0);
    grid->addWidget(m_k, 3, 1);
    grid->addWidget(m_kUnit, 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("k ="), this), 4, 0);
    grid->addWidget(m_kPerSecond, 4, 1);
    grid->addWidget(m_kPerSecondUnit, 4, 2);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* buttons = calculatorButtons(this, QStringLiteral("Schließen <Esc>"), [this] { calculate(); });
    layout->addLayout(buttons);
    refresh();
}

void frmArrheniusRechner::refresh() {
    const CalculatorTexts t = calculatorTexts(m_session.evaluation.kTForm, m_session.state.fittingMode,
                                              m_session.state.timeUnit, m_session.evaluation.activation);
    setWindowTitle(q(t.title));
    m_formula->setText(q(t.formula));
    for (std::size_t i = 0; i < m_explanation.size(); ++i) {
        m_explanation[i]->setText(i < t.explanations.size() ? q(t.explanations[i]) : QString());
        m_explanation[i]->setVisible(i < t.explanations.size());
    }
    m_inputLabel[0]->setText(q(t.inputLabel0));
    m_inputLabel[1]->setText(q(t.inputLabel1));
    m_input[0]->setText(q(t.input0));
    m_input[1]->setText(q(t.input1));
    m_input[2]->setText(q(t.input2));
    m_kUnit->setText(q(t.units.k));
    m_kPerSecondUnit->setText(q(t.units.kPerSecond));
    m_k->clear();
    m_kPerSecond->clear();
}

void frmArrheniusRechner::calculate() {
    const char sep = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
    const CalculatorResult r = arrheniusCalculator(
        m_session.evaluation.kTForm, m_input[0]->text().toStdString(), m_input[1]->text().toStdString(),
        m_input[2]->text().toStdString(), m_session.state.timeUnit, sep);
    m_k->setText(q(r.k));
    m_kPerSecond->setText(q(r.kPerSecond));
}

void frmArrheniusRechner::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        findChild<QPushButton*>(QStringLiteral("cmdClose"))->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace zemtral
