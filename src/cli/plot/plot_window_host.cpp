#include "cli/plot/plot_window_host.h"

#include "ui/diagrams/diagram_windows.h"

namespace zemtral::cli {

bool PlotWindowHost::isOpen(WindowId id) const {
    return id == WindowId::Diagram && m_diagrams.isLoaded();
}

bool PlotWindowHost::open(WindowId id) {
    if (id != WindowId::Diagram) {
        return false;
    }
    return m_diagrams.isLoaded() || m_diagrams.createWindow() != nullptr;
}

void PlotWindowHost::close(WindowId id) {
    if (id == WindowId::Diagram) {
        m_diagrams.unload();
    }
}

// As in the main window: the diagram window is built anew for the session's kind, which
// recomputes its axis ranges.
void PlotWindowHost::setUpDiagram() {
    m_diagrams.unload();
    m_diagrams.createWindow();
}

}  // namespace zemtral::cli
