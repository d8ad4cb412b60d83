#include "debugger/Editor/ScriptArea.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <functional>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Core/ApplicationInfo.h"
#include "debugger/Core/UserPrompt.h"
#include "debugger/Editor/CodeEditor.h"

namespace kelvra::ide {

namespace {

const char* const kNewName = "kelvraNewName";

// An editor's window, which asks before it closes.
class CScriptWindow final : public QMdiSubWindow {
 public:
  explicit CScriptWindow(std::function<bool()> mayClose) : m_mayClose(std::move(mayClose)) {
    setAttribute(Qt::WA_DeleteOnClose);
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (!m_mayClose()) {
      event->ignore();
      return;
    }
    QMdiSubWindow::closeEvent(event);
  }

 private:
  std::function<bool()> m_mayClose;
};

}  // namespace

bool CScriptArea::IsScriptName(const QString& path) {
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  if (dot < 0) return false;
  const QStringView extension = QStringView(path).mid(dot);
  return extension == u".kelvra" || extension == u".bin";
}

CScriptArea::CScriptArea(CBreakpointStore& breakpoints, CUserPrompt& prompt, QWidget* parent)
    : QMdiArea(parent), m_breakpoints(breakpoints), m_prompt(prompt) {
  setViewMode(QMdiArea::TabbedView);
  setDocumentMode(true);
  setTabsClosable(true);
  setTabsMovable(true);
  connect(this, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
    if (window != nullptr) m_lastActive = window;
    Q_EMIT activeEditorChanged(ActiveEditor());
  });
}

CScriptEditor* CScriptArea::OpenScriptView(const QString& path) {
  if (!IsScriptName(path)) return nullptr;
  if (CScriptEditor* open = EditorFor(path)) {
    setActiveSubWindow(WindowOf(*open));
    return open;
  }
  CScriptEditor* editor = AddEditor();
  QString error;
  if (!editor->Load(QFileInfo(path).absoluteFilePath(), error)) {
    delete WindowOf(*editor);
    m_prompt.ShowError(QStringLiteral("Cannot open %1: %2").arg(path, error));
    return nullptr;
  }
  UpdateTitle(*editor);
  WindowOf(*editor)->showMaximized();
  Q_EMIT activeEditorChanged(editor);
  Q_EMIT scriptOpened(editor->Path());
  return editor;
}

CScriptEditor* CScriptArea::NewScript() {
  CScriptEditor* editor = AddEditor();
  editor->setProperty(kNewName, kNewScriptName + QString::number(++m_newScripts));
  UpdateTitle(*editor);
  WindowOf(*editor)->showMaximized();
  Q_EMIT activeEditorChanged(editor);
  return editor;
}

CScriptEditor* CScriptArea::AddEditor() {
  auto* editor = new CCodeEditor(m_breakpoints);
  editor->SetReadOnly(m_readOnly);
  auto* window = new CScriptWindow([this, editor] { return MayClose(*editor); });
  window->setWidget(editor);
  addSubWindow(window);
  m_lastActive = window;
  // Once a window is gone, another one is current (or none).
  connect(window, &QObject::destroyed, this, [this] {
    QMetaObject::invokeMethod(this, [this] { Q_EMIT activeEditorChanged(ActiveEditor()); }, Qt::QueuedConnection);
  });
  connect(editor, &CScriptEditor::modificationChanged, this, [this, editor] { UpdateTitle(*editor); });
  connect(editor, &CScriptEditor::pathChanged, this, [this, editor] { UpdateTitle(*editor); });
  return editor;
}

// The current window stays current while another application, or another
// window of this one (the Find window), has the focus.
CScriptEditor* CScriptArea::ActiveEditor() const {
  QMdiSubWindow* window = currentSubWindow();
  if (window == nullptr) window = m_lastActive;
  return window != nullptr ? qobject_cast<CScriptEditor*>(window->widget()) : nullptr;
}

std::vector<CScriptEditor*> CScriptArea::Editors() const {
  std::vector<CScriptEditor*> editors;
  for (QMdiSubWindow* window : subWindowList()) {
    if (auto* editor = qobject_cast<CScriptEditor*>(window->widget())) editors.push_back(editor);
  }
  return editors;
}

CScriptEditor* CScriptArea::EditorFor(const QString& path) const {
  const QString key = CBreakpointStore::KeyPath(path);
  for (CScriptEditor* editor : Editors()) {
    if (!editor->Path().isEmpty() && CBreakpointStore::KeyPath(editor->Path()) == key) return editor;
  }
  return nullptr;
}

QString CScriptArea::DisplayName(const CScriptEditor& editor) {
  return editor.Path().isEmpty() ? editor.property(kNewName).toString() : QFileInfo(editor.Path()).fileName();
}

QMdiSubWindow* CScriptArea::WindowOf(const CScriptEditor& editor) const {
  return qobject_cast<QMdiSubWindow*>(editor.parentWidget());
}

void CScriptArea::UpdateTitle(CScriptEditor& editor) {
  QMdiSubWindow* window = WindowOf(editor);
  if (window == nullptr) return;
  window->setWindowTitle(DisplayName(editor) + QStringLiteral("[*]"));
  window->setWindowModified(editor.IsModified());
  window->setToolTip(editor.Path());
}

bool CScriptArea::Save(CScriptEditor& editor) {
  return editor.Path().isEmpty() ? SaveAs(editor) : SaveTo(editor, editor.Path());
}

bool CScriptArea::SaveAs(CScriptEditor& editor) {
  const QString suggestion = editor.Path().isEmpty() ? DisplayName(editor) + QStringLiteral(".kelvra") : editor.Path();
  const QString path = m_prompt.AskSavePath(suggestion);
  if (path.isEmpty()) return false;
  if (!SaveTo(editor, path)) return false;
  Q_EMIT scriptOpened(editor.Path());
  return true;
}

bool CScriptArea::SaveTo(CScriptEditor& editor, const QString& path) {
  QString error;
  if (editor.Save(path, error)) return true;
  m_prompt.ShowError(QStringLiteral("Cannot save %1: %2").arg(path, error));
  return false;
}

bool CScriptArea::MayClose(CScriptEditor& editor) {
  if (!editor.IsModified()) return true;
  const QString name = editor.Path().isEmpty() ? DisplayName(editor) : editor.Path();
  switch (m_prompt.AskYesNoCancel(QStringLiteral("Save changes to %1?").arg(name))) {
    case CUserPrompt::Answer::Yes:
      return Save(editor);
    case CUserPrompt::Answer::No:
      return true;
    case CUserPrompt::Answer::Cancel:
      return false;
  }
  return false;
}

bool CScriptArea::CloseEditor(CScriptEditor& editor) {
  QMdiSubWindow* window = WindowOf(editor);
  return window == nullptr || window->close();
}

bool CScriptArea::CloseAll() {
  for (CScriptEditor* editor : Editors()) {
    if (!CloseEditor(*editor)) return false;
  }
  return true;
}

void CScriptArea::SetEditorsReadOnly(bool readOnly) {
  m_readOnly = readOnly;
  for (CScriptEditor* editor : Editors()) {
    editor->SetReadOnly(readOnly);
    if (!readOnly) editor->ClearCurrentLine();
  }
}

bool CScriptArea::SaveModifiedScripts() {
  QStringList names;
  std::vector<CScriptEditor*> modified;
  for (CScriptEditor* editor : Editors()) {
    editor->ClearCurrentLine();
    if (!editor->IsModified()) continue;
    modified.push_back(editor);
    names << (editor->Path().isEmpty() ? DisplayName(*editor) : editor->Path());
  }
  if (modified.empty()) return true;
  const QString question = QStringLiteral("Save changes to %1?").arg(QLatin1Char('\'') + names.join(QStringLiteral(", ")) + QLatin1Char('\''));
  if (m_prompt.AskYesNoCancel(question) != CUserPrompt::Answer::Yes) return false;
  for (CScriptEditor* editor : modified) {
    if (!Save(*editor)) return false;
  }
  return true;
}

}  // namespace kelvra::ide
