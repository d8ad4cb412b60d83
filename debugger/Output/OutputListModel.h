#pragma once
// The lines of one output list. Past a limit the oldest lines are dropped,
// and a first row says how many.
#include <QAbstractListModel>
#include <QStringList>

namespace kelvra::ide {

class COutputListModel final : public QAbstractListModel {
  Q_OBJECT

 public:
  static constexpr qsizetype kDefaultLimit = 200000;

  explicit COutputListModel(QObject* parent = nullptr, qsizetype limit = kDefaultLimit);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void Append(const QStringList& lines);
  void Clear();
  // The lines kept, without the note of dropped ones.
  const QStringList& Lines() const { return m_lines; }
  qsizetype Dropped() const { return m_dropped; }
  // The text of a row, the note included.
  QString RowText(int row) const;

 private:
  const qsizetype m_limit;
  QStringList m_lines;
  qsizetype m_dropped = 0;
};

}  // namespace kelvra::ide
