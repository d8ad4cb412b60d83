#pragma once
// The output sink through which the engine reports: one call, one line.
#include <cstdint>
#include <string>

namespace script {

enum OutputChannel : int32_t {
  CHANNEL_BUILD = 0,  // compile outcome and runner messages
  CHANNEL_RUN = 1,    // runtime errors, traces, leak reports
};

class StdOutInterface {
 public:
  // Appends one line (without line break) to a channel; other channels are ignored.
  virtual void Print(int32_t channel, const std::string& text) = 0;
  // Empties both channels.
  virtual void Clear() = 0;

 protected:
  ~StdOutInterface() = default;  // the engine never owns or deletes a sink
};

}  // namespace script
