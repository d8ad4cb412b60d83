#include "Script/VariableView/GlobalsListing.h"

#include <algorithm>
#include <vector>

#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Stack/StackMemory.h"
#include "Script/VariableView/VariableChildren.h"
#include "Script/VariableView/VariableText.h"

namespace script {

namespace {

// A variable whose children are being listed, and the next child to list.
struct Expansion {
  ViewedVariable variable;
  std::size_t next = 0;
  std::size_t count = 0;
};

bool SameObject(const ViewedVariable& a, const ViewedVariable& b) {
  return a.block == b.block && a.offset == b.offset && a.type->IsSameType(b.type);
}

std::string Line(const ViewedVariable& variable, std::size_t depth, const SymbolStore& symbols) {
  std::string text(2 * depth, ' ');
  text += variable.name;
  text += " : ";
  if (variable.type != nullptr) text += variable.type->GetName(symbols);
  text += " = ";
  text += ValueText(variable, VIEW_DEFAULT);
  return text;
}

}  // namespace

void ListGlobals(const Scope& root, const StackMemory& stack, const SymbolStore& symbols,
                 const std::function<void(const std::string& line)>& emit) {
  const std::vector<FrameSlot>& layout = root.FrameLayout();
  const StackFrame* globals = stack.FrameCount() > 0 ? stack.Frame(0) : nullptr;
  const std::size_t slotCount = globals != nullptr ? globals->slots.size() : 0;

  // Depth first with an explicit stack of the variables being expanded,
  // outermost first, so that a long chain of references cannot exhaust the
  // thread's stack.
  std::vector<Expansion> path;
  const auto show = [&](ViewedVariable variable) {
    emit(Line(variable, path.size(), symbols));
    if (!IsExpandable(variable.type)) return;
    const auto isVariable = [&](const Expansion& outer) { return SameObject(outer.variable, variable); };
    if (std::any_of(path.begin(), path.end(), isVariable)) return;
    const std::size_t count = ChildCount(variable);
    path.push_back(Expansion{std::move(variable), 0, count});
  };
  for (std::size_t i = 0; i < layout.size(); ++i) {
    // Slots without a declaring name hold the bindings of access chains.
    if (layout[i].declaration.symbol == 0) continue;
    const MemoryBlockRef* ref = i < slotCount ? globals->slots[i].ref : nullptr;
    show(InspectSlot(symbols.Symbol(layout[i].declaration.symbol), layout[i].type, ref, &symbols));
    while (!path.empty()) {
      Expansion& top = path.back();
      if (top.next == top.count) {
        path.pop_back();
        continue;
      }
      show(ChildAt(top.variable, top.next++));
    }
  }
}

}  // namespace script
