// The main window as a user meets it: menus, tool bar, panes at their
// places, debug commands that follow the start-up script, dropped files,
// remembered size, layout and recent files, the About box, looks, the
// command line and the screenshot.
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStyleFactory>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include "debugger/App/AboutDialog.h"
#include "debugger/App/CommandLine.h"
#include "debugger/App/MainFrame.h"
#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Core/ApplicationLook.h"
#include "debugger/Core/QtMessagePump.h"
#include "debugger/Core/RecentFiles.h"
#include "debugger/Debug/DebugController.h"
#include "debugger/DebugPane/PropertiesWnd.h"
#include "debugger/Editor/CodeEditor.h"
#include "debugger/Editor/FindDialog.h"
#include "debugger/Editor/Scintilla.h"
#include "debugger/Editor/ScriptArea.h"
#include "debugger/Editor/ScriptEditor.h"
#include "debugger/Explorer/FileTree.h"
#include "debugger/Explorer/FileView.h"
#include "debugger/Output/OutputListModel.h"
#include "debugger/Output/OutputWnd.h"
#include "debugger/Settings/DebuggerSettings.h"
#include "debugger/tests/TestSupport.h"

namespace kelvra::ide {

using Pane = CMainFrame::Pane;
using Command = CMainFrame::Command;

class MainFrameTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    test::UseApplicationNames();
    QSettings().clear();
    m_pump = std::make_unique<CQtMessagePump>();
    m_script = test::WriteFile(m_dir, QStringLiteral("scripts/hello.kelvra"), "i32 x = 1;\n");
  }

  void init() { m_frame = NewFrame(); }
  void cleanup() { m_frame.reset(); }
  void cleanupTestCase() { m_pump.reset(); }

  void menusAndToolBar() {
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("KelvraDebugger"));
    QStringList menus;
    for (QAction* menu : m_frame->menuBar()->actions()) menus << menu->text();
    QCOMPARE(menus, QStringList({"&File", "&Edit", "&View", "&Debug", "&Window", "&Help"}));
    QStringList debugTexts;
    for (QAction* action : m_frame->menuBar()->actions()[3]->menu()->actions()) debugTexts << action->text();
    QCOMPARE(debugTexts, QStringList({"&Run\tF5", "&Stop\tShift+F5", "&Pause\tCtl+Alt+Pause", "Step &In\tF11",
                                      "Step &Over\tF10", "Step O&ut\tShift+F11"}));
    QCOMPARE(m_frame->DebugAction(DebugCommandId::Pause)->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Pause));
    QCOMPARE(m_frame->DebugAction(DebugCommandId::Pause)->statusTip(), QStringLiteral("Pause running script"));

    auto* toolBar = m_frame->findChild<QToolBar*>(QStringLiteral("StandardToolBar"));
    QVERIFY(toolBar != nullptr);
    QStringList order;
    for (QAction* action : toolBar->actions()) {
      if (action->isSeparator()) {
        order << QStringLiteral("|");
        continue;
      }
      order << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
      // No empty buttons: every tool has an icon that draws and a tip.
      QVERIFY2(!action->icon().pixmap(QSize(16, 16)).isNull(), qPrintable(action->text()));
      QVERIFY(!action->toolTip().isEmpty());
    }
    QCOMPARE(order, QStringList({"New", "Open...", "Save", "|", "Cut", "Copy", "Paste", "|", "Run", "Stop", "Pause",
                                 "Step In", "Step Over", "Step Out", "|", "Print...", "About KelvraDebugger..."}));
  }

  void panesAtTheirPlaces() {
    QCOMPARE(m_frame->dockWidgetArea(m_frame->Dock(Pane::FileView)), Qt::LeftDockWidgetArea);
    QCOMPARE(m_frame->dockWidgetArea(m_frame->Dock(Pane::FunctionBrowser)), Qt::LeftDockWidgetArea);
    QCOMPARE(m_frame->dockWidgetArea(m_frame->Dock(Pane::Output)), Qt::BottomDockWidgetArea);
    QCOMPARE(m_frame->dockWidgetArea(m_frame->Dock(Pane::Debug)), Qt::RightDockWidgetArea);
    QVERIFY(m_frame->tabifiedDockWidgets(m_frame->Dock(Pane::FileView)).contains(m_frame->Dock(Pane::FunctionBrowser)));
    QCOMPARE(m_frame->Dock(Pane::FileView)->windowTitle(), QStringLiteral("File View"));
    QCOMPARE(m_frame->Dock(Pane::FunctionBrowser)->windowTitle(), QStringLiteral("Function Browser"));
    QCOMPARE(m_frame->Dock(Pane::Output)->windowTitle(), QStringLiteral("Output"));
    QCOMPARE(m_frame->Dock(Pane::Debug)->windowTitle(), QStringLiteral("Breakpoints"));
    // The debug pane's caption follows its tab.
    auto* tabs = m_frame->DebugPane().findChild<QTabWidget*>();
    QCOMPARE(tabs->tabText(1), QStringLiteral("Global Variables"));
    tabs->setCurrentIndex(2);
    QCOMPARE(m_frame->Dock(Pane::Debug)->windowTitle(), QStringLiteral("Threads"));
  }

  void debugCommandsFollowTheStartupScript() {
    auto enabled = [this] {
      QList<bool> states;
      for (DebugCommandId id : {DebugCommandId::Run, DebugCommandId::Stop, DebugCommandId::Pause,
                                DebugCommandId::StepIn, DebugCommandId::StepOver, DebugCommandId::StepOut}) {
        states << m_frame->DebugAction(id)->isEnabled();
      }
      return states;
    };
    QCOMPARE(enabled(), QList<bool>({false, false, false, false, false, false}));
    QVERIFY(m_frame->SetStartupScript(m_script));
    QCOMPARE(m_frame->Controller().StartupScript(), m_script);
    QCOMPARE(enabled(), QList<bool>({true, false, false, true, true, false}));
    QCOMPARE(m_frame->Scripts().Editors().size(), size_t(1));
    m_frame->Explorer().Execute(ExplorerCommand::ClearStartup);
    QCOMPARE(enabled(), QList<bool>({false, false, false, false, false, false}));
    // A disabled command does nothing, whatever triggers it.
    QVERIFY(!m_frame->Controller().Execute(DebugCommandId::Run));
  }

  void compilingTheStartupScriptClearsItsMark() {
    QVERIFY(m_frame->SetStartupScript(m_script));
    QCOMPARE(m_frame->Explorer().Selected()->Name(), std::string("hello.kelvra"));
    m_frame->Explorer().Execute(ExplorerCommand::Compile);
    QVERIFY(m_frame->Output().Model(COutputWnd::BuildList).rowCount() > 0);
    QCOMPARE(m_frame->Controller().StartupScript(), QString());
    QVERIFY(!m_frame->DebugAction(DebugCommandId::Run)->isEnabled());
  }

  // The engine's own error line leads to the script, the line and the word.
  void errorLineOpensTheScriptAtTheWord() {
    const QString broken = test::WriteFile(m_dir, QStringLiteral("scripts/broken.kelvra"), "i32 a = 1;\ni32 b = nosuch;\n");
    QVERIFY(m_frame->SetStartupScript(broken));
    m_frame->Scripts().CloseAll();
    QVERIFY(!m_frame->Controller().Execute(DebugCommandId::Run));
    const COutputListModel& build = m_frame->Output().Model(COutputWnd::BuildList);
    const qsizetype row = build.Lines().indexOf(build.Lines().filter(QStringLiteral("ERROR: ")).value(0));
    QVERIFY2(row >= 0, qPrintable(build.Lines().join(QLatin1Char('|'))));
    m_frame->Output().ActivateLine(COutputWnd::BuildList, static_cast<int>(row));
    auto* editor = qobject_cast<CCodeEditor*>(m_frame->Scripts().ActiveEditor());
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->Path(), QFileInfo(broken).absoluteFilePath());
    QCOMPARE(editor->CurrentLineMarked(), 1);
    QCOMPARE(editor->MarksAt(1), 1U << CCodeEditor::DarkRedArrowMark);
    QVERIFY(!editor->TextWidget()->selectedText().isEmpty());
    QVERIFY(QStringLiteral("i32 b = nosuch;").contains(editor->TextWidget()->selectedText()));
  }

  // Find selects the next place and lists every place; a listed place
  // opens the script at its line with the text selected.
  void findFillsTheFindListAndLeadsBack() {
    const QString script = test::WriteFile(m_dir, QStringLiteral("scripts/find.kelvra"),
                                           "i32 total = 0;\ni32 i;\nfor (i = 0; i < 3; i++) total = total + i;\n");
    auto* editor = qobject_cast<CCodeEditor*>(m_frame->OpenFile(script));
    QVERIFY(editor != nullptr);
    QVERIFY(m_frame->Action(Command::Find)->isEnabled());
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    editor->setFocus();
    QTest::keyClick(editor->TextWidget(), Qt::Key_F, Qt::ControlModifier);
    auto* dialog = m_frame->findChild<CFindDialog*>();
    QVERIFY(dialog != nullptr && dialog->isVisible());
    QVERIFY(m_frame->Find({QStringLiteral("Total"), false, true}, true));
    QCOMPARE(editor->TextWidget()->selectedText(), QStringLiteral("total"));
    const COutputListModel& found = m_frame->Output().Model(COutputWnd::FindList);
    const QString file = QFileInfo(script).absoluteFilePath();
    QCOMPARE(found.Lines(), QStringList({QStringLiteral("Find \"Total\" in %1: 3 found").arg(file),
                                         QStringLiteral("\"%1\", line: 1, pos: 5: i32 total = 0;").arg(file),
                                         QStringLiteral("\"%1\", line: 3, pos: 25: for (i = 0; i < 3; i++) total = total + i;").arg(file),
                                         QStringLiteral("\"%1\", line: 3, pos: 33: for (i = 0; i < 3; i++) total = total + i;").arg(file)}));
    QCOMPARE(m_frame->Output().CurrentList(), COutputWnd::FindList);
    QVERIFY(!m_frame->Find({QStringLiteral("nowhere"), false, false}, true));

    m_frame->Find({QStringLiteral("total"), true, false}, true);
    m_frame->Scripts().CloseAll();
    m_frame->Output().ActivateLine(COutputWnd::FindList, 3);
    editor = qobject_cast<CCodeEditor*>(m_frame->Scripts().ActiveEditor());
    QVERIFY(editor != nullptr);
    int line = 0;
    int index = 0;
    editor->TextWidget()->getCursorPosition(&line, &index);
    QCOMPARE(line, 2);
    QCOMPARE(editor->TextWidget()->selectedText(), QStringLiteral("total"));
    m_frame->Output().ActivateLine(COutputWnd::FindList, 0);  // the heading leads nowhere

    m_prompt.lineAnswer = 2;
    m_frame->GoToLine();
    QCOMPARE(m_prompt.lineQuestions.last(), QStringLiteral("3 of 4"));
    QCOMPARE(editor->CaretLine(), 1);
    m_prompt.lineAnswer = 0;  // cancelled
    m_frame->GoToLine();
    QCOMPARE(editor->CaretLine(), 1);
  }

  void closingTheWindowStopsAHaltedRun() {
    QVERIFY(m_frame->SetStartupScript(m_script));
    m_frame->Breakpoints().Add(m_script, 1);
    QVERIFY(m_frame->Controller().Execute(DebugCommandId::Run));
    QTRY_COMPARE(m_frame->Controller().State(), DebugState::Paused);
    QVERIFY(m_frame->Scripts().Editors().front()->IsReadOnly());
    QVERIFY(m_frame->close());
    QVERIFY(!m_frame->Controller().IsRunActive());
    QCOMPARE(m_frame->Controller().State(), DebugState::Stopped);
  }

  void droppedFilesOpen() {
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    const QString text = test::WriteFile(m_dir, QStringLiteral("notes.txt"), "text");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(m_script), QUrl::fromLocalFile(text)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_frame.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_frame.get(), &drop);
    QCOMPARE(m_frame->Scripts().Editors().size(), size_t(1));
    QCOMPARE(m_prompt.errors.size(), 1);
    QCOMPARE(m_frame->windowTitle(), QStringLiteral("hello.kelvra - KelvraDebugger"));
  }

  void sizeLayoutAndRecentFilesAreRemembered() {
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    m_frame->resize(900, 650);
    m_frame->Dock(Pane::Output)->hide();
    QVERIFY(m_frame->OpenFile(m_script) != nullptr);
    QVERIFY(m_frame->close());
    m_frame = NewFrame();
    QCOMPARE(m_frame->size(), QSize(900, 650));
    QVERIFY(m_frame->Dock(Pane::Output)->isHidden());
    QCOMPARE(m_frame->RecentFiles().Files().value(0), m_script);
    QSettings().clear();
  }

  // The settings file: a malformed one is reported and replaced; each
  // breakpoint and the start-up script are written at once, the variable
  // lists' options at exit, and all come back in the next window.
  void settingsKeepBreakpointsAndTheStartupScript() {
    const QString path = test::WriteFile(m_dir, QStringLiteral("config/debugger.data"), "<root><breakpoints>");
    const QString second = test::WriteFile(m_dir, QStringLiteral("scripts/second.kelvra"), "i32 y = 2;\n");
    CDebuggerSettings settings(path);
    m_frame->UseSettings(settings);
    const COutputListModel& build = m_frame->Output().Model(COutputWnd::BuildList);
    QVERIFY(build.rowCount() > 0);
    QVERIFY(build.index(build.rowCount() - 1).data().toString().contains(QStringLiteral("debugger.data.bad")));

    m_frame->Breakpoints().Add(second, 3);
    m_frame->Breakpoints().Add(m_script, 10);
    m_frame->Breakpoints().Add(m_script, 9);
    QVERIFY(m_frame->SetStartupScript(m_script));
    const QString folder = QFileInfo(m_script).path();
    const std::vector<CSettingsBreakpoint> written{
        {folder, "hello.kelvra", 9}, {folder, "hello.kelvra", 10}, {folder, "second.kelvra", 3}};
    CDebuggerSettings onDisk(path);
    QCOMPARE(onDisk.Load(), CDebuggerSettings::LoadOutcome::Loaded);
    QCOMPARE(onDisk.Breakpoints(), written);
    QCOMPARE(onDisk.StartupFile(), QStringLiteral("hello.kelvra"));

    m_frame->DebugPane().SetView(script::VIEW_BINARY);
    m_frame->DebugPane().SetShowAddress(true);
    QVERIFY(m_frame->close());
    m_frame = NewFrame();
    CDebuggerSettings restarted(path);
    m_frame->UseSettings(restarted);
    QVERIFY(m_frame->Breakpoints().Contains(m_script, 9));
    QVERIFY(m_frame->Breakpoints().Contains(second, 3));
    QCOMPARE(m_frame->Controller().StartupScript(), m_script);
    QCOMPARE(m_frame->DebugPane().View(), script::VIEW_BINARY);
    QVERIFY(m_frame->DebugPane().ShowsAddress());
    m_frame.reset();
    QSettings().clear();
  }

  void screenshotRendersTheWindow() {
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    const QString path = QDir(m_dir.path()).filePath(QStringLiteral("shot.png"));
    QVERIFY(m_frame->SaveScreenshot(path));
    const QImage image(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), m_frame->size() * m_frame->devicePixelRatio());
  }

  void aboutBox() {
    CAboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About KelvraDebugger"));
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
    QVERIFY(texts.contains(QStringLiteral("Kelvra Script Debugger")));
  }

  void looksAreOfferedAndRemembered() {
    const QStringList looks = CApplicationLook::Looks();
    QVERIFY(looks.contains(QStringLiteral("Fusion")));
    QVERIFY(looks.contains(CApplicationLook::kLight) && looks.contains(CApplicationLook::kDark));
    QSettings settings;
    CApplicationLook::Store(settings, CApplicationLook::kDark);
    QCOMPARE(CApplicationLook::Stored(settings), CApplicationLook::kDark);
    CApplicationLook::Apply(CApplicationLook::kDark);
    QVERIFY(QApplication::palette().color(QPalette::Window).lightness() < 100);
    CApplicationLook::Apply(CApplicationLook::kLight);
    QVERIFY(QApplication::palette().color(QPalette::Window).lightness() > 150);
    settings.clear();
  }

  void commandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("startup");
    QTest::addColumn<QString>("screenshot");
    QTest::addColumn<bool>("wrong");
    QTest::newRow("files") << QStringList{"ide", "a.kelvra", "b.bin"} << QStringList{"a.kelvra", "b.bin"} << ""
                           << "" << false;
    QTest::newRow("options") << QStringList{"ide", "--startup", "s.kelvra", "--screenshot", "x.png"} << QStringList{}
                             << "s.kelvra"
                             << "x.png" << false;
    QTest::newRow("missing value") << QStringList{"ide", "--screenshot"} << QStringList{} << "" << "" << true;
    QTest::newRow("unknown option") << QStringList{"ide", "--fast"} << QStringList{} << "" << "" << true;
  }

  void commandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, files);
    QFETCH(QString, startup);
    QFETCH(QString, screenshot);
    QFETCH(bool, wrong);
    const CCommandLine command = CCommandLine::Parse(arguments);
    QCOMPARE(!command.error.isEmpty(), wrong);
    if (wrong) return;
    QCOMPARE(command.files, files);
    QCOMPARE(command.startup, startup);
    QCOMPARE(command.screenshot, screenshot);
  }

 private:
  std::unique_ptr<CMainFrame> NewFrame() {
    return std::make_unique<CMainFrame>(
        std::make_unique<CFileTree>("computer",
                                    std::vector<CDriveRoot>{{"work", m_dir.path().toStdString(),
                                                             CTreeNode::FixedDriveImage}}),
        m_prompt);
  }

  QTemporaryDir m_dir;
  QString m_script;
  test::CFakePrompt m_prompt;
  std::unique_ptr<CQtMessagePump> m_pump;
  std::unique_ptr<CMainFrame> m_frame;
};

}  // namespace kelvra::ide

QTEST_MAIN(kelvra::ide::MainFrameTest)
#include <MainFrameTest.moc>  // generated by moc from this file
