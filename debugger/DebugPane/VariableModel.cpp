#include "debugger/DebugPane/VariableModel.h"

#include <limits>
#include <optional>

namespace kelvra::ide {

struct CVariableModel::Node {
  Node(script::VariableHandle variable, Node* parentNode, int rowInParent)
      : handle(std::move(variable)),
        parent(parentNode),
        row(rowInParent),
        name(QString::fromStdString(handle.Name())),
        type(QString::fromStdString(handle.TypeName())) {}

  script::VariableHandle handle;
  Node* parent;
  int row;
  QString name;
  QString type;
  QString value;
  QString address;
  // Sized when first needed; a child is made when first asked for.
  std::optional<std::vector<std::unique_ptr<Node>>> children;
};

CVariableModel::CVariableModel(QObject* parent)
    : QAbstractItemModel(parent), m_root(std::make_unique<Node>(script::VariableHandle(), nullptr, 0)) {
  m_root->children.emplace();
}

CVariableModel::~CVariableModel() = default;

void CVariableModel::SetVariables(std::vector<script::VariableHandle> variables) {
  beginResetModel();
  m_root->children.emplace();
  m_root->children->reserve(variables.size());
  for (script::VariableHandle& variable : variables) {
    m_root->children->push_back(
        std::make_unique<Node>(std::move(variable), m_root.get(), static_cast<int>(m_root->children->size())));
  }
  endResetModel();
}

void CVariableModel::Clear() {
  beginResetModel();
  m_root->children.emplace();
  endResetModel();
}

void CVariableModel::SetLive(bool live) { m_live = live; }

QStringList CVariableModel::NamePath(const QModelIndex& index) const {
  QStringList path;
  for (const Node* node = NodeOf(index); node != nullptr && node != m_root.get(); node = node->parent) {
    path.prepend(node->name);
  }
  return path;
}

bool CVariableModel::KnowsChildren(Node& node) const {
  if (node.children) return true;
  if (!m_live) return false;
  const std::size_t count = node.handle.IsExpandable() ? node.handle.ChildCount() : 0;
  node.children.emplace(std::min<std::size_t>(count, std::numeric_limits<int>::max()));
  return true;
}

CVariableModel::Node* CVariableModel::ChildOf(Node& parent, int row) const {
  if (row < 0 || !KnowsChildren(parent) || static_cast<std::size_t>(row) >= parent.children->size()) return nullptr;
  std::unique_ptr<Node>& child = (*parent.children)[static_cast<std::size_t>(row)];
  if (!child && m_live) child = std::make_unique<Node>(parent.handle.Child(static_cast<std::size_t>(row)), &parent, row);
  return child.get();
}

CVariableModel::Node* CVariableModel::NodeOf(const QModelIndex& index) const {
  if (!index.isValid()) return m_root.get();
  return ChildOf(*static_cast<Node*>(index.internalPointer()), index.row());
}

QModelIndex CVariableModel::index(int row, int column, const QModelIndex& parent) const {
  if (column < 0 || column >= ColumnCount || row < 0 || row >= rowCount(parent)) return {};
  return createIndex(row, column, NodeOf(parent));
}

QModelIndex CVariableModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  const Node* parentNode = static_cast<const Node*>(child.internalPointer());
  if (parentNode == m_root.get()) return {};
  return createIndex(parentNode->row, 0, parentNode->parent);
}

int CVariableModel::rowCount(const QModelIndex& parent) const {
  if (parent.column() > 0) return 0;
  Node* node = NodeOf(parent);
  if (node == nullptr || !KnowsChildren(*node)) return 0;
  return static_cast<int>(node->children->size());
}

int CVariableModel::columnCount(const QModelIndex&) const { return ColumnCount; }

bool CVariableModel::hasChildren(const QModelIndex& parent) const {
  if (!parent.isValid()) return !m_root->children->empty();
  if (parent.column() > 0) return false;
  const Node* node = NodeOf(parent);
  if (node == nullptr) return false;
  return node->children ? !node->children->empty() : node->handle.IsExpandable();
}

void CVariableModel::SetView(script::ViewAs view) {
  if (view == m_view) return;
  m_view = view;
  const int rows = rowCount();
  if (rows > 0) Q_EMIT dataChanged(index(0, ValueColumn), index(rows - 1, ValueColumn));
}

QVariant CVariableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  Node* node = NodeOf(index);
  if (node == nullptr) return {};
  switch (index.column()) {
    case NameColumn:
      return node->name;
    case ValueColumn:
      if (m_live) node->value = QString::fromStdString(node->handle.ValueText(m_view));
      return node->value;
    case TypeColumn:
      return node->type;
    case AddressColumn:
      // An address the heap cannot report leaves the last one shown.
      if (m_live) {
        const std::string address = node->handle.AddressText();
        if (!address.empty()) node->address = QString::fromStdString(address);
      }
      return node->address;
    default:
      return {};
  }
}

QVariant CVariableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case NameColumn:
      return QStringLiteral("Variable");
    case ValueColumn:
      return QStringLiteral("Value");
    case TypeColumn:
      return QStringLiteral("Type");
    case AddressColumn:
      return QStringLiteral("Address");
    default:
      return {};
  }
}

}  // namespace kelvra::ide
