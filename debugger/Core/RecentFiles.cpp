#include "debugger/Core/RecentFiles.h"

#include <QSettings>

namespace kelvra::ide {

namespace {
const QString kKey = QStringLiteral("RecentFiles");
}

void CRecentFiles::Add(const QString& path) {
  m_files.removeAll(path);
  m_files.prepend(path);
  while (m_files.size() > kCapacity) m_files.removeLast();
  Q_EMIT changed();
}

void CRecentFiles::Remove(const QString& path) {
  if (m_files.removeAll(path) > 0) Q_EMIT changed();
}

void CRecentFiles::Load(const QSettings& settings) {
  m_files = settings.value(kKey).toStringList().mid(0, kCapacity);
  Q_EMIT changed();
}

void CRecentFiles::Save(QSettings& settings) const { settings.setValue(kKey, m_files); }

}  // namespace kelvra::ide
