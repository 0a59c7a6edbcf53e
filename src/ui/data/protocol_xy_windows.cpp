#include "ui/data/protocol_xy_windows.h"

#include "session/protocol_source.h"
#include "ui/data/frm_manu_input.h"
#include "ui/data/frm_protokoll.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/diagrams/frm_graph2d.h"
#include "ui/shell/mdizem.h"

namespace zemtral {

void registerProtocolAndXyWindows(MDIZEM& main, DiagramWindows& diagrams) {
    main.registerWindow(WindowId::Protocol, [](MDIZEM& host) -> QWidget* {
        ProtocolWindowLinks links;
        links.window = [&host](WindowId id) { return host.window(id); };
        // Created while the window whose button asked for it is still the active one.
        links.source =
            protocolSourceFor(host.activeWindow(), [&host](WindowId id) { return host.isOpen(id); });
        return new frmProtokoll(host.session(), host.dialogs(), std::move(links));
    });
    main.registerWindow(WindowId::XYEditor, [&diagrams](MDIZEM& host) -> QWidget* {
        XyEditorLinks links;
        links.diagramWindow = [&host, &diagrams]() -> QWidget* {
            host.open(WindowId::Diagram);  // created for the session's diagram, or brought to the front
            return diagrams.window();
        };
        links.contextMenu = [&host] { return host.contextMenu(2); };
        return new frmManuInput(host.session(), host.dialogs(), std::move(links));
    });
    diagrams.setXyEditorOpener([&main] { main.open(WindowId::XYEditor); });
}

}  // namespace zemtral
