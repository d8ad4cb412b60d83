// Shared ownership: the object dies with the last handle, whichever thread
// releases it, through the deleter policy.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "kv_thread_lib/SmartPtr.h"

namespace kv_thread_lib {
namespace {

struct Base {
  explicit Base(std::atomic<int>& deaths) : m_deaths(deaths) {}
  virtual ~Base() { ++m_deaths; }
  std::atomic<int>& m_deaths;
};

struct Derived : Base {
  Derived(std::atomic<int>& deaths, std::atomic<int>& derivedDeaths) : Base(deaths), m_derivedDeaths(derivedDeaths) {}
  ~Derived() override { ++m_derivedDeaths; }
  std::atomic<int>& m_derivedDeaths;
};

TEST(SmartPtrTest, ObjectLivesUntilTheLastHandleIsReleased) {
  std::atomic<int> deaths = 0;
  auto* object = new Base(deaths);
  {
    smart_ptr<Base> first(object);
    {
      smart_ptr<Base> copy(first);
      smart_ptr<Base> assigned;
      assigned = copy;
      EXPECT_EQ(assigned.get(), object);
    }
    EXPECT_EQ(deaths, 0);
    EXPECT_EQ(first->m_deaths, 0);
  }
  EXPECT_EQ(deaths, 1);
}

TEST(SmartPtrTest, AssignmentReleasesTheOldObjectAndSharesTheNew) {
  std::atomic<int> oldDeaths = 0;
  std::atomic<int> newDeaths = 0;
  smart_ptr<Base> handle(new Base(oldDeaths));
  smart_ptr<Base> other(new Base(newDeaths));
  handle = other;
  EXPECT_EQ(oldDeaths, 1);
  EXPECT_EQ(handle.get(), other.get());
  other = smart_ptr<Base>();
  EXPECT_EQ(newDeaths, 0);
  handle = handle;
  smart_ptr<Base> sameObject(handle);
  handle = sameObject;
  EXPECT_EQ(newDeaths, 0);
  handle = smart_ptr<Base>();
  sameObject = smart_ptr<Base>();
  EXPECT_EQ(newDeaths, 1);
}

TEST(SmartPtrTest, EmptyHandlesHoldNoObject) {
  smart_ptr<Base> empty;
  EXPECT_EQ(empty.get(), nullptr);
  EXPECT_FALSE(empty);
  // An empty handle assigned to an empty one: each keeps its own block.
  smart_ptr<Base> other;
  empty = other;
  empty = smart_ptr<Base>();
  EXPECT_EQ(empty.get(), nullptr);
}

TEST(SmartPtrTest, DeletesThroughTheVirtualDestructor) {
  std::atomic<int> deaths = 0;
  std::atomic<int> derivedDeaths = 0;
  { smart_ptr<Base> handle(new Derived(deaths, derivedDeaths)); }
  EXPECT_EQ(deaths, 1);
  EXPECT_EQ(derivedDeaths, 1);
}

TEST(SmartPtrTest, CopiesReleasedOnManyThreadsDeleteOnce) {
  std::atomic<int> deaths = 0;
  std::vector<std::thread> threads;
  {
    smart_ptr<Base> shared(new Base(deaths));
    for (int t = 0; t < 4; ++t) {
      threads.emplace_back([copy = shared] {
        for (int i = 0; i < 10000; ++i) {
          smart_ptr<Base> local(copy);
          smart_ptr<Base> assigned;
          assigned = local;
        }
      });
    }
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(deaths, 1);
}

}  // namespace
}  // namespace kv_thread_lib
