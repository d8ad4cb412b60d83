#pragma once
// The entry point through which the outside compiles, runs, compiles to
// file or decompiles a script.
#include <memory>

namespace script {

class Reader;

class OptionRunner {
 public:
  virtual ~OptionRunner() = default;

  // A reader for the script's kind, or null for an unknown kind.
  virtual std::unique_ptr<Reader> CreateReader() = 0;
  // Reads and compiles the script; reports the outcome on the build channel.
  virtual bool Load() = 0;
  virtual bool Execute() = 0;
};

}  // namespace script
