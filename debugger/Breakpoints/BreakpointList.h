#pragma once
// The "Breakpoints" tab: one row per breakpoint in the store's order, its
// image telling whether the running script accepted it. A click leads to
// the breakpoint's line; "Delete" in the context menu removes it.
#include <QTreeWidget>

namespace kelvra::ide {

class CBreakpointStore;

class CBreakpointList final : public QTreeWidget {
  Q_OBJECT

 public:
  enum Column { LineColumn, FileColumn, PathColumn };

  explicit CBreakpointList(CBreakpointStore& store, QWidget* parent = nullptr);

  // Removes the breakpoint of a row.
  void DeleteRow(int row);

 Q_SIGNALS:
  // The line (from 0) of a script picked in the list.
  void locationWanted(const QString& file, int lineIndex);

 private:
  void Fill();
  void ShowContextMenu(const QPoint& position);

  CBreakpointStore& m_store;
};

}  // namespace kelvra::ide
