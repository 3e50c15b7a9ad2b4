#pragma once

#include "cases/CaseLine.h"

#include <QAbstractListModel>

/// The lines of the case list: the debtor's name as text, the case number as the line's data
/// (Qt::UserRole), both in the tooltip; the line of the case shown in bold on yellow. A model rather
/// than list items, so that a long list fills at once.
class CaseListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setLines(QList<CaseLine> lines);
    const QList<CaseLine>& lines() const { return m_lines; }
    /// The case number of a line, or 0 outside the list.
    qint32 contatoreAt(int row) const;
    /// The line of the case shown in the editor, or -1.
    void setShownRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QList<CaseLine> m_lines;
    int m_shownRow = -1;
};
