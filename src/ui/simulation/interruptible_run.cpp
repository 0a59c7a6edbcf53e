#include "ui/simulation/interruptible_run.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QKeyEvent>

namespace zemtral {
namespace {

// Pending events are processed this often while a run lasts: enough for repainting, rare
// enough to cost the run nothing.
constexpr qint64 kPumpIntervalMs = 50;

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

InterruptibleRun::InterruptibleRun() {
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QCoreApplication::instance()->installEventFilter(this);
}

InterruptibleRun::~InterruptibleRun() {
    QCoreApplication::instance()->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

EngineControl InterruptibleRun::control() {
    EngineControl control;
    control.keepGoing = [this] { return keepGoing(); };
    return control;
}

bool InterruptibleRun::keepGoing() {
    if (!m_sincePump.isValid() || m_sincePump.elapsed() >= kPumpIntervalMs) {
        QCoreApplication::processEvents();
        m_sincePump.restart();
    }
    return !m_stopped;
}

bool InterruptibleRun::eventFilter(QObject* watched, QEvent* event) {
    if (!isUserInput(event->type())) {
        return QObject::eventFilter(watched, event);
    }
    // Esc arrives as a shortcut query first when a window has an Esc shortcut.
    const bool keyEvent = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (keyEvent && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_stopped = true;
    }
    return true;  // held back while the run lasts
}

}  // namespace zemtral
