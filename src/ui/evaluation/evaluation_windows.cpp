#include "ui/evaluation/evaluation_windows.h"

#include "session/window_host.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/evaluation/frm_arrhenius_rechner.h"
#include "ui/evaluation/frm_calc_tangente.h"
#include "ui/evaluation/frm_fitting.h"
#include "ui/evaluation/frm_graph_calc.h"
#include "ui/shell/mdizem.h"

namespace zemtral {

void registerEvaluationWindows(MDIZEM& main, DiagramWindows& diagrams) {
    main.registerWindow(WindowId::Fitting, [&diagrams](MDIZEM& host) -> QWidget* {
        FittingWindowLinks links;
        links.closeWithDiagram = [&host] {
            host.close(WindowId::Fitting);
            host.close(WindowId::Diagram);
        };
        links.showHelp = [&host](int topic) { host.showHelp(topic); };
        links.refreshCalculator = [&host] {
            if (auto* calculator = dynamic_cast<frmArrheniusRechner*>(host.window(WindowId::Calculator))) {
                calculator->refresh();
                host.focus(WindowId::Calculator);
            }
        };
        return new frmFitting(host.session(), host.dialogs(), diagrams, std::move(links));
    });
    main.registerWindow(WindowId::Tangent, [&diagrams](MDIZEM& host) -> QWidget* {
        return new frmCalcTangente(host.session(), host.dialogs(), diagrams);
    });
    main.registerWindow(WindowId::Calculator,
                        [](MDIZEM& host) -> QWidget* { return new frmArrheniusRechner(host.session()); });
    main.registerWindow(WindowId::SinglePointCalculator, [](MDIZEM& host) -> QWidget* {
        return new frmGraphCalc(host.session(), host.dialogs());
    });
    // The diagram window's calculators: the k-T calculator as the session's law stands, and the
    // single-point calculator on the last simulation.
    MDIZEM* host = &main;
    diagrams.setCalculatorOpeners(
        [host] {
            if (host->isOpen(WindowId::Calculator)) {
                if (auto* calculator =
                        dynamic_cast<frmArrheniusRechner*>(host->window(WindowId::Calculator))) {
                    calculator->refresh();
                }
            }
            host->open(WindowId::Calculator);
            host->focus(WindowId::Calculator);
        },
        [host] {
            if (auto* calculator =
                    dynamic_cast<frmGraphCalc*>(host->window(WindowId::SinglePointCalculator))) {
                calculator->refreshLabels();
            }
            host->open(WindowId::SinglePointCalculator);
            host->focus(WindowId::SinglePointCalculator);
        });
}

}  // namespace zemtral
