#pragma once
// The compiler and owner of a compiled program. Tokens arrive one at a time
// and go to the handler on top of a stack of expected-event handlers, which
// builds the node tree as the grammar goes.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "Script/Compiler/InterpreterIf.h"
#include "Script/Foundation/SymbolStore.h"
#include "Script/Debugger/DebuggerHandler.h"
#include "Script/Debugger/DebuggerStateMachine.h"
#include "Script/Diagnostics/ErrorCode.h"
#include "Script/Foundation/SourcePosition.h"
#include "Script/Memory/Memory.h"
#include "Script/Native/NativeRegistry.h"
#include "Script/Stack/ThreadMap.h"

namespace script {

class AggregateType;
class ArrayType;
class ConstVariable;
class DebuggerEvents;
class Error;
class ErrorType;
class Function;
class FunctionCall;
class Node;
class Variable;
class Scope;
class Serializer;
class StdOutInterface;
class Type;

// Where a reserved stack slot lies in its frame.
struct StackSlotReservation {
  uint32_t offset;
  uint32_t index;
};

// Where a "function<NAME>" type is being read, which decides what the type
// becomes once its ">" arrives.
enum class FunctionRefRole { Return, Argument, Variable, Member, Cast, ArrayElement, Library };

class Interpreter : public InterpreterIf {
 public:
  // Bit set in the offsets and slot indices of the global frame.
  static constexpr uint32_t kGlobalSlotBit = 0x80000000u;
  // Deepest nesting of handlers, and of nodes in the program tree, a script
  // may reach (OUT_OF_MEMORY past it). The tree is checked, run and written
  // recursively, so its depth is bounded well inside a thread's stack.
  static constexpr std::size_t kMaxNestingDepth = 2000;

  Interpreter(Error* error, StdOutInterface* sink);
  ~Interpreter() override;

  bool Init() override;
  bool OnEvent(int32_t code, const std::string& text) override;
  bool IsComplete() const override;
  // Runs the program on the calling thread under its debugger gate: the
  // first thread is held before the first statement until a command
  // resumes it. False when the run ended with a runtime error.
  bool Run() override;
  // The exception code of the processor fault that ended the last run (0
  // when none was caught); empty when no fault ended it.
  std::optional<uint32_t> Fault() const { return fault_; }
  Node* GetRoot() const override;

  // Connects the application's debugger events; attach before running.
  void AttachDebugger(DebuggerEvents* events);
  void DetachDebugger();
  // Where the application's debugger commands go.
  DebuggerStateMachine& Debugger() { return machine_; }
  DebuggerHandler& DebuggerFanOut() { return debugger_; }
  ThreadMap& Threads() { return threads_; }
  void SetCurrentReader(Reader* reader) override { currentReader_ = reader; }
  Reader* CurrentReader() const override { return currentReader_; }

  // Records the full path of a script file. False when the path cannot be
  // resolved (systemError is set) or when the file was registered before.
  bool RegisterScriptFile(const std::string& path, int& systemError);
  void SetLoaded(bool loaded) { loaded_ = loaded; }
  bool IsLoaded() const { return loaded_; }

  SymbolStore& Symbols() override { return symbols_; }
  const SymbolStore& Symbols() const { return symbols_; }
  Memory& Heap() { return heap_; }
  StdOutInterface* Sink() const { return sink_; }

  // The steps of writing the program as a compiled file: the header, the
  // symbols from id 83 on, and the tree's tokens (also as source text).
  void WriteHeader(Serializer& serializer) const;
  void WriteSymbols(Serializer& serializer) const;
  void WriteTree(Serializer& serializer) const;

  // Creates the node for a token through the factory of its code.
  Node* CreateNode(int32_t code, const std::string& text);

  // Reserves a variable's slot in the frame of the nearest enclosing
  // function, or in the global frame. Raises DUPLICATE_DECLARATION when
  // the symbol is already declared in the current scope.
  bool ReserveAlignedStackSpotIfNotDeclared(Type* type, const SourcePosition& declaration,
                                            StackSlotReservation& reservation);

 private:
  using Handler = bool (Interpreter::*)(int32_t code, const std::string& text);

  void PushHandler(Handler handler) { handlers_.push_back(handler); }
  void PopHandler() {
    if (!handlers_.empty()) handlers_.pop_back();
  }
  Handler TopHandler() const { return handlers_.empty() ? nullptr : handlers_.back(); }

  bool Fail(ErrorCode code, const char* function);
  // Deletes the program's tree and Error type, after the storage that still
  // refers to their types: what the threads hold and what lock pinned.
  void DeleteProgram();
  // Runs the root scope on a thread whose frame 0 holds the globals.
  uint32_t RunRoot(ExecContext& context);
  SourcePosition TokenPosition(const std::string& text);
  // Attaches a new node under the current node.
  void Attach(Node* node);
  // The common end of a handler that consumes its token by creating a node:
  // create, attach and make it current; without a node, pops the handler
  // pushed for it.
  bool AppendNode(int32_t code, const std::string& text);
  // The current node if it is a scope, else the nearest enclosing scope.
  Scope* EnclosingScope() const;
  // Whether a break / continue / return may stand at the current node.
  bool InsideBreakable() const;
  bool InsideLoop() const;
  bool InsideFunction() const;

  // Core and block handlers.
  bool BeginFullExpression(int32_t code, const std::string& text);
  bool BeginScopeExpression(int32_t code, const std::string& text);
  // A statement that starts with a name: a declaration of a struct type or
  // an expression on a variable.
  bool IdentifierStatement(const std::string& text);
  bool OpenBlock(int32_t code, const std::string& text);
  bool EndScope();
  bool IncludeEvent(int32_t code, const std::string& text);

  // Names: the declaration a symbol names in the enclosing scopes, or null.
  Node* FindDeclaration(uint32_t symbol) const;
  // A node for a declared variable's name, sharing its slot.
  Variable* CreateVariableNode(const std::string& text);
  // Reserves a slot whose binding an access chain pushes and pops.
  uint32_t ReserveBindingSlot(Type* type);

  // Expressions.
  bool ExpEvent(int32_t code, const std::string& text);
  bool Append2Op(int32_t code, const std::string& text);
  bool AppendValueNode2Op(Node* node);
  bool InsertOperator(int32_t code, const std::string& text);
  // Puts an operator in the place of operand x under its non-operator parent p.
  bool AttachOperatorByParent(Node* p, Node* x, Node* o, int32_t code);
  bool EndFullExpression(int32_t code, const std::string& text);
  // Checks the full expression rooted at `root` and wraps it when its
  // increment and decrement operators need a statement wrapper; the
  // expression's type goes to `resultType` when given.
  bool CheckFullExpression(Node* root, Type** resultType = nullptr);
  bool PostfixEvent(int32_t code, const std::string& text);
  bool OpenParenthesis(int32_t code, const std::string& text);
  bool CloseParenthesis(int32_t code, const std::string& text);
  bool SubscriptOpenEvent(int32_t code, const std::string& text);
  bool ArrayBeginSubscriptEvent(int32_t code, const std::string& text);
  bool ArrayEndSubscriptEvent(int32_t code, const std::string& text);
  bool CloseSubscript();
  bool AppendValueNode2Subscript(Node* node);
  bool MemberAccessOpen(int32_t code, const std::string& text);
  bool MemberAccessEvent(int32_t code, const std::string& text);
  // Starts an operand with a token that may begin one; `attach` places it;
  // `where` names the handler in errors.
  bool StartOperand(int32_t code, const std::string& text, bool (Interpreter::*attach)(Node*),
                    const char* where = "script::Interpreter::Append2Op");

  // Number literals.
  bool StartNumber(int32_t code, const std::string& text, bool (Interpreter::*attach)(Node*));
  bool ExpNumberTokenEvent(int32_t code, const std::string& text, bool (Interpreter::*attach)(Node*));
  bool NumberEvent(int32_t code, const std::string& text);
  bool NumberIntegerEvent(int32_t code, const std::string& text);
  bool FractionEvent(int32_t code, const std::string& text);
  bool ExponentSignEvent(int32_t code, const std::string& text);
  bool ExponentEvent(int32_t code, const std::string& text);
  bool NumberSignEvent(int32_t code, const std::string& text);
  bool IsExpNumber(const std::string& text);
  void AddNumberPiece(const std::string& text);
  bool ProcessNumber();

  // Declarations.
  bool BeginVariableDeclaration(Type* type);
  bool TypeDecEvent(int32_t code, const std::string& text);
  bool TypeInitEvent(int32_t code, const std::string& text);
  bool TypeDecNextEvent(int32_t code, const std::string& text);
  bool AggregateEvent(int32_t code, const std::string& text);
  bool AggregateBeginEvent(int32_t code, const std::string& text);
  bool AggregateBodyEvent(int32_t code, const std::string& text);
  bool AggregateMemberDecEvent(int32_t code, const std::string& text);
  bool AggregateMemberDecNextEvent(int32_t code, const std::string& text);
  bool AggregateEndEvent();
  bool AggregateVarDecEvent(int32_t code, const std::string& text);
  // A struct type node that uses the struct declared under `symbol`, or null.
  AggregateType* UseStructType(uint32_t symbol, const std::string& text);

  // Array declarations and types.
  //
  // The array type reader is shared by every place a type may stand. The
  // caller creates the ArrayType after the keyword "array", makes it owned
  // where it belongs (a statement of the scope, a struct member, a
  // function's return or argument type, a cast's target) and calls
  // ReadArrayType with the handler that continues after the type. The
  // reader consumes "<" TYPE [ "," dimensions ] ">"; at the closing ">" it
  // leaves the finished ArrayType as the current node and the continuation
  // on top of the handler stack, which then receives the next token (the
  // second ">" of a ">>" as well, so that an enclosing type list closes).
  bool ReadArrayType(ArrayType* array, Handler continuation);
  // "array" in statement position: a declaration of array variables.
  bool ArrayDecEvent(int32_t code, const std::string& text);
  bool ArrayBeginEvent(int32_t code, const std::string& text);
  bool ArrayTypeEvent(int32_t code, const std::string& text);
  bool ArrayPostTypeEvent(int32_t code, const std::string& text);
  // ">" or ">>" after the element type or the last dimension.
  bool ArrayEndTypeEvent(int32_t code, const std::string& text);
  bool ArrayDimensionEvent(int32_t code, const std::string& text);
  // The rest of the first dimension's expression.
  bool ArrayDimExpEvent(int32_t code, const std::string& text);
  // An operand after an operator inside the first dimension.
  bool ArrayDimOperandEvent(int32_t code, const std::string& text);
  // Puts ArrayDimOperandEvent in the place of an Append2Op just pushed, so
  // that the operand that follows an operator or "(" is filtered as well.
  void FilterDimensionOperand();
  bool ArrayDimensionEndEvent(int32_t code, const std::string& text);
  bool ArrayCloseEvent(int32_t code, const std::string& text);
  // The first dimension's expression is complete: a single constant becomes
  // a fixed dimension, anything else the dimension expression.
  bool EndFirstDimension();
  bool AddFixedDimension(ArrayType* array, const ConstVariable& constant);
  bool AppendValueNode2Dimension(Node* node);
  // Raises 125 for an array type without dimensions that is not a reference
  // (the type of a member or an argument).
  bool ErrorIfDynamicArray(const Type* type);
  // The array type whose type list is being read: the nearest ArrayType
  // at or above the current node.
  ArrayType* ArrayBeingRead() const;

  // Functions, function references, calls and casts.
  // The statement "return" at the current node (its keyword is `code`).
  bool ReturnStatement(int32_t code, const std::string& text);
  bool ReturnEvent(int32_t code, const std::string& text);
  // After "function" in statement position: a declaration of a function or
  // of function reference variables.
  bool FunctionEvent(int32_t code, const std::string& text);
  // Reads an argument type (or the ")" of an empty list).
  bool FunctionTypeEventHandler(int32_t code, const std::string& text);
  bool FunctionNameEvent(int32_t code, const std::string& text);
  bool FunctionDecEvent(int32_t code, const std::string& text);
  bool FunctionArgEvent(int32_t code, const std::string& text);
  bool FunctionNextArgEvent(int32_t code, const std::string& text);
  bool FunctionBodyEvent(int32_t code, const std::string& text);
  // Reserves the parameters' slots, in order, in the function's frame.
  bool ResolveArguments(Function* function);
  // "function" "<" NAME ">" in any type position; `refRole_` says which.
  bool StartFunctionRefType(FunctionRefRole role, bool openRead);
  bool FunctionRefOpenEvent(int32_t code, const std::string& text);
  bool FunctionRefNameEvent(int32_t code, const std::string& text);
  bool FunctionRefCloseEvent(int32_t code, const std::string& text);
  // The type a scalar keyword or struct name stands for, or null after an
  // error (`where` names the handler).
  Type* NamedType(int32_t code, const std::string& text, const char* where);
  // An array type as a return, argument or cast type: read below `owner`
  // (a dynamic dimension is refused unless the owner is a scope) and held
  // in `pendingType_`; `continuation` receives the token after it.
  bool ReadPendingArrayType(const std::string& text, Node* owner, Handler continuation);
  // Continuations of ReadPendingArrayType: back at the owner, the type
  // stays pending for the declaration, or becomes the cast's target.
  bool PendingArrayTypeEnd(int32_t code, const std::string& text);
  bool CastArrayTypeEnd(int32_t code, const std::string& text);
  // The nearest enclosing function, or null at the top level.
  Function* EnclosingFunction() const;
  // The scope whose frame layout holds the current node's variables: the
  // nearest function's body, else the root.
  Scope* FrameScope() const;

  // Calls.
  bool FunctionCallEvent(int32_t code, const std::string& text);
  bool FunctionCallArgEvent(int32_t code, const std::string& text);
  bool FunctionCallNextArgEvent(int32_t code, const std::string& text);
  bool AppendValueNode2Arg(Node* node);
  // Ends the argument list of the call: what may follow depends on the
  // call's result type.
  bool CloseCall(FunctionCall* call);
  // The innermost call whose argument list is still open, or null.
  FunctionCall* OpenCall() const;

  // Built-in functions and casts.
  bool BuiltInStatement(int32_t code, const std::string& text);
  // The node for a built-in's name in an expression; null after an error.
  Variable* CreateBuiltInNameNode(int32_t code, const std::string& text);
  Function* GetBuiltInFunction(int32_t code);
  Function* CreateBuiltInFunction(int32_t code);
  bool CastOpenTypeExpression(int32_t code, const std::string& text);
  bool CastBeginTypeExpression(int32_t code, const std::string& text);
  bool CastCloseTypeExpression(int32_t code, const std::string& text);
  // Gives the cast being compiled its target type.
  void SetCastTarget(Type* target);

  // Library declarations: lib ("module") { declarations } NAME.
  bool LibDecEvent(int32_t code, const std::string& text);
  bool LibPathEvent(int32_t code, const std::string& text);
  bool LibBeginBodyEvent(int32_t code, const std::string& text);
  bool LibBodyEvent(int32_t code, const std::string& text);
  // A return or argument type of a library function; ")" goes on to the
  // argument list's end.
  bool LibFunctionTypeEventHandler(int32_t code, const std::string& text);
  bool LibFunctionNameEvent(int32_t code, const std::string& text);
  bool LibFunctionDecEvent(int32_t code, const std::string& text);
  bool LibFunctionNextArgTypeEvent(int32_t code, const std::string& text);
  bool LibVarDecEvent(int32_t code, const std::string& text);
  // The ";" after a declaration: the function's node.
  bool CreateFunctionLibPtr();
  // The "}" of the body: the types must be safe for native code.
  bool EndLibBody();

  // Error declarations.
  // The program's Error type, made when the first declaration needs it.
  ErrorType* BuiltInErrorType();
  // "error" in statement position: the error node becomes current.
  bool ErrorDeclaration(const std::string& text);
  // A state that takes one punctuation token: pops itself; true when the
  // error node is current and the token is the expected one, else raises
  // `otherwise` (INTERNAL_ERROR without an error node) under `where`.
  bool ErrorStateAccepts(int32_t code, const std::string& text, int32_t expectedCode, const char* expectedText,
                         ErrorCode otherwise, const char* where);
  bool ErrorBeginEvent(int32_t code, const std::string& text);
  bool ErrorInstanceEvent(int32_t code, const std::string& text);
  bool ErrorEndEvent(int32_t code, const std::string& text);
  bool ErrorBodyEvent(int32_t code, const std::string& text);

  // Statements and control flow.
  // Whether a node at `node`, with `below` more levels under it, stays within
  // the tree's depth bound; notes the depth for the enclosing function (or
  // the top level), whose run needs as many native frames.
  bool NestingAllowed(Node* node, std::size_t below);
  // "if", "while" and "switch": the statement node becomes current and its
  // condition in parentheses follows.
  bool ConditionalStatement(int32_t code, const std::string& text);
  bool ConditionalDecEvent(int32_t code, const std::string& text);
  // Places an operand or parenthesis that opens the condition of an if,
  // while or switch, or a clause of a for statement.
  bool AttachToStatementHeader(Node* node);
  // Whether the current node is an if, while or for that waits for a
  // statement of its body.
  bool ExpectsBodyStatement() const;
  // Attaches a statement to the body of the current if, while or for.
  void AttachBodyStatement(Node* statement);
  // Whether a parenthesis is the condition of an if, while or switch.
  static bool IsStatementCondition(const Node* parenthesis);
  // The condition's ")" has been read: check it and start the body.
  bool EndCondition(Node* condition);
  // Statement starts in single-statement bodies and in switch labels.
  bool BeginIfExpression(int32_t code, const std::string& text);
  bool BeginWhileExpression(int32_t code, const std::string& text);
  bool BeginForExpression(int32_t code, const std::string& text);
  bool BeginSwitchExpression(int32_t code, const std::string& text);
  // What those four share; `where` names the handler in errors.
  bool BeginBodyStatement(int32_t code, const std::string& text, const char* where);
  bool AttachBodyOperand(Node* node);
  // A token reached the statement start while the current node is inside an
  // expression statement: EXPECTING_SEMICOLON when that statement is the
  // body of an if, while or for, else SYNTAX_ERROR.
  bool UnendedBodyStatement();
  // A body statement of the current if, while or for ended with ";".
  bool EndBodyStatement();
  bool ElseEvent(int32_t code, const std::string& text);
  // The statement at the current node is complete: its parent becomes
  // current and a ";" completes the bodies that enclose it.
  bool CompleteStatement();
  bool ForStatement(int32_t code, const std::string& text);
  bool ForEvent(int32_t code, const std::string& text);
  // The start of a for clause, and the ";" or ")" that ends one.
  bool AppendValueNode2For(int32_t code, const std::string& text);
  bool AttachForClause(Node* node);
  // The ")" after a for statement's step expression.
  bool EndForStep(int32_t code, const std::string& text);
  bool SwitchBodyEvent(int32_t code, const std::string& text);
  bool SwitchCasesEvent(int32_t code, const std::string& text);
  bool CaseEvent(int32_t code, const std::string& text);
  bool CaseValueEvent(int32_t code, const std::string& text);
  bool CaseColonEvent(int32_t code, const std::string& text);
  bool DefaultEvent(int32_t code, const std::string& text);
  bool CaseBodyEvent(int32_t code, const std::string& text);
  // The ":" after a case value or "default"; `where` names the handler.
  bool EndLabel(int32_t code, const char* where);
  // "break" or "continue" at the current node; `where` names the handler.
  // The statements a scope and a body both start with a keyword: if, while,
  // switch, for, break, continue, return, and the misplaced case and default.
  static bool IsControlKeyword(int32_t code);
  bool ControlStatement(int32_t code, const std::string& text, const char* where);
  bool JumpStatement(int32_t code, const std::string& text, const char* where);
  bool BreakEvent(int32_t code, const std::string& text);
  bool ContinueEvent(int32_t code, const std::string& text);
  // The ";" that ends a break or continue.
  bool EndJump(int32_t code, const char* where);

  Error* error_;
  StdOutInterface* sink_;
  SymbolStore symbols_;
  DebuggerStateMachine machine_;
  DebuggerHandler debugger_{&machine_};
  Memory heap_;
  NativeRegistry natives_;
  ThreadMap threads_{&heap_, &symbols_, sink_, &debugger_};
  std::unique_ptr<ErrorType> errorType_;  // outlives the tree, which refers to it
  Reader* currentReader_ = nullptr;
  std::vector<Handler> handlers_;
  Scope* root_ = nullptr;  // owned
  // Levels of nodes the top level reaches outside functions.
  uint32_t rootNesting_ = 0;
  Node* current_ = nullptr;
  std::unordered_set<std::string> includedFiles_;
  bool loaded_ = false;
  std::optional<uint32_t> fault_;
  // The text of the number literal being collected on the current constant node.
  std::string literalText_;
  // A type read for a function's return value or argument, a function
  // reference variable or member, until its declaration takes it.
  std::unique_ptr<Type> pendingType_;
  FunctionRefRole refRole_ = FunctionRefRole::Return;
};

}  // namespace script
