#pragma once
// The debug pane's tab control: tabs at the bottom, and a tab may be
// tinted (a running thread's page). Closing the current tab shows the one
// to its left.
#include <QColor>
#include <QTabWidget>

namespace kelvra::ide {

class CTabs final : public QTabWidget {
  Q_OBJECT

 public:
  explicit CTabs(QWidget* parent = nullptr);

  // An invalid colour takes the tint away.
  void SetTabTint(int index, const QColor& tint);
  QColor TabTint(int index) const;
  // The index of the tab with a label; -1 when none has it.
  int IndexOfLabel(const QString& label) const;
};

}  // namespace kelvra::ide
