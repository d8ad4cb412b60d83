#pragma once
// The questions and messages the IDE puts to its user, behind an interface
// so that logic can be driven without dialogs.
#include <QString>

namespace kelvra::ide {

class CUserPrompt {
 public:
  enum class Answer { Yes, No, Cancel };

  virtual ~CUserPrompt() = default;
  virtual Answer AskYesNoCancel(const QString& question) = 0;
  // A path to save a script under; empty when the user cancelled.
  virtual QString AskSavePath(const QString& suggestion) = 0;
  virtual void ShowError(const QString& text) = 0;
  // A line number from 1 to the last; 0 when the user cancelled.
  virtual int AskLineNumber(int current, int last) = 0;
};

// Message boxes and file dialogs over the active window.
class CDialogPrompt final : public CUserPrompt {
 public:
  Answer AskYesNoCancel(const QString& question) override;
  QString AskSavePath(const QString& suggestion) override;
  void ShowError(const QString& text) override;
  int AskLineNumber(int current, int last) override;
};

}  // namespace kelvra::ide
