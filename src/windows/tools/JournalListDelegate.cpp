#include "windows/tools/JournalListDelegate.h"

#include "tools/journal/JournalText.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>

namespace {

/// Columns 3 to 6 hold numbers, right-aligned in their cells as the lines write them.
bool isNumberColumn(qsizetype column)
{
    return column >= 3;
}

} // namespace

void JournalListDelegate::measure(const QStringList& lines, const QFont& font)
{
    const QFontMetrics metrics(font);
    m_width = QList<int>(7, 0);
    for (qsizetype row = 0; row < lines.size(); ++row) {
        const QStringList cells = JournalText::listCells(lines.at(row), row == 0);
        for (qsizetype column = 0; column < cells.size(); ++column)
            m_width[column] = std::max(m_width.at(column), metrics.horizontalAdvance(cells.at(column)));
    }
    const int gap = metrics.horizontalAdvance(QStringLiteral("  "));
    m_left.clear();
    // Half a gap before the first column keeps it off the list's frame.
    int left = gap / 2;
    for (int width : m_width) {
        m_left.append(left);
        left += width + gap;
    }
}

void JournalListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    const QString line = item.text;
    // The style draws the line's background, selection and focus; the cells are drawn here.
    item.text.clear();
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    const QStringList cells = JournalText::listCells(line, index.row() == 0);
    painter->save();
    painter->setFont(item.font);
    painter->setPen(
        item.palette.color(item.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    for (qsizetype column = 0; column < cells.size() && column < m_left.size(); ++column) {
        const QRect cell(text.left() + m_left.at(column), text.top(), m_width.at(column), text.height());
        const Qt::Alignment alignment = isNumberColumn(column) ? Qt::AlignRight : Qt::AlignLeft;
        painter->drawText(cell, alignment | Qt::AlignVCenter, cells.at(column));
    }
    painter->restore();
}

QSize JournalListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (!m_left.isEmpty())
        size.setWidth(m_left.last() + m_width.last() + 2 * option.fontMetrics.horizontalAdvance(QLatin1Char(' ')));
    return size;
}
