#include "Script/Platform/ScriptThread.h"

#include <pthread.h>

#include "Script/Platform/StackDepth.h"

namespace script::platform {

static_assert(sizeof(pthread_t) <= sizeof(unsigned long), "the thread handle must fit");

ScriptThread::~ScriptThread() { Join(); }

bool ScriptThread::Start(std::function<void()> body, int& systemError) {
  systemError = 0;
  if (running_) return false;
  body_ = std::move(body);
  pthread_attr_t attributes;
  systemError = pthread_attr_init(&attributes);
  if (systemError != 0) return false;
  systemError = pthread_attr_setstacksize(&attributes, kScriptThreadStackSize);
  pthread_t thread{};
  if (systemError == 0) systemError = pthread_create(&thread, &attributes, &ScriptThread::Entry, this);
  pthread_attr_destroy(&attributes);
  if (systemError != 0) return false;
  handle_ = static_cast<unsigned long>(thread);
  running_ = true;
  return true;
}

void ScriptThread::Join() {
  if (!running_) return;
  pthread_join(static_cast<pthread_t>(handle_), nullptr);
  running_ = false;
}

void* ScriptThread::Entry(void* self) {
  static_cast<ScriptThread*>(self)->body_();
  return nullptr;
}

}  // namespace script::platform
