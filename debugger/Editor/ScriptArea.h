#pragma once
// The multi-document area of script editors, one tab each: opening,
// creating, saving and closing scripts with the questions that go with it,
// and the editors' state while the debugger runs a script.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <vector>

#include "debugger/Debug/ScriptSaver.h"

namespace kelvra::ide {

class CBreakpointStore;
class CScriptEditor;
class CUserPrompt;

class CScriptArea final : public QMdiArea, public CScriptSaver {
  Q_OBJECT

 public:
  CScriptArea(CBreakpointStore& breakpoints, CUserPrompt& prompt, QWidget* parent = nullptr);

  // Opens a ".kelvra" or ".bin" file, or brings it forward when open
  // already. Null for other names, and when the file cannot be read (the
  // user is told why).
  CScriptEditor* OpenScriptView(const QString& path);
  CScriptEditor* NewScript();
  CScriptEditor* ActiveEditor() const;
  std::vector<CScriptEditor*> Editors() const;
  CScriptEditor* EditorFor(const QString& path) const;
  // Whether a name ends in ".kelvra" or ".bin" (exactly so).
  static bool IsScriptName(const QString& path);
  // The file name, or the name a new script was given.
  static QString DisplayName(const CScriptEditor& editor);

  // Save asks for a name when the script has none; false when cancelled or failed.
  bool Save(CScriptEditor& editor);
  bool SaveAs(CScriptEditor& editor);
  // Asks whether to save changes; false when the user cancelled.
  bool CloseEditor(CScriptEditor& editor);
  bool CloseAll();

  // While a script runs the editors (those opened meanwhile too) are
  // read-only; when it stops they turn editable and lose their current-line
  // markers.
  void SetEditorsReadOnly(bool readOnly);
  bool SaveModifiedScripts() override;

 Q_SIGNALS:
  void scriptOpened(const QString& path);
  void activeEditorChanged(kelvra::ide::CScriptEditor* editor);

 private:
  CScriptEditor* AddEditor();
  QMdiSubWindow* WindowOf(const CScriptEditor& editor) const;
  void UpdateTitle(CScriptEditor& editor);
  bool SaveTo(CScriptEditor& editor, const QString& path);
  // Asks about one modified editor before it closes.
  bool MayClose(CScriptEditor& editor);

  CBreakpointStore& m_breakpoints;
  CUserPrompt& m_prompt;
  int m_newScripts = 0;
  bool m_readOnly = false;
  QPointer<QMdiSubWindow> m_lastActive;
};

}  // namespace kelvra::ide
