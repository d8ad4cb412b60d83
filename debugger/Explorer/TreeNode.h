#pragma once
// The nodes of the file explorer's tree: the computer, its roots (the file
// system root, the home folder, mounted volumes), folders and script files.
// A node lists its children from the file system when they are first asked
// for; only ".kelvra" and ".bin" files (any case) are listed.
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelvra::ide {

// 1 for a script source (".kelvra"), 2 for a compiled script (".bin"),
// compared without regard to case; else 0.
int ClassifyScriptFile(std::string_view name);

class CTreeNode {
 public:
  enum NodeType { PcNode = 1, DriveNode = 2, FolderNode = 3, FileNode = 4 };
  enum Image {
    FolderImage = 0,
    ScriptImage = 1,
    CompiledImage = 2,
    FixedDriveImage = 3,
    NetworkDriveImage = 4,
    OtherDriveImage = 5,
    ComputerImage = 6,
    HomeImage = 7,
  };
  using Children = std::vector<std::unique_ptr<CTreeNode>>;

  virtual ~CTreeNode() = default;
  CTreeNode(const CTreeNode&) = delete;
  CTreeNode& operator=(const CTreeNode&) = delete;

  const std::string& Name() const { return m_name; }
  Image GetImage() const { return m_image; }
  NodeType Type() const { return m_type; }
  CTreeNode* Parent() const { return m_parent; }
  // The node's index among its parent's children.
  int Row() const { return m_row; }
  // The node's file system path; empty for the computer.
  virtual std::filesystem::path Path() const;

  // The children, listed on first use.
  const Children& GetChildren();
  bool IsListed() const { return m_listed; }
  // Reads the children afresh from the file system, without keeping them.
  virtual Children List() { return {}; }
  void SetChildren(Children children);

 protected:
  CTreeNode(CTreeNode* parent, std::string name, Image image, NodeType type);

 private:
  CTreeNode* m_parent;
  std::string m_name;
  Image m_image;
  NodeType m_type;
  int m_row = 0;
  bool m_listed = false;
  Children m_children;
};

// A top-level location of the explorer.
struct CDriveRoot {
  std::string name;
  std::filesystem::path path;
  CTreeNode::Image image;
};

class CPcNode final : public CTreeNode {
 public:
  CPcNode(std::string computerName, std::vector<CDriveRoot> roots);
  Children List() override;

 private:
  std::vector<CDriveRoot> m_roots;
};

// A root (with a path of its own) or a folder (its parent's path and its name).
class CDirNode final : public CTreeNode {
 public:
  CDirNode(CTreeNode* parent, const CDriveRoot& root);
  CDirNode(CTreeNode* parent, std::string name);
  std::filesystem::path Path() const override;
  Children List() override;

 private:
  std::filesystem::path m_rootPath;
};

class CFileNode final : public CTreeNode {
 public:
  CFileNode(CTreeNode* parent, std::string name, Image image) : CTreeNode(parent, std::move(name), image, FileNode) {}
};

}  // namespace kelvra::ide
