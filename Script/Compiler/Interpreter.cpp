#include "Script/Compiler/Interpreter.h"

#include <algorithm>
#include <new>

#include "Script/Compiler/CompiledFile.h"
#include "Script/Compiler/Reader.h"
#include "Script/Diagnostics/Error.h"
#include "Script/Expressions/Errors/ErrorType.h"
#include "Script/Expressions/Functions/Function.h"
#include "Script/Expressions/Operators/OperatorFactory.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/Type.h"
#include "Script/Foundation/Serializer.h"
#include "Script/Memory/ClearMemoryHandler.h"
#include "Script/Memory/DestroyMemoryHandler.h"
#include "Script/Platform/Path.h"
#include "Script/Platform/SystemError.h"
#include "Script/Platform/Thread.h"
#include "Script/Stack/NativeStack.h"
#include "Script/Stack/RuntimeError.h"
#include "Script/Stack/StackMemory.h"

namespace script {

namespace {

// The built-in functions in the order Init registers them: their names take
// the symbol ids 83 to 90 in this order.
constexpr int32_t kBuiltInCodes[] = {TYPE_CAST,    TYPE_LOCK,     TYPE_UNLOCK,  TYPE_SIZEOF,
                                     TYPE_ARR2STR, TYPE_WARR2STR, TYPE_STR2ARR, TYPE_STR2WARR};

}  // namespace

Interpreter::Interpreter(Error* error, StdOutInterface* sink) : error_(error), sink_(sink) {
  heap_.SetSymbolStore(&symbols_);
  heap_.SetOutput(sink);
  heap_.SetNatives(&natives_);
  heap_.SetThreads(&threads_);
  heap_.SetDestroyHandler(std::make_unique<DestroyMemoryHandler>(&heap_));
  heap_.SetClearHandler(std::make_unique<ClearMemoryHandler>(&heap_));
  debugger_.SetPositionSource(&threads_);
}

Interpreter::~Interpreter() {
  // A callback still running on a foreign thread uses the tree: it may end
  // first, for a while.
  threads_.WaitUntilReleased(std::chrono::seconds(10));
  DeleteProgram();
}

void Interpreter::DeleteProgram() {
  // Storage still held by a thread refers to the tree's types: free it first.
  threads_.ReleaseAll();
  heap_.ReleaseLockedBlocks();
  // The native functions made at run time use the tree's types.
  natives_.Clear();
  delete root_;
  root_ = nullptr;
  errorType_.reset();
}

bool Interpreter::Init() {
  Memory::NodeRegistration registration(heap_);
  handlers_.clear();
  PushHandler(&Interpreter::BeginFullExpression);
  DeleteProgram();
  debugger_.ForgetProgram();
  machine_.Restart();
  symbols_.Reset();
  SourcePosition rootPosition{0, 0, 1, 1};
  if (currentReader_ != nullptr) rootPosition.file = symbols_.InternFile(currentReader_->Path());
  root_ = new Scope(rootPosition, nullptr);
  rootNesting_ = 0;
  current_ = root_;
  pendingType_.reset();
  for (int32_t code : kBuiltInCodes) {
    if (CreateBuiltInFunction(code) == nullptr) return false;
  }
  return root_ != nullptr;
}

bool Interpreter::OnEvent(int32_t code, const std::string& text) {
  Memory::NodeRegistration registration(heap_);
  Handler handler = TopHandler();
  if (handler == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, "script::Interpreter::OnEvent");
  if (handlers_.size() > kMaxNestingDepth) return Fail(ErrorCode::OUT_OF_MEMORY, "script::Interpreter::OnEvent");
  return (this->*handler)(code, text) && NestingAllowed(current_, 0);
}

bool Interpreter::NestingAllowed(Node* node, std::size_t below) {
  std::size_t depth = below;
  Function* function = nullptr;
  for (; node != nullptr; node = node->Parent()) {
    if (function == nullptr && node->TypeId() == TYPE_FUNCTION) {
      function = static_cast<Function*>(node);
      function->NoteNesting(static_cast<uint32_t>(depth));
    }
    if (++depth > kMaxNestingDepth) return Fail(ErrorCode::OUT_OF_MEMORY, "script::Interpreter::OnEvent");
  }
  if (function == nullptr) rootNesting_ = std::max(rootNesting_, static_cast<uint32_t>(depth));
  return true;
}

bool Interpreter::IsComplete() const {
  const Node* node = current_;
  // An if that may still take an "else" is complete, and so are the
  // single-statement bodies it ends.
  if (TopHandler() == &Interpreter::ElseEvent && node->TypeId() == TYPE_IF) {
    while (node != nullptr && (node->TypeId() == TYPE_IF || node->TypeId() == TYPE_WHILE || node->TypeId() == TYPE_FOR))
      node = node->Parent();
  }
  return node == root_;
}

bool Interpreter::Run() {
  if (root_ == nullptr) return Fail(ErrorCode::NULL_SCRIPT, "script::Interpreter::Run");
  const uint32_t threadId = platform::CurrentThreadId();
  StackMemory* stack = threads_.GetStackMemory(threadId);
  ExecContext context{nullptr, &heap_, stack, nullptr};
  if (stack->PushFrame(nullptr, root_, root_->FrameLayout()) < 0) {
    // No memory for the globals: the run ends before it starts.
    ReportRuntimeError(&context, root_, "Out of memory.");
    threads_.ReleaseStackMemory(threadId);
    return false;
  }
  stack->CurrentFrame()->currentStatement = root_;
  debugger_.Started().Set();
  FlowSemaphor* gate = stack->Gate();
  uint32_t result = gate->StartRun(root_);
  if (result != RUN_STOP) result = RunRoot(context);
  // A fault that reached the top ends the run with the code last reported.
  fault_.reset();
  if (result == RUN_EXCEPTION) fault_ = stack->Reporter().LastError().code;
  gate->EndRun();
  threads_.ReleaseStackMemory(threadId);
  return result != RUN_ERROR && result != RUN_EXCEPTION;
}

uint32_t Interpreter::RunRoot(ExecContext& context) {
  if (!NativeStackHolds(rootNesting_)) return ReportRuntimeError(&context, root_, "Stack overflow.");
  try {
    return root_->Run(&context);
  } catch (const std::bad_alloc&) {
    // An allocation failed where no node checks for it (a string grown
    // past the memory there is): the run ends at the statement it stood at.
    const StackFrame* frame = context.thread->CurrentFrame();
    const Runable* at = frame != nullptr && frame->currentStatement != nullptr ? frame->currentStatement : root_;
    return ReportRuntimeError(&context, at, "Out of memory.");
  }
}

void Interpreter::AttachDebugger(DebuggerEvents* events) {
  debugger_.SetEvents(events);
  machine_.Attach(&debugger_);
}

void Interpreter::DetachDebugger() { machine_.Detach(); }

Node* Interpreter::GetRoot() const { return root_; }

void Interpreter::WriteHeader(Serializer& serializer) const {
  const char values[] = {compiled::kFirstHeaderValue & 0xFF, compiled::kFirstHeaderValue >> 8,
                         compiled::kSecondHeaderValue & 0xFF, compiled::kSecondHeaderValue >> 8};
  serializer.Write(compiled::kMagic.data(), compiled::kMagic.size());
  serializer.Write(values, sizeof values);
  serializer.Write(compiled::kBuildStamp.data(), compiled::kBuildStamp.size());
}

void Interpreter::WriteSymbols(Serializer& serializer) const {
  for (uint32_t id = compiled::kFirstStoredSymbol; id < symbols_.SymbolCount(); ++id) {
    const std::string& text = symbols_.Symbol(id);
    // With its terminating zero byte.
    serializer.Write(text.c_str(), text.size() + 1);
  }
  serializer.Write("", 1);
}

void Interpreter::WriteTree(Serializer& serializer) const {
  if (root_ != nullptr) root_->Serialize(&serializer);
}

bool Interpreter::RegisterScriptFile(const std::string& path, int& systemError) {
  std::optional<std::string> full = platform::FullPath(path);
  if (!full) {
    systemError = platform::LastErrorNumber();
    return false;
  }
  return includedFiles_.insert(std::move(*full)).second;
}

bool Interpreter::ReserveAlignedStackSpotIfNotDeclared(Type* type, const SourcePosition& declaration,
                                                       StackSlotReservation& reservation) {
  constexpr const char* kWhere = "script::Interpreter::ReserveAlignedStackSpotIfNotDeclared";
  Scope* scope = EnclosingScope();
  if (scope == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  if (scope->FindDefinition(declaration.symbol) != nullptr) return Fail(ErrorCode::DUPLICATE_DECLARATION, kWhere);
  if (type == nullptr) return Fail(ErrorCode::UNKNOWN_VALUE_TYPE, kWhere);
  Scope* frame = FrameScope();
  if (frame == nullptr) return Fail(ErrorCode::INTERNAL_ERROR, kWhere);
  const uint32_t frameBit = frame == root_ ? kGlobalSlotBit : 0;
  reservation.offset = frame->ReserveSlot(type, declaration, type->GetSize(), type->GetAlignment()) | frameBit;
  reservation.index = static_cast<uint32_t>(frame->FrameLayout().size() - 1) | frameBit;
  return true;
}

bool Interpreter::Fail(ErrorCode code, const char* function) {
  return error_->Raise(code, module::kCompiler, function);
}

SourcePosition Interpreter::TokenPosition(const std::string& text) {
  SourcePosition position;
  position.symbol = symbols_.InternSymbol(text);
  if (currentReader_ != nullptr) {
    position.file = symbols_.InternFile(currentReader_->Path());
    position.line = static_cast<uint32_t>(currentReader_->Line());
    position.position = static_cast<uint32_t>(currentReader_->Column());
  }
  return position;
}

Node* Interpreter::CreateNode(int32_t code, const std::string& text) {
  if (code == TYPE_SCOPE) return new Scope(TokenPosition(text), current_);
  Node* node = CreateOperatorNode(code, TokenPosition(text), current_);
  if (node == nullptr) Fail(ErrorCode::INVALID_NODE_TYPE, "script::Interpreter::CreateNode");
  return node;
}

void Interpreter::Attach(Node* node) {
  node->SetParent(current_);
  if (current_->TypeId() == TYPE_SCOPE) {
    static_cast<Scope*>(current_)->AddStatement(node);
    debugger_.AddToLineTable(node);
  } else if (ExpectsBodyStatement()) {
    AttachBodyStatement(node);
  } else if (current_->Left() == nullptr) {
    current_->SetLeft(node);
  } else {
    current_->SetRight(node);
  }
}

bool Interpreter::AppendNode(int32_t code, const std::string& text) {
  if (error_->IsSet()) return false;
  Node* node = CreateNode(code, text);
  if (node == nullptr) {
    PopHandler();
    return false;
  }
  Attach(node);
  current_ = node;
  return true;
}

Scope* Interpreter::EnclosingScope() const {
  for (Node* node = current_; node != nullptr; node = node->Parent()) {
    if (node->TypeId() == TYPE_SCOPE) return static_cast<Scope*>(node);
  }
  return nullptr;
}

bool Interpreter::InsideBreakable() const {
  for (Node* node = current_; node != nullptr && node->TypeId() != TYPE_FUNCTION; node = node->Parent()) {
    int32_t id = node->TypeId();
    if (id == TYPE_FOR || id == TYPE_WHILE || id == TYPE_SWITCH) return true;
  }
  return false;
}

bool Interpreter::InsideLoop() const {
  for (Node* node = current_; node != nullptr && node->TypeId() != TYPE_FUNCTION; node = node->Parent()) {
    if (node->TypeId() == TYPE_FOR || node->TypeId() == TYPE_WHILE) return true;
  }
  return false;
}

bool Interpreter::InsideFunction() const {
  for (Node* node = current_; node != nullptr; node = node->Parent()) {
    if (node->TypeId() == TYPE_FUNCTION) return true;
  }
  return false;
}

}  // namespace script
