#pragma once

#include "foundation/DriveMapping.h"

#include "support/SqliteFixture.h"
#include "support/TempFolder.h"

#include <QStringList>

#include <memory>

/// Writes lines as the suite does: Windows-1252, each ending with CR LF.
QByteArray suiteText(const QStringList& lines);

/// A small suite of one's own for a test: drives C and Z in a test home, kv32.ini naming an SQLite
/// database made with the suite's tables, and a status file at C:\work\kv32ado\status.txt.
class SuiteFixture {
public:
    SuiteFixture();

    TestHome& home() { return m_home; }
    SqliteFixture& database() { return *m_database; }
    /// The local path of a file written the suite's way.
    QString local(const QString& suitePath) const { return DriveMapping::toLocalPath(suitePath); }
    /// The bytes of a file named the suite's way (nothing when it is missing).
    QByteArray bytesAt(const QString& suitePath) const { return fileBytes(local(suitePath)); }
    /// Writes kv32.ini (Windows-1252, CR LF) with these lines.
    void writeKv32Ini(const QStringList& lines)
    {
        writeBytes(local(QStringLiteral("Z:\\work\\kv32\\dati\\kv32.ini")), suiteText(lines));
    }
    /// Writes the status file with these lines.
    void writeStatusFile(const QStringList& lines) { writeBytes(local(statusPath()), suiteText(lines)); }
    /// Writes a status file naming case `contatore` and the filter of the cases to list.
    void useFilter(const QString& filter, int contatore = 1)
    {
        writeStatusFile({QStringLiteral("n=%1").arg(contatore), QStringLiteral("f=") + filter});
    }
    /// Adds cases: "contatore|ragione sociale|tipo mandato|codicescaricomemo" (empty field = NULL).
    void addCases(const QStringList& rows);
    /// Adds `count` cases of mandate NRV numbered from `first`, named "DEBITORE n".
    void addNumberedCases(int first, int count, const QString& mandate = QStringLiteral("NRV"));
    /// Runs the statements of a file of the tests' data, one a line ("--" starts a comment line).
    void execFile(const QString& dataRelative);
    /// A suite of the tests' data: its folder's suite.sql run, its ds/ sheets copied.
    void loadSuite(const QString& dataFolder);
    /// The small suite of the flow's golden test: five cases, every kind of payment, and their sheets.
    void loadSmallSuite() { loadSuite(QStringLiteral("flow/small_suite")); }
    /// Writes the Diagnosis Sheet of a case with these lines (Windows-1252, CR LF).
    void writeSheet(int contatore, const QStringList& lines)
    {
        writeBytes(local(QStringLiteral("Z:\\work\\kv32\\dati\\ds\\%1.txt").arg(contatore)), suiteText(lines));
    }

    static QString statusPath() { return QStringLiteral("C:\\work\\kv32ado\\status.txt"); }
    static QString databasePath() { return QStringLiteral("Z:\\work\\kv32\\dati\\kv.sqlite"); }
    /// The suite's command line naming the status file.
    static QString statusLine() { return QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt"); }
    /// The 16 lines of a complete sheet: reason C, family B, home A, contract B, "N" with 12/09/2011, salary 1000.
    static QStringList completeSheet();

private:
    TestHome m_home;
    std::unique_ptr<SqliteFixture> m_database;
};
