#pragma once
// Reading and writing script files as plain text. Scripts are 8-bit text:
// UTF-8 when they are valid UTF-8, otherwise each byte is read as one
// Latin-1 character and written back the same, so saving never alters
// bytes the editor did not touch. Writes go to a temporary file that
// replaces the old one only when complete.
#include <QString>

namespace kelvra::ide {

struct CScriptText {
  QString text;
  bool latin1 = false;  // the bytes were not UTF-8
};

bool ReadScriptFile(const QString& path, CScriptText& script, QString& error);
bool WriteScriptFile(const QString& path, const CScriptText& script, QString& error);

}  // namespace kelvra::ide
