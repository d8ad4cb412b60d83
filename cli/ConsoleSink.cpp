#include "cli/ConsoleSink.h"

#include <cstdio>

namespace kelvra {

void ConsoleSink::Print(int32_t channel, const std::string& text) {
  std::FILE* stream = nullptr;
  if (channel == script::CHANNEL_BUILD) stream = stdout;
  if (channel == script::CHANNEL_RUN) stream = stderr;
  if (stream == nullptr) return;
  std::lock_guard guard(lock_);
  std::fwrite(text.data(), 1, text.size(), stream);
  std::fputc('\n', stream);
}

}  // namespace kelvra
