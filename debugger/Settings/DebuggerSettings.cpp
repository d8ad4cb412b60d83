#include "debugger/Settings/DebuggerSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <pugixml.hpp>
#include <sstream>

namespace kelvra::ide {

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

QString CDebuggerSettings::DefaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/kelvra/debugger.data");
}

void CDebuggerSettings::SetStartupScript(const QString& path) {
  m_startupFile.clear();
  if (path.isEmpty()) return;
  const QFileInfo info(path);
  m_startupFolder = info.absolutePath();
  m_startupFile = info.fileName();
}

void CDebuggerSettings::Reset() {
  m_breakpoints.clear();
  m_startupFolder.clear();
  m_startupFile.clear();
  m_showAddress = false;
  m_viewAs = DefaultView;
}

bool CDebuggerSettings::Parse(const QByteArray& text) {
  pugi::xml_document document;
  const pugi::xml_parse_result parsed = document.load_buffer(text.constData(), static_cast<size_t>(text.size()));
  if (!parsed) {
    m_problem = QStringLiteral("%1 at offset %2").arg(Text(parsed.description())).arg(parsed.offset);
    return false;
  }
  const pugi::xml_node root = document.child("root");
  if (!root) {
    m_problem = QStringLiteral("no \"root\" element");
    return false;
  }
  for (const pugi::xpath_node& path : document.select_nodes("//root/breakpoints/path")) {
    const QString folder = Text(path.node().attribute("name").value());
    for (const pugi::xml_node file : path.node().children("file")) {
      const QString name = Text(file.attribute("name").value());
      for (const pugi::xml_node bp : file.children("bp")) {
        bool number = false;
        const int line = Text(bp.text().get()).trimmed().toInt(&number);
        // A row that names no line of a file is of no use to anyone.
        if (number && line > 0 && !name.isEmpty()) m_breakpoints.push_back({folder, name, line});
      }
    }
  }
  const pugi::xml_node script = root.child("script_path");
  m_startupFolder = Text(script.text().get());
  m_startupFile = Text(script.attribute("file").value());
  if (const pugi::xpath_node address = document.select_node("//root/var_list/@address")) {
    m_showAddress = address.attribute().as_bool();
  }
  if (const pugi::xpath_node view = document.select_node("//root/var_list/@viewas")) {
    const int value = view.attribute().as_int();
    if (value >= DefaultView && value <= BinaryView) m_viewAs = static_cast<ViewAs>(value);
  }
  return true;
}

CDebuggerSettings::LoadOutcome CDebuggerSettings::Load() {
  Reset();
  m_problem.clear();
  QFile file(m_path);
  if (!file.exists() || file.size() == 0) {
    Save();
    return LoadOutcome::CreatedDefault;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    m_problem = file.errorString();
    return LoadOutcome::CreatedDefault;
  }
  const QByteArray text = file.readAll();
  file.close();
  if (Parse(text)) return LoadOutcome::Loaded;
  // What was read may be half of the user's settings: it stays for them to see.
  Reset();
  QFile::remove(BadFilePath());
  QFile::rename(m_path, BadFilePath());
  const QString problem = m_problem;
  Save();
  m_problem = problem;
  return LoadOutcome::ReplacedMalformed;
}

bool CDebuggerSettings::Save() const {
  pugi::xml_document document;
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  pugi::xml_node root = document.append_child("root");
  pugi::xml_node breakpoints = root.append_child("breakpoints");
  pugi::xml_node path;
  pugi::xml_node file;
  const CSettingsBreakpoint* previous = nullptr;
  for (const CSettingsBreakpoint& breakpoint : m_breakpoints) {
    // Consecutive breakpoints of one folder share a "path", of one file a "file".
    const bool newFolder = previous == nullptr || previous->folder != breakpoint.folder;
    if (newFolder) {
      path = breakpoints.append_child("path");
      path.append_attribute("name") = Utf8(breakpoint.folder).c_str();
    }
    if (newFolder || previous->file != breakpoint.file) {
      file = path.append_child("file");
      file.append_attribute("name") = Utf8(breakpoint.file).c_str();
    }
    file.append_child("bp").text() = breakpoint.line;
    previous = &breakpoint;
  }
  pugi::xml_node script = root.append_child("script_path");
  script.text() = Utf8(m_startupFolder).c_str();
  if (!m_startupFile.isEmpty()) script.append_attribute("file") = Utf8(m_startupFile).c_str();
  root.append_child("watch");
  pugi::xml_node varList = root.append_child("var_list");
  varList.append_attribute("address") = m_showAddress;
  varList.append_attribute("viewas") = static_cast<int>(m_viewAs);

  std::ostringstream text;
  document.save(text, "  ");
  const std::string bytes = text.str();

  QDir().mkpath(QFileInfo(m_path).absolutePath());
  // A temporary file in the same folder, flushed to disk, then renamed.
  // The explicit flush matters: commit renames even when its own flush of
  // buffered bytes fails (a full disk).
  QSaveFile out(m_path);
  out.setDirectWriteFallback(false);
  const auto size = static_cast<qint64>(bytes.size());
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes.data(), size) != size || !out.flush() || !out.commit()) {
    // The temporary file goes with `out`; the previous file was never touched.
    m_problem = out.errorString();
    return false;
  }
  return true;
}

}  // namespace kelvra::ide
