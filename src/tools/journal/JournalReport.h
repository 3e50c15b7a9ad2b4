#pragma once

#include "launcher/Status.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

class QIODevice;

/// The printed batch journal: an A4 PDF with a title, the day of the print, the journal's message and one line per
/// lot of the journal rows, the lots numbered consecutively from the progressive the operator gave, and the totals.
/// Drawing needs a graphical application (QGuiApplication); the window session and the batch run have one.
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

    /// Writes the PDF; the failure says why.
    Status write(QIODevice* device) const;
    /// Writes the PDF to a file, all at once or not at all; the failure names the file and the cause.
    Status writeFile(const QString& path) const;
    /// The pages of the last write.
    int pageCount() const { return m_pageCount; }

private:
    Result<QByteArray> render() const;

    double m_statprog;
    QString m_message;
    QDate m_printDate;
    QList<Lot> m_lots;
    mutable int m_pageCount = 0;
};
