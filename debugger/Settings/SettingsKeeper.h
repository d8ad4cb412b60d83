#pragma once
// Keeps the settings file in step with the application: the breakpoints
// and the start-up script come from it at start-up, and every change of
// them is written back at once, so a crash loses nothing the user set.
#include <QObject>

namespace kelvra::ide {

class CBreakpointStore;
class CDebuggerSettings;
class COutputSink;

class CSettingsKeeper final : public QObject {
  Q_OBJECT

 public:
  CSettingsKeeper(CDebuggerSettings& settings, CBreakpointStore& breakpoints, COutputSink& output,
                  QObject* parent = nullptr);

  // Reads the file and sets its breakpoints; a file that could not be used
  // is reported in the output pane. The start-up script it names, empty
  // when none is set or its file is gone.
  QString Load();
  // Writes the current breakpoints and settings; problems go to the output pane.
  void Save();
  // An empty path clears the start-up script.
  void SetStartupScript(const QString& path);

 private:
  CDebuggerSettings& m_settings;
  CBreakpointStore& m_breakpoints;
  COutputSink& m_output;
  bool m_loading = false;
};

}  // namespace kelvra::ide
