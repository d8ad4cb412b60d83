#pragma once
// The page of one script thread: its variables above, its call stack
// below. While the thread runs the page is disabled and shows its last
// values in red; once the thread halts it is enabled and read live.
#include <QSplitter>
#include <cstdint>
#include <vector>

#include "kelvra/ProgramInfo.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace kelvra::ide {

class CVarList;

class CThreadPage final : public QSplitter {
  Q_OBJECT

 public:
  enum StackColumn { ScopeColumn, LocationColumn, LineColumn, FileColumn };

  explicit CThreadPage(uint32_t threadId, QWidget* parent = nullptr);

  uint32_t ThreadId() const { return m_threadId; }
  // "Thread: " and the id.
  QString Label() const;
  static QString LabelOf(uint32_t threadId);
  CVarList& Variables() const { return *m_variables; }
  QTreeWidget& CallStack() const { return *m_callStack; }

  void SetHalted(bool halted);
  bool IsHalted() const { return m_halted; }
  // One row per frame, outermost first.
  void ShowCallStack(const std::vector<script::FrameInfo>& frames);
  void Clear();

 Q_SIGNALS:
  // A call-stack row was clicked: its frame, file and line (from 1).
  void frameWanted(uint32_t threadId, int32_t frameIndex, const QString& file, int line);

 private:
  void OnStackRowClicked(QTreeWidgetItem* row);

  uint32_t m_threadId;
  bool m_halted = false;
  CVarList* m_variables;
  QTreeWidget* m_callStack;
};

}  // namespace kelvra::ide
