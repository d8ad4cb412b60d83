#include "debugger/Breakpoints/BreakpointStore.h"

#include <QFile>
#include <QFileInfo>

#include "kelvra/ScriptSession.h"

namespace kelvra::ide {

QString CBreakpointStore::KeyPath(const QString& path) {
  const QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

std::vector<CBreakpoint> CBreakpointStore::Breakpoints() const {
  std::vector<CBreakpoint> breakpoints;
  for (const auto& [key, confirmed] : m_breakpoints) breakpoints.push_back({key.first, key.second, confirmed});
  return breakpoints;
}

std::vector<CBreakpoint> CBreakpointStore::BreakpointsIn(const QString& path) const {
  const QString key = KeyPath(path);
  std::vector<CBreakpoint> breakpoints;
  for (auto it = m_breakpoints.lower_bound({key, 0}); it != m_breakpoints.end() && it->first.first == key; ++it) {
    breakpoints.push_back({key, it->first.second, it->second});
  }
  return breakpoints;
}

bool CBreakpointStore::Contains(const QString& path, int line) const {
  return m_breakpoints.contains({KeyPath(path), line});
}

void CBreakpointStore::Add(const QString& path, int line) {
  const QString key = KeyPath(path);
  if (!m_breakpoints.emplace(std::pair{key, line}, false).second) return;
  Q_EMIT toggled(key, line, true);
  Q_EMIT changed();
}

void CBreakpointStore::Remove(const QString& path, int line) {
  const QString key = KeyPath(path);
  if (m_breakpoints.erase({key, line}) == 0) return;
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
  auto found = m_breakpoints.find({KeyPath(path), line});
  if (found == m_breakpoints.end() || found->second == confirmed) return;
  found->second = confirmed;
  Q_EMIT changed();
}

void CBreakpointStore::ResetConfirmations() {
  bool any = false;
  for (auto& [key, confirmed] : m_breakpoints) {
    any = any || confirmed;
    confirmed = false;
  }
  if (any) Q_EMIT changed();
}

void CBreakpointStore::PushAll(script::ScriptSession& session) const {
  for (const auto& [key, confirmed] : m_breakpoints) {
    session.SetBreakpoint(QFile::encodeName(key.first).toStdString(), static_cast<uint32_t>(key.second - 1), true);
  }
}

}  // namespace kelvra::ide
