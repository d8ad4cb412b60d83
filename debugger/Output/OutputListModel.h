#pragma once
// The lines of one output list.
#include <QAbstractListModel>
#include <QStringList>

namespace kelvra::ide {

class COutputListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void Append(const QStringList& lines);
  void Clear();
  const QStringList& Lines() const { return m_lines; }

 private:
  QStringList m_lines;
};

}  // namespace kelvra::ide
