#include "ui/simulation/simulation_windows.h"

#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/shell/mdizem.h"
#include "ui/simulation/frm_prepare_time_diagram.h"

namespace zemtral {

void registerSimulationWindows(MDIZEM& main, DiagramWindows& diagrams) {
    diagrams.setHost([&main] { return main.open(WindowId::Diagram); });
    main.registerWindow(WindowId::Diagram,
                        [&diagrams](MDIZEM&) -> QWidget* { return diagrams.createWindow(); });
    main.registerWindow(WindowId::SimulationSetUp, [&diagrams](MDIZEM& host) -> QWidget* {
        return new frmPrepareTimeDiagram(host.session(), host.dialogs(), diagrams);
    });
}

}  // namespace zemtral
