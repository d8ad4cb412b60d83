#pragma once
// The breakpoints the user has set, by file and line, whether or not a
// script runs. The engine confirms a breakpoint when a run accepts it; the
// confirmation is forgotten when the run ends.
#include <QObject>
#include <QString>
#include <vector>

namespace script {
class ScriptSession;
}

namespace kelvra::ide {

struct CBreakpoint {
  QString folder;  // canonical when the file exists, no trailing "/"
  QString file;    // name only
  int line = 0;    // from 1
  bool confirmed = false;

  QString Path() const;
};

class CBreakpointStore : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

  // The path under which breakpoints of a file are kept: symbolic links
  // and ".." resolved when the file exists.
  static QString KeyPath(const QString& path);

  // Sorted by folder, then file name (by UTF-16 code unit), then line.
  const std::vector<CBreakpoint>& Breakpoints() const { return m_breakpoints; }
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
  // A breakpoint was added (set) or removed; the path is its key path.
  void toggled(const QString& path, int line, bool set);
  // Anything changed, confirmations included.
  void changed();

 private:
  // The position where the breakpoint of a key path and line is or would
  // go, by binary search.
  std::vector<CBreakpoint>::iterator Find(const QString& keyPath, int line);
  std::vector<CBreakpoint>::const_iterator Find(const QString& keyPath, int line) const;

  std::vector<CBreakpoint> m_breakpoints;
};

}  // namespace kelvra::ide
