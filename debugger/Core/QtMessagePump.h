#pragma once
// The message pump of the interface thread for kv_thread_lib's waits: the
// Qt event loop keeps turning while the thread waits for a worker, so that
// events the worker sends synchronously are served. A quit request
// abandons the wait.
#include <QObject>

#include "kv_thread_lib/MessagePump.h"

namespace kelvra::ide {

class CQtMessagePump final : public QObject, public kv_thread_lib::CMessagePump {
  Q_OBJECT

 public:
  // Installs itself for the calling thread, which must run the application.
  CQtMessagePump();
  ~CQtMessagePump() override;

  bool DispatchMessages() override;
  void Wake() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Both only touched on the interface thread: a quit seen while dispatching.
  bool m_dispatching = false;
  bool m_quitSeen = false;
};

}  // namespace kelvra::ide
