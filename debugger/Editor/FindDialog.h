#pragma once
// The Find window: the text to look for, whether case and word boundaries
// count, and buttons to find the next or the previous place. It stays open
// beside the editors until closed.
#include <QDialog>

#include "debugger/Editor/TextSearch.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kelvra::ide {

class CFindDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit CFindDialog(QWidget* parent = nullptr);

  CFindRequest Request() const;
  // Shows the window with a text to look for (kept when empty).
  void Start(const QString& text);

 Q_SIGNALS:
  void findRequested(const kelvra::ide::CFindRequest& request, bool forward);

 private:
  QLineEdit* m_text;
  QCheckBox* m_matchCase;
  QCheckBox* m_wholeWord;
  QPushButton* m_next;
  QPushButton* m_previous;
};

}  // namespace kelvra::ide
