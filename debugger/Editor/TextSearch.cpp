#include "debugger/Editor/TextSearch.h"

#include <QList>

namespace kelvra::ide {

namespace {

bool IsWordCharacter(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

bool StandsAlone(const QString& line, qsizetype at, qsizetype length) {
  const bool startsWord = at == 0 || !IsWordCharacter(line.at(at - 1));
  const bool endsWord = at + length == line.size() || !IsWordCharacter(line.at(at + length));
  return startsWord && endsWord;
}

}  // namespace

std::vector<CTextMatch> FindMatches(const QString& text, const CFindRequest& request) {
  std::vector<CTextMatch> matches;
  if (request.text.isEmpty()) return matches;
  const Qt::CaseSensitivity sensitivity = request.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  const qsizetype length = request.text.size();
  int lineIndex = 0;
  for (QStringView line : QStringView(text).split(QLatin1Char('\n'))) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    const QString lineText = line.toString();
    // Matches do not overlap; a part of a longer word is skipped past by one.
    qsizetype at = lineText.indexOf(request.text, 0, sensitivity);
    while (at >= 0) {
      if (request.wholeWord && !StandsAlone(lineText, at, length)) {
        at = lineText.indexOf(request.text, at + 1, sensitivity);
        continue;
      }
      matches.push_back({lineIndex, static_cast<int>(at), static_cast<int>(length), lineText});
      at = lineText.indexOf(request.text, at + length, sensitivity);
    }
    ++lineIndex;
  }
  return matches;
}

}  // namespace kelvra::ide
