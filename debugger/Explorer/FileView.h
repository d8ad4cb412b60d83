#pragma once
// The file explorer pane: the tree of folders and scripts with its context
// menu and a tool bar.
#include <QWidget>
#include <functional>
#include <map>

#include "debugger/Explorer/ExplorerCommands.h"

class QAction;
class QTreeView;

namespace kelvra::ide {

class CFileTree;
class CTreeNode;

class CFileView final : public QWidget {
  Q_OBJECT

 public:
  CFileView(CFileTree& tree, QWidget* parent = nullptr);

  QTreeView* TreeView() const { return m_view; }
  CFileTree& Tree() const { return m_tree; }
  QAction* Action(ExplorerCommand command) const { return m_actions.at(command); }
  CTreeNode* Selected() const;

  // Tells whether a script runs, which turns the start-up and compile commands off.
  void SetRunActive(bool active);
  // Expands the tree down to a path and selects it; false when it is not in the tree.
  bool Reveal(const QString& path);
  // Executes a command on the selection when it is enabled.
  void Execute(ExplorerCommand command);
  void UpdateActions();

 Q_SIGNALS:
  void openRequested(const QString& path);
  // The folder is read again once the receiver has returned.
  void compileRequested(const QString& path);
  void decompileRequested(const QString& path);

 private:
  void ShowProperties(const CTreeNode& node);

  CFileTree& m_tree;
  QTreeView* m_view;
  std::map<ExplorerCommand, QAction*> m_actions;
  bool m_runActive = false;
};

}  // namespace kelvra::ide
