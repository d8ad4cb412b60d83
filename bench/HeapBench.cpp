// The cost of a value's storage on the script heap (allocation, registration
// and release) next to a plain new/delete of the same size.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "Script/Expressions/Types/ArrayType.h"
#include "Script/Expressions/Types/BuiltInTypes.h"
#include "Script/Memory/Memory.h"
#include "Script/Values/Value.h"

namespace script {
namespace {

// One heap shared by every benchmark and thread.
Memory& Heap() {
  static Memory heap;
  return heap;
}

// A byte array type of the given size: a value that always needs a block.
ArrayType* ByteArray(uint32_t size) {
  auto* array = new ArrayType(SourcePosition{}, nullptr);
  array->SetElementType(new Type(TYPE_UI8, {}, array));
  array->AddDimension(size, {});
  return array;
}

void SizeArguments(benchmark::internal::Benchmark* bench) {
  for (int size : {8, 64, 256, 1024}) bench->Arg(size);
}

void BM_PlainNewDelete(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    void* bytes = ::operator new(size);
    std::memset(bytes, 0, size);  // zeroed, as an owned block is
    benchmark::DoNotOptimize(bytes);
    ::operator delete(bytes);
  }
}
BENCHMARK(BM_PlainNewDelete)->Apply(SizeArguments);

// A reference over a new owned block, then its release: the storage of a
// variable slot or of a value that needs a block.
void BM_OwnedRefNewRelease(benchmark::State& state) {
  const auto size = static_cast<uint32_t>(state.range(0));
  Memory& heap = Heap();
  Type* type = BuiltInType(TYPE_UI8);
  for (auto _ : state) {
    MemoryBlockRef* ref = heap.NewOwnedRef(type, size);
    benchmark::DoNotOptimize(ref->Data());
    ref->Release();
  }
}
BENCHMARK(BM_OwnedRefNewRelease)->Apply(SizeArguments);
BENCHMARK(BM_OwnedRefNewRelease)->Arg(64)->Threads(4);

// A value's storage through its own operations: EnsureStorage of an array type
// (one block and one reference), then Reset.
void BM_ValueStorage(benchmark::State& state) {
  ArrayType* type = ByteArray(static_cast<uint32_t>(state.range(0)));
  for (auto _ : state) {
    Value value;
    value.EnsureStorage(type, &Heap());
    benchmark::DoNotOptimize(value.StoragePointer());
  }
  delete type;
}
BENCHMARK(BM_ValueStorage)->Apply(SizeArguments);

// A scalar temporary and its conversion into another kind: no block at all.
void BM_ScalarTemporary(benchmark::State& state) {
  int32_t number = 0;
  for (auto _ : state) {
    Value value;
    value.SetI32(++number);
    double converted = 0;
    value.ReadScalar(KIND_DOUBLE, &converted);
    benchmark::DoNotOptimize(converted);
  }
}
BENCHMARK(BM_ScalarTemporary);

// A string temporary: a block holding a std::string, the characters, release.
void BM_StringTemporary(benchmark::State& state) {
  Memory& heap = Heap();
  for (auto _ : state) {
    Value value;
    value.SetString(heap, "temporary", 9);
    benchmark::DoNotOptimize(value.StringObject());
  }
}
BENCHMARK(BM_StringTemporary);

}  // namespace
}  // namespace script
