// Native calls run in the test's process: what the runner, the registry and
// the debugger's frame description make of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Script/Expressions/Library/FunctionLibPtr.h"
#include "Script/Expressions/Library/LibType.h"
#include "Script/Expressions/Scope.h"
#include "Script/Expressions/Types/FunctionRefType.h"
#include "Script/Native/NativeRegistry.h"
#include "Script/Platform/SharedLibrary.h"
#include "Script/Stack/StackMemory.h"
#include "Script/Stack/RuntimeError.h"
#include "tests/support/InProcessRun.h"

namespace script {
namespace {

const std::string kProbe = "lib (\"" KELVRA_NATIVE_TEST_DIR "/libkelvra_native_probe.so\") {\n";

LibType* FirstLibrary(Interpreter& program) {
  for (Node* statement : static_cast<Scope*>(program.GetRoot())->Statements()) {
    if (statement->TypeId() == TYPE_LIB) return static_cast<LibType*>(statement);
  }
  return nullptr;
}

FunctionLibPtr* LibraryFunction(Interpreter& program, std::size_t index) {
  LibType* library = FirstLibrary(program);
  return library->FunctionOf(static_cast<const FunctionRefType*>(library->Members().at(index)));
}

std::size_t Count(const std::vector<std::string>& lines, const std::string& text) {
  std::size_t count = 0;
  for (const std::string& line : lines) count += line.find(text) != std::string::npos ? 1 : 0;
  return count;
}

TEST(NativeCallTest, AFailedLookupIsNotKeptAndRepeatsOnTheNextRun) {
  test::InProcessRun run(kProbe + "i32 probe_not_exported(); } probe;\ni32 v = probe.probe_not_exported();\n");
  ASSERT_TRUE(run.Loaded());
  EXPECT_FALSE(run.Execute());
  EXPECT_FALSE(run.Execute());
  EXPECT_EQ(2u, Count(run.Sink().Lines(CHANNEL_RUN), "RUNTIME ERROR: Can't get function address."));
}

TEST(NativeCallTest, TheSameNativeAddressFindsTheSameFunction) {
  test::InProcessRun run("function i32 unary(i32 v) { return 0; }\n" + kProbe +
                         "function<unary> probe_twice(); i32 probe_i32(i32); } probe;\n"
                         "function<unary> a = probe.probe_twice();\nfunction<unary> b = probe.probe_twice();\n"
                         "i32 x = a(1) + b(2);\ni32 y = probe.probe_i32(5);\n");
  ASSERT_TRUE(run.Loaded());
  ASSERT_TRUE(run.Execute());
  NativeRegistry& natives = *run.Program().Heap().Natives();
  // The library function is known by the address its lookup found.
  FunctionLibPtr* echo = LibraryFunction(run.Program(), 1);
  ExecContext none;
  void* echoAddress = echo->Address(&none);
  ASSERT_NE(nullptr, echoAddress);
  EXPECT_EQ(echo, natives.Find(echoAddress));
  // The address native code handed out twice has one native function.
  platform::LoaderFailure failure;
  void* probe = platform::LoadLibrary(KELVRA_NATIVE_TEST_DIR "/libkelvra_native_probe.so", failure);
  auto* handOut = reinterpret_cast<void* (*)()>(platform::FindSymbol(probe, "probe_twice", failure));
  Function* twice = natives.Find(handOut());
  platform::FreeLibrary(probe);
  ASSERT_NE(nullptr, twice);
  EXPECT_EQ(TYPE_FUNCTION_PTR, twice->TypeId());
}

// A statement that fails as a processor fault that no node caught would.
class FaultingStatement final : public Node {
 public:
  explicit FaultingStatement(Node* parent) : Node(TYPE_EMPTY, SourcePosition{1, 0, 1, 1}, parent) {}
  uint32_t Run(ExecContext* context) override {
    ReportRuntimeError(context, this, "SE Exception", 0xC0000005u);
    return RUN_EXCEPTION;
  }
};

TEST(NativeCallTest, AFaultThatReachesTheTopEndsTheRunWithItsCode) {
  test::InProcessRun run("i32 before = 1;\n");
  ASSERT_TRUE(run.Loaded());
  auto* root = static_cast<Scope*>(run.Program().GetRoot());
  root->AddStatement(new FaultingStatement(root));
  EXPECT_FALSE(run.Execute());
  const std::vector<std::string> lines = run.Sink().Lines(CHANNEL_RUN);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ("SE Exception! 0xc0000005", lines.back());
}

TEST(NativeCallTest, ALibraryFrameNamesItsModuleAndDeclaredTypes) {
  test::InProcessRun declared(kProbe + "i32 probe_i32(i32);\n i32 probe_store(i32@, i32); } probe;\n");
  ASSERT_TRUE(declared.Loaded());
  FunctionLibPtr* store = LibraryFunction(declared.Program(), 1);
  Interpreter& program = declared.Program();
  StackMemory stack(&program.Heap(), 1, &program.Symbols(), nullptr, nullptr);
  const std::vector<FrameSlot> none;
  stack.PushFrame(nullptr, static_cast<Scope*>(program.GetRoot()), none);
  stack.CurrentFrame()->currentStatement = program.GetRoot();
  std::vector<FrameSlot> layout;
  for (std::size_t i = 1; i < store->GetPrototype()->Entries().size(); ++i) {
    layout.push_back(FrameSlot{store->GetPrototype()->Entries()[i].type, {}});
  }
  stack.PushFrame(store, nullptr, layout);
  stack.CurrentFrame()->currentStatement = store;
  FrameDescription frame;
  ASSERT_TRUE(stack.DescribeFrame(1, program.Symbols(), frame));
  EXPECT_EQ("i32 probe_store(i32@, i32)", frame.function);
  EXPECT_EQ(KELVRA_NATIVE_TEST_DIR "/libkelvra_native_probe.so", frame.module);
  EXPECT_EQ(3u, frame.line);
  ASSERT_TRUE(stack.DescribeFrame(0, program.Symbols(), frame));
  EXPECT_EQ("Script", frame.module);
}

}  // namespace
}  // namespace script
