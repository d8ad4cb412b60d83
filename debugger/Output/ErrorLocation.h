#pragma once
// Where an engine error line points: ERROR: NAME in "FILE", line: L, pos: P
// for a compile error, and thread: T, RUNTIME ERROR: … in "FILE", line: L
// ,pos: P, sym: S for a runtime error.
#include <QString>
#include <optional>

namespace kelvra::ide {

struct CErrorLocation {
  QString file;
  int line = 0;      // from 1
  int position = 0;  // from 1
  bool runtime = false;
};

// Nothing when the text is no error line.
std::optional<CErrorLocation> ParseErrorLocation(const QString& text);

}  // namespace kelvra::ide
