#include "debugger/Editor/CodeEditor.h"

#include <QDragEnterEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Editor/KelvraLexer.h"
#include "debugger/Editor/Scintilla.h"

namespace kelvra::ide {

namespace {

constexpr int kMarkMargin = 0;
constexpr int kNumberMargin = 1;
constexpr int kArrowMarks[] = {CCodeEditor::BlueArrowMark, CCodeEditor::DarkRedArrowMark, CCodeEditor::OrangeArrowMark,
                               CCodeEditor::GreenArrowMark, CCodeEditor::MagentaArrowMark};

// Dropped files are opened by the main window, not pasted as text.
class CTextView final : public QsciScintilla {
 public:
  using QsciScintilla::QsciScintilla;

 protected:
  bool canInsertFromMimeData(const QMimeData* source) const override {
    return !source->hasUrls() && QsciScintilla::canInsertFromMimeData(source);
  }
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->mimeData()->hasUrls()) {
      event->ignore();
      return;
    }
    QsciScintilla::dragEnterEvent(event);
  }
};

// The marks are drawn by the editor itself, so they stay sharp at any scale;
// an arrow's light rim keeps it readable over a breakpoint.
void DefineMarks(QsciScintilla& view) {
  const QColor red(200, 30, 30);
  view.markerDefine(QsciScintilla::Circle, CCodeEditor::UnconfirmedBreakpointMark);
  view.setMarkerBackgroundColor(Qt::white, CCodeEditor::UnconfirmedBreakpointMark);
  view.setMarkerForegroundColor(red, CCodeEditor::UnconfirmedBreakpointMark);
  view.markerDefine(QsciScintilla::Circle, CCodeEditor::ConfirmedBreakpointMark);
  view.setMarkerBackgroundColor(red, CCodeEditor::ConfirmedBreakpointMark);
  view.setMarkerForegroundColor(red.darker(130), CCodeEditor::ConfirmedBreakpointMark);
  const std::pair<CCodeEditor::Mark, QColor> arrows[] = {
      {CCodeEditor::BlueArrowMark, QColor(30, 90, 220)},   {CCodeEditor::DarkRedArrowMark, QColor(150, 0, 0)},
      {CCodeEditor::OrangeArrowMark, QColor(255, 140, 0)}, {CCodeEditor::GreenArrowMark, QColor(0, 160, 0)},
      {CCodeEditor::MagentaArrowMark, QColor(220, 0, 220)},
  };
  for (const auto& [mark, colour] : arrows) {
    view.markerDefine(QsciScintilla::RightArrow, mark);
    view.setMarkerBackgroundColor(colour, mark);
    view.setMarkerForegroundColor(QColor(255, 255, 255), mark);
  }
}

}  // namespace

int CCodeEditor::ArrowMarkOf(LineMarker kind) {
  switch (kind) {
    case LineMarker::Execution:
    case LineMarker::StackLocation:
      return BlueArrowMark;
    case LineMarker::CompileError:
      return DarkRedArrowMark;
    case LineMarker::RuntimeError:
      return OrangeArrowMark;
    case LineMarker::BreakpointLocation:
      return GreenArrowMark;
    case LineMarker::FunctionDefinition:
      return MagentaArrowMark;
    case LineMarker::None:
      break;
  }
  return -1;
}

CCodeEditor::CCodeEditor(CBreakpointStore& breakpoints, QWidget* parent)
    : CScriptEditor(breakpoints, parent), m_view(new CTextView(this)), m_lexer(new CKelvraLexer(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
  setFocusProxy(m_view);

  m_view->setUtf8(true);
  m_view->setFont(CKelvraLexer::TextFont());
  m_view->setLexer(m_lexer);
  m_view->setWrapMode(QsciScintilla::WrapNone);
  m_view->setTabWidth(4);
  // The horizontal scroll bar follows the widest line shown.
  m_view->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTH, 1UL);
  m_view->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1UL);
  m_view->setCaretLineVisible(true);
  m_view->setCaretLineBackgroundColor(QColor(245, 247, 252));

  m_view->setMarginType(kMarkMargin, QsciScintilla::SymbolMargin);
  m_view->setMarginWidth(kMarkMargin, m_view->fontMetrics().height() + 6);
  m_view->setMarginSensitivity(kMarkMargin, true);
  m_view->setMarginMarkerMask(kMarkMargin, (1 << (MagentaArrowMark + 1)) - 1);
  m_view->setMarginLineNumbers(kNumberMargin, true);
  m_view->setMarginSensitivity(kNumberMargin, true);
  m_view->setMarginMarkerMask(kNumberMargin, 0);
  m_view->setMarginsForegroundColor(palette().color(QPalette::PlaceholderText));
  DefineMarks(*m_view);
  UpdateLineNumberWidth();

  connect(m_view, &QsciScintilla::modificationChanged, this, &CScriptEditor::modificationChanged);
  connect(m_view, &QsciScintilla::linesChanged, this, &CCodeEditor::UpdateLineNumberWidth);
  connect(m_view, &QsciScintilla::marginClicked, this,
          [this](int, int line, Qt::KeyboardModifiers) { ToggleBreakpoint(line); });
  connect(&breakpoints, &CBreakpointStore::changed, this, &CCodeEditor::ShowBreakpoints);
  connect(this, &CScriptEditor::pathChanged, this, &CCodeEditor::ShowBreakpoints);
}

void CCodeEditor::UpdateLineNumberWidth() {
  const int digits = static_cast<int>(QString::number(std::max(1, m_view->lines())).size());
  m_view->setMarginWidth(kNumberMargin, QString(std::max(digits, 3) + 1, QLatin1Char('9')));
}

bool CCodeEditor::Load(const QString& path, QString& error) {
  CScriptText script;
  if (!ReadScriptFile(path, script, error)) return false;
  // A read-only editor refuses new text too.
  const bool readOnly = m_view->isReadOnly();
  m_view->setReadOnly(false);
  m_view->setText(script.text);
  m_view->setReadOnly(readOnly);
  m_view->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
  m_view->setModified(false);
  m_latin1 = script.latin1;
  m_path = path;
  Q_EMIT pathChanged(path);
  return true;
}

bool CCodeEditor::Save(const QString& path, QString& error) {
  if (!WriteScriptFile(path, CScriptText{m_view->text(), m_latin1}, error)) return false;
  m_view->setModified(false);
  if (path != m_path) {
    m_path = path;
    Q_EMIT pathChanged(path);
  }
  return true;
}

bool CCodeEditor::IsModified() const { return m_view->isModified(); }

bool CCodeEditor::IsReadOnly() const { return m_view->isReadOnly(); }

void CCodeEditor::SetReadOnly(bool readOnly) { m_view->setReadOnly(readOnly); }

QString CCodeEditor::Text() const { return m_view->text(); }

void CCodeEditor::ShowLine(LineMarker kind, int line, int column) {
  if (line < 0 || line >= m_view->lines()) return;
  ClearCurrentLine();
  m_currentKind = kind;
  m_currentLine = line;
  if (const int arrow = ArrowMarkOf(kind); arrow >= 0) m_view->markerAdd(line, arrow);
  m_view->ensureLineVisible(line);
  if (kind != LineMarker::CompileError) {
    m_view->setCursorPosition(line, 0);
    return;
  }
  // The word that starts at the error's column (at least one character).
  QString text = m_view->text(line);
  while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'))) text.chop(1);
  const int start = std::clamp(column, 0, static_cast<int>(text.size()));
  int end = start;
  while (end < text.size() && (text.at(end).isLetterOrNumber() || text.at(end) == QLatin1Char('_'))) ++end;
  m_view->setSelection(line, start, line, std::min(static_cast<int>(text.size()), std::max(end, start + 1)));
}

void CCodeEditor::ClearCurrentLine() {
  for (int mark : kArrowMarks) m_view->markerDeleteAll(mark);
  m_currentKind = LineMarker::None;
  m_currentLine = 0;
}

int CCodeEditor::CurrentLineMarked() const { return m_currentKind == LineMarker::None ? -1 : m_currentLine; }

unsigned CCodeEditor::MarksAt(int line) const { return m_view->markersAtLine(line); }

int CCodeEditor::IndexOf(int line, int column) const {
  return static_cast<int>(m_view->text(line).left(column).toUtf8().size());
}

int CCodeEditor::ColumnOf(int line, int index) const {
  return static_cast<int>(QString::fromUtf8(m_view->text(line).toUtf8().left(index)).size());
}

bool CCodeEditor::FindNext(const CFindRequest& request, bool forward) {
  const std::vector<CTextMatch> matches = FindMatches(Text(), request);
  if (matches.empty()) return false;
  int fromLine = 0;
  int fromIndex = 0;
  int toLine = 0;
  int toIndex = 0;
  m_view->getSelection(&fromLine, &fromIndex, &toLine, &toIndex);
  if (fromLine < 0) {
    m_view->getCursorPosition(&fromLine, &fromIndex);
    toLine = fromLine;
    toIndex = fromIndex;
  }
  // Forward from the selection's end, backward from its start; around the
  // end of the text to its other end.
  const std::pair<int, int> start(fromLine, ColumnOf(fromLine, fromIndex));
  const std::pair<int, int> end(toLine, ColumnOf(toLine, toIndex));
  auto at = [](const CTextMatch& match) { return std::pair<int, int>(match.line, match.column); };
  const CTextMatch* found = forward ? &matches.front() : &matches.back();
  if (forward) {
    const auto next = std::find_if(matches.begin(), matches.end(), [&](const CTextMatch& m) { return at(m) >= end; });
    if (next != matches.end()) found = &*next;
  } else {
    const auto previous =
        std::find_if(matches.rbegin(), matches.rend(), [&](const CTextMatch& m) { return at(m) < start; });
    if (previous != matches.rend()) found = &*previous;
  }
  SelectRange(found->line, found->column, found->length);
  return true;
}

void CCodeEditor::SelectRange(int line, int column, int length) {
  if (line < 0 || line >= m_view->lines()) return;
  m_view->ensureLineVisible(line);
  m_view->setSelection(line, IndexOf(line, column), line, IndexOf(line, column + length));
}

void CCodeEditor::GoToLine(int line) {
  if (line < 0 || line >= m_view->lines()) return;
  m_view->setCursorPosition(line, 0);
  m_view->ensureLineVisible(line);
  m_view->setFocus();
}

int CCodeEditor::CaretLine() const {
  int line = 0;
  int index = 0;
  m_view->getCursorPosition(&line, &index);
  return line;
}

QString CCodeEditor::SelectedText() const { return m_view->selectedText(); }

int CCodeEditor::LineCount() const { return m_view->lines(); }

void CCodeEditor::Undo() { m_view->undo(); }
void CCodeEditor::Redo() { m_view->redo(); }
void CCodeEditor::Cut() { m_view->cut(); }
void CCodeEditor::Copy() { m_view->copy(); }
void CCodeEditor::Paste() { m_view->paste(); }
void CCodeEditor::SelectAll() { m_view->selectAll(); }
void CCodeEditor::Print(QsciPrinter& printer) { printer.printRange(m_view); }

void CCodeEditor::ShowBreakpoints() {
  m_view->markerDeleteAll(UnconfirmedBreakpointMark);
  m_view->markerDeleteAll(ConfirmedBreakpointMark);
  if (m_path.isEmpty()) return;
  for (const CBreakpoint& breakpoint : Breakpoints().BreakpointsIn(m_path)) {
    m_view->markerAdd(breakpoint.line - 1, breakpoint.confirmed ? ConfirmedBreakpointMark : UnconfirmedBreakpointMark);
  }
}

void CCodeEditor::ToggleBreakpoint(int line) {
  if (m_path.isEmpty()) {
    QMessageBox::critical(this, QStringLiteral("Error!"), QStringLiteral("Must save this file!"));
    return;
  }
  Breakpoints().Toggle(m_path, line + 1);
}

}  // namespace kelvra::ide
