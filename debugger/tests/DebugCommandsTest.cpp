// When each debug command is enabled: in every DebugState, and never
// without a start-up script; and the texts the commands show.
#include <QtTest>

#include "debugger/Debug/DebugCommands.h"

namespace kelvra::ide {

class DebugCommandsTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void enablingByState_data() {
    QTest::addColumn<int>("state");
    QTest::addColumn<QList<bool>>("enabled");  // Run, Stop, Pause, Step In, Step Over, Step Out
    QTest::newRow("Stopped") << int(DebugState::Stopped) << QList<bool>{true, false, false, true, true, false};
    QTest::newRow("Running") << int(DebugState::Running) << QList<bool>{false, true, true, false, false, false};
    QTest::newRow("Paused") << int(DebugState::Paused) << QList<bool>{true, true, false, true, true, true};
    QTest::newRow("SteppingIn") << int(DebugState::SteppingIn) << QList<bool>{false, true, true, false, false, false};
    QTest::newRow("SteppingOver") << int(DebugState::SteppingOver)
                                  << QList<bool>{false, true, true, false, false, false};
    QTest::newRow("SteppingOut") << int(DebugState::SteppingOut) << QList<bool>{false, true, true, false, false, false};
  }

  void enablingByState() {
    QFETCH(int, state);
    QFETCH(QList<bool>, enabled);
    const auto& table = DebugCommandTable();
    for (size_t i = 0; i < table.size(); ++i) {
      QCOMPARE(IsDebugCommandEnabled(table[i].id, DebugState(state), true), enabled[qsizetype(i)]);
      QVERIFY2(!IsDebugCommandEnabled(table[i].id, DebugState(state), false), table[i].menuText);
    }
  }

  void textsKeysAndPrompts() {
    const auto& table = DebugCommandTable();
    const QStringList menuTexts = {"&Run\tF5",           "&Stop\tShift+F5", "&Pause\tCtl+Alt+Pause",
                                   "Step &In\tF11",      "Step &Over\tF10", "Step O&ut\tShift+F11"};
    const QStringList keys = {"F5", "Shift+F5", "Ctrl+Alt+Pause", "F11", "F10", "Shift+F11"};
    const QStringList prompts = {"Run script", "Stop running script", "Pause running script",
                                 "Step in",    "Step over",           "Step out"};
    const QList<int> ids = {32771, 32772, 32773, 32774, 32775, 32776};
    for (size_t i = 0; i < table.size(); ++i) {
      QCOMPARE(QString::fromLatin1(table[i].menuText), menuTexts[qsizetype(i)]);
      QCOMPARE(QKeySequence(QString::fromLatin1(table[i].key)), QKeySequence(keys[qsizetype(i)]));
      QCOMPARE(QString::fromLatin1(table[i].prompt), prompts[qsizetype(i)]);
      QCOMPARE(int(table[i].id), ids[qsizetype(i)]);
    }
  }
};

}  // namespace kelvra::ide

QTEST_APPLESS_MAIN(kelvra::ide::DebugCommandsTest)
#include "DebugCommandsTest.moc"
