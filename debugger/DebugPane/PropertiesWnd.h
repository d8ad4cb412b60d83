#pragma once
// The debug pane: the breakpoint list, the global variables, the thread
// list and one page per script thread, in tabs at the bottom. The pane's
// caption follows the active tab. It reads call stacks and variables from
// the session of the current run, and only while their thread is halted.
#include <QWidget>
#include <cstdint>
#include <map>

#include "kelvra/VariableHandle.h"

namespace script {
class ScriptSession;
}

class QTreeWidget;
class QTreeWidgetItem;

namespace kelvra::ide {

class CBreakpointList;
class CBreakpointStore;
class CTabs;
class CThreadPage;
class CVarList;

class CPropertiesWnd final : public QWidget {
  Q_OBJECT

 public:
  enum Tab { BreakpointsTab = 0, GlobalsTab = 1, ThreadsTab = 2 };
  enum ThreadColumn { ThreadIdColumn, StatusColumn, LocationColumn, LineColumn, FileColumn };

  explicit CPropertiesWnd(CBreakpointStore& breakpoints, QWidget* parent = nullptr);

  QString Caption() const;
  CTabs& Tabs() const { return *m_tabs; }
  CBreakpointList& Breakpoints() const { return *m_breakpoints; }
  QTreeWidget* ThreadList() const { return m_threads; }
  CVarList& Globals() const { return *m_globals; }
  // Null when the thread has no page.
  CThreadPage* Page(uint32_t threadId) const;

  // The session whose threads are shown; null when no run exists, which
  // empties the pane's thread views.
  void SetSession(const script::ScriptSession* session);

  // A page and a thread-list row for a thread that starts, removed when it ends.
  void AddThread(uint32_t threadId);
  void RemoveThread(uint32_t threadId);
  // The halted look, or the running one: tinted tab, red disabled lists,
  // status "blocked".
  void MarkThread(uint32_t threadId, bool halted);
  // After a thread halts: its page brought forward with its call stack and
  // its current frame's variables, the globals, and its location in the
  // thread list. Nothing for a thread that is not halted.
  void ShowThread(uint32_t threadId);
  // Shows a thread's page and asks for its location in the editor.
  void SelectThread(uint32_t threadId);
  void ClearGlobals();

  // The value format and the "Address" column of every variable list.
  void SetView(script::ViewAs view);
  script::ViewAs View() const { return m_view; }
  void SetShowAddress(bool show);
  bool ShowsAddress() const { return m_showAddress; }

 Q_SIGNALS:
  // The value format or the "Address" column changed.
  void variableOptionsChanged();
  void captionChanged(const QString& caption);
  // A line (from 0) of a file picked in a call stack or the thread list.
  void locationWanted(const QString& file, int lineIndex);

 private:
  QTreeWidgetItem* ThreadRow(uint32_t threadId) const;
  void ShowFrame(uint32_t threadId, int32_t frameIndex, const QString& file, int line);
  void ShowGlobals();
  // A thread-list row without the "blocked" status.
  static bool IsHalted(const QTreeWidgetItem& row);
  // The globals are read only while every thread of the run is halted.
  bool AllThreadsHalted() const;
  void UpdateGlobalsLive();
  void RemoveAllThreads();
  // A list follows the pane's options and offers them in its menu.
  void AdoptList(CVarList& list);
  template <typename Apply>
  void ForEachList(Apply apply);

  const script::ScriptSession* m_session = nullptr;
  CTabs* m_tabs;
  CBreakpointList* m_breakpoints;
  CVarList* m_globals;
  QTreeWidget* m_threads;
  std::map<uint32_t, CThreadPage*> m_threadPages;
  script::ViewAs m_view = script::VIEW_DEFAULT;
  bool m_showAddress = false;
};

}  // namespace kelvra::ide
