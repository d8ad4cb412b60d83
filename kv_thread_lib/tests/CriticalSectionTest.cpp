#include <gtest/gtest.h>

#include <thread>

#include "kv_thread_lib/CriticalSection.h"

namespace kv_thread_lib {
namespace {

TEST(CriticalSectionTest, RecursiveForItsOwnerExclusiveForOthers) {
  CLocalCriticalSec lock;
  int counter = 0;
  auto count = [&] {
    for (int i = 0; i < 20000; ++i) {
      CScopedLock outer(lock);
      CScopedLock inner(lock);
      ++counter;
    }
  };
  std::thread other(count);
  count();
  other.join();
  EXPECT_EQ(counter, 40000);
}

}  // namespace
}  // namespace kv_thread_lib
