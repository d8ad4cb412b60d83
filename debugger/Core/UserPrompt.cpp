#include "debugger/Core/UserPrompt.h"

#include <QApplication>
#include <QFileDialog>
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

}  // namespace kelvra::ide
