// The output sink and pane: lines from a worker thread arrive in order on
// the interface thread; Clear empties Build and Debug, not Find; runaway
// output is bounded with a note; error lines name their place; Copy and
// Clear of a list.
#include <QClipboard>
#include <QGuiApplication>
#include <QListView>
#include <QtTest>
#include <thread>

#include "debugger/Output/ErrorLocation.h"

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

  void runawayOutputKeepsTheLatestLinesAndANote() {
    COutputListModel model(nullptr, 100);
    for (int chunk = 0; chunk < 30; ++chunk) {
      QStringList lines;
      for (int i = 0; i < 10; ++i) lines << QString::number(chunk * 10 + i);
      model.Append(lines);
    }
    QVERIFY(model.rowCount() <= 101);
    QCOMPARE(model.Dropped() + model.Lines().size(), 300);
    QCOMPARE(model.RowText(0), QStringLiteral("... %1 earlier lines dropped ...").arg(model.Dropped()));
    QCOMPARE(model.Lines().last(), QStringLiteral("299"));
    model.Clear();
    QCOMPARE(model.rowCount(), 0);
  }

  void errorLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("runtime");
    QTest::newRow("compile error") << "ERROR: UNDEFINED_SYMBOL in \"/s/a.kelvra\", line: 12, pos: 9"
                                   << "/s/a.kelvra" << 12 << 9 << false;
    QTest::newRow("runtime error")
        << "thread: 7, RUNTIME ERROR: Division by zero. in \"/s/b.kelvra\", line: 3 ,pos: 14, sym: /"
        << "/s/b.kelvra" << 3 << 14 << true;
    QTest::newRow("no file") << "Build succeeded." << QString() << 0 << 0 << false;
    QTest::newRow("no position") << "ERROR: X in \"/s/a.kelvra\", line: 12" << QString() << 0 << 0 << false;
    QTest::newRow("empty file name") << "ERROR: X in \"\", line: 1, pos: 1" << QString() << 0 << 0 << false;
  }

  void errorLines() {
    QFETCH(QString, text);
    QFETCH(QString, file);
    QFETCH(int, line);
    QFETCH(int, position);
    QFETCH(bool, runtime);
    const std::optional<CErrorLocation> location = ParseErrorLocation(text);
    QCOMPARE(location.has_value(), !file.isEmpty());
    if (!location) return;
    QCOMPARE(location->file, file);
    QCOMPARE(location->line, line);
    QCOMPARE(location->position, position);
    QCOMPARE(location->runtime, runtime);
  }

  void copyAndClearOfAList() {
    COutputSink sink;
    COutputWnd pane(sink);
    sink.Print(script::CHANNEL_RUN, "one\ntwo\nthree");
    pane.CopyLines(COutputWnd::DebugList);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one\ntwo\nthree"));
    QListView* view = pane.View(COutputWnd::DebugList);
    view->selectionModel()->select(view->model()->index(2, 0), QItemSelectionModel::Select);
    view->selectionModel()->select(view->model()->index(0, 0), QItemSelectionModel::Select);
    pane.CopyLines(COutputWnd::DebugList);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("one\nthree"));
    pane.ClearLines(COutputWnd::DebugList);
    QCOMPARE(pane.Model(COutputWnd::DebugList).rowCount(), 0);
  }
};

}  // namespace kelvra::ide

QTEST_MAIN(kelvra::ide::OutputSinkTest)
#include <OutputSinkTest.moc>  // generated by moc from this file
