#pragma once
// The IDE's icons: the platform's theme icon where the theme has one, else
// an icon of our own drawn as vectors, crisp at any size and scale.
#include <QIcon>

namespace kelvra::ide {

enum class IconId {
  Application,
  New,
  Open,
  Save,
  Cut,
  Copy,
  Paste,
  Print,
  About,
  Run,
  Stop,
  Pause,
  StepIn,
  StepOver,
  StepOut,
  Computer,
  Drive,
  NetworkDrive,
  OtherDrive,
  Home,
  Folder,
  ScriptFile,
  CompiledFile,
  Properties,
  Function,
  Output,
  CurrentLocation,  // the thread shown last
  UnconfirmedBreakpoint,
  ConfirmedBreakpoint,
};

QIcon Icon(IconId id);
// Our own drawing, whatever the theme offers.
QIcon BundledIcon(IconId id);

// Uses a fallback icon theme when the platform names none with icons.
void ChooseIconTheme();

}  // namespace kelvra::ide
