#pragma once
// Closing a child window from its own "Schließen <Esc>".
#include <QMdiSubWindow>
#include <QWidget>

namespace zemtral {

/// @brief Closes the window `w`: inside the main window its sub-window frame, which asks `w` to
/// close and then deletes both; a window of its own closes itself. Closing only `w` inside a
/// sub-window would leave an empty frame behind.
inline void closeWindowFrame(QWidget& w) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w.parentWidget())) {
        sub->close();
    } else {
        w.close();
    }
}

}  // namespace zemtral
