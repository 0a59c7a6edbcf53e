#include "ui/shell/frm_zem_model.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/model_catalogue.h"
#include "core/numeric_key_filter.h"
#include "core/time_units.h"
#include "core/unit_captions.h"
#include "numeric/number_text.h"
#include "session/help_topics.h"
#include "session/model_commands.h"

namespace zemtral {
namespace {

// Options in the two frames; 0 stands for model 20.
constexpr int kSimpleOptions[] = {1, 2, 3, 4, 5, 16, 0};
constexpr int kComplexOptions[] = {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 17, 18};

const char* schemeText(int option) {
    switch (option) {
        case 7:
            return "A + B => C          A + C => P";
        case 10:
            return "E  + S <=> ES => P + E ";
        case 13:
            return "A + B => C <=> P";
        case 18:
            return "A + B <=> C => P ";
        default:
            return nullptr;
    }
}

QFont optionFont(bool chosen) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(chosen ? 9 : 8);
    font.setBold(chosen);
    return font;
}

}  // namespace

frmZemModel::frmZemModel(Session& session, ModelWindowLinks links, QWidget* parent)
    : QWidget(parent), m_session(session), m_links(std::move(links)) {
    setObjectName(QStringLiteral("frmZemModel"));
    setWindowTitle(QString::fromUtf8(kModelWindowTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(4);
    layout->setContentsMargins(6, 6, 6, 6);
    // Radio buttons are exclusive only within their parent frame; the group spans both frames.
    m_models = new QButtonGroup(this);
    m_models->setExclusive(true);

    auto addFrame = [this, layout](const char* title, const auto& options) {
        auto* frame = new QGroupBox(QString::fromUtf8(title), this);
        auto* grid = new QGridLayout(frame);
        grid->setVerticalSpacing(1);
        grid->setContentsMargins(8, 4, 8, 4);
        int row = 0;
        for (int option : options) {
            auto* button = new QRadioButton(
                QString::fromUtf8(std::string(modelInfo(modelForOption(option)).optionCaption).c_str()),
                frame);
            button->setObjectName(QStringLiteral("optTyp_%1").arg(option));
            button->setFont(optionFont(false));
            m_optTyp[static_cast<std::size_t>(option)] = button;
            m_models->addButton(button, option);
            grid->addWidget(button, row, 0);
            connect(button, &QRadioButton::clicked, this, [this, option] { chooseOption(option); });
            if (const char* scheme = schemeText(option)) {
                auto* label = new QLabel(QString::fromUtf8(scheme), frame);
                label->setObjectName(QStringLiteral("lbl%1").arg(option));
                label->setFont(optionFont(false));
                m_schemeLabel[static_cast<std::size_t>(option)] = label;
                grid->addWidget(label, row, 1);
            }
            if (option == 0) {
                auto* box = new QHBoxLayout;
                m_txtOrdnung = new QLineEdit(frame);
                m_txtOrdnung->setObjectName(QStringLiteral("txtOrdnung"));
                m_txtOrdnung->setMaximumWidth(60);
                m_txtOrdnung->installEventFilter(this);
                box->addWidget(m_txtOrdnung);
                box->addWidget(new QLabel(QStringLiteral("( n >=  0 )"), frame));
                box->addStretch();
                grid->addLayout(box, row, 1);
                connect(m_txtOrdnung, &QLineEdit::textEdited, this,
                        [this](const QString& text) { setOrderFromText(m_session, text.toStdString()); });
            }
            ++row;
        }
        layout->addWidget(frame);
    };
    addFrame(" einfache Reaktionen", kSimpleOptions);
    addFrame(" komplexe Reaktionen", kComplexOptions);

    // A leading blank as in the two model frames: the frame line would otherwise cross the "Z".
    auto* timeFrame = new QGroupBox(QStringLiteral(" Zeit-Einheit"), this);
    auto* timeRow = new QHBoxLayout(timeFrame);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(std::string(timeUnitText(i)).c_str()), timeFrame);
        button->setObjectName(QStringLiteral("optZeit_%1").arg(i));
        m_optZeit[static_cast<std::size_t>(i)] = button;
        timeRow->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, i] { chooseTimeUnit(i); });
    }
    auto* help = new QPushButton(QStringLiteral("Hilfe"), timeFrame);
    help->setObjectName(QStringLiteral("cmdZeitHlp"));
    connect(help, &QPushButton::clicked, this, [this] {
        if (m_links.showHelp) {
            m_links.showHelp(kHelpTimeUnit);
        }
    });
    timeRow->addStretch();
    timeRow->addWidget(help);
    layout->addWidget(timeFrame);

    m_lblRecalcTime = new QLabel(this);
    m_lblRecalcTime->setObjectName(QStringLiteral("lblRecalcTime"));
    m_lblRecalcTime->setWordWrap(true);
    m_lblRecalcTime->setStyleSheet(QStringLiteral("color: #b00000;"));
    layout->addWidget(m_lblRecalcTime);

    auto* matrix = new QPushButton(QString::fromUtf8("Stöchiometr. Matrix zeigen"), this);
    matrix->setObjectName(QStringLiteral("cmdShowMatrix"));
    connect(matrix, &QPushButton::clicked, this, [this] {
        if (m_links.openMatrix) {
            m_links.openMatrix();
        }
    });
    layout->addWidget(matrix);

    // Loading: order text, time unit, the current model selected as if clicked, the warning.
    m_txtOrdnung->setText(QString::fromStdString(" " + formatSingle(m_session.state.reactionOrder)));
    const int unit = timeUnitIndexOf(m_session);
    m_optZeit[static_cast<std::size_t>(unit)]->setChecked(true);
    m_optZeit[static_cast<std::size_t>(unit)]->setFont(optionFont(true));
    const int option = optionAtLoad(m_session);
    const ModelChoiceResult r = selectModel(m_session, option, m_txtOrdnung->text().toStdString(), true);
    m_txtOrdnung->setEnabled(r.orderBoxEnabled);
    updateFonts(option);
    reconfigureCalculationWindows();
    m_lblRecalcTime->setText(QString::fromUtf8(recalcTimeWarning(m_session).c_str()));
}

void frmZemModel::chooseOption(int option) {
    if (option < 0 || option >= kModelOptionCount) {
        return;
    }
    const ModelChoiceResult r = selectModel(m_session, option, m_txtOrdnung->text().toStdString());
    m_txtOrdnung->setEnabled(r.orderBoxEnabled);
    reconfigureCalculationWindows();
    updateFonts(option);
    if (m_links.matrixOpen && m_links.matrixOpen()) {
        m_links.closeMatrix();
        m_links.openMatrix();
    }
}

void frmZemModel::showCurrentModel() {
    const int option = optionAtLoad(m_session);
    m_txtOrdnung->setText(QString::fromStdString(" " + formatSingle(m_session.state.reactionOrder)));
    m_txtOrdnung->setEnabled(option == 0);
    updateFonts(option);
    reconfigureCalculationWindows();
}

void frmZemModel::chooseTimeUnit(int index) {
    if (index < 0 || index > 4) {
        return;
    }
    changeTimeUnit(m_session, index);
    for (int i = 0; i < 5; ++i) {
        m_optZeit[static_cast<std::size_t>(i)]->setFont(optionFont(i == index));
    }
    m_optZeit[static_cast<std::size_t>(index)]->setChecked(true);
    // The constants were converted to the new unit: the open windows show the converted numbers
    // with the new unit labels.
    reconfigureCalculationWindows();
    const UnitCaptions units = UpdateUnitCaptions(m_session.state.modelId, m_session.state.timeUnit);
    if (m_links.calculationWindows) {
        for (CalculationWindow* w : m_links.calculationWindows()) {
            w->applyUnitCaptions(units);
        }
    }
    if (m_links.timeUnitChanged) {
        m_links.timeUnitChanged();
    }
}

void frmZemModel::reconfigureCalculationWindows() {
    if (!m_links.calculationWindows) {
        return;
    }
    for (CalculationWindow* w : m_links.calculationWindows()) {
        w->applyModelConfig(buildCalcWindowConfig(m_session, w->calcWindowKind(), w->calcWindowExtras()));
    }
}

void frmZemModel::updateFonts(int option) {
    for (int i = 0; i < kModelOptionCount; ++i) {
        const bool chosen = i == option;
        m_optTyp[static_cast<std::size_t>(i)]->setFont(optionFont(chosen));
        if (QLabel* label = m_schemeLabel[static_cast<std::size_t>(i)]) {
            label->setFont(optionFont(chosen));
        }
    }
    m_optTyp[static_cast<std::size_t>(option)]->setChecked(true);
}

bool frmZemModel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_txtOrdnung) {
        if (event->type() == QEvent::FocusIn) {
            QMetaObject::invokeMethod(m_txtOrdnung, &QLineEdit::selectAll, Qt::QueuedConnection);
        } else if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->text().isEmpty()) {
                return false;  // cursor and modifier keys are no typed characters
            }
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste)) {
                chooseOption(0);
                return false;
            }
            int code = key->text().at(0).unicode();
            if (key->key() == Qt::Key_Backspace) {
                code = 8;
            } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                code = 13;
            } else if (key->key() == Qt::Key_Delete) {
                code = 127;
            }
            const bool accepted = NumericKeyFilter(code);
            chooseOption(0);
            if (!accepted) {
                return true;
            }
            if (code == '.' && key->text() == QStringLiteral(",")) {
                m_txtOrdnung->insert(QStringLiteral("."));
                setOrderFromText(m_session, m_txtOrdnung->text().toStdString());
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmZemModel::showEvent(QShowEvent* event) {
    m_lblRecalcTime->setText(QString::fromUtf8(recalcTimeWarning(m_session).c_str()));
    QWidget::showEvent(event);
}

}  // namespace zemtral
