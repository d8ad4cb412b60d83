#include "tests/support/BuildReport.h"

#include "Script/Script/ScriptRunner.h"
#include "tests/support/CaptureSink.h"

namespace script::test {

BuildReport Build(const TempDir& dir, const std::string& relativePath) {
  CaptureSink sink;
  ScriptRunner runner(dir.PathOf(relativePath), &sink);
  BuildReport report;
  report.loaded = runner.Load();
  const std::string folder = dir.Root().string() + "/";
  for (std::string line : WithoutEngineLines(sink.Lines(CHANNEL_BUILD))) {
    for (std::size_t at = line.find(folder); at != std::string::npos; at = line.find(folder, at + 5)) {
      line.replace(at, folder.size(), "$DIR/");
    }
    report.lines.push_back(std::move(line));
  }
  report.runOutput = !sink.Lines(CHANNEL_RUN).empty();
  return report;
}

}  // namespace script::test
