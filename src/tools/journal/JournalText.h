#pragma once

#include "foundation/Status.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

/// The texts of the batch journal: its query rewrite, its title, the lines of its list and the numbers the
/// operator types.
class JournalText {
public:
    /// The suite's lot query ordered by consignment date: from its first "order by" (any letter case, one blank
    /// between the words) on, the query gives way to " order by [Data Affido]"; without one it stays as it is.
    static QString rewriteOrderBy(const QString& query);

    /// The title prefix "Stampa Giornale x Lotti. V." + minor version + "." + revision + " - ".
    static QString ScriviVersione();

    /// The list's header: the names of columns 0 to 6, each cut to 10 characters, TAB-separated as the lot lines.
    static QString headerLine(const QStringList& columnNames);

    /// The list line of one lot from its values in column order; fails naming the column when one of columns 3 to
    /// 6 is empty or no number.
    static Result<QString> lotLine(const QVariantList& values, const QStringList& columnNames);

    /// The seven cells of a line of the list, the header's or a lot's, for a window that shows them in columns: the
    /// empty fields between the TABs are left out. A line that holds fewer TABs gives empty cells.
    static QStringList listCells(const QString& line, bool header);

    /// A number with `decimals` decimals under the regional settings (digit grouping, decimal separator, leading
    /// zero, minus sign), halves rounded away from zero; none for an empty value or one that is no number.
    static std::optional<QString> formatNumber(const QVariant& value, int decimals);

    /// The last `width` characters of `padding` blanks followed by the text: a right-aligned cell that cuts a
    /// longer text on its left.
    static QString rightAligned(const QString& text, int padding, int width);

    /// The number at the start of a typed text, read as the old runtime's Val does: blanks, TABs and line feeds
    /// are skipped, "." is the decimal point, reading stops at the first other character; no number reads as 0.
    static double numericValue(const QString& text);

    /// A progressive number as text: whole numbers without decimals, others with a decimal point.
    static QString numberText(double value);
};
