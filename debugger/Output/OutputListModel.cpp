#include "debugger/Output/OutputListModel.h"

namespace kelvra::ide {

int COutputListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
}

QVariant COutputListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_lines.size()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return m_lines.at(index.row());
  return {};
}

void COutputListModel::Append(const QStringList& lines) {
  if (lines.isEmpty()) return;
  const int first = static_cast<int>(m_lines.size());
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(lines.size()) - 1);
  m_lines += lines;
  endInsertRows();
}

void COutputListModel::Clear() {
  if (m_lines.isEmpty()) return;
  beginResetModel();
  m_lines.clear();
  endResetModel();
}

}  // namespace kelvra::ide
