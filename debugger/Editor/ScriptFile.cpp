#include "debugger/Editor/ScriptFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace kelvra::ide {

bool ReadScriptFile(const QString& path, CScriptText& script, QString& error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    error = file.errorString();
    return false;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    error = file.errorString();
    return false;
  }
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  script.text = utf8(bytes);
  script.latin1 = utf8.hasError();
  if (script.latin1) script.text = QString::fromLatin1(bytes);
  return true;
}

bool WriteScriptFile(const QString& path, const CScriptText& script, QString& error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
    return false;
  }
  const QByteArray bytes = script.latin1 ? script.text.toLatin1() : script.text.toUtf8();
  if (file.write(bytes) != bytes.size() || !file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

}  // namespace kelvra::ide
