#include "debugger/Explorer/FileView.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "debugger/Core/Icons.h"
#include "debugger/Explorer/FileTree.h"
#include "debugger/Explorer/PropertiesDialog.h"

namespace kelvra::ide {

namespace {

QString PathOf(const CTreeNode& node) { return QFile::decodeName(QByteArray::fromStdString(node.Path().string())); }

}  // namespace

CFileView::CFileView(CFileTree& tree, QWidget* parent) : QWidget(parent), m_tree(tree), m_view(new QTreeView(this)) {
  m_view->setModel(&tree);
  m_view->setHeaderHidden(true);
  m_view->setUniformRowHeights(true);
  m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_view->setContextMenuPolicy(Qt::CustomContextMenu);
  m_view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_view->header()->setStretchLastSection(false);
  m_view->expand(tree.index(0, 0));

  for (const ExplorerCommandInfo& info : ExplorerCommandTable()) {
    auto* action = new QAction(QString::fromLatin1(info.menuText), this);
    const ExplorerCommand command = info.id;
    connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
    m_actions[command] = action;
  }
  Action(ExplorerCommand::Properties)->setIcon(Icon(IconId::Properties));
  Action(ExplorerCommand::Properties)->setToolTip(QStringLiteral("Properties of the selected file or folder"));
  Action(ExplorerCommand::Open)->setIcon(Icon(IconId::Open));

  auto* toolBar = new QToolBar(this);
  toolBar->setIconSize(QSize(16, 16));
  toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolBar->addAction(Action(ExplorerCommand::Properties));

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar);
  layout->addWidget(m_view);

  connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, &CFileView::UpdateActions);
  connect(&tree, &CFileTree::startupChanged, this, &CFileView::UpdateActions);
  connect(m_view, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    const CTreeNode* node = m_tree.NodeAt(index);
    if (node != nullptr && node->Type() == CTreeNode::FileNode) Q_EMIT openRequested(PathOf(*node));
  });
  connect(m_view, &QTreeView::customContextMenuRequested, this, [this](const QPoint& position) {
    const QModelIndex index = m_view->indexAt(position);
    if (index.isValid()) m_view->setCurrentIndex(index);
    UpdateActions();
    QMenu menu(this);
    for (const ExplorerCommandInfo& info : ExplorerCommandTable()) {
      if (info.id == ExplorerCommand::Compile || info.id == ExplorerCommand::Properties) menu.addSeparator();
      menu.addAction(Action(info.id));
    }
    menu.exec(m_view->viewport()->mapToGlobal(position));
  });
  UpdateActions();
}

CTreeNode* CFileView::Selected() const { return m_tree.NodeAt(m_view->currentIndex()); }

void CFileView::SetRunActive(bool active) {
  m_runActive = active;
  UpdateActions();
}

void CFileView::UpdateActions() {
  for (const auto& [command, action] : m_actions) {
    action->setEnabled(IsExplorerCommandEnabled(command, Selected(), m_tree.StartupNode(), m_runActive));
  }
}

bool CFileView::Reveal(const QString& path) {
  const CTreeNode* node = m_tree.Find(path);
  if (node == nullptr) return false;
  const QModelIndex index = m_tree.IndexOf(node);
  for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent()) m_view->expand(parent);
  m_view->setCurrentIndex(index);
  m_view->scrollTo(index);
  return true;
}

void CFileView::Execute(ExplorerCommand command) {
  CTreeNode* node = Selected();
  if (!IsExplorerCommandEnabled(command, node, m_tree.StartupNode(), m_runActive)) return;
  switch (command) {
    case ExplorerCommand::Open:
      Q_EMIT openRequested(PathOf(*node));
      return;
    case ExplorerCommand::SetStartup:
      m_tree.SetStartup(node);
      return;
    case ExplorerCommand::ClearStartup:
      m_tree.ClearStartup();
      return;
    case ExplorerCommand::Compile:
      Q_EMIT compileRequested(PathOf(*node));
      m_tree.RefreshFolder(node->Parent());
      return;
    case ExplorerCommand::Decompile:
      Q_EMIT decompileRequested(PathOf(*node));
      m_tree.RefreshFolder(node->Parent());
      return;
    case ExplorerCommand::Properties:
      ShowProperties(*node);
      return;
  }
}

void CFileView::ShowProperties(const CTreeNode& node) {
  if (node.Type() == CTreeNode::PcNode) return;
  CPropertiesDialog dialog(PathOf(node), this);
  dialog.exec();
}

}  // namespace kelvra::ide
