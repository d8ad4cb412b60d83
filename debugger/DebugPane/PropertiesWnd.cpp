#include "debugger/DebugPane/PropertiesWnd.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>

#include "debugger/Breakpoints/BreakpointStore.h"

namespace kelvra::ide {

namespace {

enum ThreadColumn { ThreadIdColumn, StatusColumn, LocationColumn, LineColumn, FileColumn };

QTreeWidget* ReportList(std::initializer_list<std::pair<const char*, int>> columns) {
  auto* list = new QTreeWidget;
  list->setRootIsDecorated(false);
  list->setAllColumnsShowFocus(true);
  list->setUniformRowHeights(true);
  QStringList titles;
  for (const auto& [title, width] : columns) titles << QString::fromLatin1(title);
  list->setHeaderLabels(titles);
  int column = 0;
  for (const auto& [title, width] : columns) list->setColumnWidth(column++, width);
  return list;
}

}  // namespace

CPropertiesWnd::CPropertiesWnd(CBreakpointStore& breakpoints, QWidget* parent)
    : QWidget(parent),
      m_breakpointStore(breakpoints),
      m_tabs(new QTabWidget(this)),
      m_breakpoints(ReportList({{"Line", 50}, {"File", 100}, {"Path", 300}})),
      m_globals(ReportList({{"Variable", 100}, {"Value", 120}, {"Type", 200}})),
      m_threads(ReportList(
          {{"Thread Id", 80}, {"Status", 60}, {"Code Location", 160}, {"Line", 40}, {"File Path", 300}})) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tabs);
  m_tabs->setTabPosition(QTabWidget::South);
  m_tabs->setDocumentMode(true);
  m_tabs->addTab(m_breakpoints, QStringLiteral("Breakpoints"));
  m_tabs->addTab(m_globals, QStringLiteral("Global Variables"));
  m_tabs->addTab(m_threads, QStringLiteral("Threads"));
  connect(m_tabs, &QTabWidget::currentChanged, this, [this] { Q_EMIT captionChanged(Caption()); });
  connect(&breakpoints, &CBreakpointStore::changed, this, &CPropertiesWnd::FillBreakpoints);
  FillBreakpoints();
}

QString CPropertiesWnd::Caption() const { return m_tabs->tabText(m_tabs->currentIndex()); }

void CPropertiesWnd::FillBreakpoints() {
  m_breakpoints->clear();
  for (const CBreakpoint& breakpoint : m_breakpointStore.Breakpoints()) {
    const QFileInfo file(breakpoint.path);
    auto* row = new QTreeWidgetItem(m_breakpoints, {QString::number(breakpoint.line), file.fileName(), file.path()});
    row->setToolTip(0, breakpoint.confirmed ? QStringLiteral("Confirmed by the running script")
                                            : QStringLiteral("Not confirmed"));
  }
}

QTreeWidgetItem* CPropertiesWnd::ThreadRow(uint32_t threadId) const {
  for (int i = 0; i < m_threads->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = m_threads->topLevelItem(i);
    if (row->data(ThreadIdColumn, Qt::UserRole).toUInt() == threadId) return row;
  }
  return nullptr;
}

void CPropertiesWnd::AddThread(uint32_t threadId) {
  if (ThreadRow(threadId) != nullptr) return;
  auto* row = new QTreeWidgetItem(m_threads, {QString::number(threadId)});
  row->setData(ThreadIdColumn, Qt::UserRole, threadId);
}

void CPropertiesWnd::RemoveThread(uint32_t threadId) {
  delete ThreadRow(threadId);
  if (m_threads->topLevelItemCount() == 0) ClearGlobals();
}

void CPropertiesWnd::MarkThread(uint32_t threadId, bool halted) {
  if (QTreeWidgetItem* row = ThreadRow(threadId)) {
    row->setText(StatusColumn, halted ? QString() : QStringLiteral("blocked"));
  }
}

void CPropertiesWnd::ShowThreadLocation(uint32_t threadId, const QString& location, int line, const QString& file) {
  QTreeWidgetItem* row = ThreadRow(threadId);
  if (row == nullptr) return;
  row->setText(LocationColumn, location);
  row->setText(LineColumn, QString::number(line));
  row->setText(FileColumn, file);
}

void CPropertiesWnd::ClearGlobals() { m_globals->clear(); }

}  // namespace kelvra::ide
