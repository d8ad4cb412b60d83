#include "debugger/DebugPane/VarList.h"

#include <QHeaderView>
#include <algorithm>

#include "debugger/DebugPane/VariableModel.h"

namespace kelvra::ide {

CVarList::CVarList(QWidget* parent) : QTreeView(parent), m_model(new CVariableModel(this)) {
  setModel(m_model);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setAlternatingRowColors(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  header()->setStretchLastSection(true);
  setColumnWidth(CVariableModel::NameColumn, 100);
  setColumnWidth(CVariableModel::ValueColumn, 120);
  setColumnWidth(CVariableModel::TypeColumn, 200);
  setItemsExpandable(false);
  connect(this, &QTreeView::expanded, this, [this](const QModelIndex& index) {
    const QStringList path = m_model->NamePath(index);
    if (!m_expanded.contains(path)) m_expanded << path;
  });
  connect(this, &QTreeView::collapsed, this,
          [this](const QModelIndex& index) { m_expanded.removeAll(m_model->NamePath(index)); });
}

void CVarList::Fill(std::vector<script::VariableHandle> variables) {
  m_model->SetVariables(std::move(variables));
  if (m_model->IsLive()) ExpandKnownPaths();
}

void CVarList::Clear() { m_model->Clear(); }

void CVarList::SetLive(bool live) {
  m_model->SetLive(live);
  setItemsExpandable(live);
  viewport()->update();
}

void CVarList::ExpandKnownPaths() {
  // Parents before their children, since a row is found below its parent.
  std::sort(m_expanded.begin(), m_expanded.end(),
            [](const QStringList& a, const QStringList& b) { return a.size() < b.size(); });
  const QList<QStringList> paths = m_expanded;
  m_expanded.clear();
  for (const QStringList& path : paths) {
    QModelIndex at;
    for (const QString& name : path) {
      at = m_model->match(m_model->index(0, 0, at), Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0);
      if (!at.isValid()) break;
    }
    if (at.isValid()) expand(at);
  }
}

}  // namespace kelvra::ide
