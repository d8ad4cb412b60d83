#include "debugger/Explorer/FileTree.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QStorageInfo>
#include <QSysInfo>

#include "debugger/Core/Icons.h"

namespace kelvra::ide {

namespace {

QString Decode(const std::string& bytes) { return QFile::decodeName(QByteArray::fromStdString(bytes)); }
QString Decode(const std::filesystem::path& path) { return Decode(path.string()); }

IconId IconOf(CTreeNode::Image image) {
  switch (image) {
    case CTreeNode::FolderImage:
      return IconId::Folder;
    case CTreeNode::ScriptImage:
      return IconId::ScriptFile;
    case CTreeNode::CompiledImage:
      return IconId::CompiledFile;
    case CTreeNode::FixedDriveImage:
      return IconId::Drive;
    case CTreeNode::NetworkDriveImage:
      return IconId::NetworkDrive;
    case CTreeNode::OtherDriveImage:
      return IconId::OtherDrive;
    case CTreeNode::ComputerImage:
      return IconId::Computer;
    case CTreeNode::HomeImage:
      return IconId::Home;
  }
  return IconId::Folder;
}

bool IsNetworkFileSystem(const QByteArray& type) {
  static const QList<QByteArray> network = {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "9p", "afs"};
  return network.contains(type);
}

// Volumes a user mounts: below /media, /run/media or /mnt, on a device or
// over the network.
std::vector<CDriveRoot> MountedVolumes() {
  std::vector<CDriveRoot> volumes;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    const QString mount = volume.rootPath();
    const bool userMount = mount.startsWith(QLatin1String("/media/")) || mount.startsWith(QLatin1String("/run/media/")) ||
                           mount.startsWith(QLatin1String("/mnt/"));
    const bool network = IsNetworkFileSystem(volume.fileSystemType());
    if (!userMount || !volume.isValid() || !(network || volume.device().startsWith("/dev/"))) continue;
    const std::filesystem::path path(QFile::encodeName(mount).toStdString());
    volumes.push_back({path.string(), path, network ? CTreeNode::NetworkDriveImage : CTreeNode::OtherDriveImage});
  }
  return volumes;
}

}  // namespace

CFileTree::CFileTree(std::string computerName, std::vector<CDriveRoot> roots, QObject* parent)
    : QAbstractItemModel(parent), m_root(std::make_unique<CPcNode>(std::move(computerName), std::move(roots))) {}

std::unique_ptr<CFileTree> CFileTree::ForThisComputer(QObject* parent) {
  std::vector<CDriveRoot> roots = {{"/", "/", CTreeNode::FixedDriveImage}};
  const std::filesystem::path home(QFile::encodeName(QDir::homePath()).toStdString());
  if (home != "/") roots.push_back({home.string(), home, CTreeNode::HomeImage});
  for (CDriveRoot& volume : MountedVolumes()) roots.push_back(std::move(volume));
  return std::make_unique<CFileTree>(QSysInfo::machineHostName().toStdString(), std::move(roots), parent);
}

CTreeNode* CFileTree::NodeAt(const QModelIndex& index) const {
  return index.isValid() ? static_cast<CTreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex CFileTree::IndexOf(const CTreeNode* node) const {
  if (node == nullptr) return {};
  return createIndex(node->Row(), 0, const_cast<CTreeNode*>(node));
}

QModelIndex CFileTree::index(int row, int column, const QModelIndex& parent) const {
  if (column != 0 || row < 0) return {};
  if (!parent.isValid()) return row == 0 ? IndexOf(m_root.get()) : QModelIndex();
  const CTreeNode::Children& children = NodeAt(parent)->GetChildren();
  if (row >= static_cast<int>(children.size())) return {};
  return IndexOf(children[static_cast<size_t>(row)].get());
}

QModelIndex CFileTree::parent(const QModelIndex& child) const {
  const CTreeNode* node = NodeAt(child);
  return node != nullptr ? IndexOf(node->Parent()) : QModelIndex();
}

int CFileTree::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return 1;
  return static_cast<int>(NodeAt(parent)->GetChildren().size());
}

int CFileTree::columnCount(const QModelIndex&) const { return 1; }

bool CFileTree::hasChildren(const QModelIndex& parent) const {
  if (!parent.isValid()) return true;
  CTreeNode* node = NodeAt(parent);
  return node->Type() != CTreeNode::FileNode && !node->GetChildren().empty();
}

QVariant CFileTree::data(const QModelIndex& index, int role) const {
  const CTreeNode* node = NodeAt(index);
  if (node == nullptr) return {};
  switch (role) {
    case Qt::DisplayRole:
      return Decode(node->Name());
    case Qt::DecorationRole:
      return Icon(IconOf(node->GetImage()));
    case Qt::ToolTipRole:
    case PathRole:
      return Decode(node->Path());
    case Qt::FontRole: {
      if (node != m_startupNode) return {};
      QFont bold;
      bold.setBold(true);
      return bold;
    }
    case NodeTypeRole:
      return static_cast<int>(node->Type());
    default:
      return {};
  }
}

CTreeNode* CFileTree::Find(const QString& path) {
  const std::filesystem::path target =
      std::filesystem::path(QFile::encodeName(QDir::cleanPath(QDir(path).absolutePath())).toStdString());
  CTreeNode* best = nullptr;
  size_t bestDepth = 0;
  for (const auto& root : m_root->GetChildren()) {
    const std::filesystem::path relative = target.lexically_relative(root->Path());
    if (relative.empty() || *relative.begin() == "..") continue;
    const auto depth = static_cast<size_t>(std::distance(root->Path().begin(), root->Path().end()));
    if (best == nullptr || depth > bestDepth) {
      best = root.get();
      bestDepth = depth;
    }
  }
  if (best == nullptr) return nullptr;
  for (const std::filesystem::path& part : target.lexically_relative(best->Path())) {
    if (part == ".") continue;
    CTreeNode* next = nullptr;
    for (const auto& child : best->GetChildren()) {
      if (child->Name() == part.string()) next = child.get();
    }
    if (next == nullptr) return nullptr;
    best = next;
  }
  return best;
}

bool CFileTree::SetStartup(CTreeNode* node) {
  if (node == nullptr || node->Type() != CTreeNode::FileNode) return false;
  const CTreeNode* previous = m_startupNode;
  m_startupNode = node;
  m_startupFolder = Decode(node->Parent()->Path());
  m_startupName = Decode(node->Name());
  if (previous != nullptr) Q_EMIT dataChanged(IndexOf(previous), IndexOf(previous), {Qt::FontRole});
  Q_EMIT dataChanged(IndexOf(node), IndexOf(node), {Qt::FontRole});
  Q_EMIT startupChanged(StartupPath());
  return true;
}

void CFileTree::ClearStartup() {
  const CTreeNode* previous = m_startupNode;
  if (previous == nullptr) return;
  m_startupNode = nullptr;
  m_startupFolder.clear();
  m_startupName.clear();
  Q_EMIT dataChanged(IndexOf(previous), IndexOf(previous), {Qt::FontRole});
  Q_EMIT startupChanged(QString());
}

QString CFileTree::StartupPath() const {
  return m_startupName.isEmpty() ? QString() : QDir(m_startupFolder).filePath(m_startupName);
}

void CFileTree::RefreshFolder(CTreeNode* folder) {
  if (folder == nullptr) return;
  ClearStartup();
  const QModelIndex index = IndexOf(folder);
  if (folder->IsListed() && !folder->GetChildren().empty()) {
    beginRemoveRows(index, 0, static_cast<int>(folder->GetChildren().size()) - 1);
    folder->SetChildren({});
    endRemoveRows();
  }
  CTreeNode::Children fresh = folder->List();
  if (fresh.empty()) {
    folder->SetChildren({});
    return;
  }
  beginInsertRows(index, 0, static_cast<int>(fresh.size()) - 1);
  folder->SetChildren(std::move(fresh));
  endInsertRows();
}

}  // namespace kelvra::ide
