#include "tools/journal/JournalFixture.h"
#include "tools/journal/RecordingJournalView.h"

#include <QFile>

JournalFixture::JournalFixture()
{
    suite.execFile(QStringLiteral("tools/journal/suite.sql"));
    suite.writeKv32Ini({QStringLiteral("[datiserver]"),
                        QStringLiteral("connstring=Provider=SQLite;Data Source=") + SuiteFixture::databasePath(),
                        QStringLiteral("LastProgGiornalexLotto=124"),
                        QStringLiteral("LastMsgGiornalexLotto=Giornale di prova")});
}

QString JournalFixture::lotsQuery()
{
    return QStringLiteral("Select [tipo mandato] as mandato, altroriferimento as lotto, [data affido] as data_affido, "
                          "count(*) as pratiche, sum(contatore) * 1000.25 as totaff, sum(contatore) * 10 as incassato, "
                          "round(100.0 / count(*), 2) as perc From [Tabella Pratiche] "
                          "group by [tipo mandato], altroriferimento, [data affido] order by altroriferimento desc");
}

Dispatch JournalFixture::dispatch(const QString& query)
{
    const QString file = QStringLiteral("C:\\work\\kv32ado\\lotti.sql");
    writeBytes(suite.local(file), suiteText({query, QStringLiteral("seconda riga")}));
    return module.EseguiComando(ToolRequest{7510, QString()}, file);
}

bool JournalFixture::iniReadOnly() const
{
    return !(QFile::permissions(iniPath()) & QFileDevice::WriteOwner);
}

QStringList JournalFixture::workingRows(const QString& tag)
{
    const QString all = suite.database().scalar(
        QStringLiteral("select group_concat(SOC || '|' || data1 || '|' || c1 || '|' || N_1, ';') from "
                       "(select * from [Working] where operatore='%1' order by rowid)")
            .arg(tag));
    return all.isEmpty() ? QStringList() : all.split(QLatin1Char(';'));
}

void RecordingJournalView::setCaption(const QString& text)
{
    captions.append(text);
    JournalBatchView::setCaption(text);
}
