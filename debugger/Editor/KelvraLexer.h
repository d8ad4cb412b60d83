#pragma once
// The editor's colouring of scripts: the styles of KelvraSyntax with their
// colours and fonts, applied line by line as the editor asks for them. Each
// line keeps the state it ends in, so a block comment or string opened on
// one line colours the following lines until it closes, and an edit
// restyles everything after it.
#include "debugger/Editor/Scintilla.h"

namespace kelvra::ide {

class CKelvraLexer final : public QsciLexerCustom {
  Q_OBJECT

 public:
  explicit CKelvraLexer(QObject* parent = nullptr);

  const char* language() const override { return "Kelvra"; }
  QString description(int style) const override;
  QColor defaultColor(int style) const override;
  QFont defaultFont(int style) const override;
  void styleText(int start, int end) override;

  // The font of all text: monospace, 10 points.
  static QFont TextFont();
};

}  // namespace kelvra::ide
