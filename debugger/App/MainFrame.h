#pragma once
// The main window "KelvraDebugger": menus, tool bar and status bar, the
// tabbed script editors, and the four dockable panes (file explorer and
// function browser on the left, output at the bottom, debug pane on the
// right). It wires the panes, the editors and the debug controller
// together; the logic lives in those.
#include <QMainWindow>
#include <map>
#include <memory>

#include "debugger/Debug/DebugCommands.h"
#include "debugger/Editor/TextSearch.h"

class QDockWidget;
class QLabel;
class QMenu;

namespace kelvra::ide {

class CBreakpointStore;
class CClassView;
class CDebugController;
class CDebuggerSettings;
class CFileTree;
class CFileView;
class CFindDialog;
class COutputSink;
class COutputWnd;
class CPropertiesWnd;
class CRecentFiles;
class CScriptArea;
class CScriptEditor;
class CSettingsKeeper;
class CUserPrompt;

class CMainFrame final : public QMainWindow {
  Q_OBJECT

 public:
  enum class Pane { FileView, FunctionBrowser, Output, Debug };
  enum class Command {
    New,
    Open,
    Close,
    Save,
    SaveAs,
    Print,
    Exit,
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    SelectAll,
    Find,
    FindNext,
    FindPrevious,
    GoToLine,
    NextPane,
    PreviousPane,
    CloseAll,
    About,
  };

  // The prompt must outlive the window.
  CMainFrame(std::unique_ptr<CFileTree> tree, CUserPrompt& prompt, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CDebugController& Controller() const { return *m_controller; }
  CScriptArea& Scripts() const { return *m_scripts; }
  CFileView& Explorer() const { return *m_fileView; }
  COutputWnd& Output() const { return *m_output; }
  CPropertiesWnd& DebugPane() const { return *m_debugPane; }
  CClassView& FunctionBrowser() const { return *m_classView; }
  CBreakpointStore& Breakpoints() const { return *m_breakpoints; }
  CRecentFiles& RecentFiles() const { return *m_recentFiles; }
  QDockWidget* Dock(Pane pane) const { return m_docks.at(pane); }
  QAction* DebugAction(DebugCommandId command) const { return m_debugActions.at(command); }
  QAction* Action(Command command) const { return m_actions.at(command); }

  // Opens a script in an editor; the user is told when it cannot be opened.
  CScriptEditor* OpenFile(const QString& path);
  // Shows a script in the explorer, opens it and makes it the start-up script.
  bool SetStartupScript(const QString& path);
  void ShowPane(Pane pane);
  // Moves the focus to the next or previous pane (the editors count as one).
  void CyclePane(int step);
  // Selects the next (or previous) place of a text in the active script
  // and lists every place in the Find list; false when there is none.
  bool Find(const CFindRequest& request, bool forward);
  // Asks for a line of the active script and puts the caret there.
  void GoToLine();
  // Renders the window into a PNG file.
  bool SaveScreenshot(const QString& path);
  // Breakpoints and the start-up script from the settings file, kept there
  // from now on; the settings must outlive the window.
  void UseSettings(CDebuggerSettings& settings);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreatePanes();
  void CreateActions();
  QAction* AddAction(Command command, const QString& text, const QString& prompt,
                     const QList<QKeySequence>& keys = {});
  void CreateMenus();
  void CreateToolBar();
  void ConnectDebugger();
  void RestoreLayout();
  void UpdateDebugActions();
  void UpdateEditActions();
  void UpdateTitle();
  void UpdateRecentMenu();
  void UpdateWindowMenu();
  void ShowBreak(const QString& path, int lineIndex, uint32_t threadId);
  void OpenWithDialog();
  void PrintActive();
  void ChooseLook(const QString& look);
  void StartFind();
  // The last search again; the Find window when there was none.
  void FindAgain(bool forward);
  void ListMatches(const CScriptEditor& editor, const CFindRequest& request);

  CUserPrompt& m_prompt;
  std::unique_ptr<CFileTree> m_tree;
  COutputSink* m_sink;
  CBreakpointStore* m_breakpoints;
  CRecentFiles* m_recentFiles;
  CScriptArea* m_scripts;
  CDebugController* m_controller;
  CFileView* m_fileView = nullptr;
  CClassView* m_classView = nullptr;
  COutputWnd* m_output = nullptr;
  CPropertiesWnd* m_debugPane = nullptr;
  CSettingsKeeper* m_settings = nullptr;
  std::map<Pane, QDockWidget*> m_docks;
  std::map<DebugCommandId, QAction*> m_debugActions;
  std::map<Command, QAction*> m_actions;
  QMenu* m_viewMenu = nullptr;
  QMenu* m_recentMenu = nullptr;
  QMenu* m_windowMenu = nullptr;
  QMenu* m_lookMenu = nullptr;
  QLabel* m_stateLabel = nullptr;
  CFindDialog* m_findDialog = nullptr;
  CFindRequest m_findRequest;
};

}  // namespace kelvra::ide
