#include "debugger/Core/QtMessagePump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>

namespace kelvra::ide {

CQtMessagePump::CQtMessagePump() {
  QCoreApplication::instance()->installEventFilter(this);
  kv_thread_lib::InstallMessagePump(this);
}

CQtMessagePump::~CQtMessagePump() { kv_thread_lib::InstallMessagePump(nullptr); }

bool CQtMessagePump::DispatchMessages() {
  m_quitSeen = false;
  m_dispatching = true;
  // The user's input waits until the wait is over, so that no command
  // starts inside another.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
  m_dispatching = false;
  return !m_quitSeen;
}

void CQtMessagePump::Wake() {
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread())) dispatcher->wakeUp();
}

bool CQtMessagePump::eventFilter(QObject* watched, QEvent* event) {
  if (m_dispatching && watched == QCoreApplication::instance() && event->type() == QEvent::Quit) m_quitSeen = true;
  return false;
}

}  // namespace kelvra::ide
