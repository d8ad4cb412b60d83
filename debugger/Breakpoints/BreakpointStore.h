#pragma once
// The breakpoints the user has set, by file and line, whether or not a
// script runs. The engine confirms a breakpoint when a run accepts it; the
// confirmation is forgotten when the run ends.
#include <QObject>
#include <QString>
#include <map>
#include <utility>
#include <vector>

namespace script {
class ScriptSession;
}

namespace kelvra::ide {

struct CBreakpoint {
  QString path;  // canonical when the file exists
  int line = 0;  // from 1
  bool confirmed = false;
};

class CBreakpointStore : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The path under which breakpoints of a file are kept: symbolic links
  // and ".." resolved when the file exists.
  static QString KeyPath(const QString& path);

  // Sorted by path, then line.
  std::vector<CBreakpoint> Breakpoints() const;
  std::vector<CBreakpoint> BreakpointsIn(const QString& path) const;
  bool Contains(const QString& path, int line) const;

  void Add(const QString& path, int line);
  void Remove(const QString& path, int line);
  // Adds the breakpoint when absent, removes it otherwise; true when added.
  bool Toggle(const QString& path, int line);

  void SetConfirmed(const QString& path, int line, bool confirmed);
  void ResetConfirmations();

  // Sets every breakpoint in a loaded session.
  void PushAll(script::ScriptSession& session) const;

 Q_SIGNALS:
  // A breakpoint was added (set) or removed.
  void toggled(const QString& path, int line, bool set);
  // Anything changed, confirmations included.
  void changed();

 private:
  // (path, line) → confirmed
  std::map<std::pair<QString, int>, bool> m_breakpoints;
};

}  // namespace kelvra::ide
