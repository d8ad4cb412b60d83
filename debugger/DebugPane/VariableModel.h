#pragma once
// The rows of a variable list: the variables of one frame and, below them,
// array elements and members, made one at a time when Qt first asks for a
// row, so that a huge array costs only the rows shown.
//
// The script heap is read only while the model is live (its thread halted);
// otherwise the rows keep the texts they showed last, and nothing new is
// made, so a running script is never read from the interface thread.
#include <QAbstractItemModel>
#include <memory>
#include <vector>

#include "kelvra/VariableHandle.h"

namespace kelvra::ide {

class CVariableModel final : public QAbstractItemModel {
  Q_OBJECT

 public:
  enum Column { NameColumn, ValueColumn, TypeColumn, AddressColumn, ColumnCount };

  explicit CVariableModel(QObject* parent = nullptr);
  ~CVariableModel() override;

  // New rows, read from the heap only while the model is live.
  void SetVariables(std::vector<script::VariableHandle> variables);
  void Clear();
  // Live rows read their values again whenever they are painted.
  void SetLive(bool live);
  bool IsLive() const { return m_live; }
  // How integers and bools are shown; every value is shown again.
  void SetView(script::ViewAs view);
  script::ViewAs View() const { return m_view; }
  // The name of a row and of every row above it, outermost first.
  QStringList NamePath(const QModelIndex& index) const;

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  struct Node;
  // An index's internal pointer is its parent's node; the row picks the child.
  Node* NodeOf(const QModelIndex& index) const;
  Node* ChildOf(Node& parent, int row) const;
  // Sizes a node's children on first use; false while they are unknown.
  bool KnowsChildren(Node& node) const;

  std::unique_ptr<Node> m_root;
  bool m_live = false;
  script::ViewAs m_view = script::VIEW_DEFAULT;
};

}  // namespace kelvra::ide
