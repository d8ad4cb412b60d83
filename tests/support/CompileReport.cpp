#include "tests/support/CompileReport.h"

#include "Script/Script/ScriptRunner.h"
#include "tests/support/CaptureSink.h"
#include "tests/support/TempDir.h"

namespace script::test {

namespace {

std::string WithFolderAsDir(std::string line, const std::string& folder) {
  for (std::size_t at = line.find(folder); at != std::string::npos; at = line.find(folder, at + 5))
    line.replace(at, folder.size(), "$DIR/");
  return line;
}

}  // namespace

CompiledReport CompileFiles(const std::map<std::string, std::string>& files) {
  TempDir dir;
  for (const auto& [path, content] : files) dir.Write(path, content);
  CaptureSink sink;
  ScriptRunner runner(dir.PathOf("main.kelvra"), &sink);
  CompiledReport report;
  report.loaded = runner.Load();
  const std::string folder = dir.Root().string() + "/";
  for (const std::string& line : WithoutEngineLines(sink.Lines(CHANNEL_BUILD)))
    report.build.push_back(WithFolderAsDir(line, folder));
  report.run = sink.Lines(CHANNEL_RUN);
  return report;
}

}  // namespace script::test
