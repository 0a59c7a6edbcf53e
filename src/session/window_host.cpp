#include "session/window_host.h"

namespace zemtral {

std::string_view windowName(WindowId id) {
    switch (id) {
        case WindowId::Model:
            return "model";
        case WindowId::Matrix:
            return "matrix";
        case WindowId::Diagram:
            return "diagram";
        case WindowId::SimulationSetUp:
            return "simulation set-up";
        case WindowId::Fitting:
            return "fitting";
        case WindowId::BatchReactor:
            return "batch reactor";
        case WindowId::TubeReactor:
            return "tube reactor";
        case WindowId::StirredTank:
            return "stirred tank";
        case WindowId::Tangent:
            return "tangent";
        case WindowId::MonteCarlo:
            return "Monte-Carlo";
        case WindowId::DataEditor:
            return "data editor";
        case WindowId::XYEditor:
            return "XY editor";
        case WindowId::Calculator:
            return "calculator";
        case WindowId::SinglePointCalculator:
            return "single-point calculator";
        case WindowId::Protocol:
            return "protocol";
        case WindowId::Options:
            return "options";
        case WindowId::Tip:
            return "tip";
        case WindowId::Help:
            return "help";
    }
    return "";
}

}  // namespace zemtral
