#include "debugger/DebugPane/VarList.h"

#include <QHeaderView>
#include <QMenu>
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
  setColumnWidth(CVariableModel::AddressColumn, 100);
  setColumnHidden(CVariableModel::AddressColumn, true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, &CVarList::ShowContextMenu);
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

void CVarList::SetView(script::ViewAs view) {
  m_model->SetView(view);
  viewport()->update();
}

void CVarList::SetShowAddress(bool show) { setColumnHidden(CVariableModel::AddressColumn, !show); }

bool CVarList::ShowsAddress() const { return !isColumnHidden(CVariableModel::AddressColumn); }

void CVarList::ShowContextMenu(const QPoint& position) {
  QMenu menu(this);
  const std::pair<const char*, script::ViewAs> views[] = {
      {"View as Default", script::VIEW_DEFAULT}, {"View as Hex", script::VIEW_HEX}, {"View as Binary", script::VIEW_BINARY}};
  for (const auto& [text, view] : views) {
    QAction* action = menu.addAction(QString::fromLatin1(text));
    action->setCheckable(true);
    action->setChecked(m_model->View() == view);
    connect(action, &QAction::triggered, this, [this, view = view] { Q_EMIT viewWanted(view); });
  }
  QAction* address = menu.addAction(QStringLiteral("View Address"));
  address->setCheckable(true);
  address->setChecked(ShowsAddress());
  connect(address, &QAction::triggered, this, [this](bool show) { Q_EMIT showAddressWanted(show); });
  menu.exec(viewport()->mapToGlobal(position));
}

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
