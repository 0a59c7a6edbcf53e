#include "ui/reactors/reactor_windows.h"

#include "ui/reactors/frm_batch.h"
#include "ui/reactors/frm_rk_conti.h"
#include "ui/reactors/frm_rohrreaktor.h"
#include "ui/shell/mdizem.h"

namespace zemtral {
namespace {

ReactorWindowLinks linksTo(MDIZEM& main) {
    ReactorWindowLinks links;
    links.protocolAvailable = [&main] { return main.canOpen(WindowId::Protocol); };
    links.openProtocol = [&main] { main.open(WindowId::Protocol); };
    links.showHelp = [&main](int topic) { main.showHelp(topic); };
    return links;
}

}  // namespace

void registerReactorWindows(MDIZEM& main) {
    main.registerWindow(WindowId::BatchReactor, [](MDIZEM& host) -> QWidget* {
        return new frmBatch(host.session(), host.dialogs(), linksTo(host));
    });
    main.registerWindow(WindowId::StirredTank, [](MDIZEM& host) -> QWidget* {
        return new frmRKconti(host.session(), host.dialogs(), linksTo(host));
    });
    main.registerWindow(WindowId::TubeReactor, [](MDIZEM& host) -> QWidget* {
        return new frmRohrreaktor(host.session(), host.dialogs(), linksTo(host));
    });
}

}  // namespace zemtral
