#include "debugger/Breakpoints/BreakpointStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <tuple>

#include "kelvra/ScriptSession.h"

namespace kelvra::ide {

namespace {

struct CKey {
  QString folder;
  QString file;
  int line;
};

CKey KeyOf(const QString& keyPath, int line) {
  const QFileInfo info(keyPath);
  return {info.path(), info.fileName(), line};
}

bool Before(const CBreakpoint& breakpoint, const CKey& key) {
  return std::tie(breakpoint.folder, breakpoint.file, breakpoint.line) < std::tie(key.folder, key.file, key.line);
}

bool Matches(const CBreakpoint& breakpoint, const CKey& key) {
  return breakpoint.folder == key.folder && breakpoint.file == key.file && breakpoint.line == key.line;
}

}  // namespace

QString CBreakpoint::Path() const { return QDir(folder).filePath(file); }

QString CBreakpointStore::KeyPath(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

std::vector<CBreakpoint>::iterator CBreakpointStore::Find(const QString& keyPath, int line) {
  return std::lower_bound(m_breakpoints.begin(), m_breakpoints.end(), KeyOf(keyPath, line), Before);
}

std::vector<CBreakpoint>::const_iterator CBreakpointStore::Find(const QString& keyPath, int line) const {
  return std::lower_bound(m_breakpoints.begin(), m_breakpoints.end(), KeyOf(keyPath, line), Before);
}

std::vector<CBreakpoint> CBreakpointStore::BreakpointsIn(const QString& path) const {
  const QString key = KeyPath(path);
  const CKey file = KeyOf(key, 0);
  std::vector<CBreakpoint> breakpoints;
  for (auto it = Find(key, 0); it != m_breakpoints.end() && it->folder == file.folder && it->file == file.file; ++it) {
    breakpoints.push_back(*it);
  }
  return breakpoints;
}

bool CBreakpointStore::Contains(const QString& path, int line) const {
  const QString key = KeyPath(path);
  const auto found = Find(key, line);
  return found != m_breakpoints.end() && Matches(*found, KeyOf(key, line));
}

void CBreakpointStore::Add(const QString& path, int line) {
  const QString key = KeyPath(path);
  const CKey wanted = KeyOf(key, line);
  const auto at = Find(key, line);
  if (at != m_breakpoints.end() && Matches(*at, wanted)) return;
  m_breakpoints.insert(at, {wanted.folder, wanted.file, line, false});
  Q_EMIT toggled(key, line, true);
  Q_EMIT changed();
}

void CBreakpointStore::Remove(const QString& path, int line) {
  const QString key = KeyPath(path);
  const auto at = Find(key, line);
  if (at == m_breakpoints.end() || !Matches(*at, KeyOf(key, line))) return;
  m_breakpoints.erase(at);
  Q_EMIT toggled(key, line, false);
  Q_EMIT changed();
}

bool CBreakpointStore::Toggle(const QString& path, int line) {
  if (Contains(path, line)) {
    Remove(path, line);
    return false;
  }
  Add(path, line);
  return true;
}

void CBreakpointStore::SetConfirmed(const QString& path, int line, bool confirmed) {
  const QString key = KeyPath(path);
  const auto at = Find(key, line);
  if (at == m_breakpoints.end() || !Matches(*at, KeyOf(key, line)) || at->confirmed == confirmed) return;
  at->confirmed = confirmed;
  Q_EMIT changed();
}

void CBreakpointStore::ResetConfirmations() {
  bool any = false;
  for (CBreakpoint& breakpoint : m_breakpoints) {
    any = any || breakpoint.confirmed;
    breakpoint.confirmed = false;
  }
  if (any) Q_EMIT changed();
}

void CBreakpointStore::PushAll(script::ScriptSession& session) const {
  for (const CBreakpoint& breakpoint : m_breakpoints) {
    session.SetBreakpoint(QFile::encodeName(breakpoint.Path()).toStdString(), static_cast<uint32_t>(breakpoint.line - 1),
                          true);
  }
}

}  // namespace kelvra::ide
