#pragma once
// The commands of the file explorer's context menu and when each is enabled.
#include <array>

namespace kelvra::ide {

class CTreeNode;

enum class ExplorerCommand {
  Open = 136,
  SetStartup = 32784,
  ClearStartup = 32786,
  Compile = 138,
  Decompile = 32788,
  Properties = 135,
};

struct ExplorerCommandInfo {
  ExplorerCommand id;
  const char* menuText;
};

// In menu order.
const std::array<ExplorerCommandInfo, 6>& ExplorerCommandTable();

// With nothing selected every command is off. The start-up and compile
// commands apply to files only, and not while a script runs.
bool IsExplorerCommandEnabled(ExplorerCommand command, const CTreeNode* selected, const CTreeNode* startup,
                              bool runActive);

}  // namespace kelvra::ide
