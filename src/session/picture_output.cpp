#include "session/picture_output.h"

#include <algorithm>
#include <cmath>

namespace zemtral {

PictureFileType pictureFileType(PictureFormat format) {
    switch (format) {
        case PictureFormat::Bitmap:
            return {"Bitmap-file (*.BMP)", ".BMP"};
        case PictureFormat::Svg:
            return {"SVG-Vektorgrafik (*.SVG)", ".SVG"};
        case PictureFormat::Pdf:
            return {"PDF-Dokument (*.PDF)", ".PDF"};
        case PictureFormat::Png:
            break;
    }
    return {"PNG-Bild (*.PNG)", ".PNG"};
}

PrintRequest printRequestFromCentimetres(const std::array<double, 4>& cm, double dotsPerInch,
                                         PrintScaling scaling) {
    const auto pixels = [dotsPerInch](double centimetres) {
        return static_cast<int>(std::lround(centimetres / 2.54 * dotsPerInch));
    };
    PrintRequest request;
    request.left = pixels(std::max(0.0, cm[0] - 0.5));
    request.top = pixels(std::max(0.0, cm[1] - 0.5));
    request.width = pixels(cm[2]);
    request.height = pixels(cm[3]);
    request.scaling = scaling;
    return request;
}

std::string blackSheetQuestion() {
    return "Sie haben ein schwarzes Zeichenblatt gewählt.\r\nWollen Sie das wirklich so drucken?";
}

}  // namespace zemtral
