#include "debugger/Breakpoints/BreakpointList.h"

#include <QMenu>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Core/Icons.h"
#include "debugger/DebugPane/ReportList.h"

namespace kelvra::ide {

CBreakpointList::CBreakpointList(CBreakpointStore& store, QWidget* parent) : QTreeWidget(parent), m_store(store) {
  SetUpReportList(*this, {{"Line", 50}, {"File", 100}, {"Path", 300}});
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, &CBreakpointList::ShowContextMenu);
  connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
    const CBreakpoint& breakpoint = m_store.Breakpoints().at(static_cast<size_t>(indexOfTopLevelItem(item)));
    Q_EMIT locationWanted(breakpoint.Path(), breakpoint.line - 1);
  });
  connect(&store, &CBreakpointStore::changed, this, &CBreakpointList::Fill);
  Fill();
}

void CBreakpointList::Fill() {
  const int current = currentIndex().row();
  clear();
  for (const CBreakpoint& breakpoint : m_store.Breakpoints()) {
    auto* row = new QTreeWidgetItem(this, {QString::number(breakpoint.line), breakpoint.file, breakpoint.folder});
    row->setIcon(LineColumn, Icon(breakpoint.confirmed ? IconId::ConfirmedBreakpoint : IconId::UnconfirmedBreakpoint));
    row->setToolTip(LineColumn, breakpoint.confirmed ? QStringLiteral("Confirmed by the running script")
                                                     : QStringLiteral("Not confirmed"));
  }
  if (current >= 0 && current < topLevelItemCount()) setCurrentItem(topLevelItem(current));
}

void CBreakpointList::DeleteRow(int row) {
  if (row < 0 || row >= topLevelItemCount()) return;
  const CBreakpoint breakpoint = m_store.Breakpoints().at(static_cast<size_t>(row));
  m_store.Remove(breakpoint.Path(), breakpoint.line);
}

void CBreakpointList::ShowContextMenu(const QPoint& position) {
  QTreeWidgetItem* item = itemAt(position);
  if (item == nullptr) return;
  const int row = indexOfTopLevelItem(item);
  QMenu menu(this);
  connect(menu.addAction(QStringLiteral("Delete")), &QAction::triggered, this, [this, row] { DeleteRow(row); });
  menu.exec(viewport()->mapToGlobal(position));
}

}  // namespace kelvra::ide
