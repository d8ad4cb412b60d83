#include "kelvra/VariableHandle.h"

#include <cinttypes>
#include <cstdio>

#include "Script/Expressions/Types/Type.h"
#include "Script/VariableView/VariableChildren.h"
#include "Script/VariableView/VariableText.h"
#include "Script/VariableView/ViewedVariable.h"

namespace script {

namespace {

const std::string kNoName;

}  // namespace

VariableHandle::VariableHandle() = default;
VariableHandle::VariableHandle(std::shared_ptr<const ViewedVariable> variable) : variable_(std::move(variable)) {}
VariableHandle::~VariableHandle() = default;
VariableHandle::VariableHandle(const VariableHandle&) = default;
VariableHandle& VariableHandle::operator=(const VariableHandle&) = default;

const std::string& VariableHandle::Name() const { return variable_ != nullptr ? variable_->name : kNoName; }

std::string VariableHandle::TypeName() const {
  if (variable_ == nullptr || variable_->type == nullptr || variable_->symbols == nullptr) return {};
  return variable_->type->GetName(*variable_->symbols);
}

std::string VariableHandle::ValueText(ViewAs view) const {
  return variable_ != nullptr ? script::ValueText(*variable_, view) : "<null>";
}

std::string VariableHandle::AddressText() const {
  if (!IsResolved()) return {};
  char text[24];
  std::snprintf(text, sizeof text, "0x%016" PRIxPTR,
                reinterpret_cast<uintptr_t>(variable_->block->Data() + variable_->offset));
  return text;
}

bool VariableHandle::IsResolved() const { return variable_ != nullptr && variable_->block != nullptr; }

bool VariableHandle::IsExpandable() const { return variable_ != nullptr && script::IsExpandable(variable_->type); }

std::size_t VariableHandle::ChildCount() const { return variable_ != nullptr ? script::ChildCount(*variable_) : 0; }

VariableHandle VariableHandle::Child(std::size_t index) const {
  if (index >= ChildCount()) return VariableHandle();
  return VariableHandle(std::make_shared<const ViewedVariable>(ChildAt(*variable_, index)));
}

}  // namespace script
