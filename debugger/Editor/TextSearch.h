#pragma once
// Searching a script's text: every place a text occurs, line by line, with
// or without regard to case and to word boundaries.
#include <QString>
#include <vector>

namespace kelvra::ide {

struct CFindRequest {
  QString text;
  bool matchCase = false;
  bool wholeWord = false;

  bool operator==(const CFindRequest&) const = default;
};

struct CTextMatch {
  int line = 0;    // from 0
  int column = 0;  // from 0, in characters
  int length = 0;
  QString lineText;  // the whole line, without its line break

  bool operator==(const CTextMatch&) const = default;
};

// In text order; nothing for an empty search text.
std::vector<CTextMatch> FindMatches(const QString& text, const CFindRequest& request);

}  // namespace kelvra::ide
