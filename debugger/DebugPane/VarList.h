#pragma once
// A variable list: name, value and type of the variables of one frame,
// with arrays, structures and error variables expanding in place. A new
// fill keeps open the rows that were open before, matched by name.
#include <QTreeView>
#include <vector>

#include "kelvra/VariableHandle.h"

namespace kelvra::ide {

class CVariableModel;

class CVarList final : public QTreeView {
  Q_OBJECT

 public:
  explicit CVarList(QWidget* parent = nullptr);

  CVariableModel& Model() const { return *m_model; }

  void Fill(std::vector<script::VariableHandle> variables);
  void Clear();
  // Whether the values may be read (the thread is halted); rows expand
  // only then. A list starts not live.
  void SetLive(bool live);
  // The value format and the "Address" column, which starts hidden.
  void SetView(script::ViewAs view);
  void SetShowAddress(bool show);
  bool ShowsAddress() const;

 Q_SIGNALS:
  // Picked in the context menu; the owner applies them to every list.
  void viewWanted(script::ViewAs view);
  void showAddressWanted(bool show);

 private:
  void ExpandKnownPaths();
  void ShowContextMenu(const QPoint& position);

  CVariableModel* m_model;
  // The rows the user opened, by the names from the outermost down.
  QList<QStringList> m_expanded;
};

}  // namespace kelvra::ide
