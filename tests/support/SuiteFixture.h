#pragma once

#include "support/SqliteFixture.h"
#include "support/TempFolder.h"

#include <QStringList>

#include <memory>

/// A small suite of one's own for a test: drives C and Z in a test home, kv32.ini naming an SQLite
/// database made with the suite's tables, and a status file at C:\work\kv32ado\status.txt.
class SuiteFixture {
public:
    SuiteFixture();

    TestHome& home() { return m_home; }
    SqliteFixture& database() { return *m_database; }
    /// The local path of a file written the suite's way.
    QString local(const QString& suitePath) const;
    /// Writes kv32.ini (Windows-1252, CR LF) with these lines.
    void writeKv32Ini(const QStringList& lines);
    /// Writes the status file with these lines.
    void writeStatusFile(const QStringList& lines);
    /// Adds cases: "contatore|ragione sociale|tipo mandato|codicescaricomemo" (empty field = NULL).
    void addCases(const QStringList& rows);
    /// Adds `count` cases of mandate NRV numbered from `first`, named "DEBITORE n".
    void addNumberedCases(int first, int count, const QString& mandate = QStringLiteral("NRV"));

    static QString statusPath() { return QStringLiteral("C:\\work\\kv32ado\\status.txt"); }
    static QString databasePath() { return QStringLiteral("Z:\\work\\kv32\\dati\\kv.sqlite"); }

private:
    TestHome m_home;
    std::unique_ptr<SqliteFixture> m_database;
};

/// Writes lines as the suite does: Windows-1252, each ending with CR LF.
QByteArray suiteText(const QStringList& lines);
