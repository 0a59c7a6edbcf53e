#pragma once
// "Auto-Fitting" as a job that may run on a worker thread: it fits a copy of everything the fit
// reads, so the window keeps drawing and answering while it runs, and hands the result back to the
// session on the window's thread. A stop request ends it with the best parameters found so far.
#include <atomic>
#include <memory>

#include "evaluation/fitting.h"
#include "session/session.h"
#include "session/user_dialogs.h"

namespace zemtral {

class AutoFitJob {
  public:
    /// @brief Starts an Auto-Fitting of the session: refuses (with its message) when there are
    /// not more measured values than parameters, and while another Auto-Fitting of the session is
    /// still running (a beep). Marks the session's fit as running until finish() or destruction.
    static std::unique_ptr<AutoFitJob> begin(Session& session, UserDialogs& dialogs);
    ~AutoFitJob();
    AutoFitJob(const AutoFitJob&) = delete;
    AutoFitJob& operator=(const AutoFitJob&) = delete;

    /// @brief The fit itself, once, on any one thread. Touches nothing of the session.
    void run();
    /// @brief Asks the running fit to end after its current step (any thread).
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }
    /// @brief Accepted steps and the objective F of the best parameters so far (any thread).
    int acceptedSteps() const { return m_accepted; }
    double bestObjective() const { return m_bestObjective; }

    /// @brief On the session's thread after run(): writes the parameters into the working state
    /// and the fitting window's state (standard deviations and statistics shown), and shows the
    /// warning of a run that hit its limit. Nothing is taken over when the model or the fitting
    /// mode changed while the fit ran (`discarded`).
    AutoFitOutcome finish(UserDialogs& dialogs);

  private:
    AutoFitJob(Session& session, const AutoFitPlan& plan);

    Session& m_session;
    // The fit's own copies of what it reads and writes.
    WorkingState m_state;
    ExpDataSet m_data;
    ActivationParameters m_activation;
    SimulationResult m_simulation;
    FitContext m_context;
    AutoFitPlan m_plan;
    MarquardtResult m_result;
    bool m_ran = false;
    bool m_finished = false;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_accepted{0};
    std::atomic<double> m_bestObjective{0.0};
};

}  // namespace zemtral
