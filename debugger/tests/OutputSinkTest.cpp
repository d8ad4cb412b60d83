// The output sink: lines from a worker thread arrive in order on the
// interface thread; Clear empties Build and Debug, not Find.
#include <QtTest>
#include <thread>

#include "debugger/Output/OutputListModel.h"
#include "debugger/Output/OutputSink.h"
#include "debugger/Output/OutputWnd.h"

namespace kelvra::ide {

class OutputSinkTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void workerLinesArriveInOrder() {
    COutputSink sink;
    COutputWnd pane(sink);
    constexpr int kLines = 20000;
    std::thread worker([&] {
      for (int i = 0; i < kLines; ++i) sink.Print(i % 2, std::to_string(i));
    });
    const COutputListModel& build = pane.Model(COutputWnd::BuildList);
    const COutputListModel& debug = pane.Model(COutputWnd::DebugList);
    QTRY_COMPARE(build.rowCount() + debug.rowCount(), kLines);
    worker.join();
    for (int i = 0; i < kLines / 2; ++i) {
      QCOMPARE(build.Lines()[i], QString::number(2 * i));
      QCOMPARE(debug.Lines()[i], QString::number(2 * i + 1));
    }
  }

  void linesOnTheInterfaceThreadArriveAtOnce() {
    COutputSink sink;
    COutputWnd pane(sink);
    sink.Print(script::CHANNEL_BUILD, "Build succeeded.");
    QCOMPARE(pane.Model(COutputWnd::BuildList).Lines(), QStringList{QStringLiteral("Build succeeded.")});
    QCOMPARE(pane.CurrentList(), COutputWnd::BuildList);
    sink.Print(script::CHANNEL_RUN, "\n\n**** Leaked Objects ****\n");
    QCOMPARE(pane.Model(COutputWnd::DebugList).Lines(),
             QStringList({QString(), QString(), QStringLiteral("**** Leaked Objects ****"), QString()}));
    QCOMPARE(pane.CurrentList(), COutputWnd::DebugList);
    sink.Print(2, "ignored");
    QCOMPARE(pane.Model(COutputWnd::BuildList).rowCount() + pane.Model(COutputWnd::DebugList).rowCount(), 5);
  }

  void clearEmptiesBuildAndDebugOnly() {
    COutputSink sink;
    COutputWnd pane(sink);
    pane.Model(COutputWnd::FindList).Append({QStringLiteral("found")});
    sink.Print(script::CHANNEL_BUILD, "one");
    sink.Print(script::CHANNEL_RUN, "two");
    sink.Clear();
    sink.Print(script::CHANNEL_BUILD, "three");
    QCOMPARE(pane.Model(COutputWnd::BuildList).Lines(), QStringList{QStringLiteral("three")});
    QCOMPARE(pane.Model(COutputWnd::DebugList).rowCount(), 0);
    QCOMPARE(pane.Model(COutputWnd::FindList).rowCount(), 1);
  }
};

}  // namespace kelvra::ide

QTEST_MAIN(kelvra::ide::OutputSinkTest)
#include "OutputSinkTest.moc"
