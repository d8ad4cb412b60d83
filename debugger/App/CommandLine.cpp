#include "debugger/App/CommandLine.h"

namespace kelvra::ide {

CCommandLine CCommandLine::Parse(const QStringList& arguments) {
  CCommandLine command;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      command.help = true;
    } else if (argument == QLatin1String("--startup") || argument == QLatin1String("--screenshot")) {
      if (i + 1 >= arguments.size()) {
        command.error = QStringLiteral("%1 needs a file").arg(argument);
        return command;
      }
      (argument == QLatin1String("--startup") ? command.startup : command.screenshot) = arguments[++i];
    } else if (argument.startsWith(QLatin1String("--"))) {
      command.error = QStringLiteral("unknown option %1").arg(argument);
      return command;
    } else {
      command.files << argument;
    }
  }
  return command;
}

QString CCommandLine::Usage() {
  return QStringLiteral(
      "Usage: kelvra-ide [--startup SCRIPT] [--screenshot FILE.png] [SCRIPT...]\n"
      "  SCRIPT               open a script (.kelvra) or compiled script (.bin)\n"
      "  --startup SCRIPT     open a script and make it the start-up script the debug commands run\n"
      "  --screenshot FILE    render the main window to a PNG file and exit\n"
      "  --help               show this text\n");
}

}  // namespace kelvra::ide
