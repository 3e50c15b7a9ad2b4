#pragma once

#include <QList>
#include <QStyledItemDelegate>

/// Draws the journal's list in columns: each line (the header first, then the lots) keeps its text with its TABs,
/// and its seven cells are drawn each under its heading, texts to the left and numbers to the right of their column.
class JournalListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    /// Measures the columns on the list's lines in the list's font.
    void measure(const QStringList& lines, const QFont& font);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QList<int> m_left;  ///< where each column starts, from the line's left
    QList<int> m_width; ///< each column's width
};
