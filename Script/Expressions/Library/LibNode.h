#pragma once
// A variable of a library type. The declared variable loads the library's
// module when its declaration runs and keeps it until the node is deleted;
// in an expression (c.f(x)) the node only leads to a member's call.
#include <atomic>
#include <mutex>
#include <string>

#include "Script/Expressions/Variables/Variable.h"

namespace script {

class LibType;

// A loader failure's message for the script: the message, then the
// loader's reason in parentheses.
std::string LoaderMessage(const std::string& message, const std::string& reason);

class LibNode : public Variable {
 public:
  LibNode(const SourcePosition& position, Node* parent, LibType* type, uint32_t slotIndex, int32_t storageOffset);
  // Releases the module.
  ~LibNode() override;

  // With an access chain, runs it; otherwise loads the module unless it is
  // loaded already ("Can't load library: '...'" on failure).
  uint32_t Run(ExecContext* context) override;
  // The library's name alone is no expression: a function must follow
  // (LIB_FUNCTION_CALL_MISSING).
  bool IsExpression(Type** resultType, PrePostExpressions** wrapper, Error* error) override;

  // The loaded module; null before the declaration ran or after it failed.
  void* Module() const { return module_.load(std::memory_order_acquire); }

 private:
  uint32_t Load(ExecContext* context);

  std::mutex loading_;
  std::atomic<void*> module_{nullptr};
};

}  // namespace script
