#include "support/SuiteFixture.h"

#include "foundation/DriveMapping.h"
#include "foundation/Windows1252.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

QByteArray suiteText(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += Windows1252::encode(line) + "\r\n";
    return bytes;
}

SuiteFixture::SuiteFixture()
{
    const QString path = local(databasePath());
    QDir().mkpath(QFileInfo(path).absolutePath());
    m_database = std::make_unique<SqliteFixture>(path);
    m_database->createSuiteTables();
    writeKv32Ini(
        {QStringLiteral("[datiserver]"), QStringLiteral("connstring=Provider=SQLite;Data Source=") + databasePath()});
    QDir().mkpath(local(QStringLiteral("Z:\\work\\kv32\\dati\\ds")));
}

void SuiteFixture::addCases(const QStringList& rows)
{
    const QStringList names = {"contatore", "ragione sociale", "tipo mandato", "codicescaricomemo"};
    for (const QString& row : rows) {
        QVariantMap values;
        const QStringList fields = row.split(QLatin1Char('|'));
        for (qsizetype at = 0; at < names.size(); ++at)
            values.insert(names.at(at), fields.value(at).isEmpty() ? QVariant()
                                        : at == 0                  ? QVariant(fields.at(at).toInt())
                                                                   : QVariant(fields.at(at)));
        m_database->insert(QStringLiteral("Tabella Pratiche"), values);
    }
}

void SuiteFixture::addNumberedCases(int first, int count, const QString& mandate)
{
    QStringList statements{QStringLiteral("BEGIN")};
    for (int k = first; k < first + count; ++k)
        statements.append(
            QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], [tipo mandato]) "
                           "VALUES (%1, 'DEBITORE %1', '%2')")
                .arg(k)
                .arg(mandate));
    m_database->exec(statements << QStringLiteral("COMMIT"));
}

void SuiteFixture::execFile(const QString& dataRelative)
{
    const QString text = QString::fromUtf8(fileBytes(testData(dataRelative)));
    ASSERT_FALSE(text.isEmpty()) << dataRelative.toStdString();
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1String("--")))
            m_database->exec({line});
    }
}

void SuiteFixture::loadSuite(const QString& dataFolder)
{
    execFile(dataFolder + QStringLiteral("/suite.sql"));
    const QDir sheets(testData(dataFolder + QStringLiteral("/ds")));
    for (const QString& name : sheets.entryList(QDir::Files))
        writeBytes(local(QStringLiteral("Z:\\work\\kv32\\dati\\ds\\") + name), fileBytes(sheets.filePath(name)));
}

QStringList SuiteFixture::completeSheet()
{
    return QString::fromUtf8(
               "MotivoImpagato==C=No lavoro\nSituazioneFamiliare==B=Sposato \nNoteSituazioneFamiliare==\n"
               "Abitazione==A=Proprietà\nTipologiaContratto==B=tempo determinato\nNoteTipologiaContratto=="
               "\nCapacitaPagamentoFutureScadenze==N\nDataMiglioramento==12/09/2011\nClienteRedditoSalario=="
               "1000\nClienteRedditoBenefits==0\nClienteRedditoAltro==0\nGaranteRedditoSalario==0\n"
               "GaranteRedditoBenefits==0\nGaranteRedditoAltro==0\nNote==\nDataInserimento==10/06/2011 "
               "15:42:07")
        .split(QLatin1Char('\n'));
}
