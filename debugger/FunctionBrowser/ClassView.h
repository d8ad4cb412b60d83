#pragma once
// The function browser pane: the functions, built-ins and libraries of the
// script loaded for running, grouped by the file that declares them.
// Double-click asks for the declaration to be shown.
#include <QWidget>
#include <vector>

#include "kelvra/ProgramInfo.h"

class QTreeWidget;

namespace kelvra::ide {

class CClassView final : public QWidget {
  Q_OBJECT

 public:
  explicit CClassView(QWidget* parent = nullptr);

  QTreeWidget* Tree() const { return m_tree; }
  void Fill(const std::vector<script::FunctionInfo>& functions);
  void Clear();

 Q_SIGNALS:
  // A line (from 1) of a file.
  void declarationWanted(const QString& path, int line);

 private:
  QTreeWidget* m_tree;
};

}  // namespace kelvra::ide
