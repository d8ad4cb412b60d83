#include "debugger/Explorer/ExplorerCommands.h"

#include "debugger/Explorer/TreeNode.h"

namespace kelvra::ide {

const std::array<ExplorerCommandInfo, 6>& ExplorerCommandTable() {
  static const std::array<ExplorerCommandInfo, 6> table = {{
      {ExplorerCommand::Open, "&Open"},
      {ExplorerCommand::SetStartup, "Set as StartUp Script"},
      {ExplorerCommand::ClearStartup, "Clear StartUp Script"},
      {ExplorerCommand::Compile, "&Compile"},
      {ExplorerCommand::Decompile, "&Decompile"},
      {ExplorerCommand::Properties, "&Properties..."},
  }};
  return table;
}

bool IsExplorerCommandEnabled(ExplorerCommand command, const CTreeNode* selected, const CTreeNode* startup,
                              bool runActive) {
  if (selected == nullptr) return false;
  const bool file = selected->Type() == CTreeNode::FileNode;
  switch (command) {
    case ExplorerCommand::Open:
      return file;
    case ExplorerCommand::Properties:
      return selected->Type() != CTreeNode::PcNode;
    case ExplorerCommand::SetStartup:
      return file && !runActive && selected != startup;
    case ExplorerCommand::ClearStartup:
      return file && !runActive && selected == startup;
    case ExplorerCommand::Compile:
      return file && !runActive && ClassifyScriptFile(selected->Name()) == 1;
    case ExplorerCommand::Decompile:
      return file && !runActive && ClassifyScriptFile(selected->Name()) == 2;
  }
  return false;
}

}  // namespace kelvra::ide
