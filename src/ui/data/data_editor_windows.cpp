#include "ui/data/data_editor_windows.h"

#include <QCheckBox>

#include "ui/data/frm_datedit.h"
#include "ui/shell/mdizem.h"

namespace zemtral {

void registerDataEditorWindow(MDIZEM& main) {
    main.registerWindow(WindowId::DataEditor, [](MDIZEM& host) -> QWidget* {
        DataEditorLinks links;
        links.windows = &host;
        links.contextMenu = [&host] { return host.contextMenu(1); };
        links.setEditDataEnabled = [&host](bool enabled) { host.setEditDataEnabled(enabled); };
        links.dataLoaded = [&host] {
            // The simulation set-up offers the measured points once there are c-t data.
            QWidget* setUp = host.window(WindowId::SimulationSetUp);
            auto* withPoints =
                setUp ? setUp->findChild<QCheckBox*>(QStringLiteral("chkMitPunkten")) : nullptr;
            if (withPoints != nullptr && host.session().survey.hasCtData) {
                withPoints->setEnabled(true);
            }
        };
        links.closeWindow = [&host] { host.close(WindowId::DataEditor); };
        return new frmDatedit(host.session(), host.dialogs(), std::move(links));
    });
}

}  // namespace zemtral
