#include "debugger/DebugPane/ThreadPage.h"

#include <QFile>
#include <QTreeWidget>

#include "debugger/DebugPane/ReportList.h"
#include "debugger/DebugPane/VarList.h"

namespace kelvra::ide {

namespace {

const QColor kRunningText(255, 64, 64);

}  // namespace

CThreadPage::CThreadPage(uint32_t threadId, QWidget* parent)
    : QSplitter(Qt::Vertical, parent),
      m_threadId(threadId),
      m_variables(new CVarList(this)),
      m_callStack(NewReportList({{"Scope Name", 200}, {"Code Location", 80}, {"Line", 40}, {"File Path", 300}}, this)) {
  setChildrenCollapsible(false);
  // A disabled page shows its texts in red.
  QPalette running = palette();
  running.setColor(QPalette::Disabled, QPalette::Text, kRunningText);
  setPalette(running);
  connect(m_callStack, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* row) { OnStackRowClicked(row); });
  SetHalted(false);
}

QString CThreadPage::LabelOf(uint32_t threadId) { return QStringLiteral("Thread: %1").arg(threadId); }

QString CThreadPage::Label() const { return LabelOf(m_threadId); }

void CThreadPage::SetHalted(bool halted) {
  m_halted = halted;
  setEnabled(halted);
  m_variables->SetLive(halted);
}

void CThreadPage::ShowCallStack(const std::vector<script::FrameInfo>& frames) {
  m_callStack->clear();
  for (const script::FrameInfo& frame : frames) {
    auto* row = new QTreeWidgetItem(m_callStack, {QString::fromStdString(frame.function),
                                                  QString::fromStdString(frame.module), QString::number(frame.line),
                                                  QFile::decodeName(QByteArray::fromStdString(frame.file))});
    row->setData(ScopeColumn, Qt::UserRole, frame.index);
  }
  if (QTreeWidgetItem* current = m_callStack->topLevelItem(m_callStack->topLevelItemCount() - 1)) {
    m_callStack->setCurrentItem(current);
  }
}

void CThreadPage::Clear() {
  m_callStack->clear();
  m_variables->Clear();
}

void CThreadPage::OnStackRowClicked(QTreeWidgetItem* row) {
  Q_EMIT frameWanted(m_threadId, row->data(ScopeColumn, Qt::UserRole).toInt(), row->text(FileColumn),
                     row->text(LineColumn).toInt());
}

}  // namespace kelvra::ide
