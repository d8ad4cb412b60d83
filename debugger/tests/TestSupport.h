#pragma once
// Helpers of the IDE tests: a prompt with scripted answers, temporary
// script files, and the settings names the application uses.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>

#include "debugger/Core/UserPrompt.h"

namespace kelvra::ide::test {

class CFakePrompt final : public CUserPrompt {
 public:
  Answer AskYesNoCancel(const QString& question) override {
    questions << question;
    if (answers.empty()) return Answer::Cancel;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  QString AskSavePath(const QString& suggestion) override {
    savePathsAsked << suggestion;
    return savePath;
  }
  void ShowError(const QString& text) override { errors << text; }
  int AskLineNumber(int current, int last) override {
    lineQuestions << QStringLiteral("%1 of %2").arg(current).arg(last);
    return lineAnswer;
  }

  std::deque<Answer> answers;
  QString savePath;
  QStringList questions;
  QStringList savePathsAsked;
  QStringList errors;
  int lineAnswer = 0;
  QStringList lineQuestions;
};

inline QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& text) {
  const QString path = QDir(dir.path()).filePath(name);
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) qFatal("cannot write %s", qPrintable(path));
  return path;
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void UseApplicationNames() {
  QCoreApplication::setOrganizationName(QStringLiteral("kelvra"));
  QCoreApplication::setApplicationName(QStringLiteral("KelvraDebugger"));
}

}  // namespace kelvra::ide::test
