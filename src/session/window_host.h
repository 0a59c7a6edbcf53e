#pragma once
// The windows the main window's commands open, close and focus, seen from the command logic.
// The desktop program implements WindowHost with its child windows; tests record the calls.
#include <string_view>

namespace zemtral {

/// @brief Every window of the program that a command may open or close (one instance each).
enum class WindowId {
    Model,            ///< frmZemModel, "  kinetisches Modell"
    Matrix,           ///< frmmatrix, the stoichiometric matrix
    Diagram,          ///< frmGraph2D
    SimulationSetUp,  ///< simulation set-up of the concentration-time and rate-time functions
    Fitting,          ///< k fitting, order fitting and non-isothermal fitting
    BatchReactor,
    TubeReactor,
    StirredTank,
    Tangent,
    MonteCarlo,
    DataEditor,
    XYEditor,
    Calculator,             ///< ARRHENIUS- and EYRING-Rechner
    SinglePointCalculator,  ///< "  Einzelpunkt-Rechner" of the diagram window
    Protocol,
    Options,
    Tip,
    Help,
};

/// @brief Short English name of a window for logs and test output.
std::string_view windowName(WindowId id);

/// @brief What the command logic asks of the windows. "Open" creates the window if needed and
/// shows it, or brings it to the front when it is already open.
class WindowHost {
  public:
    virtual ~WindowHost() = default;

    /// @brief True while the window is loaded.
    virtual bool isOpen(WindowId id) const = 0;
    /// @brief Creates or raises the window; false when this program has no such window.
    virtual bool open(WindowId id) = 0;
    /// @brief Unloads the window if it is open.
    virtual void close(WindowId id) = 0;
    /// @brief Gives the window the keyboard focus if it is open.
    virtual void focus(WindowId id) = 0;
    /// @brief Presses the "Zeichne Kurve" button of the fitting window if it is open.
    virtual void pressFittingDraw() = 0;
    /// @brief Recomputes the axis ranges for the session's diagram kind (from the data for the
    /// negative kinds) and sets up and opens the diagram window for it.
    virtual void setUpDiagram() = 0;
    /// @brief Shows the working state's model, order and start values in the open model window and
    /// calculation windows, after a command changed them behind the windows' backs.
    virtual void showModel() {}
};

}  // namespace zemtral
