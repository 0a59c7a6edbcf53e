#include "ui/shell/frm_option.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace zemtral {
namespace {

constexpr int kSpeedSteps = 12;  // slider position = 12 × speed

void paint(QPushButton* button, const QColor& colour) {
    button->setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name()));
}

}  // namespace

QColor toQColor(RgbColour rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

frmOption::frmOption(Session& session, QWidget* parent, std::function<QColor(const QColor&)> chooseColour)
    : QDialog(parent), m_session(session), m_chooseColour(std::move(chooseColour)) {
    setObjectName(QStringLiteral("frmOption"));
    setWindowTitle(QStringLiteral("   Optionen"));
    if (!m_chooseColour) {
        m_chooseColour = [this](const QColor& start) {
            QColorDialog dialog(start, this);
            dialog.setOption(QColorDialog::DontUseNativeDialog);
            return dialog.exec() == QDialog::Accepted ? dialog.selectedColor() : QColor();
        };
    }
    const MonteCarloOptions& mc = m_session.shell.monteCarlo;
    auto* layout = new QVBoxLayout(this);

    auto* speedFrame = new QGroupBox(QStringLiteral("Monte-Carlo-Simulation"), this);
    auto* speedLayout = new QGridLayout(speedFrame);
    m_speed = new QSlider(Qt::Horizontal, speedFrame);
    m_speed->setObjectName(QStringLiteral("sldSpeed"));
    m_speed->setRange(0, kSpeedSteps);
    m_speed->setValue(static_cast<int>(std::lround(mc.speed * kSpeedSteps)));
    m_speed->setTickPosition(QSlider::TicksBelow);
    speedLayout->addWidget(m_speed, 0, 0, 1, 2);
    speedLayout->addWidget(new QLabel(QString::fromUtf8(" für schnelle Rechner "), speedFrame), 1, 0);
    auto* fast = new QLabel(QString::fromUtf8(" für sehr schnelle Rechner "), speedFrame);
    fast->setAlignment(Qt::AlignRight);
    speedLayout->addWidget(fast, 1, 1);
    layout->addWidget(speedFrame);

    auto* pointRow = new QHBoxLayout;
    pointRow->addWidget(new QLabel(QString::fromUtf8("Punktgröße"), this));
    m_pointSize = new QSpinBox(this);
    m_pointSize->setObjectName(QStringLiteral("txtPointSize"));
    m_pointSize->setRange(1, 20);
    m_pointSize->setValue(mc.pointSize == 0 ? 7 : mc.pointSize);
    pointRow->addWidget(m_pointSize);
    pointRow->addStretch();
    layout->addLayout(pointRow);
    m_solid = new QCheckBox(QString::fromUtf8("Diagramm-Punkte gefüllt"), this);
    m_solid->setObjectName(QStringLiteral("chkSolidPoints"));
    m_solid->setChecked(mc.solidPoints);
    layout->addWidget(m_solid);

    auto* colours = new QGridLayout;
    m_colourA = toQColor(mc.colourA);
    m_colourP = toQColor(mc.colourP);
    colours->addWidget(new QLabel(QString::fromUtf8("A-Molekülfarbe"), this), 0, 0);
    colours->addWidget(new QLabel(QString::fromUtf8("P-Molekülfarbe"), this), 0, 1);
    m_cmdAColor = new QPushButton(QStringLiteral(" Klick "), this);
    m_cmdAColor->setObjectName(QStringLiteral("cmdAColor"));
    m_cmdPColor = new QPushButton(QStringLiteral(" Klick "), this);
    m_cmdPColor->setObjectName(QStringLiteral("cmdPColor"));
    paint(m_cmdAColor, m_colourA);
    paint(m_cmdPColor, m_colourP);
    colours->addWidget(m_cmdAColor, 1, 0);
    colours->addWidget(m_cmdPColor, 1, 1);
    layout->addLayout(colours);
    connect(m_cmdAColor, &QPushButton::clicked, this, [this] { pickColour(true); });
    connect(m_cmdPColor, &QPushButton::clicked, this, [this] { pickColour(false); });

    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* close = new QPushButton(QString::fromUtf8("Schließen"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &frmOption::store);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOption::pickColour(bool a) {
    QColor& colour = a ? m_colourA : m_colourP;
    const QColor chosen = m_chooseColour(colour);
    if (chosen.isValid()) {
        colour = chosen;
        paint(a ? m_cmdAColor : m_cmdPColor, colour);
    }
}

void frmOption::store() {
    MonteCarloOptions& mc = m_session.shell.monteCarlo;
    mc.speed = static_cast<float>(m_speed->value()) / kSpeedSteps;
    mc.pointSize = static_cast<std::int16_t>(m_pointSize->value());
    mc.solidPoints = m_solid->isChecked();
    mc.colourA = static_cast<RgbColour>(m_colourA.rgb() & 0xFFFFFF);
    mc.colourP = static_cast<RgbColour>(m_colourP.rgb() & 0xFFFFFF);
    accept();
}

}  // namespace zemtral
