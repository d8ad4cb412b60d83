#pragma once
// The file explorer's tree as an item model: the computer at the top, its
// roots below, folders listed lazily as they are shown, and the start-up
// script, shown in bold, that the debug commands run.
#include <QAbstractItemModel>
#include <memory>
#include <vector>

#include "debugger/Explorer/TreeNode.h"

namespace kelvra::ide {

class CFileTree final : public QAbstractItemModel {
  Q_OBJECT

 public:
  enum Role { PathRole = Qt::UserRole + 1, NodeTypeRole };

  CFileTree(std::string computerName, std::vector<CDriveRoot> roots, QObject* parent = nullptr);

  // The computer name, "/", the home folder and the mounted volumes.
  static std::unique_ptr<CFileTree> ForThisComputer(QObject* parent = nullptr);

  QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  bool hasChildren(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  CTreeNode* NodeAt(const QModelIndex& index) const;
  QModelIndex IndexOf(const CTreeNode* node) const;
  // The node of a path below one of the roots (the deepest root that holds
  // it), listing the folders on the way; null when there is none.
  CTreeNode* Find(const QString& path);

  // Marks a file node as the start-up script; false for other nodes.
  bool SetStartup(CTreeNode* node);
  void ClearStartup();
  const CTreeNode* StartupNode() const { return m_startupNode; }
  // The start-up script's folder and name; empty when there is none.
  const QString& StartupFolder() const { return m_startupFolder; }
  const QString& StartupName() const { return m_startupName; }
  QString StartupPath() const;

  // Reads a folder's contents again; the start-up mark is forgotten.
  void RefreshFolder(CTreeNode* folder);

 Q_SIGNALS:
  void startupChanged(const QString& path);

 private:
  std::unique_ptr<CPcNode> m_root;
  const CTreeNode* m_startupNode = nullptr;
  QString m_startupFolder;
  QString m_startupName;
};

}  // namespace kelvra::ide
