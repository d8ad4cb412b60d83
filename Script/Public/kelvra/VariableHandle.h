#pragma once
// A variable of a halted script as the debugger views show it: name, type,
// value text read from the script heap when asked, and children (array
// elements, structure and error members) made one at a time on demand, so
// that a huge array costs nothing until its rows are shown.
//
// A handle keeps the variable's storage alive; it must not outlive the
// session it came from.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace script {

// How integer and bool values are shown.
enum ViewAs : int32_t {
  VIEW_DEFAULT = 0,  // decimal, "true"/"false"
  VIEW_HEX = 1,
  VIEW_BINARY = 2,
};

struct ViewedVariable;

class VariableHandle {
 public:
  VariableHandle();
  explicit VariableHandle(std::shared_ptr<const ViewedVariable> variable);
  ~VariableHandle();
  VariableHandle(const VariableHandle&);
  VariableHandle& operator=(const VariableHandle&);

  const std::string& Name() const;
  std::string TypeName() const;
  // The value as the variable lists show it: strings quoted and escaped,
  // an i8 or ui8 followed by its character, "<...>" for structures, arrays,
  // libraries and error variables, "<null>" for storage that cannot be
  // resolved, "LOCKED: " before the value of a pinned block.
  std::string ValueText(ViewAs view = VIEW_DEFAULT) const;
  // "0x" and the address of the variable's data; empty when unresolved.
  std::string AddressText() const;
  // Whether the variable has storage to show.
  bool IsResolved() const;
  // Structures, error variables, arrays and libraries expand.
  bool IsExpandable() const;
  std::size_t ChildCount() const;
  // The child at an index below ChildCount: element "[i]" (or "[i,j]",
  // first index fastest) or member by name.
  VariableHandle Child(std::size_t index) const;

 private:
  std::shared_ptr<const ViewedVariable> variable_;
};

}  // namespace script
