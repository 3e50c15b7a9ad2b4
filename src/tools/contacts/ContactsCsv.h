#pragma once

#include "foundation/Status.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QIODevice;

namespace db {
class Recordset;
}

/// The contacts file as the Italian address book's contact import reads it: its 92 header labels, the row
/// template of 87 items, and the rules that turn the current case of a recordset into the cells of one line.
/// Text is Windows-1252, lines end with CR LF.
class ContactsCsv {
public:
    /// The 92 labels of the header line, in order.
    static const QStringList& headerLabels();
    /// The 87 items of the row template, in order; empty items count.
    static const QStringList& rowTemplate();

    /// The value cleaned for its quotes: commas, apostrophes, NULs and CR LF pairs become blanks, then the blanks
    /// at both ends go.
    static QString clean(QString value);
    /// The value that a bracketed template item stands for, from the current case, before cleaning.
    static Result<QString> fieldValue(const QString& item, const db::Recordset& cases);
    /// The cell of one template item: the empty quoted value, the bare item, or the cleaned field value in quotes.
    static Result<QString> cell(const QString& item, const db::Recordset& cases);

    /// Writes the header line.
    static Status writeHeader(QIODevice* device);
    /// Writes the line of the current case cell by cell; a field missing from the result fails, naming it.
    static Status writeCase(QIODevice* device, const db::Recordset& cases);
};
