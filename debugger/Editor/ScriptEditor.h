#pragma once
// One open script: its text, path, modified flag, read-only state while a
// script runs, and the current-line marker the debugger shows. The IDE
// uses editors only through this interface.
#include <QWidget>

#include "debugger/Editor/TextSearch.h"

class QsciPrinter;

namespace kelvra::ide {

class CBreakpointStore;

// The marker ShowLine draws beside a line, by what led there.
enum class LineMarker {
  Execution = 0,           // where a halted thread stands
  CompileError = 1,        // also selects the word at the error
  RuntimeError = 2,
  StackLocation = 3,       // picked in a call stack or the thread list
  BreakpointLocation = 4,  // picked in the breakpoint list
  FunctionDefinition = 5,  // picked in the function browser
  None = 6,
};

class CScriptEditor : public QWidget {
  Q_OBJECT

 public:
  explicit CScriptEditor(CBreakpointStore& breakpoints, QWidget* parent = nullptr)
      : QWidget(parent), m_breakpoints(breakpoints) {}

  // The file shown; empty for a script never saved.
  virtual QString Path() const = 0;
  virtual bool Load(const QString& path, QString& error) = 0;
  // Writes the text to a path, which becomes the editor's path.
  virtual bool Save(const QString& path, QString& error) = 0;
  virtual bool IsModified() const = 0;
  virtual bool IsReadOnly() const = 0;
  virtual void SetReadOnly(bool readOnly) = 0;
  virtual QString Text() const = 0;

  // Scrolls to a line (from 0) and marks it; a compile error selects the
  // word that starts at a column.
  virtual void ShowLine(LineMarker kind, int line, int column) = 0;
  virtual void ClearCurrentLine() = 0;
  virtual int CurrentLineMarked() const = 0;

  // Selects the next (or previous) place the text occurs, from the
  // selection on and around the end; false when it occurs nowhere.
  virtual bool FindNext(const CFindRequest& request, bool forward) = 0;
  // Selects a range of a line (columns from 0) and scrolls to it.
  virtual void SelectRange(int line, int column, int length) = 0;
  // Puts the caret at the start of a line (from 0) and scrolls to it.
  virtual void GoToLine(int line) = 0;
  virtual int CaretLine() const = 0;
  virtual QString SelectedText() const = 0;
  virtual int LineCount() const = 0;

  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void SelectAll() = 0;
  virtual void Print(QsciPrinter& printer) = 0;

 Q_SIGNALS:
  void modificationChanged(bool modified);
  void pathChanged(const QString& path);

 protected:
  CBreakpointStore& Breakpoints() const { return m_breakpoints; }

 private:
  CBreakpointStore& m_breakpoints;
};

}  // namespace kelvra::ide
