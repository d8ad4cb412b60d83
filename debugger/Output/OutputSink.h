#pragma once
// The engine's output sink: lines printed on any thread reach the output
// pane's lists on the interface thread, in the order they were printed.
#include <QObject>
#include <QStringList>
#include <mutex>
#include <vector>

#include "kelvra/StdOutInterface.h"

namespace kelvra::ide {

class COutputSink final : public QObject, public script::StdOutInterface {
  Q_OBJECT

 public:
  using QObject::QObject;

  // Any thread. Lines printed on the interface thread arrive at once.
  void Print(int32_t channel, const std::string& text) override;
  void Clear() override;

 Q_SIGNALS:
  // On the interface thread.
  void linesPrinted(int channel, const QStringList& lines);
  void cleared();

 private:
  struct Entry {
    int channel;  // -1: clear
    QString text;
  };

  void Queue(Entry entry);
  void Deliver();

  std::mutex m_mutex;
  std::vector<Entry> m_pending;
};

}  // namespace kelvra::ide
