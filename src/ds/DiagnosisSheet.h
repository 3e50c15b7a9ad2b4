#pragma once

#include <QList>
#include <QString>

/// A Diagnosis Sheet as its file holds it: at most 99 entries of a field name and a value, in file order, names
/// and values kept exactly as written. An entry may have an empty name (a line that begins with "=="): no read
/// finds it, and the next field set takes its place.
class DiagnosisSheet {
public:
    static constexpr qsizetype MaxEntries = 99;

    struct Entry {
        QString campo;
        QString valore;
    };

    /// The sheet of a file's text: one entry per line holding "==", the name before it and the value after it up
    /// to a second "==" (the rest is dropped). Lines without "==" and lines past the 99th entry do not count.
    static DiagnosisSheet fromFileText(const QString& text);
    /// The file's text: "name==value" CR LF for every entry up to the first without a name.
    QString fileText() const;

    /// The value of the first entry whose name matches without regard to letter case, without leading and
    /// trailing blanks; "" when none matches.
    QString value(const QString& campo) const;
    /// Sets a field as given: the first entry without a name, or the first of that name (which keeps its letter
    /// case), takes the value, else a new entry at the end. False when all 99 entries hold other names.
    bool set(const QString& campo, const QString& valore);

    const QList<Entry>& entries() const { return m_entries; }

private:
    QList<Entry> m_entries;
};
