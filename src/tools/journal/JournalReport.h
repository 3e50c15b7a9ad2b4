#pragma once

#include "foundation/Status.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

/// What the batch journal prints: a title, the day of the print, the journal's message and one line per lot of the
/// journal rows, the lots numbered consecutively from the progressive the operator gave, and the totals.
class JournalReport {
public:
    /// One journal row as the working table holds it.
    struct Lot {
        QString mandato;
        QVariant dataAffido;
        QVariant pratiche;
        QVariant totale;
    };
    /// One printed line, every cell as text.
    struct Line {
        QString progressivo;
        QString mandato;
        QString dataAffido;
        QString pratiche;
        QString totale;
    };

    /// `statprog` is the progressive of the first lot; the message is printed as given, quotes included.
    JournalReport(double statprog, QString message, QDate printDate, QList<Lot> lots);

    /// The file name of the journal printed on a day: GiornaleXLotti_YYYY-MM-DD.pdf.
    static QString fileName(const QDate& printDate);

    /// The lines of the lots, in order, numbered from statprog.
    QList<Line> lines() const;
    /// The totals line: the number of lots, the sum of the cases and of the amounts.
    Line totals() const;
    /// The progressive of the last lot (statprog + lots - 1).
    double lastProgressive() const;

    /// The footer's text: the range of the progressives printed.
    QString rangeText() const;

    const QString& message() const { return m_message; }
    const QDate& printDate() const { return m_printDate; }

private:
    double m_statprog;
    QString m_message;
    QDate m_printDate;
    QList<Lot> m_lots;
};

/// Prints a journal to a file, all at once or not at all; the failure names the file and the cause. The journal's
/// drawing lives apart from the core, which only hands the report over.
using JournalPrinter = std::function<Status(const JournalReport& report, const QString& path)>;
