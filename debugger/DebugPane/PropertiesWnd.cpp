#include "debugger/DebugPane/PropertiesWnd.h"

#include <QFile>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "debugger/Breakpoints/BreakpointList.h"
#include "debugger/Core/Icons.h"
#include "debugger/DebugPane/ReportList.h"
#include "debugger/DebugPane/Tabs.h"
#include "debugger/DebugPane/ThreadPage.h"
#include "debugger/DebugPane/VarList.h"
#include "kelvra/ScriptSession.h"

namespace kelvra::ide {

namespace {

const QColor kRunningTab(255, 153, 153);
const QString kBlocked = QStringLiteral("blocked");

}  // namespace

CPropertiesWnd::CPropertiesWnd(CBreakpointStore& breakpoints, QWidget* parent)
    : QWidget(parent),
      m_tabs(new CTabs(this)),
      m_breakpoints(new CBreakpointList(breakpoints)),
      m_globals(new CVarList),
      m_threads(NewReportList(
          {{"Thread Id", 80}, {"Status", 60}, {"Code Location", 160}, {"Line", 40}, {"File Path", 300}})) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tabs);
  m_tabs->addTab(m_breakpoints, QStringLiteral("Breakpoints"));
  m_tabs->addTab(m_globals, QStringLiteral("Global Variables"));
  m_tabs->addTab(m_threads, QStringLiteral("Threads"));
  setFocusProxy(m_tabs);
  AdoptList(*m_globals);
  connect(m_tabs, &QTabWidget::currentChanged, this, [this] { Q_EMIT captionChanged(Caption()); });
  connect(m_threads, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row) {
    SelectThread(row->data(ThreadIdColumn, Qt::UserRole).toUInt());
  });
}

QString CPropertiesWnd::Caption() const { return m_tabs->tabText(m_tabs->currentIndex()); }

CThreadPage* CPropertiesWnd::Page(uint32_t threadId) const {
  const auto page = m_threadPages.find(threadId);
  return page != m_threadPages.end() ? page->second : nullptr;
}

void CPropertiesWnd::SetSession(const script::ScriptSession* session) {
  if (session == m_session) return;
  // Views of the old session's variables must not outlive it.
  RemoveAllThreads();
  ClearGlobals();
  m_session = session;
}

QTreeWidgetItem* CPropertiesWnd::ThreadRow(uint32_t threadId) const {
  for (int i = 0; i < m_threads->topLevelItemCount(); ++i) {
    QTreeWidgetItem* row = m_threads->topLevelItem(i);
    if (row->data(ThreadIdColumn, Qt::UserRole).toUInt() == threadId) return row;
  }
  return nullptr;
}

void CPropertiesWnd::AddThread(uint32_t threadId) {
  MarkThread(threadId, false);
  if (Page(threadId) == nullptr) {
    auto* page = new CThreadPage(threadId);
    connect(page, &CThreadPage::frameWanted, this, &CPropertiesWnd::ShowFrame);
    AdoptList(page->Variables());
    m_threadPages[threadId] = page;
    m_tabs->addTab(page, page->Label());
    m_tabs->SetTabTint(m_tabs->indexOf(page), kRunningTab);
  }
  if (ThreadRow(threadId) == nullptr) {
    auto* row = new QTreeWidgetItem(m_threads, {QString::number(threadId), kBlocked});
    row->setData(ThreadIdColumn, Qt::UserRole, threadId);
  }
  UpdateGlobalsLive();
}

void CPropertiesWnd::RemoveThread(uint32_t threadId) {
  MarkThread(threadId, true);
  if (CThreadPage* page = Page(threadId)) {
    m_threadPages.erase(threadId);
    m_tabs->removeTab(m_tabs->indexOf(page));
    delete page;
  }
  if (m_threadPages.empty()) ClearGlobals();
  delete ThreadRow(threadId);
  UpdateGlobalsLive();
}

void CPropertiesWnd::RemoveAllThreads() {
  while (!m_threadPages.empty()) RemoveThread(m_threadPages.begin()->first);
  m_threads->clear();
}

void CPropertiesWnd::MarkThread(uint32_t threadId, bool halted) {
  if (CThreadPage* page = Page(threadId)) {
    page->SetHalted(halted);
    m_tabs->SetTabTint(m_tabs->indexOf(page), halted ? QColor() : kRunningTab);
  }
  if (QTreeWidgetItem* row = ThreadRow(threadId)) row->setText(StatusColumn, halted ? QString() : kBlocked);
  UpdateGlobalsLive();
}

bool CPropertiesWnd::IsHalted(const QTreeWidgetItem& row) { return row.text(StatusColumn).isEmpty(); }

bool CPropertiesWnd::AllThreadsHalted() const {
  bool allHalted = m_session != nullptr && m_threads->topLevelItemCount() > 0;
  for (int i = 0; allHalted && i < m_threads->topLevelItemCount(); ++i) allHalted = IsHalted(*m_threads->topLevelItem(i));
  return allHalted;
}

void CPropertiesWnd::UpdateGlobalsLive() { m_globals->SetLive(AllThreadsHalted()); }

void CPropertiesWnd::ShowGlobals() {
  // Another thread may still be writing them.
  if (!AllThreadsHalted()) return;
  // The globals live in the outermost frame of the run's own thread.
  m_globals->Fill(m_session->Variables(m_session->RunThreadId(), 0));
}

void CPropertiesWnd::ShowThread(uint32_t threadId) {
  QTreeWidgetItem* row = ThreadRow(threadId);
  if (m_session == nullptr || row == nullptr || !IsHalted(*row)) return;
  ShowGlobals();
  const std::vector<script::FrameInfo> frames = m_session->CallStack(threadId);
  if (frames.empty()) return;
  const script::FrameInfo& current = frames.back();
  if (CThreadPage* page = Page(threadId)) {
    page->ShowCallStack(frames);
    page->Variables().Fill(m_session->Variables(threadId, current.index));
    // The halted thread's page comes forward; the tab bar scrolls to its tab.
    m_tabs->setCurrentWidget(page);
  }
  for (int i = 0; i < m_threads->topLevelItemCount(); ++i) m_threads->topLevelItem(i)->setIcon(ThreadIdColumn, {});
  row->setIcon(ThreadIdColumn, Icon(IconId::CurrentLocation));
  row->setText(LocationColumn, QString::fromStdString(current.function));
  row->setText(LineColumn, QString::number(current.line));
  row->setText(FileColumn, QFile::decodeName(QByteArray::fromStdString(current.file)));
}

// The location a thread was last shown at; a running thread's stack is not read.
void CPropertiesWnd::SelectThread(uint32_t threadId) {
  if (CThreadPage* page = Page(threadId)) m_tabs->setCurrentWidget(page);
  const QTreeWidgetItem* row = ThreadRow(threadId);
  if (row == nullptr || row->text(LineColumn).isEmpty()) return;
  Q_EMIT locationWanted(row->text(FileColumn), row->text(LineColumn).toInt() - 1);
}

void CPropertiesWnd::ShowFrame(uint32_t threadId, int32_t frameIndex, const QString& file, int line) {
  Q_EMIT locationWanted(file, line - 1);
  CThreadPage* page = Page(threadId);
  if (m_session == nullptr || page == nullptr || !page->IsHalted()) return;
  page->Variables().Fill(m_session->Variables(threadId, frameIndex));
}

void CPropertiesWnd::ClearGlobals() { m_globals->Clear(); }

void CPropertiesWnd::AdoptList(CVarList& list) {
  list.SetView(m_view);
  list.SetShowAddress(m_showAddress);
  connect(&list, &CVarList::viewWanted, this, &CPropertiesWnd::SetView);
  connect(&list, &CVarList::showAddressWanted, this, &CPropertiesWnd::SetShowAddress);
}

template <typename Apply>
void CPropertiesWnd::ForEachList(Apply apply) {
  apply(*m_globals);
  for (const auto& [threadId, page] : m_threadPages) apply(page->Variables());
}

void CPropertiesWnd::SetView(script::ViewAs view) {
  if (view == m_view) return;
  m_view = view;
  ForEachList([view](CVarList& list) { list.SetView(view); });
  Q_EMIT variableOptionsChanged();
}

void CPropertiesWnd::SetShowAddress(bool show) {
  if (show == m_showAddress) return;
  m_showAddress = show;
  ForEachList([show](CVarList& list) { list.SetShowAddress(show); });
  Q_EMIT variableOptionsChanged();
}

}  // namespace kelvra::ide
