#pragma once
// The script editor on QScintilla: Kelvra colouring, a monospace font, no
// wrap, line numbers, and a margin with the breakpoints and the current-line
// arrow. A click in the margin toggles a breakpoint in the breakpoint store.
#include "debugger/Editor/ScriptEditor.h"
#include "debugger/Editor/ScriptFile.h"

class QsciScintilla;

namespace kelvra::ide {

class CKelvraLexer;

class CCodeEditor final : public CScriptEditor {
  Q_OBJECT

 public:
  // The margin's marks, in the order of their images.
  enum Mark {
    UnconfirmedBreakpointMark = 0,
    ConfirmedBreakpointMark = 1,
    BlueArrowMark = 2,
    DarkRedArrowMark = 3,
    OrangeArrowMark = 4,
    GreenArrowMark = 5,
    MagentaArrowMark = 6,
  };
  // The arrow ShowLine draws for a kind of line; -1 for none.
  static int ArrowMarkOf(LineMarker kind);

  explicit CCodeEditor(CBreakpointStore& breakpoints, QWidget* parent = nullptr);

  QString Path() const override { return m_path; }
  bool Load(const QString& path, QString& error) override;
  bool Save(const QString& path, QString& error) override;
  bool IsModified() const override;
  bool IsReadOnly() const override;
  void SetReadOnly(bool readOnly) override;
  QString Text() const override;

  void ShowLine(LineMarker kind, int line, int column) override;
  void ClearCurrentLine() override;
  int CurrentLineMarked() const override;

  bool FindNext(const CFindRequest& request, bool forward) override;
  void SelectRange(int line, int column, int length) override;
  void GoToLine(int line) override;
  int CaretLine() const override;
  QString SelectedText() const override;
  int LineCount() const override;

  void Undo() override;
  void Redo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void SelectAll() override;
  void Print(QsciPrinter& printer) override;

  QsciScintilla* TextWidget() const { return m_view; }
  // The marks (bit i set for Mark i) on a line (from 0).
  unsigned MarksAt(int line) const;

 private:
  void ShowBreakpoints();
  void ToggleBreakpoint(int line);
  void UpdateLineNumberWidth();
  // A line's column in characters and the editor's byte index into it.
  int IndexOf(int line, int column) const;
  int ColumnOf(int line, int index) const;

  QsciScintilla* m_view;
  CKelvraLexer* m_lexer;
  QString m_path;
  bool m_latin1 = false;
  LineMarker m_currentKind = LineMarker::None;
  int m_currentLine = 0;
};

}  // namespace kelvra::ide
