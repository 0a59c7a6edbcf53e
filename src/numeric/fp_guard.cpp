#include "numeric/fp_guard.h"

#include <cfenv>
#include <cmath>

namespace zemtral {
namespace {

constexpr int kWatched = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;

}  // namespace

FpGuard::FpGuard() : m_savedFlags(std::fetestexcept(kWatched)) {
    std::feclearexcept(kWatched);
}

FpGuard::~FpGuard() {
    std::feclearexcept(kWatched);
    if (m_savedFlags != 0) {
        std::feraiseexcept(m_savedFlags);
    }
}

FpFault FpGuard::fault() const {
    // The flags do not keep their order, so the cause is named before its consequences: an
    // overflow yields infinities whose differences and products with zero then raise "invalid"
    // as well, whereas a NaN from an invalid operation never overflows afterwards.
    const int raised = std::fetestexcept(kWatched);
    if (raised & FE_DIVBYZERO) {
        return FpFault::DivisionByZero;
    }
    if (raised & FE_OVERFLOW) {
        return FpFault::Overflow;
    }
    if (raised & FE_INVALID) {
        return FpFault::InvalidOperation;
    }
    return FpFault::None;
}

void FpGuard::clear() {
    std::feclearexcept(kWatched);
}

FpFault classifyValue(double value) {
    if (std::isnan(value)) {
        return FpFault::InvalidOperation;
    }
    if (std::isinf(value)) {
        return FpFault::Overflow;
    }
    return FpFault::None;
}

std::string faultDescription(FpFault fault) {
    switch (fault) {
        case FpFault::DivisionByZero:
            return "Division durch Null";
        case FpFault::Overflow:
            return "Überlauf";
        case FpFault::InvalidOperation:
            return "Ungültiges Argument (Logarithmus oder Wurzel einer negativen Zahl)";
        case FpFault::None:
            break;
    }
    return "";
}

std::string routineMessageTitle(const std::string& routine) {
    return "Meldung von " + routine;
}

}  // namespace zemtral
