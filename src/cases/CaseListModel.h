#pragma once

#include "cases/CaseLine.h"

#include <QAbstractListModel>

/// The lines of the case list: the debtor's name as text, the case number as the line's data
/// (Qt::UserRole). A model rather than list items, so that a long list fills at once.
class CaseListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setLines(QList<CaseLine> lines);
    const QList<CaseLine>& lines() const { return m_lines; }
    /// The case number of a line, or 0 outside the list.
    qint32 contatoreAt(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<CaseLine> m_lines;
};
