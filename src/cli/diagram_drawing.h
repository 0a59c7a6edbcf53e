#pragma once
// The diagram of a prepared session drawn as the program's windows would draw it, on a chart
// model without any window: what `zemtral-cli plot` renders.
#include "cli/diagram_sources.h"
#include "session/offscreen_diagram.h"
#include "session/window_host.h"

namespace zemtral::cli {

/// @brief The windows of the program as the command line has them: only the diagram, never
/// shown. The commands' requests to open the fitting, tangent or model windows are declined.
class OffscreenWindowHost : public WindowHost {
  public:
    explicit OffscreenWindowHost(OffscreenDiagram& diagram) : m_diagram(diagram) {}

    bool isOpen(WindowId id) const override;
    bool open(WindowId id) override;
    void close(WindowId id) override;
    void focus(WindowId) override {}
    void pressFittingDraw() override {}
    void setUpDiagram() override;

  private:
    OffscreenDiagram& m_diagram;
};

/// @brief Opens and draws the diagram of `source` for a prepared session: the simulation's curves
/// (with the half-life marks of A and B for HalfLives), an evaluation's points and line, or the
/// fitted curves after Auto-Fitting with the fit caption as header. kExitOk, or kExitRefused when
/// a command refused (its message was shown).
int drawSourceDiagram(Session& session, const DiagramSource& source, OffscreenDiagram& diagram,
                      UserDialogs& dialogs);

}  // namespace zemtral::cli
