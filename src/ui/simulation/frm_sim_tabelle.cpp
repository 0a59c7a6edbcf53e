#include "ui/simulation/frm_sim_tabelle.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QTextDocument>
#include <QVBoxLayout>

#include "core/sim_table.h"
#include "session/diagram_document.h"
#include "session/session.h"
#include "session/user_dialogs.h"
#include "ui/simulation/ui_text.h"

namespace zemtral {

frmSimTabelle::frmSimTabelle(Session& session, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_session(session), m_dialogs(dialogs) {
    setObjectName("frmSimTabelle");
    setWindowTitle(QStringLiteral("  Ergebnis der Modellrechnung"));

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName("txtSimTabelle");
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPointSize(10);
    m_text->setFont(mono);
    // Every field is 14 characters followed by a tab: tab stops every 8 characters line the
    // columns up as a text editor on the original platform shows them.
    m_text->setTabStopDistance(8 * QFontMetricsF(mono).horizontalAdvance(QLatin1Char(' ')));

    m_hint = new QLabel(
        QStringLiteral("Tabelle kann editiert werden; Werte können in Excel-Tabelle kopiert werden"), this);
    m_hint->setObjectName("lblHinweis");

    m_save = new QPushButton(QStringLiteral("File schreiben"), this);
    m_save->setObjectName("cmdSaveTable");
    m_print = new QPushButton(QStringLiteral("Tabelle drucken"), this);
    m_print->setObjectName("cmdPrint");
    m_clipboard = new QPushButton(QStringLiteral("Copy to Clipboard"), this);
    m_clipboard->setObjectName("cmdClipboard");
    m_close = new QPushButton(QStringLiteral("Schließen <Esc>"), this);
    m_close->setObjectName("cmdCloseSimTab");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_save);
    buttons->addWidget(m_print);
    buttons->addWidget(m_clipboard);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_hint);
    layout->addLayout(buttons);

    connect(m_save, &QPushButton::clicked, this, [this] { saveTable(); });
    connect(m_print, &QPushButton::clicked, this, [this] { printTable(); });
    connect(m_clipboard, &QPushButton::clicked, this, [this] { copyToClipboard(); });
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    // The table is built once: resizing the window must not throw the user's edits away.
    const std::string table =
        buildSimulationTable(m_session.simulation, m_session.state, screenDecimalSeparator());
    m_text->setPlainText(fromCrLf(table));

    move(400 / 15, 120 / 15);
    resize(900, 560);
}

std::string frmSimTabelle::tableText() const {
    return toCrLf(m_text->toPlainText());
}

bool frmSimTabelle::saveTable() {
    auto& memory = m_session.diagramWindow;
    const std::string directory = startFolder(memory.lastTableDir, m_session);
    const auto chosen = m_dialogs.chooseSaveFile("Tabelle speichern unter ...", directory,
                                                 memory.lastTableFile, "Text (*.TXT)");
    if (!chosen || chosen->empty()) {
        return false;
    }
    QString path = QString::fromStdString(*chosen);
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".txt");
    }
    const QFileInfo info(path);
    memory.lastTableFile = info.fileName().toStdString();
    memory.lastTableDir = info.absolutePath().toStdString();

    // Written to a temporary file and renamed, so a failed write never leaves half a table.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::string text = tableText() + "\r\n";
    file.write(QString::fromStdString(text).toLatin1());
    return file.commit();
}

void frmSimTabelle::copyToClipboard() {
    m_dialogs.setClipboardText(tableText());
}

void frmSimTabelle::printTable() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QTextDocument document;
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::TypeWriter);
    document.setDefaultFont(font);
    document.setPlainText(m_text->toPlainText());
    document.print(&printer);
}

}  // namespace zemtral
