#include "debugger/Settings/SettingsKeeper.h"

#include <QDir>
#include <QFileInfo>

#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Output/OutputSink.h"
#include "debugger/Settings/DebuggerSettings.h"

namespace kelvra::ide {

CSettingsKeeper::CSettingsKeeper(CDebuggerSettings& settings, CBreakpointStore& breakpoints, COutputSink& output,
                                 QObject* parent)
    : QObject(parent), m_settings(settings), m_breakpoints(breakpoints), m_output(output) {
  connect(&breakpoints, &CBreakpointStore::toggled, this, [this] {
    if (!m_loading) Save();
  });
}

QString CSettingsKeeper::Load() {
  if (m_settings.Load() == CDebuggerSettings::LoadOutcome::ReplacedMalformed) {
    m_output.Print(script::CHANNEL_BUILD,
                   QStringLiteral("The settings file %1 could not be read (%2): default settings are used, and the "
                                  "old file is kept as %3.")
                       .arg(m_settings.Path(), m_settings.Problem(), m_settings.BadFilePath())
                       .toStdString());
  }
  m_loading = true;
  for (const CSettingsBreakpoint& breakpoint : m_settings.Breakpoints()) {
    m_breakpoints.Add(QDir(breakpoint.folder).filePath(breakpoint.file), breakpoint.line);
  }
  m_loading = false;
  if (m_settings.StartupFile().isEmpty()) return {};
  const QString startup = QDir(m_settings.StartupFolder()).filePath(m_settings.StartupFile());
  return QFileInfo(startup).isFile() ? startup : QString();
}

void CSettingsKeeper::Save() {
  std::vector<CSettingsBreakpoint> rows;
  for (const CBreakpoint& breakpoint : m_breakpoints.Breakpoints()) {
    rows.push_back({breakpoint.folder, breakpoint.file, breakpoint.line});
  }
  m_settings.SetBreakpoints(std::move(rows));
  if (!m_settings.Save()) {
    m_output.Print(script::CHANNEL_BUILD, QStringLiteral("The settings file %1 could not be written (%2).")
                                              .arg(m_settings.Path(), m_settings.Problem())
                                              .toStdString());
  }
}

void CSettingsKeeper::SetStartupScript(const QString& path) {
  m_settings.SetStartupScript(path);
  if (!m_loading) Save();
}

}  // namespace kelvra::ide
