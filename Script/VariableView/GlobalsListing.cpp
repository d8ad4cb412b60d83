#include "Script/VariableView/GlobalsListing.h"

#include <cstdint>
#include <unordered_map>
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

// The variables being expanded, outermost first, with an index of the
// objects they show (block and offset, then the type), so that an object met
// again inside its own expansion is found in one step however long the
// chain of references that leads to it.
class ExpansionPath {
 public:
  bool Contains(const ViewedVariable& variable) const {
    auto [first, last] = objects_.equal_range(KeyOf(variable));
    for (auto entry = first; entry != last; ++entry) {
      if (entry->second->IsSameType(variable.type)) return true;
    }
    return false;
  }
  void Push(ViewedVariable variable) {
    objects_.emplace(KeyOf(variable), variable.type);
    const std::size_t count = ChildCount(variable);
    expansions_.push_back(Expansion{std::move(variable), 0, count});
  }
  void Pop() {
    const ViewedVariable& variable = expansions_.back().variable;
    auto [first, last] = objects_.equal_range(KeyOf(variable));
    for (auto entry = first; entry != last; ++entry) {
      if (entry->second != variable.type) continue;
      objects_.erase(entry);
      break;
    }
    expansions_.pop_back();
  }
  bool Empty() const { return expansions_.empty(); }
  std::size_t Depth() const { return expansions_.size(); }
  Expansion& Innermost() { return expansions_.back(); }

 private:
  struct Key {
    const MemoryBlock* block;
    uint32_t offset;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return std::hash<const void*>()(key.block) ^ (std::size_t{key.offset} * 0x9E3779B97F4A7C15ull);
    }
  };
  static Key KeyOf(const ViewedVariable& variable) { return Key{variable.block.get(), variable.offset}; }

  std::vector<Expansion> expansions_;
  std::unordered_multimap<Key, const Type*, KeyHash> objects_;
};

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

  // Depth first with an explicit path, so that a long chain of references
  // cannot exhaust the thread's stack.
  ExpansionPath path;
  const auto show = [&](ViewedVariable variable) {
    emit(Line(variable, path.Depth(), symbols));
    if (IsExpandable(variable.type) && !path.Contains(variable)) path.Push(std::move(variable));
  };
  for (std::size_t i = 0; i < layout.size(); ++i) {
    // Slots without a declaring name hold the bindings of access chains.
    if (layout[i].declaration.symbol == 0) continue;
    const MemoryBlockRef* ref = i < slotCount ? globals->slots[i].ref : nullptr;
    show(InspectSlot(symbols.Symbol(layout[i].declaration.symbol), layout[i].type, ref, &symbols));
    while (!path.Empty()) {
      Expansion& innermost = path.Innermost();
      if (innermost.next == innermost.count) {
        path.Pop();
        continue;
      }
      show(ChildAt(innermost.variable, innermost.next++));
    }
  }
}

}  // namespace script
