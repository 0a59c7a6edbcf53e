#pragma once
// Makes the protocol window and the XY editor available to the main window.

namespace zemtral {

class MDIZEM;
class DiagramWindows;

/// @brief Registers frmProtokoll (opened by the calculation windows' "Protokollieren") and
/// frmManuInput (menu "XY-Editor", the diagram window's insert menu); the XY editor hands its
/// points to the diagram window of `diagrams`.
void registerProtocolAndXyWindows(MDIZEM& main, DiagramWindows& diagrams);

}  // namespace zemtral
