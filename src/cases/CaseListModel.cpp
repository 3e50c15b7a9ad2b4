#include "cases/CaseListModel.h"

void CaseListModel::setLines(QList<CaseLine> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

qint32 CaseListModel::contatoreAt(int row) const
{
    return row >= 0 && row < m_lines.size() ? m_lines.at(row).contatore : 0;
}

int CaseListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant CaseListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return m_lines.at(index.row()).text;
    if (role == Qt::UserRole)
        return m_lines.at(index.row()).contatore;
    return QVariant();
}
