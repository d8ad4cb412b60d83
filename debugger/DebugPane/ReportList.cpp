#include "debugger/DebugPane/ReportList.h"

#include <QStringList>
#include <QTreeWidget>

namespace kelvra::ide {

void SetUpReportList(QTreeWidget& list, ReportColumns columns) {
  list.setRootIsDecorated(false);
  list.setAllColumnsShowFocus(true);
  list.setUniformRowHeights(true);
  QStringList titles;
  for (const auto& [title, width] : columns) titles << QString::fromLatin1(title);
  list.setHeaderLabels(titles);
  int column = 0;
  for (const auto& [title, width] : columns) list.setColumnWidth(column++, width);
}

QTreeWidget* NewReportList(ReportColumns columns, QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  SetUpReportList(*list, columns);
  return list;
}

}  // namespace kelvra::ide
