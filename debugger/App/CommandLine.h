#pragma once
// What kelvra-ide is asked to do on its command line.
#include <QString>
#include <QStringList>

namespace kelvra::ide {

struct CCommandLine {
  QStringList files;   // scripts to open
  QString startup;     // a script to open and set as start-up script
  QString screenshot;  // render the main window to this PNG and exit
  bool help = false;
  QString error;  // set when the arguments are wrong

  static CCommandLine Parse(const QStringList& arguments);
  static QString Usage();
};

}  // namespace kelvra::ide
