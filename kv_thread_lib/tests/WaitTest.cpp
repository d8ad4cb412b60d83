// Waits on events: plain on a thread without a pump; dispatching the
// thread's messages on one with a pump, until the event is set or a quit
// message abandons the wait.
#include <gtest/gtest.h>

#include <thread>

#include "kv_thread_lib/Event.h"
#include "kv_thread_lib/tests/QueuePump.h"

namespace kv_thread_lib {
namespace {

using test::PumpInstallation;
using test::QueuePump;

TEST(WaitTest, WithoutPumpWaitsPlainly) {
  CEvent event(CEvent::ResetMode::Manual);
  std::thread setter([&] { event.Set(); });
  EXPECT_TRUE(WaitForObject(event));
  setter.join();
  EXPECT_TRUE(event.Poll());  // manual reset: stays signalled
}

TEST(WaitTest, DispatchesMessagesUntilTheEventIsSet) {
  QueuePump pump;
  PumpInstallation installed(pump);
  CEvent event(CEvent::ResetMode::Auto);
  int dispatched = 0;
  std::thread sender([&] {
    for (int i = 0; i < 3; ++i) pump.Send([&] { ++dispatched; });
    event.Set();
  });
  EXPECT_TRUE(WaitForObject(event));
  sender.join();
  EXPECT_EQ(dispatched, 3);
  EXPECT_FALSE(event.Poll());  // auto reset: the wait took the signal
}

TEST(WaitTest, QuitMessageAbandonsTheWait) {
  QueuePump pump;
  PumpInstallation installed(pump);
  CEvent event(CEvent::ResetMode::Manual);
  pump.PostQuit();
  EXPECT_FALSE(WaitForObject(event));
}

}  // namespace
}  // namespace kv_thread_lib
