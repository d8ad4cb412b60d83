#include "debugger/Output/OutputSink.h"

#include <QThread>

namespace kelvra::ide {

// A text holding line breaks (the leak reports have some) gives one line each.
void COutputSink::Print(int32_t channel, const std::string& text) {
  if (channel != script::CHANNEL_BUILD && channel != script::CHANNEL_RUN) return;
  const QString lines = QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
  for (const QString& line : lines.split(QLatin1Char('\n'))) Queue({channel, line});
}

void COutputSink::Clear() { Queue({-1, QString()}); }

void COutputSink::Queue(Entry entry) {
  bool first = false;
  {
    std::lock_guard lock(m_mutex);
    first = m_pending.empty();
    m_pending.push_back(std::move(entry));
  }
  if (QThread::currentThread() == thread()) {
    Deliver();
  } else if (first) {
    QMetaObject::invokeMethod(this, &COutputSink::Deliver, Qt::QueuedConnection);
  }
}

// Hands the pending entries over in runs of lines of one channel.
void COutputSink::Deliver() {
  std::vector<Entry> entries;
  {
    std::lock_guard lock(m_mutex);
    entries.swap(m_pending);
  }
  QStringList run;
  int runChannel = -1;
  auto flush = [&] {
    if (!run.isEmpty()) Q_EMIT linesPrinted(runChannel, run);
    run.clear();
  };
  for (Entry& entry : entries) {
    if (entry.channel != runChannel) flush();
    runChannel = entry.channel;
    if (entry.channel < 0) {
      Q_EMIT cleared();
    } else {
      run << std::move(entry.text);
    }
  }
  flush();
}

}  // namespace kelvra::ide
