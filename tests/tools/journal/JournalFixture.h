#pragma once

#include "launcher/ModuloCommand.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

/// A suite with three lots of cases on three consignment dates, the journal keys in kv32.ini and rows of another
/// operator in the working table.
class JournalFixture {
public:
    JournalFixture()
    {
        QStringList rows{QStringLiteral("BEGIN")};
        // Lot L-2 of 10/04/2008 (2 cases), lot L-1 of 15/01/2011 (3 cases), lot L-3 of 01/03/2010 (1 case).
        const char* cases[][3] = {{"L-1", "2011-01-15", "1"}, {"L-2", "2008-04-10", "2"}, {"L-1", "2011-01-15", "3"},
                                  {"L-3", "2010-03-01", "4"}, {"L-1", "2011-01-15", "5"}, {"L-2", "2008-04-10", "6"}};
        for (const auto& row : cases)
            rows.append(
                QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], [tipo mandato], "
                               "altroriferimento, [data affido]) VALUES (%1, 'DEBITORE %1', 'NRV', '%2', '%3')")
                    .arg(QString::fromLatin1(row[2]), QString::fromLatin1(row[0]), QString::fromLatin1(row[1])));
        rows.append(QStringLiteral("INSERT INTO [Working] (operatore, SOC, data1, c1, N_1) VALUES "
                                   "('A_Z', 'VECCHIO', '2001-01-01', 9, 9), ('B_Y', 'ALTRO', '2002-02-02', 7, 7.5)"));
        rows.append(QStringLiteral("COMMIT"));
        suite.database().exec(rows);
        suite.writeKv32Ini({QStringLiteral("[datiserver]"),
                            QStringLiteral("connstring=Provider=SQLite;Data Source=") + SuiteFixture::databasePath(),
                            QStringLiteral("LastProgGiornalexLotto=124"),
                            QStringLiteral("LastMsgGiornalexLotto=Giornale di prova")});
    }

    /// Seven columns, one row per lot; its own ordering gives way to the consignment date.
    static QString lotsQuery()
    {
        return QStringLiteral(
            "Select [tipo mandato] as mandato, altroriferimento as lotto, [data affido] as data_affido, "
            "count(*) as pratiche, sum(contatore) * 1000.25 as totaff, sum(contatore) * 10 as incassato, "
            "round(100.0 / count(*), 2) as perc From [Tabella Pratiche] "
            "group by [tipo mandato], altroriferimento, [data affido] order by altroriferimento desc");
    }

    /// The dispatch of tool code 7510 with a query file holding `query` on its first line.
    Dispatch dispatch(const QString& query = lotsQuery())
    {
        const QString file = suite.local(QStringLiteral("C:\\work\\kv32ado\\lotti.sql"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(suiteText({query}));
        out.close();
        return module.EseguiComando(ToolRequest{7510, QString()}, QStringLiteral("C:\\work\\kv32ado\\lotti.sql"));
    }

    QString iniPath() const { return suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\kv32.ini")); }
    QByteArray iniBytes() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool iniReadOnly() const { return !(QFile::permissions(iniPath()) & QFileDevice::WriteOwner); }
    QString reportPath() { return suite.home().desktop() + QStringLiteral("/GiornaleXLotti_2011-06-10.pdf"); }
    /// The working table's rows of an operator, "SOC|data1|c1|N_1" each, in table order.
    QStringList workingRows(const QString& tag)
    {
        QStringList rows;
        const QString all = suite.database().scalar(
            QStringLiteral("select group_concat(SOC || '|' || data1 || '|' || c1 || '|' || N_1, ';') from "
                           "(select * from [Working] where operatore='%1' order by rowid)")
                .arg(tag));
        return all.isEmpty() ? rows : all.split(QLatin1Char(';'));
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    ScriptedDialogs dialogs;
};
