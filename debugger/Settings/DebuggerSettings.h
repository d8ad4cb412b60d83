#pragma once
// The debugger's own settings file: breakpoints, the start-up script and
// the variable-list options, as one XML document in the user's
// configuration folder. A missing, empty or malformed file gives the
// default document; a malformed one is kept beside it as
// "debugger.data.bad". Saving replaces the file atomically, so a crash or
// a full disk while saving leaves the previous file intact.
#include <QString>
#include <vector>

namespace kelvra::ide {

struct CSettingsBreakpoint {
  QString folder;  // without a trailing "/"
  QString file;    // name only
  int line = 0;    // from 1

  friend bool operator==(const CSettingsBreakpoint&, const CSettingsBreakpoint&) = default;
};

class CDebuggerSettings {
 public:
  enum class LoadOutcome { Loaded, CreatedDefault, ReplacedMalformed };
  enum ViewAs { DefaultView = 0, HexadecimalView = 1, BinaryView = 2 };

  // $XDG_CONFIG_HOME/kelvra/debugger.data, ~/.config/kelvra/ by default.
  static QString DefaultPath();

  explicit CDebuggerSettings(QString path) : m_path(std::move(path)) {}

  const QString& Path() const { return m_path; }
  QString BadFilePath() const { return m_path + QStringLiteral(".bad"); }

  // Reads the file; anything unusable gives the default document, which is
  // written at once.
  LoadOutcome Load();
  // False when the file could not be written; the previous one stays.
  bool Save() const;
  // What went wrong in the last Load or Save, for the output pane.
  const QString& Problem() const { return m_problem; }

  // In the order of the file.
  const std::vector<CSettingsBreakpoint>& Breakpoints() const { return m_breakpoints; }
  void SetBreakpoints(std::vector<CSettingsBreakpoint> breakpoints) { m_breakpoints = std::move(breakpoints); }
  const QString& StartupFolder() const { return m_startupFolder; }
  const QString& StartupFile() const { return m_startupFile; }
  // An empty path clears the start-up file and keeps the folder.
  void SetStartupScript(const QString& path);
  bool ShowAddress() const { return m_showAddress; }
  void SetShowAddress(bool show) { m_showAddress = show; }
  ViewAs View() const { return m_viewAs; }
  void SetView(ViewAs view) { m_viewAs = view; }

 private:
  void Reset();
  bool Parse(const QByteArray& text);

  QString m_path;
  mutable QString m_problem;
  std::vector<CSettingsBreakpoint> m_breakpoints;
  QString m_startupFolder;
  QString m_startupFile;
  bool m_showAddress = false;
  ViewAs m_viewAs = DefaultView;
};

}  // namespace kelvra::ide
