// kelvra-ide: opens the main window, with the scripts and start-up script
// named on the command line, or renders it into a PNG file and exits.
#include <QApplication>
#include <QSettings>
#include <cstdio>

#include "debugger/App/CommandLine.h"
#include "debugger/App/MainFrame.h"
#include "debugger/Core/ApplicationLook.h"
#include "debugger/Core/Icons.h"
#include "debugger/Core/QtMessagePump.h"
#include "debugger/Core/UserPrompt.h"
#include "debugger/Explorer/FileTree.h"
#include "debugger/Settings/DebuggerSettings.h"

namespace {

constexpr int kExitUsage = 64;
constexpr QSize kScreenshotSize(1280, 800);

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
  using namespace kelvra::ide;
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  const CCommandLine command = CCommandLine::Parse(arguments);
  if (!command.error.isEmpty()) {
    std::fprintf(stderr, "kelvra-ide: %s\n%s", qPrintable(command.error), qPrintable(CCommandLine::Usage()));
    return kExitUsage;
  }
  if (command.help) {
    std::fputs(qPrintable(CCommandLine::Usage()), stdout);
    return 0;
  }
  // A screenshot needs no screen.
  if (!command.screenshot.isEmpty() && !HasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("kelvra"));
  QApplication::setApplicationName(QStringLiteral("KelvraDebugger"));
  QApplication::setDesktopFileName(QStringLiteral("kelvra-ide"));
  ChooseIconTheme();
  CApplicationLook::Apply(CApplicationLook::Stored(QSettings()));

  CQtMessagePump pump;
  CDialogPrompt prompt;
  CDebuggerSettings settings(CDebuggerSettings::DefaultPath());
  CMainFrame frame(CFileTree::ForThisComputer(), prompt);
  frame.UseSettings(settings);
  if (!command.startup.isEmpty() && !frame.SetStartupScript(command.startup)) {
    std::fprintf(stderr, "kelvra-ide: cannot set %s as start-up script\n", qPrintable(command.startup));
  }
  for (const QString& file : command.files) frame.OpenFile(file);
  // Pictures for documentation have one size, whatever the screen.
  if (!command.screenshot.isEmpty()) frame.resize(kScreenshotSize);
  frame.show();

  if (command.screenshot.isEmpty()) return QApplication::exec();
  QApplication::processEvents();
  if (!frame.SaveScreenshot(command.screenshot)) {
    std::fprintf(stderr, "kelvra-ide: cannot write %s\n", qPrintable(command.screenshot));
    return 1;
  }
  return 0;
}
