// A stiff run from the simulation set-up window: the wait cursor while it lasts, Esc stops it
// without a message, and the window stays open.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "core/working_state.h"
#include "session/session.h"
#include "support/recording_dialogs.h"
#include "ui/diagrams/diagram_windows.h"
#include "ui/simulation/frm_prepare_time_diagram.h"

using namespace zemtral;
using zemtral::test::RecordingDialogs;

namespace {

// Notes the cursor shape the program shows when its event arrives.
class CursorProbe : public QObject {
  public:
    static constexpr QEvent::Type kType = QEvent::User;
    int seenShape = -2;  // -2 = event never delivered, -1 = no override cursor

  protected:
    bool event(QEvent* e) override {
        if (e->type() == kType) {
            const QCursor* cursor = QApplication::overrideCursor();
            seenShape = cursor == nullptr ? -1 : static_cast<int>(cursor->shape());
            return true;
        }
        return QObject::event(e);
    }
};

struct StiffHarness {
    QTemporaryDir home;
    Session session;
    RecordingDialogs dialogs;
    DiagramWindows diagrams{session, dialogs};
    std::unique_ptr<frmPrepareTimeDiagram> setUp;

    StiffHarness() {
        session.appHome = home.path().toStdString();
        session.diagramKind = applyModelDefaults(session.state, 10).diagramKind;
        // A real enzyme: k> = 1e9 l/(mol s), c(E)(0) = 1e-7, c(S)(0) = 1e-3 mol/l.
        session.state.rateConst = {0.0, 1e9, 1e3, 1e3};
        session.state.conc0 = {0.0, 1e-7, 1e-3, 0.0, 0.0, 0.0};
        session.state.tEnd = 100.0f;
        setUp = std::make_unique<frmPrepareTimeDiagram>(session, dialogs, diagrams);
        setUp->applyModel();
        setUp->show();
    }
    void pressDraw() { setUp->findChild<QPushButton*>("cmdDrawctDiagram")->click(); }
};

}  // namespace

class StiffRunWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qputenv("ZEMTRAL_HOME", QDir::tempPath().toUtf8()); }

    void stiffRunDrawsUnderTheWaitCursor() {
        StiffHarness h;
        CursorProbe probe;
        QCoreApplication::postEvent(&probe, new QEvent(CursorProbe::kType));
        h.pressDraw();
        QVERIFY(h.dialogs.shown.empty());
        QCOMPARE(h.session.simulation.pointCount, 201);
        QCOMPARE(h.session.simulation.implicitFrom, 0);
        QVERIFY(h.diagrams.window() != nullptr);
        // The event posted before the run was delivered while it lasted, under the wait cursor.
        QCOMPARE(probe.seenShape, static_cast<int>(Qt::WaitCursor));
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void escStopsTheRunWithoutAMessageAndKeepsTheWindow() {
        StiffHarness h;
        QCoreApplication::postEvent(h.setUp.get(),
                                    new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        h.pressDraw();
        QVERIFY(h.dialogs.shown.empty());
        QCOMPARE(h.session.simulation.pointCount, 1);
        QVERIFY(!h.session.simulation.rangesUpdated);
        QVERIFY(h.setUp->isVisible());  // Esc stopped the run; it did not close the window
        QVERIFY(QApplication::overrideCursor() == nullptr);

        // Without Esc the next run is complete.
        h.pressDraw();
        QVERIFY(h.dialogs.shown.empty());
        QCOMPARE(h.session.simulation.pointCount, 201);
    }
};

QTEST_MAIN(StiffRunWindowTest)
#include "stiff_run_window_test.moc"
