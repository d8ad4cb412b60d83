#include "debugger/Core/UserPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "debugger/Core/ApplicationInfo.h"

namespace kelvra::ide {

CUserPrompt::Answer CDialogPrompt::AskYesNoCancel(const QString& question) {
  switch (QMessageBox::question(QApplication::activeWindow(), kApplicationTitle, question,
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

QString CDialogPrompt::AskSavePath(const QString& suggestion) {
  return QFileDialog::getSaveFileName(QApplication::activeWindow(), QStringLiteral("Save As"), suggestion,
                                      kScriptFileFilter);
}

void CDialogPrompt::ShowError(const QString& text) {
  QMessageBox::critical(QApplication::activeWindow(), kApplicationTitle, text);
}

int CDialogPrompt::AskLineNumber(int current, int last) {
  bool ok = false;
  const int line = QInputDialog::getInt(QApplication::activeWindow(), QStringLiteral("Go To Line"),
                                        QStringLiteral("Line number (1 - %1):").arg(last), current, 1, last, 1, &ok);
  return ok ? line : 0;
}

}  // namespace kelvra::ide
