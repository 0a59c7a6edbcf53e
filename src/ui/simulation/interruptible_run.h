#pragma once
// One engine run started from a window: the wait cursor while it lasts, a program that keeps
// repainting, and Esc to stop it.
#include <QElapsedTimer>
#include <QObject>

#include "core/engine.h"

namespace zemtral {

/// @brief For its lifetime: the wait cursor, and an application-wide filter that holds back all
/// keyboard and mouse input except Esc, which stops the run. control() is the engine's hook: it
/// lets the program repaint now and then (so that no window freezes) and reports Esc. Holding
/// back the input keeps the working state from changing under the run.
class InterruptibleRun : public QObject {
  public:
    InterruptibleRun();
    ~InterruptibleRun() override;
    InterruptibleRun(const InterruptibleRun&) = delete;
    InterruptibleRun& operator=(const InterruptibleRun&) = delete;

    /// @brief The default step budget and the hook described above.
    EngineControl control();
    /// @brief Esc was pressed during the run.
    bool stopped() const { return m_stopped; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool keepGoing();

    QElapsedTimer m_sincePump;
    bool m_stopped = false;
};

}  // namespace zemtral
