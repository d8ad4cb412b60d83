#pragma once
// Runs a function on the thread of a receiver object and waits until it has
// returned: directly when already there, else through a blocking queued
// call. The receiver's thread must keep its event loop turning meanwhile
// (kv_thread_lib waits do).
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <utility>

namespace kelvra::ide {

template <class Function>
void CallOnThreadOf(QObject& receiver, Function&& function) {
  if (QThread::currentThread() == receiver.thread()) {
    function();
    return;
  }
  QMetaObject::invokeMethod(&receiver, std::forward<Function>(function), Qt::BlockingQueuedConnection);
}

}  // namespace kelvra::ide
