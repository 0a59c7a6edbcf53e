#include "ui/shell/qt_user_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "session/open_dialog.h"

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

std::optional<std::string> QtUserDialogs::runFileDialog(bool save, const std::string& title,
                                                        const std::string& start, const std::string& filter) {
    // Qt's own dialog (not the desktop's), so that it speaks the program's German and tests can
    // drive it; its side bar offers the home, the documents and the sample folder.
    QFileDialog dialog(m_parent, q(title), q(start), q(qtFilter(filter)));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QList<QUrl> places{QUrl::fromLocalFile(QDir::homePath())};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir() && documents != QDir::homePath()) {
        places << QUrl::fromLocalFile(documents);
    }
    if (!m_sampleFolder.empty()) {
        places << QUrl::fromLocalFile(q(m_sampleFolder));
    }
    places << QUrl::fromLocalFile(QDir::rootPath());
    dialog.setSidebarUrls(places);
    if (save) {
        // A name typed without extension gets the filter's, so that the overwrite question
        // concerns the file that will really be written.
        const QRegularExpressionMatch suffix =
            QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(q(filter));
        if (suffix.hasMatch()) {
            dialog.setDefaultSuffix(suffix.captured(1));
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString path = dialog.selectedFiles().constFirst();
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return path.toStdString();
}

std::optional<std::string> QtUserDialogs::chooseOpenFile(const std::string& title,
                                                         const std::string& directory,
                                                         const std::string& filter) {
    const QString upper = q(filter).toUpper();
    if (m_ownOpenDialog &&
        (upper.contains(QStringLiteral("*.ZD3")) || upper.contains(QStringLiteral("*.ZC3")))) {
        return m_ownOpenDialog(title, directory, patternOfFilter(filter));
    }
    return runFileDialog(false, title, directory, filter);
}

std::optional<std::string> QtUserDialogs::chooseSaveFile(const std::string& title,
                                                         const std::string& directory,
                                                         const std::string& fileName,
                                                         const std::string& filter) {
    const std::string start = fileName.empty() ? directory : directory + "/" + fileName;
    return runFileDialog(true, title, start, filter);
}

void QtUserDialogs::beep() {
    QApplication::beep();
}

void QtUserDialogs::setClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(q(text));
}

}  // namespace zemtral
