#include "debugger/Editor/PlainScriptEditor.h"

#include <QMessageBox>
#include <QPrinter>
#include <QTextBlock>
#include <QVBoxLayout>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Editor/CodeView.h"

namespace kelvra::ide {

CPlainScriptEditor::CPlainScriptEditor(CBreakpointStore& breakpoints, QWidget* parent)
    : CScriptEditor(breakpoints, parent), m_view(new CCodeView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
  setFocusProxy(m_view);
  connect(m_view->document(), &QTextDocument::modificationChanged, this, &CScriptEditor::modificationChanged);
  m_view->OnMarginClicked([this](int line) { ToggleBreakpoint(line); });
  auto showMarks = [this] {
    std::vector<CMarginMark> marks;
    if (!m_path.isEmpty()) {
      for (const CBreakpoint& breakpoint : Breakpoints().BreakpointsIn(m_path)) {
        marks.push_back({breakpoint.line - 1, breakpoint.confirmed});
      }
    }
    m_view->SetMarks(std::move(marks));
  };
  connect(&breakpoints, &CBreakpointStore::changed, this, showMarks);
  connect(this, &CScriptEditor::pathChanged, this, showMarks);
}

bool CPlainScriptEditor::Load(const QString& path, QString& error) {
  CScriptText script;
  if (!ReadScriptFile(path, script, error)) return false;
  m_view->setPlainText(script.text);
  m_latin1 = script.latin1;
  m_view->document()->setModified(false);
  m_path = path;
  Q_EMIT pathChanged(path);
  return true;
}

bool CPlainScriptEditor::Save(const QString& path, QString& error) {
  if (!WriteScriptFile(path, CScriptText{m_view->toPlainText(), m_latin1}, error)) return false;
  m_view->document()->setModified(false);
  if (path != m_path) {
    m_path = path;
    Q_EMIT pathChanged(path);
  }
  return true;
}

bool CPlainScriptEditor::IsModified() const { return m_view->document()->isModified(); }

bool CPlainScriptEditor::IsReadOnly() const { return m_view->isReadOnly(); }

void CPlainScriptEditor::SetReadOnly(bool readOnly) { m_view->setReadOnly(readOnly); }

QString CPlainScriptEditor::Text() const { return m_view->toPlainText(); }

void CPlainScriptEditor::ShowLine(LineMarker kind, int line, int column) {
  const QTextBlock block = m_view->document()->findBlockByNumber(line);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  if (kind == LineMarker::CompileError) {
    // The word that starts at the error's column (at least one character).
    const QString text = block.text();
    const int start = std::clamp(column, 0, static_cast<int>(text.size()));
    int end = start;
    while (end < text.size() && text.at(end).isLetterOrNumber()) ++end;
    cursor.setPosition(block.position() + start);
    cursor.setPosition(block.position() + std::min(static_cast<int>(text.size()), std::max(end, start + 1)),
                       QTextCursor::KeepAnchor);
  }
  m_view->setTextCursor(cursor);
  m_view->centerCursor();
  m_view->SetCurrentLine(kind, line);
}

void CPlainScriptEditor::ClearCurrentLine() { m_view->SetCurrentLine(LineMarker::None, 0); }

int CPlainScriptEditor::CurrentLineMarked() const {
  return m_view->CurrentMarker() == LineMarker::None ? -1 : m_view->CurrentLine();
}

void CPlainScriptEditor::Undo() { m_view->undo(); }
void CPlainScriptEditor::Redo() { m_view->redo(); }
void CPlainScriptEditor::Cut() { m_view->cut(); }
void CPlainScriptEditor::Copy() { m_view->copy(); }
void CPlainScriptEditor::Paste() { m_view->paste(); }
void CPlainScriptEditor::SelectAll() { m_view->selectAll(); }
void CPlainScriptEditor::Print(QPrinter& printer) { m_view->print(&printer); }

QPlainTextEdit* CPlainScriptEditor::TextWidget() const { return m_view; }

void CPlainScriptEditor::ToggleBreakpoint(int line) {
  if (m_path.isEmpty()) {
    QMessageBox::critical(this, QStringLiteral("Error!"), QStringLiteral("Must save this file!"));
    return;
  }
  Breakpoints().Toggle(m_path, line + 1);
}

}  // namespace kelvra::ide
