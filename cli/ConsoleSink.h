#pragma once
// The command-line tool's output sink: the build channel goes to standard
// output, the run channel to standard error, one line per call.
#include <mutex>

#include "kelvra/StdOutInterface.h"

namespace kelvra {

class ConsoleSink final : public script::StdOutInterface {
 public:
  void Print(int32_t channel, const std::string& text) override;
  void Clear() override {}

 private:
  std::mutex lock_;  // lines may come from the script thread and the main thread
};

}  // namespace kelvra
