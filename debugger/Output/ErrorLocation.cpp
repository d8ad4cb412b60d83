#include "debugger/Output/ErrorLocation.h"

namespace kelvra::ide {

namespace {

// The decimal number at the start of a text (digits only), or nothing.
std::optional<int> LeadingNumber(QStringView text) {
  qsizetype digits = 0;
  while (digits < text.size() && text.at(digits).isDigit()) ++digits;
  bool ok = false;
  const int number = text.left(digits).toInt(&ok);
  return ok ? std::optional<int>(number) : std::nullopt;
}

}  // namespace

std::optional<CErrorLocation> ParseErrorLocation(const QString& text) {
  const qsizetype open = text.indexOf(QLatin1Char('"'));
  if (open < 0) return std::nullopt;
  const qsizetype close = text.indexOf(QLatin1Char('"'), open + 1);
  if (close < 0) return std::nullopt;
  const QLatin1String lineLabel("line: ");
  const qsizetype lineAt = text.indexOf(lineLabel, close + 1);
  if (lineAt < 0) return std::nullopt;
  const QStringView fromLine = QStringView(text).mid(lineAt + lineLabel.size());
  const std::optional<int> line = LeadingNumber(fromLine);
  // The position follows the next colon and a blank.
  const qsizetype colon = fromLine.indexOf(QLatin1Char(':'));
  if (!line || colon < 0) return std::nullopt;
  const std::optional<int> position = LeadingNumber(fromLine.mid(colon + 2));
  if (!position) return std::nullopt;
  const QString file = text.mid(open + 1, close - open - 1);
  if (file.isEmpty()) return std::nullopt;
  return CErrorLocation{file, *line, *position, text.contains(QLatin1String("RUNTIME ERROR:"))};
}

}  // namespace kelvra::ide
