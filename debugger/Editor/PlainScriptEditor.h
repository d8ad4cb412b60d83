#pragma once
// A script editor on a plain text widget: monospace, no wrap, a margin with
// line numbers, breakpoints and the current-line arrow. A click in the
// margin toggles a breakpoint.
#include "debugger/Editor/ScriptEditor.h"
#include "debugger/Editor/ScriptFile.h"

class QPlainTextEdit;

namespace kelvra::ide {

class CCodeView;

class CPlainScriptEditor final : public CScriptEditor {
  Q_OBJECT

 public:
  explicit CPlainScriptEditor(CBreakpointStore& breakpoints, QWidget* parent = nullptr);

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

  void Undo() override;
  void Redo() override;
  void Cut() override;
  void Copy() override;
  void Paste() override;
  void SelectAll() override;
  void Print(QPrinter& printer) override;

  QPlainTextEdit* TextWidget() const;

 private:
  void ToggleBreakpoint(int line);

  CCodeView* m_view;
  QString m_path;
  bool m_latin1 = false;
};

}  // namespace kelvra::ide
