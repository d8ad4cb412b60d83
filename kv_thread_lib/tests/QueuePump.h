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
      std::unique_lock lock(m_mutex);
      m_changed.wait(lock, [this] { return m_woken || !m_queue.empty(); });
      m_woken = false;
      messages.swap(m_queue);
    }
    for (Message& message : messages) {
      if (message.quit) return false;
      message.function();
    }
    return true;
  }

  void Wake() override {
    std::lock_guard lock(m_mutex);
    m_woken = true;
    m_changed.notify_all();
  }

 private:
  struct Message {
    std::function<void()> function;
    bool quit;
  };

  void Queue(Message message) {
    std::lock_guard lock(m_mutex);
    m_queue.push_back(std::move(message));
    m_changed.notify_all();
  }

  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<Message> m_queue;
  bool m_woken = false;
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
