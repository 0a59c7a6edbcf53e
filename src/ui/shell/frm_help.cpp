#include "ui/shell/frm_help.h"

#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "session/help_topics.h"

namespace zemtral {

frmHelp::frmHelp(std::string helpDir, QWidget* parent) : QWidget(parent), m_helpDir(std::move(helpDir)) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("ZEMTRAL-Hilfe"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setSearchPaths({QString::fromStdString(m_helpDir), QStringLiteral(":/help")});
    m_browser->setOpenExternalLinks(false);
    layout->addWidget(m_browser);
    resize(560, 460);
}

void frmHelp::showTopic(int topic) {
    m_topic = topic;
    const QString name = QStringLiteral("%1.html").arg(topic);
    for (const QString& dir : m_browser->searchPaths()) {
        if (QFile::exists(dir + QLatin1Char('/') + name)) {
            m_browser->setSource(QUrl(name));
            return;
        }
    }
    m_browser->setHtml(
        QStringLiteral("<h2>Hilfe</h2><p>Zu diesem Thema (Nr. %1) gibt es keine Hilfeseite.</p>"
                       "<p><a href=\"%2.html\">Übersicht</a></p>")
            .arg(topic)
            .arg(kHelpIndex));
}

QString frmHelp::pageText() const {
    return m_browser->toPlainText();
}

}  // namespace zemtral
