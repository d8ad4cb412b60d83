#include "Script/Expressions/Runable.h"

#include "Script/Foundation/Serializer.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Memory/Memory.h"

namespace script {

Runable::Runable(int32_t typeId, const SourcePosition& position) : position_(position), typeId_(typeId) {
  if (Memory* heap = Memory::NodeRegistryOfThread()) heap->TrackNode(this);
}

Runable::~Runable() {
  if (registry_ != nullptr) registry_->UntrackNode(this);
}

bool Runable::IsExpression(Type**, PrePostExpressions**, Error* error) {
  return ReportCheckError(error, static_cast<int32_t>(ErrorCode::INTERNAL_ERROR), "script::Runable::IsExpression",
                          __LINE__);
}

void Runable::Serialize(Serializer* serializer) {
  if (serializer == nullptr) return;
  SerializeBegin(serializer);
  SerializeBody(serializer);
  SerializeEnd(serializer);
}

void Runable::SerializeBegin(Serializer* serializer) { serializer->WriteToken(SerializationCode()); }

void Runable::SerializeBody(Serializer* serializer) { serializer->WriteSymbol(position_); }

void Runable::SerializeEnd(Serializer* serializer) { serializer->WriteEndToken(SerializationCode()); }

int32_t Runable::SerializationCode() const { return position_.symbol == 0 ? TYPE_BLANK_SCOPE : typeId_; }

bool Runable::ReportCheckError(Error* error, int32_t code, const char* function, int32_t moduleLine) const {
  error->SetError(code, ErrorName(static_cast<ErrorCode>(code)), module::kExpressions, function, moduleLine);
  error->SetNodePosition(position_);
  return false;
}

}  // namespace script
