#pragma once
// The decisions of the diagram window's picture output ("Bild drucken/speichern") apart from the
// printer and the clipboard: file types and the placement of a printed chart.
#include <array>
#include <string>

#include "diagrams/chart_component.h"

namespace zemtral {

/// @brief Filter and default extension of the save dialog "Speichere Bild-File" for a format.
struct PictureFileType {
    std::string filter;     ///< for example "PNG-Bild (*.PNG)"
    std::string extension;  ///< added to a name without suffix, for example ".PNG"
};
PictureFileType pictureFileType(PictureFormat format);

/// @brief The print request of the fields "Rand links  =", "Rand oben =", "Breite =", "Höhe  ="
/// [cm] on a printer with `dotsPerInch`: left and top are measured from the printable edge, half a
/// centimetre in from the sheet, and never lie left of or above it [printer pixels].
PrintRequest printRequestFromCentimetres(const std::array<double, 4>& centimetres, double dotsPerInch,
                                         PrintScaling scaling);

/// @brief The question before a black sheet is printed (title "Drucken").
std::string blackSheetQuestion();

}  // namespace zemtral
