#include "ui/shell/qt_user_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace zemtral {
namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// Message texts use CR LF between lines; Qt wants plain LF.
QString messageText(const std::string& text) {
    QString t = q(text);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t;
}

int ask(QWidget* parent, const std::string& title, const std::string& text, MessageIcon icon,
        QMessageBox::StandardButtons buttons) {
    QMessageBox box(qtIcon(icon), q(title), messageText(text), buttons, parent);
    return box.exec();
}

}  // namespace

void QtUserDialogs::showMessage(const std::string& title, const std::string& text, MessageIcon icon) {
    ask(m_parent, title, text, icon, QMessageBox::Ok);
}

Answer QtUserDialogs::askYesNo(const std::string& title, const std::string& text, MessageIcon icon) {
    return ask(m_parent, title, text, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
               ? Answer::Yes
               : Answer::No;
}

Answer QtUserDialogs::askYesNoCancel(const std::string& title, const std::string& text, MessageIcon icon) {
    const int r = ask(m_parent, title, text, icon, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    return r == QMessageBox::Yes ? Answer::Yes : r == QMessageBox::No ? Answer::No : Answer::Cancel;
}

Answer QtUserDialogs::askOkCancel(const std::string& title, const std::string& text, MessageIcon icon) {
    return ask(m_parent, title, text, icon, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok
               ? Answer::Ok
               : Answer::Cancel;
}

std::optional<std::string> QtUserDialogs::inputText(const std::string& title, const std::string& prompt,
                                                    const std::string& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, q(title), messageText(prompt), QLineEdit::Normal,
                                               q(defaultText), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return text.toStdString();
}

std::string QtUserDialogs::qtFilter(const std::string& filter) {
    const QStringList parts = q(filter).split(QLatin1Char('|'));
    if (parts.size() < 2) {
        return filter;
    }
    QStringList names;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i];
        if (!name.contains(QLatin1Char('('))) {
            name += QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                    QStringLiteral(")");
        }
        names << name;
    }
    return names.join(QStringLiteral(";;")).toStdString();
}

std::optional<std::string> QtUserDialogs::chooseOpenFile(const std::string& title,
                                                         const std::string& directory,
                                                         const std::string& filter) {
    const QString path = QFileDialog::getOpenFileName(m_parent, q(title), q(directory), q(qtFilter(filter)),
                                                      nullptr, QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

std::optional<std::string> QtUserDialogs::chooseSaveFile(const std::string& title,
                                                         const std::string& directory,
                                                         const std::string& fileName,
                                                         const std::string& filter) {
    const QString start = fileName.empty() ? q(directory) : q(directory) + QLatin1Char('/') + q(fileName);
    const QString path = QFileDialog::getSaveFileName(m_parent, q(title), start, q(qtFilter(filter)), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

void QtUserDialogs::beep() {
    QApplication::beep();
}

void QtUserDialogs::setClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(q(text));
}

}  // namespace zemtral
