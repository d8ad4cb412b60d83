#include "debugger/App/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTreeView>

#include "debugger/Breakpoints/BreakpointList.h"
#include "debugger/Breakpoints/BreakpointStore.h"
#include "debugger/Core/ApplicationInfo.h"
#include "debugger/Core/ApplicationLook.h"
#include "debugger/Core/Icons.h"
#include "debugger/Core/RecentFiles.h"
#include "debugger/Core/UserPrompt.h"
#include "debugger/Debug/DebugController.h"
#include "debugger/DebugPane/PropertiesWnd.h"
#include "debugger/Editor/ScriptArea.h"
#include "debugger/Editor/ScriptEditor.h"
#include "debugger/Explorer/FileTree.h"
#include "debugger/Explorer/FileView.h"
#include "debugger/FunctionBrowser/ClassView.h"
#include "debugger/Output/OutputSink.h"
#include "debugger/Output/OutputWnd.h"
#include "debugger/Settings/DebuggerSettings.h"
#include "debugger/Settings/SettingsKeeper.h"

namespace kelvra::ide {

namespace {

const QString kGeometryKey = QStringLiteral("MainFrame/Geometry");
const QString kStateKey = QStringLiteral("MainFrame/State");
constexpr int kLayoutVersion = 1;

QString StateText(DebugState state) {
  switch (state) {
    case DebugState::Stopped:
      return QStringLiteral("Stopped");
    case DebugState::Running:
      return QStringLiteral("Running");
    case DebugState::Paused:
      return QStringLiteral("Paused");
    case DebugState::SteppingIn:
      return QStringLiteral("Stepping in");
    case DebugState::SteppingOver:
      return QStringLiteral("Stepping over");
    case DebugState::SteppingOut:
      return QStringLiteral("Stepping out");
  }
  return {};
}

}  // namespace

CMainFrame::CMainFrame(std::unique_ptr<CFileTree> tree, CUserPrompt& prompt, QWidget* parent)
    : QMainWindow(parent),
      m_prompt(prompt),
      m_tree(std::move(tree)),
      m_sink(new COutputSink(this)),
      m_breakpoints(new CBreakpointStore(this)),
      m_recentFiles(new CRecentFiles(this)),
      m_scripts(new CScriptArea(*m_breakpoints, prompt, this)),
      m_controller(new CDebugController(*m_sink, *m_breakpoints, *m_scripts, this)) {
  setObjectName(QStringLiteral("MainFrame"));
  setWindowTitle(kApplicationTitle);
  setWindowIcon(Icon(IconId::Application));
  setAcceptDrops(true);
  setCentralWidget(m_scripts);
  setCorner(Qt::BottomLeftCorner, Qt::LeftDockWidgetArea);
  setCorner(Qt::BottomRightCorner, Qt::RightDockWidgetArea);
  CreatePanes();
  CreateActions();
  CreateMenus();
  CreateToolBar();
  ConnectDebugger();

  m_stateLabel = new QLabel(this);
  statusBar()->addPermanentWidget(m_stateLabel);
  // Between prompts the status bar says it is ready.
  connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
    if (message.isEmpty()) statusBar()->showMessage(QStringLiteral("Ready"));
  });
  statusBar()->showMessage(QStringLiteral("Ready"));

  connect(m_scripts, &CScriptArea::scriptOpened, m_recentFiles, &CRecentFiles::Add);
  connect(m_scripts, &CScriptArea::activeEditorChanged, this, [this] {
    UpdateEditActions();
    UpdateTitle();
  });
  connect(m_recentFiles, &CRecentFiles::changed, this, &CMainFrame::UpdateRecentMenu);
  RestoreLayout();
  UpdateDebugActions();
  UpdateEditActions();
}

// A run still going is stopped while the window is whole; then nothing may
// reach the window's parts while Qt takes its children down.
CMainFrame::~CMainFrame() {
  m_controller->StopRun();
  m_controller->disconnect();
  m_scripts->disconnect(this);
  m_tree->disconnect();
}

void CMainFrame::CreatePanes() {
  m_fileView = new CFileView(*m_tree, this);
  m_classView = new CClassView(this);
  m_output = new COutputWnd(*m_sink, this);
  m_debugPane = new CPropertiesWnd(*m_breakpoints, this);
  struct PaneInfo {
    Pane pane;
    QString title;
    QString name;
    QWidget* widget;
    Qt::DockWidgetArea area;
  };
  const PaneInfo panes[] = {
      {Pane::FileView, QStringLiteral("File View"), QStringLiteral("FileView"), m_fileView, Qt::LeftDockWidgetArea},
      {Pane::FunctionBrowser, QStringLiteral("Function Browser"), QStringLiteral("FunctionBrowser"), m_classView,
       Qt::LeftDockWidgetArea},
      {Pane::Output, QStringLiteral("Output"), QStringLiteral("Output"), m_output, Qt::BottomDockWidgetArea},
      {Pane::Debug, m_debugPane->Caption(), QStringLiteral("DebugPane"), m_debugPane, Qt::RightDockWidgetArea},
  };
  for (const PaneInfo& info : panes) {
    auto* dock = new QDockWidget(info.title, this);
    dock->setObjectName(info.name);
    dock->setWidget(info.widget);
    addDockWidget(info.area, dock);
    m_docks[info.pane] = dock;
  }
  tabifyDockWidget(Dock(Pane::FileView), Dock(Pane::FunctionBrowser));
  Dock(Pane::FileView)->raise();
  resizeDocks({Dock(Pane::FileView), Dock(Pane::Debug)}, {260, 330}, Qt::Horizontal);
  resizeDocks({Dock(Pane::Output)}, {200}, Qt::Vertical);
  connect(m_debugPane, &CPropertiesWnd::captionChanged, Dock(Pane::Debug), &QDockWidget::setWindowTitle);

  connect(m_output, &COutputWnd::locationWanted, this,
          [this](const QString& file, int lineIndex, int column, bool runtimeError) {
            if (CScriptEditor* editor = m_scripts->OpenScriptView(file)) {
              editor->ShowLine(runtimeError ? LineMarker::RuntimeError : LineMarker::CompileError, lineIndex, column);
            }
          });
  connect(m_output, &COutputWnd::matchWanted, this, [this](const QString& file, int lineIndex, int column) {
    if (CScriptEditor* editor = m_scripts->OpenScriptView(file)) {
      editor->SelectRange(lineIndex, column, static_cast<int>(m_findRequest.text.size()));
    }
  });
  connect(m_output, &COutputWnd::hideWanted, this, [this] {
    Dock(Pane::Output)->hide();
    setFocus();
  });
  connect(m_debugPane, &CPropertiesWnd::locationWanted, this, [this](const QString& file, int lineIndex) {
    if (CScriptEditor* editor = m_scripts->OpenScriptView(file)) editor->ShowLine(LineMarker::StackLocation, lineIndex, 0);
  });
  connect(&m_debugPane->Breakpoints(), &CBreakpointList::locationWanted, this, [this](const QString& file, int lineIndex) {
    if (CScriptEditor* editor = OpenFile(file)) editor->ShowLine(LineMarker::BreakpointLocation, lineIndex, 0);
  });
  connect(m_fileView, &CFileView::openRequested, this, &CMainFrame::OpenFile);
  connect(m_fileView, &CFileView::compileRequested, this, [this](const QString& path) {
    m_controller->CompileScript(path);
  });
  connect(m_fileView, &CFileView::decompileRequested, this, [this](const QString& path) {
    m_controller->DecompileScript(path);
  });
  connect(m_tree.get(), &CFileTree::startupChanged, m_controller, &CDebugController::SetStartupScript);
  connect(m_classView, &CClassView::declarationWanted, this, [this](const QString& path, int line) {
    if (CScriptEditor* editor = OpenFile(path)) editor->ShowLine(LineMarker::FunctionDefinition, line - 1, 0);
  });
}

void CMainFrame::ConnectDebugger() {
  CDebugController& controller = *m_controller;
  connect(&controller, &CDebugController::stateChanged, this, &CMainFrame::UpdateDebugActions);
  connect(&controller, &CDebugController::startupScriptChanged, this, &CMainFrame::UpdateDebugActions);
  connect(&controller, &CDebugController::editorsReadOnly, this, [this](bool readOnly) {
    m_scripts->SetEditorsReadOnly(readOnly);
    UpdateEditActions();
  });
  connect(&controller, &CDebugController::runChanged, m_fileView, &CFileView::SetRunActive);
  connect(&controller, &CDebugController::runChanged, m_debugPane,
          [this](bool exists) { m_debugPane->SetSession(exists ? m_controller->Session() : nullptr); });
  connect(&controller, &CDebugController::threadStarted, m_debugPane, &CPropertiesWnd::AddThread);
  connect(&controller, &CDebugController::threadEnded, m_debugPane, &CPropertiesWnd::RemoveThread);
  connect(&controller, &CDebugController::threadHalted, m_debugPane, &CPropertiesWnd::MarkThread);
  connect(&controller, &CDebugController::breakReached, this, &CMainFrame::ShowBreak);
  connect(&controller, &CDebugController::functionsLoaded, m_classView, &CClassView::Fill);
  connect(&controller, &CDebugController::functionsCleared, m_classView, &CClassView::Clear);
  connect(&controller, &CDebugController::runFinished, m_debugPane, &CPropertiesWnd::ClearGlobals);
  connect(&controller, &CDebugController::fileExplorerWanted, this, [this] { ShowPane(Pane::FileView); });
  connect(&controller, &CDebugController::functionBrowserWanted, this, [this] { ShowPane(Pane::FunctionBrowser); });
}

void CMainFrame::ShowBreak(const QString& path, int lineIndex, uint32_t threadId) {
  if (CScriptEditor* editor = m_scripts->OpenScriptView(path)) editor->ShowLine(LineMarker::Execution, lineIndex, 0);
  m_debugPane->ShowThread(threadId);
}

CScriptEditor* CMainFrame::OpenFile(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    m_prompt.ShowError(QStringLiteral("Cannot open %1: no such file.").arg(path));
    m_recentFiles->Remove(path);
    return nullptr;
  }
  CScriptEditor* editor = m_scripts->OpenScriptView(path);
  if (editor == nullptr && !CScriptArea::IsScriptName(path)) {
    m_prompt.ShowError(
        QStringLiteral("Cannot open %1: only scripts (.kelvra) and compiled scripts (.bin) open here.").arg(path));
  }
  return editor;
}

void CMainFrame::UseSettings(CDebuggerSettings& settings) {
  m_settings = new CSettingsKeeper(settings, *m_breakpoints, *m_sink, this);
  const QString startup = m_settings->Load();
  if (!startup.isEmpty()) SetStartupScript(startup);
  m_debugPane->SetView(static_cast<script::ViewAs>(settings.View()));
  m_debugPane->SetShowAddress(settings.ShowAddress());
  // Kept for the save at exit.
  connect(m_debugPane, &CPropertiesWnd::variableOptionsChanged, this, [this, &settings] {
    settings.SetView(static_cast<CDebuggerSettings::ViewAs>(m_debugPane->View()));
    settings.SetShowAddress(m_debugPane->ShowsAddress());
  });
  connect(m_controller, &CDebugController::startupScriptChanged, m_settings, &CSettingsKeeper::SetStartupScript);
}

bool CMainFrame::SetStartupScript(const QString& path) {
  if (!m_fileView->Reveal(QFileInfo(path).absoluteFilePath())) return false;
  if (!m_tree->SetStartup(m_fileView->Selected())) return false;
  OpenFile(path);
  return true;
}

void CMainFrame::ShowPane(Pane pane) {
  QDockWidget* dock = Dock(pane);
  dock->show();
  dock->raise();
  dock->widget()->setFocus();
}

void CMainFrame::CyclePane(int step) {
  std::vector<QWidget*> panes = {m_scripts};
  for (Pane pane : {Pane::FileView, Pane::FunctionBrowser, Pane::Output, Pane::Debug}) {
    if (Dock(pane)->isVisible()) panes.push_back(Dock(pane)->widget());
  }
  size_t current = 0;
  for (size_t i = 0; i < panes.size(); ++i) {
    if (panes[i]->isAncestorOf(QApplication::focusWidget()) || panes[i] == QApplication::focusWidget()) current = i;
  }
  const size_t next = (current + panes.size() + static_cast<size_t>(step)) % panes.size();
  QWidget* target = panes[next];
  if (target == m_scripts && m_scripts->ActiveEditor() != nullptr) target = m_scripts->ActiveEditor();
  if (auto* dock = qobject_cast<QDockWidget*>(target->parentWidget())) dock->raise();
  target->setFocus(Qt::TabFocusReason);
}

bool CMainFrame::SaveScreenshot(const QString& path) { return grab().save(path, "PNG"); }

void CMainFrame::RestoreLayout() {
  QSettings settings;
  m_recentFiles->Load(settings);
  if (!restoreGeometry(settings.value(kGeometryKey).toByteArray())) {
    const QRect screen = QApplication::primaryScreen() != nullptr ? QApplication::primaryScreen()->availableGeometry()
                                                                  : QRect(0, 0, 1280, 800);
    resize(std::min(1280, screen.width()), std::min(800, screen.height()));
  }
  restoreState(settings.value(kStateKey).toByteArray(), kLayoutVersion);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!m_scripts->CloseAll()) {
    event->ignore();
    return;
  }
  m_controller->StopRun();
  QSettings settings;
  settings.setValue(kGeometryKey, saveGeometry());
  settings.setValue(kStateKey, saveState(kLayoutVersion));
  m_recentFiles->Save(settings);
  if (m_settings != nullptr) m_settings->Save();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) OpenFile(url.toLocalFile());
  }
  event->acceptProposedAction();
}

void CMainFrame::UpdateDebugActions() {
  for (const auto& [command, action] : m_debugActions) action->setEnabled(m_controller->IsCommandEnabled(command));
  m_stateLabel->setText(StateText(m_controller->State()));
  const QString startup = m_controller->StartupScript();
  m_stateLabel->setToolTip(startup.isEmpty() ? QStringLiteral("No start-up script")
                                             : QStringLiteral("Start-up script: ") + startup);
}

void CMainFrame::UpdateTitle() {
  CScriptEditor* editor = m_scripts->ActiveEditor();
  setWindowTitle(editor == nullptr ? kApplicationTitle
                                   : CScriptArea::DisplayName(*editor) + QStringLiteral(" - ") + kApplicationTitle);
}

}  // namespace kelvra::ide
