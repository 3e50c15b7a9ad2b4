#include "windows/cases/CaseListModel.h"

#include <QColor>
#include <QFont>

void CaseListModel::setLines(QList<CaseLine> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    m_shownRow = -1;
    endResetModel();
}

qint32 CaseListModel::contatoreAt(int row) const
{
    return row >= 0 && row < m_lines.size() ? m_lines.at(row).contatore : 0;
}

void CaseListModel::setShownRow(int row)
{
    if (row == m_shownRow)
        return;
    const int previous = std::exchange(m_shownRow, row);
    for (int changed : {previous, row}) {
        if (changed >= 0 && changed < m_lines.size())
            Q_EMIT dataChanged(index(changed), index(changed), {Qt::FontRole, Qt::BackgroundRole});
    }
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
    if (role == Qt::ToolTipRole)
        // A name cut short by the list's width, or borne by two debtors, told apart.
        return QStringLiteral("%1 - pratica %2")
            .arg(m_lines.at(index.row()).text)
            .arg(m_lines.at(index.row()).contatore);
    if (index.row() == m_shownRow) {
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role == Qt::BackgroundRole)
            return QColor(0xff, 0xe8, 0xa0);
    }
    return QVariant();
}
