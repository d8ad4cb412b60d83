// Debug sessions through the real engine and worker thread: start-up
// script, F5 to a breakpoint, steps over, into and out of a function, Stop;
// Stop while a script spins in an endless loop and while it is halted; a
// script that does not compile. Every wait follows an engine event.
#include <QSignalSpy>
#include <QtTest>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Core/QtMessagePump.h"
#include "debugger/Debug/DebugController.h"
#include "debugger/Debug/ScriptSaver.h"
#include "debugger/Output/OutputSink.h"
#include "debugger/tests/TestSupport.h"

namespace kelvra::ide {

namespace {

constexpr int kEventTimeout = 20000;

// Line indexes (from 0) of the script below.
constexpr char kScript[] =
    "function i32 twice(i32 v) {\n"  // 0
    "  i32 r = v * 2;\n"             // 1
    "  return r;\n"                  // 2
    "}\n"                            // 3
    "i32 a = 1;\n"                   // 4
    "i32 b = twice(a);\n"            // 5
    "i32 c = twice(b);\n"            // 6
    "i32 d = c + 1;\n";              // 7

class CCountingSaver final : public CScriptSaver {
 public:
  bool SaveModifiedScripts() override {
    ++calls;
    return allow;
  }
  int calls = 0;
  bool allow = true;
};

}  // namespace

class DebugSessionTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { m_pump = std::make_unique<CQtMessagePump>(); }
  void cleanupTestCase() { m_pump.reset(); }

  void init() {
    m_output.clear();
    m_sink = std::make_unique<COutputSink>();
    connect(m_sink.get(), &COutputSink::linesPrinted, this, [this](int channel, const QStringList& lines) {
      for (const QString& line : lines) m_output << QString::number(channel) + QLatin1Char(':') + line;
    });
    m_breakpoints = std::make_unique<CBreakpointStore>();
    m_saver = CCountingSaver();
    m_controller = std::make_unique<CDebugController>(*m_sink, *m_breakpoints, m_saver);
    m_journal.clear();
    connect(m_controller.get(), &CDebugController::breakReached, this,
            [this](const QString&, int line) { m_journal << QStringLiteral("break %1").arg(line); });
    connect(m_controller.get(), &CDebugController::threadModeReported, this, [this](uint32_t, DebugState mode) {
      if (mode == DebugState::Paused) m_journal << QStringLiteral("pause");
    });
  }

  void cleanup() {
    m_controller.reset();
    m_breakpoints.reset();
    m_sink.reset();
  }

  void breakpointStepsAndStop() {
    const QString script = test::WriteFile(m_dir, QStringLiteral("steps.kelvra"), kScript);
    m_controller->SetStartupScript(script);
    m_breakpoints->Add(script, 6);  // b = twice(a)
    QSignalSpy breaks(m_controller.get(), &CDebugController::breakReached);
    QSignalSpy readOnly(m_controller.get(), &CDebugController::editorsReadOnly);
    QSignalSpy finished(m_controller.get(), &CDebugController::runFinished);

    QVERIFY(m_controller->Execute(DebugCommandId::Run));
    QCOMPARE(m_saver.calls, 1);
    QVERIFY(m_output.contains(QStringLiteral("0:Build succeeded.")));
    QVERIFY(HaltAt(0, 5));
    QCOMPARE(m_controller->State(), DebugState::Paused);
    QVERIFY(m_breakpoints->Breakpoints().front().confirmed);
    QVERIFY(!readOnly.isEmpty() && readOnly.first().first().toBool());
    QCOMPARE(breaks.first().at(0).toString(), script);

    QVERIFY(StepTo(DebugCommandId::StepOver, 6));
    QVERIFY(StepTo(DebugCommandId::StepIn, 1));
    QVERIFY(StepTo(DebugCommandId::StepOut, 7));
    QCOMPARE(m_controller->State(), DebugState::Paused);

    QVERIFY(m_controller->Execute(DebugCommandId::Stop));
    QCOMPARE(m_controller->State(), DebugState::Stopped);
    QCOMPARE(finished.size(), 1);
    QVERIFY(!m_controller->IsRunActive());
    QCOMPARE(m_controller->Session(), nullptr);
    QVERIFY(!readOnly.last().first().toBool());
    // The leak report follows every run, and the confirmations are gone.
    QVERIFY(m_output.contains(QStringLiteral("1:**** Leaked Memory Blocks ****")));
    QVERIFY(!m_breakpoints->Breakpoints().front().confirmed);
  }

  void runWhilePausedResumesTheSameRun() {
    const QString script = test::WriteFile(m_dir, QStringLiteral("resume.kelvra"), kScript);
    m_controller->SetStartupScript(script);
    m_breakpoints->Add(script, 5);
    QSignalSpy runs(m_controller.get(), &CDebugController::runChanged);
    QSignalSpy finished(m_controller.get(), &CDebugController::runFinished);
    QVERIFY(m_controller->Execute(DebugCommandId::Run));
    QVERIFY(HaltAt(0, 4));
    QVERIFY(QTest::qWaitFor([&] { return m_controller->Execute(DebugCommandId::Run); }, kEventTimeout));
    QVERIFY(QTest::qWaitFor([&] { return finished.size() == 1; }, kEventTimeout));
    QCOMPARE(m_saver.calls, 1);
    QCOMPARE(runs.size(), 2);  // prepared once, forgotten once
    QTRY_VERIFY_WITH_TIMEOUT(!m_controller->IsRunActive(), kEventTimeout);
    QCOMPARE(m_controller->State(), DebugState::Stopped);
  }

  void stopDuringAnEndlessLoop() {
    m_controller->SetStartupScript(test::WriteFile(m_dir, QStringLiteral("spin.kelvra"),
                                                   "i32 n = 0;\nwhile (true) {\n  n = n + 1;\n}\n"));
    QSignalSpy finished(m_controller.get(), &CDebugController::runFinished);
    QVERIFY(m_controller->Execute(DebugCommandId::Run));
    QTRY_COMPARE_WITH_TIMEOUT(m_controller->State(), DebugState::Running, kEventTimeout);
    QVERIFY(m_controller->IsCommandEnabled(DebugCommandId::Pause));
    QVERIFY(m_controller->Execute(DebugCommandId::Stop));
    QCOMPARE(m_controller->State(), DebugState::Stopped);
    QCOMPARE(finished.size(), 1);
    QVERIFY(!m_controller->IsRunActive());
  }

  void pauseThenStopWhileHalted() {
    m_controller->SetStartupScript(test::WriteFile(m_dir, QStringLiteral("pause.kelvra"),
                                                   "i32 n = 0;\nwhile (true) {\n  n = n + 1;\n}\n"));
    QVERIFY(m_controller->Execute(DebugCommandId::Run));
    QTRY_COMPARE_WITH_TIMEOUT(m_controller->State(), DebugState::Running, kEventTimeout);
    QVERIFY(StepTo(DebugCommandId::Pause, -1));
    QCOMPARE(m_controller->State(), DebugState::Paused);
    QVERIFY(m_controller->Execute(DebugCommandId::Stop));
    QCOMPARE(m_controller->State(), DebugState::Stopped);
    QVERIFY(!m_controller->IsRunActive());
  }

  void stepInStartsHeldBeforeTheFirstStatement() {
    m_controller->SetStartupScript(test::WriteFile(m_dir, QStringLiteral("first.kelvra"), kScript));
    QVERIFY(m_controller->Execute(DebugCommandId::StepIn));
    QVERIFY(HaltAt(0, 4));
    QVERIFY(m_controller->Execute(DebugCommandId::Stop));
    QVERIFY(!m_controller->IsRunActive());
  }

  void scriptThatDoesNotCompileLeavesNoRun() {
    m_controller->SetStartupScript(test::WriteFile(m_dir, QStringLiteral("broken.kelvra"), "i32 x = ;\n"));
    QVERIFY(!m_controller->Execute(DebugCommandId::Run));
    QCOMPARE(m_controller->Session(), nullptr);
    QVERIFY(!m_controller->IsRunActive());
    QCOMPARE(m_controller->State(), DebugState::Stopped);
    QVERIFY(!m_output.filter(QStringLiteral("0:ERROR: ")).isEmpty());
  }

  void nothingRunsWithoutStartupScriptOrWhenSavingIsRefused() {
    QVERIFY(!m_controller->Execute(DebugCommandId::Run));
    QCOMPARE(m_saver.calls, 0);
    m_controller->SetStartupScript(test::WriteFile(m_dir, QStringLiteral("refused.kelvra"), kScript));
    m_saver.allow = false;
    QVERIFY(!m_controller->Execute(DebugCommandId::Run));
    QCOMPARE(m_saver.calls, 1);
    QCOMPARE(m_controller->Session(), nullptr);
    QVERIFY(m_output.isEmpty());
  }

 private:
  // Issues a command, retrying while the engine is busy finishing a report,
  // and waits until the thread halts at a line (from 0; -1 for any).
  bool StepTo(DebugCommandId command, int line) {
    const qsizetype seen = m_journal.size();
    if (!m_controller->IsCommandEnabled(command)) return false;
    if (!QTest::qWaitFor([&] { return m_controller->Execute(command); }, kEventTimeout)) return false;
    return HaltAt(seen, line);
  }

  // A halt is complete when both its position report and the pause of the
  // threads have arrived (in either order); only then does the engine take
  // the next command.
  bool HaltAt(qsizetype seen, int line) {
    return QTest::qWaitFor(
        [&] {
          const QStringList reports = m_journal.mid(seen);
          const bool halted = line < 0 ? !reports.filter(QStringLiteral("break ")).isEmpty()
                                       : reports.contains(QStringLiteral("break %1").arg(line));
          return halted && reports.contains(QStringLiteral("pause"));
        },
        kEventTimeout);
  }

  QTemporaryDir m_dir;
  std::unique_ptr<CQtMessagePump> m_pump;
  std::unique_ptr<COutputSink> m_sink;
  std::unique_ptr<CBreakpointStore> m_breakpoints;
  CCountingSaver m_saver;
  std::unique_ptr<CDebugController> m_controller;
  QStringList m_output;
  // The halts and pauses the controller was told of, in order.
  QStringList m_journal;
};

}  // namespace kelvra::ide

QTEST_MAIN(kelvra::ide::DebugSessionTest)
#include <DebugSessionTest.moc>  // generated by moc from this file
