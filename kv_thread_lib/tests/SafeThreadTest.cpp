// The worker thread: one at a time, states reported on the right threads,
// exceptions kept inside, waits that keep the caller's messages flowing.
#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "kv_thread_lib/SafeThread.h"
#include "kv_thread_lib/tests/QueuePump.h"

namespace kv_thread_lib {
namespace {

using test::PumpInstallation;
using test::QueuePump;

struct Job {
  std::function<void()> body;
};

struct StateReport {
  int state;
  uint32_t threadId;
  Job* parameter;
};

class Worker : public CThreadInterface<Job> {
 public:
  void Run(smart_ptr<Job> job) override {
    if (job->body) job->body();
  }
  void OnThreadState(int state, smart_ptr<Job>* parameter) override {
    {
      std::lock_guard lock(m_mutex);
      m_reports.push_back({state, CurrentThreadId(), parameter->get()});
    }
    if (onState) onState(state);
  }
  std::vector<StateReport> Reports() {
    std::lock_guard lock(m_mutex);
    return m_reports;
  }

  std::function<void(int)> onState;

 private:
  std::mutex m_mutex;
  std::vector<StateReport> m_reports;
};

using WorkerThread = CSafeThread<Worker, Job>;

smart_ptr<Job> MakeJob(std::function<void()> body = nullptr) { return smart_ptr<Job>(new Job{std::move(body)}); }

TEST(SafeThreadTest, WithoutThreadStopAndWaitReturnAtOnce) {
  WorkerThread thread;
  EXPECT_EQ(thread.GetThreadId(), 0u);
  EXPECT_TRUE(thread.Stop());
  EXPECT_TRUE(thread.Wait());
  EXPECT_TRUE(thread.Reports().empty());
}

TEST(SafeThreadTest, RunsTheBodyWithItsParameterAndReportsOnTheWorker) {
  WorkerThread thread;
  uint32_t bodyThread = 0;
  unsigned idSeenByBody = 0;
  smart_ptr<Job> job = MakeJob([&] {
    bodyThread = CurrentThreadId();
    idSeenByBody = thread.GetThreadId();
  });
  ASSERT_TRUE(thread.Start(job));
  EXPECT_TRUE(thread.Wait());
  EXPECT_EQ(thread.GetThreadId(), 0u);
  EXPECT_NE(bodyThread, CurrentThreadId());
  EXPECT_EQ(idSeenByBody, bodyThread);
  std::vector<StateReport> reports = thread.Reports();
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].state, ThreadStarted);
  EXPECT_EQ(reports[1].state, ThreadFinished);
  for (const StateReport& report : reports) {
    EXPECT_EQ(report.threadId, bodyThread);
    EXPECT_EQ(report.parameter, job.get());
  }
}

TEST(SafeThreadTest, OneThreadAtATime) {
  WorkerThread thread;
  CEvent release(CEvent::ResetMode::Manual);
  smart_ptr<Job> first = MakeJob([&] { release.Wait(); });
  ASSERT_TRUE(thread.Start(first));
  EXPECT_NE(thread.GetThreadId(), 0u);
  EXPECT_FALSE(thread.Start(MakeJob()));
  release.Set();
  thread.Wait();
  // The refused start did not replace the parameter of the running thread.
  EXPECT_EQ(thread.Reports().back().parameter, first.get());
  // A finished thread object starts again.
  smart_ptr<Job> second = MakeJob();
  ASSERT_TRUE(thread.Start(second));
  thread.Wait();
  EXPECT_EQ(thread.Reports().back().parameter, second.get());
}

TEST(SafeThreadTest, StopFromInsideRunReturnsFalseWithoutWaiting) {
  WorkerThread thread;
  bool stopped = true;
  ASSERT_TRUE(thread.Start(MakeJob([&] { stopped = thread.Stop(); })));
  thread.Wait();
  EXPECT_FALSE(stopped);
}

TEST(SafeThreadTest, StopReportsStoppingAndWaitsWhileDispatchingMessages) {
  QueuePump pump;
  PumpInstallation installed(pump);
  WorkerThread thread;
  CEvent stopping(CEvent::ResetMode::Manual);
  bool messageHandled = false;
  thread.onState = [&](int state) {
    if (state == ThreadStopping) stopping.Set();
  };
  // The body sends a message to this thread, which only a dispatching wait serves.
  ASSERT_TRUE(thread.Start(MakeJob([&] {
    stopping.Wait();
    pump.Send([&] { messageHandled = true; });
  })));
  EXPECT_FALSE(thread.Stop());
  EXPECT_TRUE(messageHandled);
  EXPECT_EQ(thread.GetThreadId(), 0u);
  std::vector<StateReport> reports = thread.Reports();
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(reports[1].state, ThreadStopping);
  EXPECT_EQ(reports[1].threadId, CurrentThreadId());
  EXPECT_TRUE(thread.Stop());
}

TEST(SafeThreadTest, ExceptionsStayOnTheThread) {
  WorkerThread thread;
  thread.onState = [](int state) {
    if (state == ThreadStarted) throw std::runtime_error("from the state report");
  };
  ASSERT_TRUE(thread.Start(MakeJob([] { throw std::runtime_error("from the body"); })));
  thread.Wait();
  ASSERT_EQ(thread.Reports().size(), 2u);
  EXPECT_EQ(thread.Reports()[1].state, ThreadFinished);
  EXPECT_EQ(thread.GetThreadId(), 0u);
}

TEST(SafeThreadTest, QuitWhileStartWaitsAbandonsTheStart) {
  QueuePump pump;
  PumpInstallation installed(pump);
  CEvent release(CEvent::ResetMode::Manual);
  {
    WorkerThread thread;
    // The new thread holds back its start signal until the quit was seen.
    thread.onState = [&](int state) {
      if (state != ThreadStarted) return;
      pump.PostQuit();
      release.Wait();
    };
    EXPECT_FALSE(thread.Start(MakeJob()));
    EXPECT_EQ(thread.GetThreadId(), 0u);
    EXPECT_TRUE(thread.Stop());
    release.Set();
    // The destructor waits for the abandoned thread to finish.
  }
}

}  // namespace
}  // namespace kv_thread_lib
