#pragma once
// Detection of arithmetic faults (division by zero, overflow, invalid operation) in the numerical
// routines: C++ raises none of them, so a guarded routine checks the floating-point flags.
#include <string>

namespace zemtral {

enum class FpFault { None, DivisionByZero, Overflow, InvalidOperation };

/// @brief Clears the floating-point exception flags on construction and reads them on demand;
/// the flags that were raised before the guard are restored on destruction.
class FpGuard {
  public:
    FpGuard();
    ~FpGuard();
    FpGuard(const FpGuard&) = delete;
    FpGuard& operator=(const FpGuard&) = delete;

    /// @brief The fault raised since construction (or since the last clear()); when several flags
    /// are up, the likely cause: division by zero, then overflow, then invalid operation.
    FpFault fault() const;
    bool failed() const { return fault() != FpFault::None; }
    void clear();

  private:
    int m_savedFlags;
};

/// @brief Fault of a value that should be finite: None, Overflow (infinite) or InvalidOperation (NaN).
FpFault classifyValue(double value);

/// @brief The German description of a fault shown under "Meldung von <routine>".
std::string faultDescription(FpFault fault);

/// @brief The title of the message box of a routine's run-time error: "Meldung von " + routine.
std::string routineMessageTitle(const std::string& routine);

}  // namespace zemtral
