#include "tests/support/BuildReport.h"

#include "Script/Script/ScriptRunner.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script::test {

BuildReport BuildScript(const std::map<std::string, std::string>& files) {
  TempDir dir;
  for (const auto& [path, content] : files) dir.Write(path, content);
  CaptureSink sink;
  ScriptRunner runner(dir.PathOf("main.kelvra"), &sink);
  BuildReport report;
  report.loaded = runner.Load();
  const std::string folder = dir.Root().string() + "/";
  for (std::string line : WithoutEngineLines(sink.Lines(CHANNEL_BUILD))) {
    for (std::size_t at = line.find(folder); at != std::string::npos; at = line.find(folder)) {
      line.replace(at, folder.size(), "$DIR/");
    }
    report.lines.push_back(std::move(line));
  }
  return report;
}

BuildReport BuildScript(const std::string& mainScript) { return BuildScript({{"main.kelvra", mainScript}}); }

std::vector<std::string> ErrorReport(const std::string& errorName, int line, int position, const std::string& module,
                                     const std::string& function) {
  return {"ERROR: " + errorName + " in \"$DIR/main.kelvra\", line: " + std::to_string(line) +
              ", pos: " + std::to_string(position),
          "INTERNAL: " + module + "(N): " + function};
}

}  // namespace script::test
