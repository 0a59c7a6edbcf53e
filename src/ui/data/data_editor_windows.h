#pragma once
// Makes the data editor available to the main window.

namespace zemtral {

class MDIZEM;

/// @brief Registers frmDatedit with the main window: "exper. Daten    NEU Eingabe / Laden" and
/// "exper. Daten    Sichten / Editieren" open it.
void registerDataEditorWindow(MDIZEM& main);

}  // namespace zemtral
