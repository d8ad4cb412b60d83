#include "debugger/Editor/KelvraLexer.h"

#include <QFontDatabase>
#include <vector>

#include "debugger/Editor/KelvraSyntax.h"

namespace kelvra::ide {

CKelvraLexer::CKelvraLexer(QObject* parent) : QsciLexerCustom(parent) {}

QFont CKelvraLexer::TextFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(10);
  return font;
}

QString CKelvraLexer::description(int style) const {
  switch (static_cast<SyntaxStyle>(style)) {
    case SyntaxStyle::Default:
      return QStringLiteral("Default");
    case SyntaxStyle::TypeName:
      return QStringLiteral("Type name");
    case SyntaxStyle::Aggregate:
      return QStringLiteral("Structure, library or array");
    case SyntaxStyle::Keyword:
      return QStringLiteral("Keyword");
    case SyntaxStyle::Error:
      return QStringLiteral("Error");
    case SyntaxStyle::BuiltIn:
      return QStringLiteral("Built-in function");
    case SyntaxStyle::Number:
      return QStringLiteral("Number");
    case SyntaxStyle::String:
      return QStringLiteral("String");
    case SyntaxStyle::Comment:
      return QStringLiteral("Comment");
  }
  return {};
}

QColor CKelvraLexer::defaultColor(int style) const {
  switch (static_cast<SyntaxStyle>(style)) {
    case SyntaxStyle::TypeName:
      return QColor(0, 193, 190);
    case SyntaxStyle::Aggregate:
      return QColor(0, 153, 0);
    case SyntaxStyle::Keyword:
      return QColor(0, 0, 205);
    case SyntaxStyle::Error:
      return QColor(204, 0, 0);
    case SyntaxStyle::BuiltIn:
      return QColor(153, 0, 153);
    case SyntaxStyle::Number:
      return QColor(176, 96, 0);
    case SyntaxStyle::String:
      return QColor(163, 21, 21);
    case SyntaxStyle::Comment:
      return QColor(144, 144, 144);
    case SyntaxStyle::Default:
      break;
  }
  return QColor(Qt::black);
}

QFont CKelvraLexer::defaultFont(int style) const {
  QFont font = TextFont();
  font.setItalic(static_cast<SyntaxStyle>(style) == SyntaxStyle::Comment);
  return font;
}

void CKelvraLexer::styleText(int start, int end) {
  QsciScintilla* view = editor();
  if (view == nullptr) return;
  int line = 0;
  int index = 0;
  view->lineIndexFromPosition(start, &line, &index);
  auto state = static_cast<LineState>(
      line > 0 ? view->SendScintilla(QsciScintillaBase::SCI_GETLINESTATE, static_cast<unsigned long>(line - 1)) : 0);
  std::vector<SyntaxSpan> spans;
  for (int position = view->positionFromLineIndex(line, 0); position < end && line < view->lines(); ++line) {
    const int next = line + 1 < view->lines() ? view->positionFromLineIndex(line + 1, 0) : view->length();
    const long textEnd = view->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
    // bytes() adds a terminating zero.
    const QByteArray text = view->bytes(position, static_cast<int>(textEnd));
    spans.clear();
    const LineState lineEnd =
        StyleLine(std::string_view(text.constData(), static_cast<size_t>(textEnd - position)), state, spans);
    startStyling(position);
    int styled = 0;
    for (const SyntaxSpan& span : spans) {
      if (span.start > styled) setStyling(span.start - styled, static_cast<int>(SyntaxStyle::Default));
      setStyling(span.length, static_cast<int>(span.style));
      styled = span.start + span.length;
    }
    // The rest of the line and its line break.
    const SyntaxStyle rest = lineEnd == LineState::BlockComment ? SyntaxStyle::Comment
                             : lineEnd == LineState::String     ? SyntaxStyle::String
                                                                : SyntaxStyle::Default;
    if (next - position > styled) setStyling(next - position - styled, static_cast<int>(rest));
    view->SendScintilla(QsciScintillaBase::SCI_SETLINESTATE, static_cast<unsigned long>(line), static_cast<long>(lineEnd));
    state = lineEnd;
    position = next;
  }
}

}  // namespace kelvra::ide
