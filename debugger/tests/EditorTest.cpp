// The script editor: colouring of every kind of token, comments typed in
// and taken out again, margin clicks toggling breakpoints, the marks of
// ShowLine, text loaded while the editors are read-only, searching and
// going to a line.
#include <QtTest>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Editor/CodeEditor.h"
#include "debugger/Editor/KelvraSyntax.h"
#include "debugger/Editor/Scintilla.h"
#include "debugger/Editor/TextSearch.h"
#include "debugger/tests/TestSupport.h"

namespace kelvra::ide {

namespace {

constexpr char kSample[] =
    "// a line comment naming i32\n"
    "struct Point { i32 x; float y; };\n"
    "lib libc \"libc.so.6\" { i32 getpid(); }\n"
    "/* opened here\n"
    "   closed here */ ui64 big = 0x1F;\n"
    "function bool odd(i32 n) { if (n % 2) return true; else return false; }\n"
    "error failure;\n"
    "string s = \"say \\\"hi\\\" // not a comment\";\n"
    "array<ui8, 4> bytes;\n"
    "i32x plain = cast<i32>(sizeof(bytes)) + 1.5; // after code\n";

}  // namespace

class EditorTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init() {
    m_breakpoints = std::make_unique<CBreakpointStore>();
    m_editor = std::make_unique<CCodeEditor>(*m_breakpoints);
    m_editor->resize(600, 400);
    m_editor->show();
    m_path = test::WriteFile(m_dir, QStringLiteral("sample.kelvra"), kSample);
    QString error;
    QVERIFY(m_editor->Load(m_path, error));
  }

  void cleanup() {
    m_editor.reset();
    m_breakpoints.reset();
  }

  void everyTokenKindHasItsStyle_data() {
    QTest::addColumn<QString>("token");
    QTest::addColumn<int>("occurrence");
    QTest::addColumn<SyntaxStyle>("style");
    auto row = [](const char* name, const char* token, int occurrence, SyntaxStyle style) {
      QTest::newRow(name) << QString::fromLatin1(token) << occurrence << style;
    };
    row("type in a line comment", "i32", 0, SyntaxStyle::Comment);
    row("struct", "struct", 0, SyntaxStyle::Aggregate);
    row("type", "i32", 1, SyntaxStyle::TypeName);
    row("float", "float", 0, SyntaxStyle::TypeName);
    row("identifier", "Point", 0, SyntaxStyle::Default);
    row("lib", "lib", 0, SyntaxStyle::Aggregate);
    row("string", "\"libc.so.6\"", 0, SyntaxStyle::String);
    row("first line of a block comment", "opened", 0, SyntaxStyle::Comment);
    row("end of a block comment", "*/", 0, SyntaxStyle::Comment);
    row("code after a block comment", "ui64", 0, SyntaxStyle::TypeName);
    row("hexadecimal number", "0x1F", 0, SyntaxStyle::Number);
    row("function", "function", 0, SyntaxStyle::Keyword);
    row("keyword before a parenthesis", "if", 0, SyntaxStyle::Keyword);
    row("keyword before a semicolon", "else", 0, SyntaxStyle::Keyword);
    row("error", "error", 0, SyntaxStyle::Error);
    row("escaped quote inside a string", "hi", 0, SyntaxStyle::String);
    row("slashes inside a string", "// not", 0, SyntaxStyle::String);
    row("array", "array", 0, SyntaxStyle::Aggregate);
    row("type inside angle brackets", "ui8", 0, SyntaxStyle::TypeName);
    row("keyword with a letter appended", "i32x", 0, SyntaxStyle::Default);
    row("built-in", "cast", 0, SyntaxStyle::BuiltIn);
    row("sizeof", "sizeof", 0, SyntaxStyle::BuiltIn);
    row("fraction", "1.5", 0, SyntaxStyle::Number);
    row("comment after code", "// after", 0, SyntaxStyle::Comment);
  }

  void everyTokenKindHasItsStyle() {
    QFETCH(QString, token);
    QFETCH(int, occurrence);
    QFETCH(SyntaxStyle, style);
    Colourise();
    const QString text = m_editor->Text();
    qsizetype at = -1;
    for (int i = 0; i <= occurrence; ++i) at = text.indexOf(token, at + 1);
    QVERIFY(at >= 0);
    for (qsizetype i = at; i < at + token.size(); ++i) QCOMPARE(StyleAt(i), style);
  }

  void blockCommentTypedInAndTakenOut() {
    QsciScintilla& view = *m_editor->TextWidget();
    view.setText(QStringLiteral("i32 a;\ni32 b;\ni32 c;\ni32 d;\n"));
    Colourise();
    QCOMPARE(StyleOfLine(2), SyntaxStyle::TypeName);

    view.insertAt(QStringLiteral("/*"), 1, 0);
    Colourise();
    for (int line = 1; line <= 3; ++line) QCOMPARE(StyleOfLine(line), SyntaxStyle::Comment);
    QCOMPARE(StyleOfLine(0), SyntaxStyle::TypeName);

    view.insertAt(QStringLiteral("*/"), 2, 6);
    Colourise();
    QCOMPARE(StyleOfLine(2), SyntaxStyle::Comment);
    QCOMPARE(StyleOfLine(3), SyntaxStyle::TypeName);

    view.setSelection(1, 0, 1, 2);
    view.removeSelectedText();
    Colourise();
    for (int line = 0; line <= 3; ++line) QCOMPARE(StyleOfLine(line), SyntaxStyle::TypeName);
  }

  void marginClicksToggleBreakpoints() {
    QsciScintilla& view = *m_editor->TextWidget();
    const int line = 2;
    const int y = static_cast<int>(view.SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL,
                                                      view.positionFromLineIndex(line, 0))) +
                  2;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(4, y));
    QVERIFY(m_breakpoints->Contains(m_path, line + 1));
    QCOMPARE(m_editor->MarksAt(line), 1U << CCodeEditor::UnconfirmedBreakpointMark);

    m_breakpoints->SetConfirmed(m_path, line + 1, true);
    QCOMPARE(m_editor->MarksAt(line), 1U << CCodeEditor::ConfirmedBreakpointMark);

    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(4, y));
    QVERIFY(!m_breakpoints->Contains(m_path, line + 1));
    QCOMPARE(m_editor->MarksAt(line), 0U);
  }

  void showLineMarksOneLineAtATime() {
    m_editor->ShowLine(LineMarker::Execution, 5, 0);
    QCOMPARE(m_editor->CurrentLineMarked(), 5);
    QCOMPARE(m_editor->MarksAt(5), 1U << CCodeEditor::BlueArrowMark);

    // A compile error selects the word at its column.
    m_editor->ShowLine(LineMarker::CompileError, 1, 7);
    QCOMPARE(m_editor->MarksAt(5), 0U);
    QCOMPARE(m_editor->MarksAt(1), 1U << CCodeEditor::DarkRedArrowMark);
    QCOMPARE(m_editor->TextWidget()->selectedText(), QStringLiteral("Point"));

    m_editor->ClearCurrentLine();
    QCOMPARE(m_editor->CurrentLineMarked(), -1);
    QCOMPARE(m_editor->MarksAt(1), 0U);
  }

  void readOnlyEditorLoadsButRefusesEdits() {
    CCodeEditor editor(*m_breakpoints);
    editor.SetReadOnly(true);
    QString error;
    QVERIFY(editor.Load(m_path, error));
    QCOMPARE(editor.Text(), QString::fromLatin1(kSample));
    QTest::keyClicks(editor.TextWidget()->viewport(), QStringLiteral("x"));
    QVERIFY(!editor.IsModified());
    QCOMPARE(editor.Text(), QString::fromLatin1(kSample));
    editor.SetReadOnly(false);
    QTest::keyClicks(editor.TextWidget()->viewport(), QStringLiteral("x"));
    QVERIFY(editor.IsModified());
  }

  void textSearch_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<QStringList>("found");  // "line:column" of each match
    const QString text = QStringLiteral("i32 Count = count;\r\nrecount(count_2);\n\ncount");
    QTest::newRow("any case") << text << false << false << QStringList{"0:4", "0:12", "1:2", "1:8", "3:0"};
    QTest::newRow("match case") << text << true << false << QStringList{"0:12", "1:2", "1:8", "3:0"};
    QTest::newRow("whole word") << text << false << true << QStringList{"0:4", "0:12", "3:0"};
    QTest::newRow("no overlap") << QStringLiteral("aaaa") << false << false << QStringList{"0:0", "0:2"};
    QTest::newRow("nothing") << QStringLiteral("i32 x;") << false << false << QStringList{};
  }

  void textSearch() {
    QFETCH(QString, text);
    QFETCH(bool, matchCase);
    QFETCH(bool, wholeWord);
    QFETCH(QStringList, found);
    const QString needle = QString::fromLatin1(QTest::currentDataTag()) == QLatin1String("no overlap")
                               ? QStringLiteral("aa")
                               : QStringLiteral("count");
    QStringList places;
    for (const CTextMatch& match : FindMatches(text, {needle, matchCase, wholeWord})) {
      places << QStringLiteral("%1:%2").arg(match.line).arg(match.column);
      QCOMPARE(match.lineText.mid(match.column, match.length).compare(needle, Qt::CaseInsensitive), 0);
      QVERIFY(!match.lineText.endsWith(QLatin1Char('\r')));
    }
    QCOMPARE(places, found);
  }

  // Forward from the selection, backward before it, around both ends.
  void findNextSelectsAndWraps() {
    const CFindRequest request{QStringLiteral("i32"), true, true};
    QsciScintilla& view = *m_editor->TextWidget();
    auto selected = [&] {
      int line = 0;
      int index = 0;
      int endLine = 0;
      int endIndex = 0;
      view.getSelection(&line, &index, &endLine, &endIndex);
      return QStringLiteral("%1:%2-%3").arg(line).arg(index).arg(endIndex);
    };
    view.setCursorPosition(2, 0);
    QVERIFY(m_editor->FindNext(request, true));
    QCOMPARE(selected(), QStringLiteral("2:23-26"));
    QVERIFY(m_editor->FindNext(request, true));
    QCOMPARE(selected(), QStringLiteral("5:18-21"));
    QVERIFY(m_editor->FindNext(request, false));
    QCOMPARE(selected(), QStringLiteral("2:23-26"));
    QVERIFY(m_editor->FindNext(request, false));
    QCOMPARE(selected(), QStringLiteral("1:15-18"));
    QVERIFY(m_editor->FindNext(request, false));
    QCOMPARE(selected(), QStringLiteral("0:25-28"));
    QVERIFY(m_editor->FindNext(request, false));  // around the start to the last one ("i32x" is no match)
    QCOMPARE(selected(), QStringLiteral("9:18-21"));
    QVERIFY(m_editor->FindNext(request, true));  // around the end to the first one
    QCOMPARE(selected(), QStringLiteral("0:25-28"));
    QVERIFY(!m_editor->FindNext({QStringLiteral("nowhere"), false, false}, true));
    QCOMPARE(selected(), QStringLiteral("0:25-28"));
  }

  void goToLine() {
    m_editor->GoToLine(8);
    QCOMPARE(m_editor->CaretLine(), 8);
    m_editor->GoToLine(m_editor->LineCount());  // past the end: stays
    QCOMPARE(m_editor->CaretLine(), 8);
  }

 private:
  void Colourise() { m_editor->TextWidget()->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L); }

  SyntaxStyle StyleAt(qsizetype position) const {
    return static_cast<SyntaxStyle>(
        m_editor->TextWidget()->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
  }

  // The style of the second character of a line.
  SyntaxStyle StyleOfLine(int line) const { return StyleAt(m_editor->TextWidget()->positionFromLineIndex(line, 1)); }

  QTemporaryDir m_dir;
  std::unique_ptr<CBreakpointStore> m_breakpoints;
  std::unique_ptr<CCodeEditor> m_editor;
  QString m_path;
};

}  // namespace kelvra::ide

QTEST_MAIN(kelvra::ide::EditorTest)
#include <EditorTest.moc>  // generated by moc from this file
