// Compile speed on the shapes of script that grow without bound: many
// statements in one scope, a structure of many members, nested assignment
// chains, a file of global declarations and long operator chains. Each runs
// at 1, 4 and 16 MB of source; the rate (bytes_per_second) stays the same
// across sizes while compiling stays linear in the script.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "Script/Compiler/Interpreter.h"
#include "Script/Compiler/ScriptReader.h"
#include "Script/Diagnostics/Error.h"

namespace script {
namespace {

// Source text of about `bytes` bytes: `head`, then lines made by `line`
// from a running number, then `tail`.
template <class Line>
std::string Generate(std::size_t bytes, const std::string& head, Line line, const std::string& tail) {
  std::string text = head;
  for (uint32_t i = 0; text.size() < bytes; ++i) text += line(i);
  return text + tail;
}

std::string StatementsInOneScope(std::size_t bytes) {
  return Generate(bytes, "i32 a;\n", [](uint32_t) { return std::string("a = a + 1;\n"); }, "");
}

std::string StructureMembers(std::size_t bytes) {
  return Generate(bytes, "struct S {\n", [](uint32_t i) { return "  i32 m" + std::to_string(i) + ";\n"; },
                  "};\nS s;\ns.m0 = 1;\n");
}

std::string AssignmentChains(std::size_t bytes) {
  std::string chain;
  for (int i = 0; i < 200; ++i) chain += "x = ";
  chain += "1;\n";
  return Generate(bytes, "i32 x;\n", [&chain](uint32_t) { return chain; }, "");
}

std::string GlobalDeclarations(std::size_t bytes) {
  return Generate(bytes, "", [](uint32_t i) { return "i32 g" + std::to_string(i) + " = " + std::to_string(i) + ";\n"; },
                  "");
}

std::string OperatorChains(std::size_t bytes) {
  std::string sum = "x = 1";
  for (int i = 0; i < 1000; ++i) sum += " + 1";
  sum += ";\n";
  return Generate(bytes, "i32 x;\n", [&sum](uint32_t) { return sum; }, "");
}

// Compiles the text and frees the program, as a build does.
void Compile(benchmark::State& state, std::string (*shape)(std::size_t)) {
  const std::string text = shape(static_cast<std::size_t>(state.range(0)) << 20);
  for (auto _ : state) {
    Error error;
    Interpreter interpreter(&error, nullptr);
    ScriptReader reader(false, &interpreter, &error);
    const bool built = reader.OnInit(text.c_str(), text.size()) && reader.OnRead(text.c_str(), text.size());
    if (!built) state.SkipWithError("the script did not compile");
    benchmark::DoNotOptimize(built);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(1)->Arg(4)->Arg(16)->Iterations(1)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(Compile, statements_in_one_scope, StatementsInOneScope)->Apply(Sizes);
BENCHMARK_CAPTURE(Compile, structure_members, StructureMembers)->Apply(Sizes);
BENCHMARK_CAPTURE(Compile, assignment_chains, AssignmentChains)->Apply(Sizes);
BENCHMARK_CAPTURE(Compile, global_declarations, GlobalDeclarations)->Apply(Sizes);
BENCHMARK_CAPTURE(Compile, operator_chains, OperatorChains)->Apply(Sizes);

}  // namespace
}  // namespace script
