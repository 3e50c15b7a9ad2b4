#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace demo {

/// An empty text, which the database keeps apart from NULL.
inline const QString emptyText = QStringLiteral("");

/// An amount in cents as the suite's tables take it.
inline QVariant money(qint64 cents)
{
    return QVariant(double(cents) / 100.0);
}

/// The short date text "dd/MM/yyyy". By hand: QDate::toString with a format goes through the locale machinery,
/// which costs at a million cases.
inline QString shortDate(QDate date)
{
    QString text(10, QLatin1Char('/'));
    const auto put = [&text](int at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10)
            text[at + i] = QLatin1Char(char('0' + value % 10));
    };
    put(0, date.day(), 2);
    put(3, date.month(), 2);
    put(6, date.year(), 4);
    return text;
}

} // namespace demo
