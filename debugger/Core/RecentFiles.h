#pragma once
// The most recently opened scripts, newest first, remembered between starts.
#include <QObject>
#include <QStringList>

class QSettings;

namespace kelvra::ide {

class CRecentFiles : public QObject {
  Q_OBJECT

 public:
  static constexpr int kCapacity = 10;

  using QObject::QObject;

  const QStringList& Files() const { return m_files; }
  // Puts a file first; the oldest falls off past the capacity.
  void Add(const QString& path);
  void Remove(const QString& path);

  void Load(const QSettings& settings);
  void Save(QSettings& settings) const;

 Q_SIGNALS:
  void changed();

 private:
  QStringList m_files;
};

}  // namespace kelvra::ide
