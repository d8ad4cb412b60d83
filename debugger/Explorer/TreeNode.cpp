#include "debugger/Explorer/TreeNode.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>

namespace kelvra::ide {

namespace {

bool EndsWithNoCase(std::string_view name, std::string_view suffix) {
  if (name.size() < suffix.size()) return false;
  return std::equal(suffix.begin(), suffix.end(), name.end() - static_cast<std::ptrdiff_t>(suffix.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                    });
}

}  // namespace

int ClassifyScriptFile(std::string_view name) {
  if (EndsWithNoCase(name, ".kelvra")) return 1;
  if (EndsWithNoCase(name, ".bin")) return 2;
  return 0;
}

CTreeNode::CTreeNode(CTreeNode* parent, std::string name, Image image, NodeType type)
    : m_parent(parent), m_name(std::move(name)), m_image(image), m_type(type) {}

std::filesystem::path CTreeNode::Path() const {
  return m_parent != nullptr ? m_parent->Path() / m_name : std::filesystem::path();
}

const CTreeNode::Children& CTreeNode::GetChildren() {
  if (!m_listed) SetChildren(List());
  return m_children;
}

void CTreeNode::SetChildren(Children children) {
  m_children = std::move(children);
  for (size_t i = 0; i < m_children.size(); ++i) m_children[i]->m_row = static_cast<int>(i);
  m_listed = true;
}

CPcNode::CPcNode(std::string computerName, std::vector<CDriveRoot> roots)
    : CTreeNode(nullptr, std::move(computerName), ComputerImage, PcNode), m_roots(std::move(roots)) {}

CTreeNode::Children CPcNode::List() {
  Children children;
  for (const CDriveRoot& root : m_roots) children.push_back(std::make_unique<CDirNode>(this, root));
  return children;
}

CDirNode::CDirNode(CTreeNode* parent, const CDriveRoot& root)
    : CTreeNode(parent, root.name, root.image, DriveNode), m_rootPath(root.path) {}

CDirNode::CDirNode(CTreeNode* parent, std::string name) : CTreeNode(parent, std::move(name), FolderImage, FolderNode) {}

std::filesystem::path CDirNode::Path() const { return m_rootPath.empty() ? CTreeNode::Path() : m_rootPath; }

// Folders first, then script files, each in byte order of their names.
// Hidden entries (names starting with '.') are left out, as file managers do.
CTreeNode::Children CDirNode::List() {
  std::set<std::string> folders;
  std::set<std::pair<std::string, Image>> files;
  std::error_code error;
  for (std::filesystem::directory_iterator it(Path(), std::filesystem::directory_options::skip_permission_denied,
                                              error),
       end;
       !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    std::error_code statusError;
    if (it->is_directory(statusError)) {
      folders.insert(std::move(name));
    } else if (const int kind = ClassifyScriptFile(name); kind != 0) {
      files.emplace(std::move(name), kind == 1 ? ScriptImage : CompiledImage);
    }
  }
  Children children;
  for (const std::string& folder : folders) children.push_back(std::make_unique<CDirNode>(this, folder));
  for (const auto& [name, image] : files) children.push_back(std::make_unique<CFileNode>(this, name, image));
  return children;
}

}  // namespace kelvra::ide
