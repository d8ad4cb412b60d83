#include "debugger/Output/OutputWnd.h"

#include <QApplication>
#include <QClipboard>
#include <QListView>
#include <QMenu>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "debugger/Output/ErrorLocation.h"
#include "debugger/Output/OutputListModel.h"
#include "debugger/Output/OutputSink.h"

namespace kelvra::ide {

namespace {
constexpr int kScrollDelayMs = 50;
}

COutputWnd::COutputWnd(COutputSink& sink, QWidget* parent) : QWidget(parent), m_tabs(new QTabWidget(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tabs);
  m_tabs->setTabPosition(QTabWidget::South);
  m_tabs->setDocumentMode(true);
  const std::array<QString, 3> titles = {QStringLiteral("Build"), QStringLiteral("Debug"), QStringLiteral("Find")};
  for (int list = BuildList; list <= FindList; ++list) {
    m_models[list] = new COutputListModel(this);
    m_views[list] = new QListView(m_tabs);
    m_views[list]->setModel(m_models[list]);
    m_views[list]->setUniformItemSizes(true);
    m_views[list]->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_views[list]->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_views[list]->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_views[list]->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tabs->addTab(m_views[list], titles[list]);
    const auto shown = static_cast<List>(list);
    connect(m_views[list], &QListView::doubleClicked, this,
            [this, shown](const QModelIndex& index) { ActivateLine(shown, index.row()); });
    connect(m_views[list], &QListView::customContextMenuRequested, this,
            [this, shown](const QPoint& position) { ShowContextMenu(shown, position); });
  }
  connect(&sink, &COutputSink::linesPrinted, this, &COutputWnd::Append);
  m_scrollTimer.setSingleShot(true);
  m_scrollTimer.setInterval(kScrollDelayMs);
  connect(&m_scrollTimer, &QTimer::timeout, this, &COutputWnd::FollowNewLines);
  connect(&sink, &COutputSink::cleared, this, [this] {
    m_models[BuildList]->Clear();
    m_models[DebugList]->Clear();
  });
}

COutputWnd::List COutputWnd::CurrentList() const { return static_cast<List>(m_tabs->currentIndex()); }

// A list that showed its last line follows new lines; scrolling is done
// once per burst, since it lays out the whole list.
void COutputWnd::Append(int channel, const QStringList& lines) {
  const List list = channel == 0 ? BuildList : DebugList;
  QScrollBar* scroll = m_views[list]->verticalScrollBar();
  if (scroll->value() == scroll->maximum()) m_follow[list] = true;
  m_models[list]->Append(lines);
  m_tabs->setCurrentIndex(list);
  if (!m_scrollTimer.isActive()) m_scrollTimer.start();
}

void COutputWnd::CopyLines(List list) const {
  QModelIndexList rows = m_views[list]->selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList lines;
  if (rows.isEmpty()) {
    for (int row = 0; row < m_models[list]->rowCount(); ++row) lines << m_models[list]->RowText(row);
  } else {
    for (const QModelIndex& row : rows) lines << m_models[list]->RowText(row.row());
  }
  QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
}

void COutputWnd::ClearLines(List list) { m_models[list]->Clear(); }

void COutputWnd::ActivateLine(List list, int row) {
  const std::optional<CErrorLocation> location = ParseErrorLocation(m_models[list]->RowText(row));
  if (!location) return;
  if (list == FindList) {
    Q_EMIT matchWanted(location->file, location->line - 1, location->position - 1);
  } else {
    Q_EMIT locationWanted(location->file, location->line - 1, location->position - 1, location->runtime);
  }
}

void COutputWnd::ShowFindResults(const QStringList& lines) {
  m_models[FindList]->Clear();
  m_models[FindList]->Append(lines);
  m_tabs->setCurrentIndex(FindList);
  m_views[FindList]->scrollToTop();
}

void COutputWnd::ShowContextMenu(List list, const QPoint& position) {
  QMenu menu(this);
  menu.addAction(QStringLiteral("&Copy"), this, [this, list] { CopyLines(list); });
  menu.addAction(QStringLiteral("C&lear"), this, [this, list] { ClearLines(list); });
  menu.addSeparator();
  menu.addAction(QStringLiteral("&Hide"), this, &COutputWnd::hideWanted);
  menu.exec(m_views[list]->viewport()->mapToGlobal(position));
}

void COutputWnd::FollowNewLines() {
  for (int list = BuildList; list <= DebugList; ++list) {
    if (m_follow[list]) m_views[list]->scrollToBottom();
    m_follow[list] = false;
  }
}

}  // namespace kelvra::ide
