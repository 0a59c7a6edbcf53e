#pragma once
// What the calculation windows ask of the one diagram window.

namespace zemtral {

/// @brief The operations on the diagram window that other windows call: its state, unloading,
/// the set-up of the session's diagram kind (opening the window) and the draw button.
class DiagramWindowControl {
  public:
    virtual ~DiagramWindowControl() = default;

    /// @brief True while the diagram window exists.
    virtual bool isLoaded() const = 0;
    /// @brief Number of curves the window holds (0 when it is not loaded).
    virtual int curveCount() const = 0;
    /// @brief Closes the window; the next set-up starts a fresh one with default styles.
    virtual void unload() = 0;
    /// @brief Sets up the session's diagram kind and shows the window. A window that is created by
    /// this call draws the kind at once. False when the window cannot be created.
    virtual bool setUpDiagram() = 0;
    /// @brief Presses "Zeichne Kurve" of the open window.
    virtual void pressDraw() = 0;
};

}  // namespace zemtral
