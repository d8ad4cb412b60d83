// Modified scripts before a run: one Yes/No/Cancel question naming them
// all; only Yes saves and lets the run start. Closing a modified script
// asks about it alone.
#include <QPlainTextEdit>
#include <QtTest>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Core/QtMessagePump.h"
#include "debugger/Debug/DebugController.h"
#include "debugger/Editor/PlainScriptEditor.h"
#include "debugger/Editor/ScriptArea.h"
#include "debugger/Output/OutputSink.h"
#include "debugger/tests/TestSupport.h"

namespace kelvra::ide {

using Answer = CUserPrompt::Answer;

class SaveQuestionTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    m_prompt = test::CFakePrompt();
    m_area = std::make_unique<CScriptArea>(m_breakpoints, m_prompt);
    m_first = test::WriteFile(m_dir, QStringLiteral("first.kelvra"), "i32 a = 1;\n");
    m_second = test::WriteFile(m_dir, QStringLiteral("second.kelvra"), "i32 b = 2;\n");
  }

  void noQuestionWhenNothingChanged() {
    QVERIFY(m_area->OpenScriptView(m_first) != nullptr);
    QVERIFY(m_area->SaveModifiedScripts());
    QVERIFY(m_prompt.questions.isEmpty());
  }

  void oneQuestionNamesEveryModifiedScript_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("proceeds");
    QTest::newRow("Yes") << int(Answer::Yes) << true;
    QTest::newRow("No") << int(Answer::No) << false;
    QTest::newRow("Cancel") << int(Answer::Cancel) << false;
  }

  void oneQuestionNamesEveryModifiedScript() {
    QFETCH(int, answer);
    QFETCH(bool, proceeds);
    Edit(m_area->OpenScriptView(m_first), "// edited\n");
    Edit(m_area->OpenScriptView(m_second), "// edited\n");
    QVERIFY(m_area->OpenScriptView(test::WriteFile(m_dir, QStringLiteral("third.kelvra"), "i32 c;\n")) != nullptr);
    m_prompt.answers = {Answer(answer)};
    QCOMPARE(m_area->SaveModifiedScripts(), proceeds);
    QCOMPARE(m_prompt.questions, QStringList{QStringLiteral("Save changes to '%1, %2'?").arg(m_first, m_second)});
    QCOMPARE(test::ReadFile(m_first).startsWith("// edited"), proceeds);
    QCOMPARE(test::ReadFile(m_second).startsWith("// edited"), proceeds);
    QCOMPARE(m_area->EditorFor(m_first)->IsModified(), !proceeds);
  }

  void newScriptIsSavedUnderTheNameAskedFor() {
    CScriptEditor* editor = m_area->NewScript();
    Edit(editor, "i32 fresh = 3;\n");
    m_prompt.answers = {Answer::Yes};
    m_prompt.savePath = QDir(m_dir.path()).filePath(QStringLiteral("fresh.kelvra"));
    QVERIFY(m_area->SaveModifiedScripts());
    QCOMPARE(m_prompt.questions, QStringList{QStringLiteral("Save changes to 'KelvraDebugger1'?")});
    QCOMPARE(test::ReadFile(m_prompt.savePath), QByteArray("i32 fresh = 3;\n"));
    QCOMPARE(editor->Path(), m_prompt.savePath);
  }

  void declinedSaveStopsTheRunBeforeItLoads() {
    CQtMessagePump pump;
    COutputSink sink;
    CDebugController controller(sink, m_breakpoints, *m_area);
    controller.SetStartupScript(m_first);
    Edit(m_area->OpenScriptView(m_first), "i32 x = 0;\n");
    m_prompt.answers = {Answer::No};
    QVERIFY(!controller.Execute(DebugCommandId::Run));
    QCOMPARE(m_prompt.questions.size(), 1);
    QCOMPARE(controller.Session(), nullptr);
    QVERIFY(!controller.IsRunActive());
  }

  void closingAModifiedScriptAsksAboutIt() {
    CScriptEditor* editor = m_area->OpenScriptView(m_first);
    Edit(editor, "// unsaved\n");
    m_prompt.answers = {Answer::Cancel, Answer::No};
    QVERIFY(!m_area->CloseEditor(*editor));
    QCOMPARE(m_area->Editors().size(), size_t(1));
    QVERIFY(m_area->CloseEditor(*editor));
    QCOMPARE(m_prompt.questions,
             QStringList({QStringLiteral("Save changes to %1?").arg(m_first), QStringLiteral("Save changes to %1?").arg(m_first)}));
    QCOMPARE(test::ReadFile(m_first), QByteArray("i32 a = 1;\n"));
  }

  void bytesThatAreNotUtf8SurviveASave() {
    const QByteArray latin1("// caf\xe9\ni32 a = 1;\n");
    const QString path = test::WriteFile(m_dir, QStringLiteral("latin1.kelvra"), latin1);
    CScriptEditor* editor = m_area->OpenScriptView(path);
    Edit(editor, "");
    QString error;
    QVERIFY(editor->Save(path, error));
    QCOMPARE(test::ReadFile(path), latin1);
  }

 private:
  static void Edit(CScriptEditor* editor, const char* text) {
    QVERIFY(editor != nullptr);
    auto* plain = qobject_cast<CPlainScriptEditor*>(editor);
    plain->TextWidget()->moveCursor(QTextCursor::Start);
    plain->TextWidget()->insertPlainText(QString::fromUtf8(text));
    plain->TextWidget()->document()->setModified(true);
  }

  QTemporaryDir m_dir;
  CBreakpointStore m_breakpoints;
  test::CFakePrompt m_prompt;
  std::unique_ptr<CScriptArea> m_area;
  QString m_first;
  QString m_second;
};

}  // namespace kelvra::ide

QTEST_MAIN(kelvra::ide::SaveQuestionTest)
#include "SaveQuestionTest.moc"
