#include "ui/data/frm_protokoll.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "session/protocol_commands.h"
#include "session/protocol_source.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {
namespace {

// The place of a window without a source window: left 5600, top 3500 twips.
constexpr QPoint kDefaultPlace(373, 233);
// The protocol window overlaps its source window's right edge by 40 twips.
constexpr int kOverlap = 3;

QWidget* frameOf(QWidget* widget) {
    auto* sub = widget != nullptr ? qobject_cast<QMdiSubWindow*>(widget->parentWidget()) : nullptr;
    return sub != nullptr ? sub : widget;
}

}  // namespace

frmProtokoll::frmProtokoll(Session& session, UserDialogs& dialogs, ProtocolWindowLinks links, QWidget* parent)
    : QWidget(parent), m_session(session), m_dialogs(dialogs), m_links(std::move(links)) {
    setObjectName(QStringLiteral("frmProtokoll"));
    setWindowTitle(QStringLiteral("  Ergebnis-Protokoll schreiben"));
    openProtocolLog(m_session, m_links.source);

    auto* fileCaption = new QLabel(QStringLiteral("Protokoll-File:"), this);
    m_fileName = new QLabel(this);
    m_fileName->setObjectName(QStringLiteral("lblProtFile"));
    m_fileName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_fileName->font();
    bold.setBold(true);
    m_fileName->setFont(bold);
    m_rowCount = new QLabel(this);
    m_rowCount->setObjectName(QStringLiteral("lblRowCount"));

    auto* separatorCaption = new QLabel(QStringLiteral("Trennzeichen:"), this);
    m_separator = new QComboBox(this);
    m_separator->setObjectName(QStringLiteral("cmbSep"));
    m_separator->addItems({QStringLiteral("Semikolon"), QStringLiteral("Komma"), QStringLiteral("Tab")});
    m_separator->setCurrentIndex(0);
    connect(m_separator, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int entry) { m_session.protocol.separator = protocolSeparatorOfEntry(entry); });

    auto* add = new QPushButton(QStringLiteral("Ergebnis protokollieren"), this);
    add->setObjectName(QStringLiteral("cmdProtokoll"));
    add->setDefault(true);
    connect(add, &QPushButton::clicked, this, &frmProtokoll::addRow);
    m_openNew =
        new QPushButton(QStringLiteral("schließen / neues File öffnen\nund Protokoll in Clipboard"), this);
    m_openNew->setObjectName(QStringLiteral("cmdOpenNew"));
    m_openNew->setMinimumHeight(m_openNew->sizeHint().height());
    connect(m_openNew, &QPushButton::clicked, this, &frmProtokoll::closeProtocolFile);
    auto* close = new QPushButton(QStringLiteral("schließen <Esc>"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* grid = new QGridLayout;
    grid->addWidget(fileCaption, 0, 0);
    grid->addWidget(m_fileName, 0, 1);
    grid->addWidget(separatorCaption, 1, 0);
    grid->addWidget(m_separator, 1, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_rowCount);
    layout->addSpacing(6);
    layout->addWidget(add);
    layout->addWidget(m_openNew);
    layout->addStretch(1);
    layout->addWidget(close);
    setMinimumWidth(300);
    showState();
}

void frmProtokoll::showState() {
    const ProtocolState& p = m_session.protocol;
    m_fileName->setText(QString::fromStdString(p.fileName));
    m_openNew->setEnabled(p.fileOpen);
    m_rowCount->setText(QStringLiteral("protokollierte Zeilen: %1").arg(p.table.rows.size()));
}

void frmProtokoll::addRow() {
    addProtocolRow(m_session, m_dialogs, m_session.reactorProtocolValues);
    showState();
}

bool frmProtokoll::closeProtocolFile() {
    bool closed = false;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        closed = closeProtocol(m_session, m_dialogs);
        QApplication::restoreOverrideCursor();
    }
    showState();
    return closed;
}

void frmProtokoll::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        placeNextToSource();
    }
}

void frmProtokoll::placeNextToSource() {
    QWidget* frame = frameOf(this);
    QWidget* area = frame->parentWidget();
    const std::optional<WindowId> sourceId = windowOfProtocolSource(m_links.source);
    QWidget* source = sourceId && m_links.window ? frameOf(m_links.window(*sourceId)) : nullptr;
    QPoint place = kDefaultPlace;
    if (source != nullptr) {
        // Beside the source window, bottom edges level, overlapping its right edge a little.
        const QRect s = source->geometry();
        place = QPoint(s.x() + s.width() - kOverlap, s.y() + s.height() - frame->height());
    }
    if (area != nullptr) {
        // Kept inside the window area, so that it is not opened out of sight.
        place.setX(std::min(place.x(), area->width() - frame->width()));
        place.setY(std::min(place.y(), area->height() - frame->height()));
    }
    frame->move(std::max(0, place.x()), std::max(0, place.y()));
}

void frmProtokoll::closeEvent(QCloseEvent* event) {
    // Collected rows are written and copied before the window goes; when that fails they stay
    // in the session and the next protocol window offers them again.
    if (m_session.protocol.fileOpen) {
        closeProtocolFile();
    }
    // The source window gets its "Protokollieren" back, and so does every other calculation
    // window whose button was pressed while this window was open.
    const std::optional<WindowId> sourceId = windowOfProtocolSource(m_links.source);
    for (const ProtocolSource source :
         {ProtocolSource::Simulation, ProtocolSource::StirredTank, ProtocolSource::BatchReactor,
          ProtocolSource::TubularReactor, ProtocolSource::Fitting}) {
        const std::optional<WindowId> id = windowOfProtocolSource(source);
        QWidget* window = id && m_links.window ? m_links.window(*id) : nullptr;
        auto* button =
            window != nullptr ? window->findChild<QPushButton*>(QStringLiteral("cmdProtocol")) : nullptr;
        if (button != nullptr && (id == sourceId || button->property("waitsForProtocol").toBool())) {
            button->setProperty("waitsForProtocol", false);
            button->setEnabled(true);
        }
    }
    event->accept();
}

}  // namespace zemtral
