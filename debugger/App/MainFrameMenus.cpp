// The main window's commands: actions, menus, the tool bar and their enabling.
#include <QActionGroup>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "debugger/App/AboutDialog.h"
#include "debugger/App/MainFrame.h"
#include "debugger/Core/ApplicationInfo.h"
#include "debugger/Core/ApplicationLook.h"
#include "debugger/Core/Icons.h"
#include "debugger/Core/RecentFiles.h"
#include "debugger/Core/UserPrompt.h"
#include "debugger/Debug/DebugController.h"
#include "debugger/Editor/FindDialog.h"
#include "debugger/Editor/ScriptArea.h"
#include "debugger/Editor/ScriptEditor.h"
#include "debugger/Editor/Scintilla.h"
#include "debugger/Output/OutputWnd.h"

namespace kelvra::ide {

namespace {

IconId DebugIcon(DebugCommandId command) {
  switch (command) {
    case DebugCommandId::Run:
      return IconId::Run;
    case DebugCommandId::Stop:
      return IconId::Stop;
    case DebugCommandId::Pause:
      return IconId::Pause;
    case DebugCommandId::StepIn:
      return IconId::StepIn;
    case DebugCommandId::StepOver:
      return IconId::StepOver;
    case DebugCommandId::StepOut:
      return IconId::StepOut;
  }
  return IconId::Run;
}

constexpr int kNotFoundMessageMs = 5000;

// "Step &In\tF11" → "Step In (F11)"
QString ToolTipOf(const QString& menuText) {
  QString text = menuText;
  text.remove(QLatin1Char('&'));
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  if (tab < 0) return text;
  return text.left(tab) + QStringLiteral(" (") + text.mid(tab + 1) + QLatin1Char(')');
}

}  // namespace

QAction* CMainFrame::AddAction(Command command, const QString& text, const QString& prompt,
                               const QList<QKeySequence>& keys) {
  auto* action = new QAction(text, this);
  action->setStatusTip(prompt);
  action->setShortcuts(keys);
  action->setToolTip(keys.isEmpty() ? ToolTipOf(text)
                                    : ToolTipOf(text) + QStringLiteral(" (") +
                                          keys.first().toString(QKeySequence::NativeText) + QLatin1Char(')'));
  m_actions[command] = action;
  return action;
}

void CMainFrame::CreateActions() {
  auto editor = [this] { return m_scripts->ActiveEditor(); };
  connect(AddAction(Command::New, QStringLiteral("&New"), QStringLiteral("Create a new script"),
                    {QKeySequence(Qt::CTRL | Qt::Key_N)}),
          &QAction::triggered, this, [this] { m_scripts->NewScript(); });
  connect(AddAction(Command::Open, QStringLiteral("&Open..."), QStringLiteral("Open an existing script"),
                    {QKeySequence(Qt::CTRL | Qt::Key_O)}),
          &QAction::triggered, this, &CMainFrame::OpenWithDialog);
  connect(AddAction(Command::Close, QStringLiteral("&Close"), QStringLiteral("Close the active script")),
          &QAction::triggered, this, [this, editor] {
            if (editor()) m_scripts->CloseEditor(*editor());
          });
  connect(AddAction(Command::Save, QStringLiteral("&Save"), QStringLiteral("Save the active script"),
                    {QKeySequence(Qt::CTRL | Qt::Key_S)}),
          &QAction::triggered, this, [this, editor] {
            if (editor()) m_scripts->Save(*editor());
          });
  connect(AddAction(Command::SaveAs, QStringLiteral("Save &As..."), QStringLiteral("Save the active script with a new name")),
          &QAction::triggered, this, [this, editor] {
            if (editor()) m_scripts->SaveAs(*editor());
          });
  connect(AddAction(Command::Print, QStringLiteral("&Print..."), QStringLiteral("Print the active script"),
                    {QKeySequence(Qt::CTRL | Qt::Key_P)}),
          &QAction::triggered, this, &CMainFrame::PrintActive);
  connect(AddAction(Command::Exit, QStringLiteral("E&xit"), QStringLiteral("Quit the application; prompts to save scripts")),
          &QAction::triggered, this, &QWidget::close);

  struct EditCommand {
    Command command;
    const char* text;
    const char* prompt;
    QList<QKeySequence> keys;
    void (CScriptEditor::*operation)();
  };
  const EditCommand editCommands[] = {
      {Command::Undo, "&Undo", "Undo the last action",
       {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}, &CScriptEditor::Undo},
      {Command::Redo, "&Redo", "Redo the previously undone action",
       {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, &CScriptEditor::Redo},
      {Command::Cut, "Cu&t", "Cut the selection and put it on the Clipboard",
       {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)}, &CScriptEditor::Cut},
      {Command::Copy, "&Copy", "Copy the selection and put it on the Clipboard",
       {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}, &CScriptEditor::Copy},
      {Command::Paste, "&Paste", "Insert Clipboard contents",
       {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)}, &CScriptEditor::Paste},
      {Command::SelectAll, "Select &All", "Select the entire script", {QKeySequence(Qt::CTRL | Qt::Key_A)},
       &CScriptEditor::SelectAll},
  };
  for (const EditCommand& edit : editCommands) {
    QAction* action = AddAction(edit.command, QString::fromLatin1(edit.text), QString::fromLatin1(edit.prompt), edit.keys);
    // Only while an editor has the focus, so that the panes keep their own keys.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_scripts->addAction(action);
    const auto operation = edit.operation;
    connect(action, &QAction::triggered, this, [editor, operation] {
      if (editor()) (editor()->*operation)();
    });
  }

  AddAction(Command::Find, QStringLiteral("&Find..."), QStringLiteral("Find the specified text"),
            {QKeySequence(Qt::CTRL | Qt::Key_F)});
  AddAction(Command::FindNext, QStringLiteral("Find &Next"), QStringLiteral("Find the next occurrence of the text"),
            {QKeySequence(Qt::Key_F3)});
  AddAction(Command::FindPrevious, QStringLiteral("Find Pre&vious"),
            QStringLiteral("Find the previous occurrence of the text"), {QKeySequence(Qt::SHIFT | Qt::Key_F3)});
  AddAction(Command::GoToLine, QStringLiteral("&Go To Line..."), QStringLiteral("Move to a line of the script"),
            {QKeySequence(Qt::CTRL | Qt::Key_G)});
  for (Command command : {Command::Find, Command::FindNext, Command::FindPrevious, Command::GoToLine}) {
    Action(command)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_scripts->addAction(Action(command));
  }
  connect(Action(Command::Find), &QAction::triggered, this, &CMainFrame::StartFind);
  connect(Action(Command::FindNext), &QAction::triggered, this, [this] { FindAgain(true); });
  connect(Action(Command::FindPrevious), &QAction::triggered, this, [this] { FindAgain(false); });
  connect(Action(Command::GoToLine), &QAction::triggered, this, &CMainFrame::GoToLine);

  connect(AddAction(Command::NextPane, QStringLiteral("Ne&xt Pane"), QStringLiteral("Switch to the next window pane"),
                    {QKeySequence(Qt::Key_F6)}),
          &QAction::triggered, this, [this] { CyclePane(1); });
  connect(AddAction(Command::PreviousPane, QStringLiteral("Pre&vious Pane"),
                    QStringLiteral("Switch back to the previous window pane"), {QKeySequence(Qt::SHIFT | Qt::Key_F6)}),
          &QAction::triggered, this, [this] { CyclePane(-1); });
  connect(AddAction(Command::CloseAll, QStringLiteral("Close &All"), QStringLiteral("Close all scripts")),
          &QAction::triggered, m_scripts, &CScriptArea::CloseAll);
  connect(AddAction(Command::About, QStringLiteral("&About KelvraDebugger..."),
                    QStringLiteral("Display program information, version number and copyright")),
          &QAction::triggered, this, [this] {
            CAboutDialog about(this);
            about.exec();
          });

  const std::pair<Command, IconId> icons[] = {{Command::New, IconId::New},     {Command::Open, IconId::Open},
                                              {Command::Save, IconId::Save},   {Command::Cut, IconId::Cut},
                                              {Command::Copy, IconId::Copy},   {Command::Paste, IconId::Paste},
                                              {Command::Print, IconId::Print}, {Command::About, IconId::About}};
  for (const auto& [command, icon] : icons) Action(command)->setIcon(Icon(icon));

  for (const DebugCommandInfo& info : DebugCommandTable()) {
    auto* action = new QAction(Icon(DebugIcon(info.id)), QString::fromLatin1(info.menuText), this);
    action->setShortcut(QKeySequence(QString::fromLatin1(info.key)));
    action->setShortcutContext(Qt::ApplicationShortcut);
    action->setStatusTip(QString::fromLatin1(info.prompt));
    action->setToolTip(ToolTipOf(QString::fromLatin1(info.menuText)).replace(QStringLiteral("Ctl"), QStringLiteral("Ctrl")));
    const DebugCommandId command = info.id;
    connect(action, &QAction::triggered, m_controller, [this, command] { m_controller->Execute(command); });
    m_debugActions[command] = action;
  }
}

void CMainFrame::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addActions({Action(Command::New), Action(Command::Open), Action(Command::Close)});
  file->addSeparator();
  file->addActions({Action(Command::Save), Action(Command::SaveAs)});
  file->addSeparator();
  file->addAction(Action(Command::Print));
  file->addSeparator();
  m_recentMenu = file->addMenu(QStringLiteral("Recent &Files"));
  file->addSeparator();
  file->addAction(Action(Command::Exit));

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->addActions({Action(Command::Undo), Action(Command::Redo)});
  edit->addSeparator();
  edit->addActions({Action(Command::Cut), Action(Command::Copy), Action(Command::Paste)});
  edit->addSeparator();
  edit->addAction(Action(Command::SelectAll));
  edit->addSeparator();
  edit->addActions({Action(Command::Find), Action(Command::FindNext), Action(Command::FindPrevious)});
  edit->addSeparator();
  edit->addAction(Action(Command::GoToLine));

  QMenu* view = m_viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
  const std::pair<Pane, const char*> paneCommands[] = {{Pane::FileView, "&File View"},
                                                       {Pane::FunctionBrowser, "Function &Browser"},
                                                       {Pane::Output, "&Output"},
                                                       {Pane::Debug, "&Debug Pane"}};
  QMenu* panes = view->addMenu(QStringLiteral("&Panes"));
  for (const auto& [pane, text] : paneCommands) {
    const Pane shown = pane;
    QAction* action = panes->addAction(QString::fromLatin1(text), this, [this, shown] { ShowPane(shown); });
    action->setStatusTip(QStringLiteral("Show the %1 pane").arg(ToolTipOf(QString::fromLatin1(text))));
  }
  view->addSeparator();
  m_lookMenu = view->addMenu(QStringLiteral("&Application Look"));
  auto* looks = new QActionGroup(this);
  const QString current = CApplicationLook::Stored(QSettings());
  for (const QString& look : CApplicationLook::Looks()) {
    QAction* action = m_lookMenu->addAction(look, this, [this, look] { ChooseLook(look); });
    action->setCheckable(true);
    action->setChecked(look.compare(current, Qt::CaseInsensitive) == 0);
    action->setStatusTip(QStringLiteral("Use the %1 look").arg(look));
    looks->addAction(action);
  }

  QMenu* debug = menuBar()->addMenu(QStringLiteral("&Debug"));
  for (const DebugCommandInfo& info : DebugCommandTable()) debug->addAction(DebugAction(info.id));

  m_windowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
  connect(m_windowMenu, &QMenu::aboutToShow, this, &CMainFrame::UpdateWindowMenu);
  UpdateWindowMenu();

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(Action(Command::About));

  UpdateRecentMenu();
}

void CMainFrame::CreateToolBar() {
  QToolBar* tools = addToolBar(QStringLiteral("Standard"));
  tools->setObjectName(QStringLiteral("StandardToolBar"));
  tools->addActions({Action(Command::New), Action(Command::Open), Action(Command::Save)});
  tools->addSeparator();
  tools->addActions({Action(Command::Cut), Action(Command::Copy), Action(Command::Paste)});
  tools->addSeparator();
  for (const DebugCommandInfo& info : DebugCommandTable()) tools->addAction(DebugAction(info.id));
  tools->addSeparator();
  tools->addActions({Action(Command::Print), Action(Command::About)});

  // The tool bar and status bar toggles go to the View menu, before the looks.
  QAction* toolBarToggle = tools->toggleViewAction();
  toolBarToggle->setText(QStringLiteral("&Toolbar"));
  toolBarToggle->setStatusTip(QStringLiteral("Show or hide the toolbar"));
  QAction* statusToggle = new QAction(QStringLiteral("&Status Bar"), this);
  statusToggle->setCheckable(true);
  statusToggle->setChecked(true);
  statusToggle->setStatusTip(QStringLiteral("Show or hide the status bar"));
  connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
  QAction* beforeLook = m_lookMenu->menuAction();
  m_viewMenu->insertActions(beforeLook, {toolBarToggle, statusToggle});
  m_viewMenu->insertSeparator(beforeLook);
}

void CMainFrame::UpdateEditActions() {
  CScriptEditor* editor = m_scripts->ActiveEditor();
  const bool open = editor != nullptr;
  const bool writable = open && !editor->IsReadOnly();
  for (Command command : {Command::Close, Command::Save, Command::SaveAs, Command::Print, Command::Copy,
                          Command::SelectAll, Command::Find, Command::FindNext, Command::FindPrevious,
                          Command::GoToLine}) {
    Action(command)->setEnabled(open);
  }
  for (Command command : {Command::Undo, Command::Redo, Command::Cut, Command::Paste}) {
    Action(command)->setEnabled(writable);
  }
}

void CMainFrame::UpdateRecentMenu() {
  m_recentMenu->clear();
  const QStringList& files = m_recentFiles->Files();
  m_recentMenu->setEnabled(!files.isEmpty());
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString path = files[i];
    QAction* action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), this,
                                              [this, path] { OpenFile(path); });
    action->setStatusTip(QStringLiteral("Open this script"));
  }
}

void CMainFrame::UpdateWindowMenu() {
  m_windowMenu->clear();
  m_windowMenu->addActions({Action(Command::NextPane), Action(Command::PreviousPane)});
  m_windowMenu->addSeparator();
  m_windowMenu->addAction(Action(Command::CloseAll));
  const QList<QMdiSubWindow*> windows = m_scripts->subWindowList();
  Action(Command::CloseAll)->setEnabled(!windows.isEmpty());
  if (windows.isEmpty()) return;
  m_windowMenu->addSeparator();
  for (qsizetype i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* window = windows[i];
    auto* editor = qobject_cast<CScriptEditor*>(window->widget());
    const QString name = editor != nullptr ? CScriptArea::DisplayName(*editor) : window->windowTitle();
    QAction* action = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name), this,
                                              [this, window] { m_scripts->setActiveSubWindow(window); });
    action->setCheckable(true);
    action->setChecked(window == m_scripts->activeSubWindow());
  }
}

void CMainFrame::OpenWithDialog() {
  const QStringList paths =
      QFileDialog::getOpenFileNames(this, QStringLiteral("Open"), QString(), kScriptFileFilter);
  for (const QString& path : paths) OpenFile(path);
}

void CMainFrame::PrintActive() {
  CScriptEditor* editor = m_scripts->ActiveEditor();
  if (editor == nullptr) return;
  QsciPrinter printer;
  printer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() == QDialog::Accepted) editor->Print(printer);
}

void CMainFrame::StartFind() {
  if (m_findDialog == nullptr) {
    m_findDialog = new CFindDialog(this);
    connect(m_findDialog, &CFindDialog::findRequested, this, &CMainFrame::Find);
  }
  const CScriptEditor* editor = m_scripts->ActiveEditor();
  const QString selected = editor != nullptr ? editor->SelectedText() : QString();
  // A selection within one line is what the user wants to look for.
  m_findDialog->Start(selected.contains(QLatin1Char('\n')) ? QString() : selected);
}

void CMainFrame::FindAgain(bool forward) {
  if (m_findRequest.text.isEmpty()) {
    StartFind();
  } else {
    Find(m_findRequest, forward);
  }
}

bool CMainFrame::Find(const CFindRequest& request, bool forward) {
  CScriptEditor* editor = m_scripts->ActiveEditor();
  if (editor == nullptr || request.text.isEmpty()) return false;
  m_findRequest = request;
  ListMatches(*editor, request);
  if (editor->FindNext(request, forward)) return true;
  statusBar()->showMessage(QStringLiteral("Cannot find \"%1\"").arg(request.text), kNotFoundMessageMs);
  return false;
}

// "FILE", line: L, pos: P: TEXT, the form of the engine's error lines, so
// that a double-click leads to the place.
void CMainFrame::ListMatches(const CScriptEditor& editor, const CFindRequest& request) {
  const std::vector<CTextMatch> matches = FindMatches(editor.Text(), request);
  const QString file = editor.Path().isEmpty() ? CScriptArea::DisplayName(editor) : editor.Path();
  QStringList lines;
  lines << QStringLiteral("Find \"%1\" in %2: %3 found").arg(request.text, file).arg(matches.size());
  for (const CTextMatch& match : matches) {
    lines << QStringLiteral("\"%1\", line: %2, pos: %3: %4")
                 .arg(file)
                 .arg(match.line + 1)
                 .arg(match.column + 1)
                 .arg(match.lineText.trimmed());
  }
  m_output->ShowFindResults(lines);
}

void CMainFrame::GoToLine() {
  CScriptEditor* editor = m_scripts->ActiveEditor();
  if (editor == nullptr) return;
  const int line = m_prompt.AskLineNumber(editor->CaretLine() + 1, std::max(1, editor->LineCount()));
  if (line > 0) editor->GoToLine(line - 1);
}

void CMainFrame::ChooseLook(const QString& look) {
  QSettings settings;
  CApplicationLook::Store(settings, look);
  CApplicationLook::Apply(look);
}

}  // namespace kelvra::ide
