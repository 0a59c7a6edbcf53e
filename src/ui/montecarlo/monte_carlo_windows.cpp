#include "ui/montecarlo/monte_carlo_windows.h"

#include "ui/montecarlo/frm_monte_carlo.h"
#include "ui/shell/mdizem.h"

namespace zemtral {

void registerMonteCarloWindow(MDIZEM& main) {
    main.registerWindow(WindowId::MonteCarlo, [](MDIZEM& host) -> QWidget* {
        return new frmMonteCarlo(host.session(), host.dialogs(),
                                 [&host](int topic) { host.showHelp(topic); });
    });
}

}  // namespace zemtral
