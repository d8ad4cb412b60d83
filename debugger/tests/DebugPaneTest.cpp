// The debug pane through real runs: a thread's page appears when its run
// starts and goes when it ends; a halted thread shows its call stack, each
// row leading to its own frame's locals and line; the globals; and the
// running look of a page and its tab.
#include <QTreeWidget>
#include <QtTest>

#include "debugger/App/MainFrame.h"
#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Core/QtMessagePump.h"
#include "debugger/Debug/DebugController.h"
#include "debugger/DebugPane/PropertiesWnd.h"
#include "debugger/DebugPane/Tabs.h"
#include "debugger/DebugPane/ThreadPage.h"
#include "debugger/DebugPane/VarList.h"
#include "debugger/DebugPane/VariableModel.h"
#include "debugger/Editor/CodeEditor.h"
#include "debugger/Editor/ScriptArea.h"
#include "debugger/Explorer/FileTree.h"
#include "debugger/tests/TestSupport.h"

namespace kelvra::ide {

namespace {

constexpr int kEventTimeout = 20000;

// A breakpoint at line 4 (from 1) halts three calls deep.
constexpr char kDeepScript[] =
    "struct Point { i32 x; i32 y; };\n"    // 1
    "Point corner;\n"                      // 2
    "function i32 third(i32 c) {\n"        // 3
    "  i32 t3 = c + 3;\n"                  // 4
    "  return t3;\n"                       // 5
    "}\n"                                  // 6
    "function i32 second(i32 b) {\n"       // 7
    "  i32 t2 = third(b + 2);\n"           // 8
    "  return t2;\n"                       // 9
    "}\n"                                  // 10
    "function i32 first(i32 a) {\n"        // 11
    "  i32 t1 = second(a + 1);\n"          // 12
    "  return t1;\n"                       // 13
    "}\n"                                  // 14
    "corner.x = 3;\n"                      // 15
    "i32 result = first(corner.x);\n";     // 16

// The rows of a variable list as "name = value : type", children indented.
QStringList Rows(const CVariableModel& model, const QModelIndex& parent = QModelIndex(), const QString& indent = {}) {
  QStringList rows;
  for (int row = 0; row < model.rowCount(parent); ++row) {
    auto text = [&](int column) { return model.index(row, column, parent).data().toString(); };
    rows << indent + text(CVariableModel::NameColumn) + QStringLiteral(" = ") + text(CVariableModel::ValueColumn) +
                QStringLiteral(" : ") + text(CVariableModel::TypeColumn);
  }
  return rows;
}

QStringList StackRows(const CThreadPage& page) {
  QStringList rows;
  QTreeWidget& stack = page.CallStack();
  for (int i = 0; i < stack.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = stack.topLevelItem(i);
    rows << row->text(CThreadPage::ScopeColumn) + QLatin1Char('|') + row->text(CThreadPage::LocationColumn) +
                QLatin1Char('|') + row->text(CThreadPage::LineColumn);
  }
  return rows;
}

// Clicks the first column of a row.
void ClickRow(QTreeWidget& list, int row) {
  const QRect rect = list.visualItemRect(list.topLevelItem(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 8, rect.center().y()));
}

QStringList TabLabels(const CTabs& tabs) {
  QStringList labels;
  for (int i = 0; i < tabs.count(); ++i) labels << tabs.tabText(i);
  return labels;
}

}  // namespace

class DebugPaneTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() {
    test::UseApplicationNames();
    m_pump = std::make_unique<CQtMessagePump>();
  }
  void cleanupTestCase() { m_pump.reset(); }

  void init() {
    m_frame = std::make_unique<CMainFrame>(
        std::make_unique<CFileTree>("computer", std::vector<CDriveRoot>{{"work", m_dir.path().toStdString(),
                                                                         CTreeNode::FixedDriveImage}}),
        m_prompt);
    m_pauses = 0;
    connect(&m_frame->Controller(), &CDebugController::threadModeReported, this, [this](uint32_t, DebugState mode) {
      if (mode == DebugState::Paused) ++m_pauses;
    });
  }
  void cleanup() { m_frame.reset(); }

  void threadPageComesAndGoesWithTheRun() {
    const QString script = Script(QStringLiteral("pages.kelvra"));
    m_frame->Breakpoints().Add(script, 4);
    CPropertiesWnd& pane = m_frame->DebugPane();
    QCOMPARE(TabLabels(pane.Tabs()), QStringList({"Breakpoints", "Global Variables", "Threads"}));

    QVERIFY(m_frame->Controller().Execute(DebugCommandId::Run));
    const uint32_t thread = WaitForHalt();
    QVERIFY(thread != 0);
    const QString label = QStringLiteral("Thread: %1").arg(thread);
    QCOMPARE(TabLabels(pane.Tabs()), QStringList({"Breakpoints", "Global Variables", "Threads", label}));
    // The halted look: the page brought forward and enabled, its tab
    // untinted, no status.
    CThreadPage* page = pane.Page(thread);
    QCOMPARE(pane.Tabs().currentWidget(), page);
    QVERIFY(page->isEnabled());
    QVERIFY(!pane.Tabs().TabTint(pane.Tabs().IndexOfLabel(label)).isValid());
    QTreeWidgetItem* row = pane.ThreadList()->topLevelItem(0);
    QCOMPARE(row->text(CPropertiesWnd::ThreadIdColumn), QString::number(thread));
    QCOMPARE(row->text(CPropertiesWnd::StatusColumn), QString());
    QCOMPARE(row->text(CPropertiesWnd::LocationColumn), QStringLiteral("i32 third(i32)"));
    QCOMPARE(row->text(CPropertiesWnd::LineColumn), QStringLiteral("4"));
    QVERIFY(!row->icon(CPropertiesWnd::ThreadIdColumn).isNull());

    // The page stays forward while the run goes on; the tab to its left
    // comes forward when it ends.
    QVERIFY(QTest::qWaitFor([&] { return m_frame->Controller().Execute(DebugCommandId::Run); }, kEventTimeout));
    QTRY_VERIFY_WITH_TIMEOUT(!m_frame->Controller().IsRunActive(), kEventTimeout);
    QCOMPARE(TabLabels(pane.Tabs()), QStringList({"Breakpoints", "Global Variables", "Threads"}));
    QCOMPARE(pane.Tabs().currentIndex(), int(CPropertiesWnd::ThreadsTab));
    QCOMPARE(pane.ThreadList()->topLevelItemCount(), 0);
    QCOMPARE(pane.Globals().Model().rowCount(), 0);
  }

  // Each call-stack row shows its own frame's locals and line.
  void callStackThreeCallsDeep() {
    const QString script = Script(QStringLiteral("deep.kelvra"));
    m_frame->Breakpoints().Add(script, 4);
    QVERIFY(m_frame->Controller().Execute(DebugCommandId::Run));
    const uint32_t thread = WaitForHalt();
    CThreadPage& page = *m_frame->DebugPane().Page(thread);
    QCOMPARE(StackRows(page), QStringList({"deep.kelvra|Script|16", "i32 first(i32)|Script|12",
                                           "i32 second(i32)|Script|8", "i32 third(i32)|Script|4"}));
    QCOMPARE(page.CallStack().currentItem(), page.CallStack().topLevelItem(3));
    QCOMPARE(Rows(page.Variables().Model()), QStringList({"c = 6 : i32", "t3 = 0 : i32"}));

    const QStringList locals[] = {
        {"corner = <...> : Point", "result = 0 : i32"},
        {"a = 3 : i32", "t1 = 0 : i32"},
        {"b = 4 : i32", "t2 = 0 : i32"},
        {"c = 6 : i32", "t3 = 0 : i32"},
    };
    auto* editor = qobject_cast<CCodeEditor*>(m_frame->Scripts().ActiveEditor());
    QVERIFY(editor != nullptr);
    m_frame->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
    m_frame->DebugPane().Tabs().setCurrentWidget(&page);
    for (int frame = 0; frame < 4; ++frame) {
      QTreeWidgetItem* row = page.CallStack().topLevelItem(frame);
      ClickRow(page.CallStack(), frame);
      QCOMPARE(Rows(page.Variables().Model()), locals[frame]);
      const int line = row->text(CThreadPage::LineColumn).toInt() - 1;
      QCOMPARE(editor->CurrentLineMarked(), line);
      QCOMPARE(editor->MarksAt(line) & (1U << CCodeEditor::BlueArrowMark), 1U << CCodeEditor::BlueArrowMark);
    }
    // The thread list leads back to where the thread stands.
    CPropertiesWnd& pane = m_frame->DebugPane();
    pane.Tabs().setCurrentIndex(CPropertiesWnd::ThreadsTab);
    ClickRow(*pane.ThreadList(), 0);
    QCOMPARE(pane.Tabs().currentWidget(), &page);
    QCOMPARE(editor->CurrentLineMarked(), 3);
    StopRun();
  }

  // A thread halted in the program's own frame shows the globals in its
  // page and in the "Global Variables" tab; a structure opens to its members.
  void globalsAtTheOutermostFrame() {
    const QString script = Script(QStringLiteral("globals.kelvra"));
    m_frame->Breakpoints().Add(script, 16);
    QVERIFY(m_frame->Controller().Execute(DebugCommandId::Run));
    const uint32_t thread = WaitForHalt();
    CPropertiesWnd& pane = m_frame->DebugPane();
    const QStringList globals{"corner = <...> : Point", "result = 0 : i32"};
    QCOMPARE(Rows(pane.Globals().Model()), globals);
    QCOMPARE(Rows(pane.Page(thread)->Variables().Model()), globals);

    CVarList& list = pane.Globals();
    const QModelIndex corner = list.Model().index(0, 0);
    QVERIFY(list.Model().hasChildren(corner));
    list.expand(corner);
    QCOMPARE(Rows(list.Model(), corner), QStringList({"x = 3 : i32", "y = 0 : i32"}));
    StopRun();
  }

  // A pick in any variable list's menu sets the format and the "Address"
  // column of all of them, the pages made later included.
  void valueFormatsAndAddressColumn() {
    const QString script = Script(QStringLiteral("formats.kelvra"));
    m_frame->Breakpoints().Add(script, 4);
    QVERIFY(m_frame->Controller().Execute(DebugCommandId::Run));
    const uint32_t thread = WaitForHalt();
    CPropertiesWnd& pane = m_frame->DebugPane();
    CVarList& locals = pane.Page(thread)->Variables();
    QVERIFY(!locals.ShowsAddress());

    Q_EMIT locals.viewWanted(script::VIEW_HEX);
    QCOMPARE(Rows(locals.Model()), QStringList({"c = 0x00000006 : i32", "t3 = 0x00000000 : i32"}));
    Q_EMIT pane.Globals().viewWanted(script::VIEW_BINARY);
    QCOMPARE(Rows(locals.Model()).value(0), QStringLiteral("c = 00000000000000000000000000000110 : i32"));
    QCOMPARE(locals.Model().View(), pane.Globals().Model().View());
    Q_EMIT locals.viewWanted(script::VIEW_DEFAULT);
    QCOMPARE(Rows(locals.Model()).value(0), QStringLiteral("c = 6 : i32"));

    Q_EMIT locals.showAddressWanted(true);
    QVERIFY(locals.ShowsAddress() && pane.Globals().ShowsAddress());
    const QString address = locals.Model().index(0, CVariableModel::AddressColumn).data().toString();
    QVERIFY2(address.startsWith(QStringLiteral("0x")) && address.size() > 2, qPrintable(address));
    QCOMPARE(locals.Model().headerData(CVariableModel::AddressColumn, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Address"));
    Q_EMIT locals.showAddressWanted(false);
    QVERIFY(!locals.ShowsAddress() && !pane.Globals().ShowsAddress());
    StopRun();
  }

  // A running thread's page is disabled and its tab tinted; a click in the
  // thread list brings its page forward.
  void runningLookAndThreadListClick() {
    CPropertiesWnd pane(m_frame->Breakpoints());
    pane.AddThread(41);
    pane.AddThread(42);
    CTabs& tabs = pane.Tabs();
    CThreadPage* page = pane.Page(42);
    QVERIFY(!page->isEnabled());
    QCOMPARE(tabs.TabTint(tabs.indexOf(page)), QColor(255, 153, 153));
    QCOMPARE(page->palette().color(QPalette::Disabled, QPalette::Text), QColor(255, 64, 64));
    QCOMPARE(pane.ThreadList()->topLevelItem(1)->text(CPropertiesWnd::StatusColumn), QStringLiteral("blocked"));

    pane.MarkThread(42, true);
    QVERIFY(page->isEnabled());
    QVERIFY(!tabs.TabTint(tabs.indexOf(page)).isValid());
    QCOMPARE(pane.ThreadList()->topLevelItem(1)->text(CPropertiesWnd::StatusColumn), QString());
    // Events for a thread without a page change nothing else.
    pane.MarkThread(99, true);
    QCOMPARE(tabs.count(), 5);

    QTreeWidget& threads = *pane.ThreadList();
    pane.show();
    tabs.setCurrentIndex(CPropertiesWnd::ThreadsTab);
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    ClickRow(threads, 1);
    QCOMPARE(tabs.currentWidget(), page);
    QCOMPARE(pane.Caption(), QStringLiteral("Thread: 42"));

    pane.RemoveThread(42);
    QCOMPARE(tabs.currentWidget(), pane.Page(41));
    QCOMPARE(threads.topLevelItemCount(), 1);
  }

 private:
  QString Script(const QString& name) {
    const QString path = test::WriteFile(m_dir, name, kDeepScript);
    m_frame->Controller().SetStartupScript(path);
    return path;
  }

  // The run's thread once it halted and its page shows the halt. The halt
  // is complete when the threads' pause has been reported too; only then
  // does the engine take the next command as meant.
  uint32_t WaitForHalt() {
    CPropertiesWnd& pane = m_frame->DebugPane();
    uint32_t thread = 0;
    const bool halted = QTest::qWaitFor(
        [&] {
          if (m_pauses == 0 || m_frame->Controller().State() != DebugState::Paused ||
              pane.ThreadList()->topLevelItemCount() != 1) {
            return false;
          }
          thread = pane.ThreadList()->topLevelItem(0)->data(0, Qt::UserRole).toUInt();
          const CThreadPage* page = pane.Page(thread);
          return page != nullptr && page->IsHalted() && page->CallStack().topLevelItemCount() > 0;
        },
        kEventTimeout);
    return halted ? thread : 0;
  }

  void StopRun() {
    QVERIFY(QTest::qWaitFor([&] { return m_frame->Controller().Execute(DebugCommandId::Stop); }, kEventTimeout));
    QVERIFY(!m_frame->Controller().IsRunActive());
    QCOMPARE(m_frame->DebugPane().Tabs().count(), 3);
  }

  QTemporaryDir m_dir;
  test::CFakePrompt m_prompt;
  std::unique_ptr<CQtMessagePump> m_pump;
  std::unique_ptr<CMainFrame> m_frame;
  int m_pauses = 0;
};

}  // namespace kelvra::ide

QTEST_MAIN(kelvra::ide::DebugPaneTest)
#include <DebugPaneTest.moc>  // generated by moc from this file
