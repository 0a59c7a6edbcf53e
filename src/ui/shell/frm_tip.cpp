#include "ui/shell/frm_tip.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>
#include <random>

#include "session/tips.h"
#include "ui/shell/zem_settings.h"

namespace zemtral {

frmTip::frmTip(Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QString::fromUtf8(kTipWindowTitle));
    auto* layout = new QVBoxLayout(this);
    m_title = new QLabel(QStringLiteral("Tipp des Tages"), this);
    m_title->setObjectName(QStringLiteral("lblTipTitle"));
    QFont bold = m_title->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_title->setFont(bold);
    layout->addWidget(m_title);
    m_tipText = new QLabel(this);
    m_tipText->setObjectName(QStringLiteral("lblTipText"));
    m_tipText->setWordWrap(true);
    m_tipText->setMinimumHeight(90);
    m_tipText->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_tipText->setFrameShape(QFrame::StyledPanel);
    m_tipText->setMargin(8);
    layout->addWidget(m_tipText, 1);
    m_showAtStart = new QCheckBox(
        QString::fromUtf8("Dieses Fenster  bei jedem Start anzeigen     (Das Fenster bleibt  immer über den "
                          "Hauprmenüpunkt \"Hilfe\" zugänglich.) "),
        this);
    m_showAtStart->setObjectName(QStringLiteral("chkLoadTipsAtStartup"));
    layout->addWidget(m_showAtStart);
    auto* buttons = new QHBoxLayout;
    m_show = new QPushButton(QStringLiteral("Tipps zeigen"), this);
    m_show->setObjectName(QStringLiteral("cmdShowTips"));
    m_next = new QPushButton(QString::fromUtf8("Nächster Tipp"), this);
    m_next->setObjectName(QStringLiteral("cmdNextTip"));
    m_close = new QPushButton(QString::fromUtf8("Schließen"), this);
    m_close->setObjectName(QStringLiteral("cmdOK"));
    buttons->addWidget(m_show);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);
    resize(416, 240);  // 6240 twips wide

    connect(m_show, &QPushButton::clicked, this, &frmTip::showTips);
    connect(m_next, &QPushButton::clicked, this, &frmTip::nextTip);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);

    m_next->setVisible(true);
    m_title->setVisible(true);
    m_wanted = ZemSettings::showTipsAtStartup() || m_session.shell.tipsRequested;
    if (m_wanted) {
        m_tipText->setStyleSheet(QStringLiteral("color: red;"));
        m_showAtStart->setChecked(true);
        ZemSettings::setShowTipsAtStartup(true);
        showTips();
    }
    // Connected after the initial tick, so that only the user's clicks store the setting.
    connect(m_showAtStart, &QCheckBox::toggled, this, [](bool on) { ZemSettings::setShowTipsAtStartup(on); });
}

void frmTip::showTips() {
    m_next->setEnabled(true);
    m_close->setEnabled(true);
    m_title->setVisible(true);
    m_show->setEnabled(false);
    m_tipText->setStyleSheet(QStringLiteral("color: black;"));
    const std::string path = m_session.appHome + "/" + kTipsFileName;
    const auto tips = readTips(path);
    m_tips = tips.value_or(std::vector<std::string>{});
    if (!tips) {
        m_tipText->setText(QString::fromStdString(tipsNotFoundText(path)));
        m_next->setEnabled(false);
        return;
    }
    if (m_tips.empty()) {
        m_tipText->clear();
        return;
    }
    std::mt19937_64 random(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    m_current = std::uniform_int_distribution<int>(0, static_cast<int>(m_tips.size()) - 1)(random);
    m_tipText->setText(QString::fromStdString(m_tips[static_cast<std::size_t>(m_current)]));
}

void frmTip::nextTip() {
    if (m_tips.empty()) {
        return;
    }
    m_current = nextTipIndex(m_current, static_cast<int>(m_tips.size()));
    m_tipText->setText(QString::fromStdString(m_tips[static_cast<std::size_t>(m_current)]));
    m_title->setVisible(false);
}

}  // namespace zemtral
