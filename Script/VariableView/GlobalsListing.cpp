#include "Script/VariableView/GlobalsListing.h"

#include <algorithm>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/VariableView/VariableChildren.h"
#include "Script/VariableView/VariableText.h"
#include "Script/Stack/StackMemory.h"

namespace script {

namespace {

struct PendingLine {
  ViewedVariable variable;
  std::size_t depth;
};

bool SameObject(const ViewedVariable& a, const ViewedVariable& b) {
  return a.block == b.block && a.offset == b.offset && a.type->IsSameType(b.type);
}

}  // namespace

std::vector<std::string> ListGlobals(const Scope& root, const StackMemory& stack, const SymbolStore& symbols) {
  const std::vector<FrameSlot>& layout = root.FrameLayout();
  const StackFrame* globals = stack.FrameCount() > 0 ? stack.Frame(0) : nullptr;
  const std::size_t slotCount = globals != nullptr ? globals->slots.size() : 0;

  // Depth first with an explicit stack, so that a long chain of references
  // cannot exhaust the thread's stack; pushed last to first.
  std::vector<PendingLine> pending;
  for (std::size_t i = layout.size(); i-- > 0;) {
    // Slots without a declaring name hold the bindings of access chains.
    if (layout[i].declaration.symbol == 0) continue;
    const MemoryBlockRef* ref = i < slotCount ? globals->slots[i].ref : nullptr;
    pending.push_back({InspectSlot(symbols.Symbol(layout[i].declaration.symbol), layout[i].type, ref), 0});
  }

  std::vector<std::string> lines;
  // The variables being expanded, outermost first.
  std::vector<ViewedVariable> path;
  while (!pending.empty()) {
    PendingLine line = std::move(pending.back());
    pending.pop_back();
    const ViewedVariable& variable = line.variable;
    std::string text(2 * line.depth, ' ');
    text += variable.name;
    text += " : ";
    if (variable.type != nullptr) text += variable.type->GetName(symbols);
    text += " = ";
    text += ValueText(variable, VIEW_DEFAULT);
    lines.push_back(std::move(text));

    path.erase(path.begin() + static_cast<std::ptrdiff_t>(line.depth), path.end());
    const auto isVariable = [&](const ViewedVariable& outer) { return SameObject(outer, variable); };
    if (!IsExpandable(variable.type) || std::any_of(path.begin(), path.end(), isVariable)) continue;
    std::vector<ViewedVariable> children = ExpandVariable(variable, symbols);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
      pending.push_back({std::move(*child), line.depth + 1});
    }
    path.push_back(std::move(line.variable));
  }
  return lines;
}

}  // namespace script
