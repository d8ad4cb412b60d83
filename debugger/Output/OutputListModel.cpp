#include "debugger/Output/OutputListModel.h"

namespace kelvra::ide {

COutputListModel::COutputListModel(QObject* parent, qsizetype limit)
    : QAbstractListModel(parent), m_limit(std::max<qsizetype>(limit, 10)) {}

int COutputListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_lines.size() + (m_dropped > 0 ? 1 : 0));
}

QString COutputListModel::RowText(int row) const {
  if (m_dropped > 0) {
    if (row == 0) return QStringLiteral("... %1 earlier lines dropped ...").arg(m_dropped);
    --row;
  }
  return row >= 0 && row < m_lines.size() ? m_lines.at(row) : QString();
}

QVariant COutputListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return RowText(index.row());
  return {};
}

// Runaway output keeps memory bounded: past the limit the oldest tenth of
// the lines goes at once, so dropping stays rare.
void COutputListModel::Append(const QStringList& lines) {
  if (lines.isEmpty()) return;
  if (m_lines.size() + lines.size() <= m_limit) {
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(lines.size()) - 1);
    m_lines += lines;
    endInsertRows();
    return;
  }
  beginResetModel();
  m_lines += lines;
  const qsizetype excess = m_lines.size() - (m_limit - m_limit / 10);
  m_lines.remove(0, excess);
  m_dropped += excess;
  endResetModel();
}

void COutputListModel::Clear() {
  if (rowCount() == 0) return;
  beginResetModel();
  m_lines.clear();
  m_dropped = 0;
  endResetModel();
}

}  // namespace kelvra::ide
