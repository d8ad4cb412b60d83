#pragma once
// The debug pane: the breakpoint list, the global variables and the thread
// list in tabs at the bottom. The pane's caption follows the active tab.
#include <QWidget>
#include <cstdint>

class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelvra::ide {

class CBreakpointStore;

class CPropertiesWnd final : public QWidget {
  Q_OBJECT

 public:
  enum Tab { BreakpointsTab = 0, GlobalsTab = 1, ThreadsTab = 2 };

  explicit CPropertiesWnd(CBreakpointStore& breakpoints, QWidget* parent = nullptr);

  QString Caption() const;
  QTreeWidget* ThreadList() const { return m_threads; }

  void AddThread(uint32_t threadId);
  void RemoveThread(uint32_t threadId);
  // The halted look, or "blocked" while the thread runs.
  void MarkThread(uint32_t threadId, bool halted);
  void ShowThreadLocation(uint32_t threadId, const QString& location, int line, const QString& file);
  void ClearGlobals();

 Q_SIGNALS:
  void captionChanged(const QString& caption);

 private:
  void FillBreakpoints();
  QTreeWidgetItem* ThreadRow(uint32_t threadId) const;

  CBreakpointStore& m_breakpointStore;
  QTabWidget* m_tabs;
  QTreeWidget* m_breakpoints;
  QTreeWidget* m_globals;
  QTreeWidget* m_threads;
};

}  // namespace kelvra::ide
