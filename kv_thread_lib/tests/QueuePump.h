#pragma once
// A message pump for tests: a queue of functions that the thread which
// waits dispatches, with a posted quit message and a synchronous send.
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>

#include "kv_thread_lib/MessagePump.h"

namespace kv_thread_lib::test {

class QueuePump final : public CMessagePump {
 public:
  // Queues a message and returns at once.
  void Post(std::function<void()> message) { Queue(Message{std::move(message), false}); }
  void PostQuit() { Queue(Message{nullptr, true}); }
  // Queues a message and waits until the waiting thread has dispatched it.
  void Send(const std::function<void()>& message) {
    std::promise<void> done;
    Post([&] {
      message();
      done.set_value();
    });
    done.get_future().wait();
  }

  bool DispatchMessages() override {
    std::deque<Message> messages;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return woken_ || !queue_.empty(); });
      woken_ = false;
      messages.swap(queue_);
    }
    for (Message& message : messages) {
      if (message.quit) return false;
      message.function();
    }
    return true;
  }

  void Wake() override {
    std::lock_guard lock(mutex_);
    woken_ = true;
    changed_.notify_all();
  }

 private:
  struct Message {
    std::function<void()> function;
    bool quit;
  };

  void Queue(Message message) {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(message));
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Message> queue_;
  bool woken_ = false;
};

// Installs a pump on the calling thread for the lifetime of a scope.
class PumpInstallation {
 public:
  explicit PumpInstallation(CMessagePump& pump) { InstallMessagePump(&pump); }
  ~PumpInstallation() { InstallMessagePump(nullptr); }
  PumpInstallation(const PumpInstallation&) = delete;
  PumpInstallation& operator=(const PumpInstallation&) = delete;
};

}  // namespace kv_thread_lib::test
