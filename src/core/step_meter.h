#pragma once
// Counts the integration steps of one engine run against its budget and asks the caller's stop
// hook now and then, so that no run can go on for long without a way out.
#include <functional>

namespace zemtral {

class StepMeter {
  public:
    enum class Verdict { Go, OverBudget, Stopped };

    /// @brief `budget` steps at most; `keepGoing` (may be empty) is asked at the first booking and
    /// then about every kPollInterval steps, and stops the run when it returns false.
    StepMeter(long budget, const std::function<bool()>& keepGoing)
        : m_budget(budget), m_keepGoing(keepGoing) {}

    /// @brief Books `steps` steps that are about to be taken. A request that would pass the budget
    /// is refused before any work is done.
    Verdict spend(long steps) {
        if (steps > m_budget - m_used) {
            return Verdict::OverBudget;
        }
        m_used += steps;
        if (m_used >= m_nextPoll) {
            m_nextPoll = m_used + kPollInterval;
            if (m_keepGoing && !m_keepGoing()) {
                return Verdict::Stopped;
            }
        }
        return Verdict::Go;
    }

    long used() const { return m_used; }
    long budget() const { return m_budget; }

  private:
    // About a millisecond of Runge-Kutta steps: often enough for a responsive Esc, rare enough
    // to cost nothing.
    static constexpr long kPollInterval = 16384;

    long m_budget;
    long m_used = 0;
    long m_nextPoll = 0;
    const std::function<bool()>& m_keepGoing;
};

}  // namespace zemtral
