#pragma once
// The debug pane's plain lists: titled columns of given widths, whole rows
// selected.
#include <initializer_list>
#include <utility>

class QTreeWidget;
class QWidget;

namespace kelvra::ide {

using ReportColumns = std::initializer_list<std::pair<const char*, int>>;

void SetUpReportList(QTreeWidget& list, ReportColumns columns);
QTreeWidget* NewReportList(ReportColumns columns, QWidget* parent = nullptr);

}  // namespace kelvra::ide
