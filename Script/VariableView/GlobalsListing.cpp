#include "Script/VariableView/GlobalsListing.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "Script/Foundation/SymbolStore.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/VariableView/VariableChildren.h"
#include "Script/VariableView/VariableText.h"
#include "Script/Stack/StackMemory.h"

namespace script {

namespace {

// A variable being expanded and the next of its children to list.
struct Expansion {
  ViewedVariable variable;
  std::size_t next = 0;
  std::size_t count = 0;
};

// The objects being expanded, by block and offset with their types, so that
// an object met again inside its own expansion is found in one step however
// long the chain of references that leads to it.
class ExpansionPath {
 public:
  bool Contains(const ViewedVariable& variable) const {
    auto [first, last] = objects_.equal_range(Key(variable));
    for (auto entry = first; entry != last; ++entry) {
      if (entry->second->IsSameType(variable.type)) return true;
    }
    return false;
  }
  void Push(ViewedVariable variable) {
    objects_.emplace(Key(variable), variable.type);
    const std::size_t count = ChildCount(variable);
    expansions_.push_back(Expansion{std::move(variable), 0, count});
  }
  void Pop() {
    auto [first, last] = objects_.equal_range(Key(expansions_.back().variable));
    for (auto entry = first; entry != last; ++entry) {
      if (entry->second == expansions_.back().variable.type) {
        objects_.erase(entry);
        break;
      }
    }
    expansions_.pop_back();
  }
  bool Empty() const { return expansions_.empty(); }
  std::size_t Depth() const { return expansions_.size(); }
  Expansion& Innermost() { return expansions_.back(); }

 private:
  struct ObjectKey {
    const MemoryBlock* block;
    uint32_t offset;
    bool operator==(const ObjectKey&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const ObjectKey& key) const {
      return std::hash<const void*>()(key.block) ^ (std::size_t{key.offset} * 0x9E3779B97F4A7C15ull);
    }
  };
  static ObjectKey Key(const ViewedVariable& variable) { return ObjectKey{variable.block.get(), variable.offset}; }

  std::vector<Expansion> expansions_;  // outermost first
  std::unordered_multimap<ObjectKey, const Type*, KeyHash> objects_;
};

std::string LineOf(const ViewedVariable& variable, std::size_t depth, const SymbolStore& symbols) {
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
                 const std::function<void(const std::string& line)>& line) {
  const std::vector<FrameSlot>& layout = root.FrameLayout();
  const StackFrame* globals = stack.FrameCount() > 0 ? stack.Frame(0) : nullptr;
  const std::size_t slotCount = globals != nullptr ? globals->slots.size() : 0;

  // Depth first with an explicit path, so that a long chain of references
  // cannot exhaust the thread's stack.
  ExpansionPath path;
  const auto show = [&](ViewedVariable variable) {
    line(LineOf(variable, path.Depth(), symbols));
    if (IsExpandable(variable.type) && !path.Contains(variable)) path.Push(std::move(variable));
  };
  for (std::size_t i = 0; i < layout.size(); ++i) {
    // Slots without a declaring name hold the bindings of access chains.
    if (layout[i].declaration.symbol == 0) continue;
    const MemoryBlockRef* ref = i < slotCount ? globals->slots[i].ref : nullptr;
    show(InspectSlot(symbols.Symbol(layout[i].declaration.symbol), layout[i].type, ref));
    while (!path.Empty()) {
      Expansion& innermost = path.Innermost();
      if (innermost.next == innermost.count) {
        path.Pop();
        continue;
      }
      show(ChildAt(innermost.variable, innermost.next++, symbols));
    }
  }
}

}  // namespace script
