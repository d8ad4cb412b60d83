// The fault guard: processor faults inside a guarded region end the region
// with their exception code; the thread and the process go on. The faults
// come from the tests' native library, which no sanitizer instruments.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>

#include "Script/Platform/FaultGuard.h"
#include "Script/Platform/SharedLibrary.h"

namespace script {
namespace {

using platform::Guarded;

class FaultGuardTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    platform::LoaderFailure failure;
    probe_ = platform::LoadLibrary(std::string(KELVRA_NATIVE_TEST_DIR) + "/libkelvra_native_probe.so", failure);
    ASSERT_NE(nullptr, probe_) << failure.reason;
  }
  template <typename F>
  static F* Function(const char* name) {
    platform::LoaderFailure failure;
    return reinterpret_cast<F*>(platform::FindSymbol(probe_, name, failure));
  }
  static void* probe_;
};

void* FaultGuardTest::probe_ = nullptr;

TEST_F(FaultGuardTest, EachFaultEndsItsRegionWithItsCode) {
  auto* readNull = Function<int32_t()>("probe_read_null");
  auto* divide = Function<int32_t(int32_t, int32_t)>("probe_divide");
  auto* trap = Function<void()>("probe_trap");
  auto* recurse = Function<int32_t(int32_t)>("probe_recurse");
  int32_t sink = 0;
  auto nullRead = [&] { sink = readNull(); };
  auto division = [&] { sink = divide(7, sink); };
  auto illegal = [&] { trap(); };
  auto overflow = [&] { sink = recurse(0); };
  EXPECT_EQ(platform::kAccessViolation, Guarded(nullRead));
  EXPECT_EQ(platform::kIntegerDivideByZero, Guarded(division));
  EXPECT_EQ(platform::kIllegalInstruction, Guarded(illegal));
  EXPECT_EQ(platform::kStackOverflow, Guarded(overflow));
  // The signal is not left blocked: the next fault is caught again.
  EXPECT_EQ(platform::kAccessViolation, Guarded(nullRead));
}

TEST_F(FaultGuardTest, ARegionWithoutFaultReturnsZero) {
  auto* divide = Function<int32_t(int32_t, int32_t)>("probe_divide");
  int32_t quotient = 0;
  auto body = [&] { quotient = divide(9, 3); };
  EXPECT_EQ(0u, Guarded(body));
  EXPECT_EQ(3, quotient);
}

TEST_F(FaultGuardTest, TheInnermostRegionCatchesAndTheOuterGoesOn) {
  auto* readNull = Function<int32_t()>("probe_read_null");
  uint32_t inner = 0;
  bool outerFinished = false;
  auto innerBody = [&] { readNull(); };
  auto outerBody = [&] {
    inner = Guarded(innerBody);
    outerFinished = true;
  };
  EXPECT_EQ(0u, Guarded(outerBody));
  EXPECT_EQ(platform::kAccessViolation, inner);
  EXPECT_TRUE(outerFinished);
}

TEST_F(FaultGuardTest, EveryThreadHasItsOwnRegions) {
  auto* readNull = Function<int32_t()>("probe_read_null");
  uint32_t codes[2] = {};
  auto fault = [readNull](uint32_t& code) {
    auto body = [&] { readNull(); };
    code = Guarded(body);
  };
  std::thread first(fault, std::ref(codes[0]));
  std::thread second(fault, std::ref(codes[1]));
  first.join();
  second.join();
  EXPECT_EQ(platform::kAccessViolation, codes[0]);
  EXPECT_EQ(platform::kAccessViolation, codes[1]);
}

TEST_F(FaultGuardTest, ForeignMemoryIsProbedAndCopiedSafely) {
  const int32_t value = 42;
  int32_t copy = 0;
  EXPECT_EQ(0u, platform::GuardedCopy(&copy, &value, sizeof copy));
  EXPECT_EQ(42, copy);
  EXPECT_EQ(platform::kAccessViolation, platform::GuardedCopy(&copy, reinterpret_cast<const void*>(16), 4));
  EXPECT_EQ(0u, platform::GuardedProbe(&value, sizeof value));
  EXPECT_EQ(platform::kAccessViolation, platform::GuardedProbe(reinterpret_cast<const void*>(16), 4));
  std::size_t length = 0;
  EXPECT_EQ(0u, platform::GuardedStringLength("abc", length));
  EXPECT_EQ(3u, length);
}

using FaultGuardDeathTest = FaultGuardTest;

TEST_F(FaultGuardDeathTest, AFaultOutsideEveryRegionStillEndsTheProcess) {
  auto* readNull = Function<int32_t()>("probe_read_null");
  // A region first, so that the guard's handlers are installed.
  auto body = [] {};
  Guarded(body);
  EXPECT_DEATH(readNull(), "");
}

}  // namespace
}  // namespace script
