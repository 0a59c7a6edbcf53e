#pragma once
// The windows of the program as the command line has them: only the diagram window, never shown.
#include "session/window_host.h"

namespace zemtral {
class DiagramWindows;
}

namespace zemtral::cli {

/// @brief A WindowHost whose only window is the diagram window of `diagrams`; the commands'
/// requests to open the fitting, tangent or model windows are declined.
class PlotWindowHost : public WindowHost {
  public:
    explicit PlotWindowHost(DiagramWindows& diagrams) : m_diagrams(diagrams) {}

    bool isOpen(WindowId id) const override;
    bool open(WindowId id) override;
    void close(WindowId id) override;
    void focus(WindowId) override {}
    void pressFittingDraw() override {}
    void setUpDiagram() override;

  private:
    DiagramWindows& m_diagrams;
};

}  // namespace zemtral::cli
