#include "session/auto_fit_job.h"

#include <utility>

#include "session/evaluation_commands.h"

namespace zemtral {

std::unique_ptr<AutoFitJob> AutoFitJob::begin(Session& session, UserDialogs& dialogs) {
    if (session.evaluation.autoFitRunning) {
        dialogs.beep();
        return nullptr;
    }
    const FitContext ctx = fitContext(session);
    const AutoFitPlan plan = planAutoFitting(ctx, session.evaluation.fixed);
    if (plan.refused) {
        dialogs.showMessage(kNotPossibleTitle, plan.refusalText, MessageIcon::Critical);
        return nullptr;
    }
    session.evaluation.autoFitRunning = true;
    return std::unique_ptr<AutoFitJob>(new AutoFitJob(session, plan));
}

AutoFitJob::AutoFitJob(Session& session, const AutoFitPlan& plan)
    : m_session(session),
      m_state(session.state),
      m_data(session.data),
      m_activation(session.evaluation.activation),
      m_context{m_state, m_simulation, m_data, m_activation, session.evaluation.kTForm, {}},
      m_plan(plan) {
    m_context.species = fitContext(session).species;
    // A stop request also ends the model run under way, so that a stiff model that takes long for
    // one evaluation does not keep the user waiting.
    m_context.keepGoing = [this] { return !m_stop.load(); };
    m_plan.options.stopRequested = [this] { return m_stop.load(); };
    m_plan.options.progress = [this](std::span<const double>, double objective) {
        m_bestObjective = objective;
        ++m_accepted;
    };
}

AutoFitJob::~AutoFitJob() {
    if (!m_finished) {
        m_session.evaluation.autoFitRunning = false;
    }
}

void AutoFitJob::run() {
    if (m_ran) {
        return;
    }
    m_ran = true;
    m_result = MarquardtNashFitting(fitProblem(m_context, m_plan.entries, m_plan.parameterCount),
                                    m_plan.start, m_plan.options);
    if (m_stop && m_result.evaluationFailed) {
        // The stop cut a model run short, and the evaluation counted as failed: it was the user's
        // stop, not a model that cannot be computed. The last accepted parameters stand.
        m_result.evaluationFailed = false;
        m_result.stopped = true;
    }
}

AutoFitOutcome AutoFitJob::finish(UserDialogs& dialogs) {
    m_finished = true;
    Session& session = m_session;
    session.evaluation.autoFitRunning = false;
    if (session.state.modelId != m_state.modelId || session.state.fittingMode != m_state.fittingMode ||
        session.evaluation.kTForm != m_context.kTForm) {
        AutoFitOutcome outcome;
        outcome.discarded = true;
        return outcome;
    }
    FitContext ctx = fitContext(session);
    AutoFitOutcome outcome = finishAutoFitting(ctx, m_plan, std::move(m_result));
    if (!outcome.warningText.empty()) {
        dialogs.showMessage(outcome.warningTitle, outcome.warningText, MessageIcon::Exclamation);
    }
    EvaluationState& ev = session.evaluation;
    ev.fitParams = {};
    ev.standardDeviation = {};
    for (std::size_t j = 0; j < outcome.params.size() && j < 3; ++j) {
        ev.fitParams[j + 1] = outcome.params[j];
        ev.standardDeviation[j + 1] = outcome.sd[j];
    }
    // A stopped run has no post-analysis: its standard deviations would all read 0.
    ev.standardDeviationShown = !outcome.fit.stopped;
    ev.statistics = {};
    if (outcome.statistics.available) {
        ev.statistics.shown = true;
        ev.statistics.params = ev.fitParams;
        ev.statistics.parameters = outcome.statistics;
        ev.statistics.species = outcome.species;
    }
    return outcome;
}

}  // namespace zemtral
