#include "demo/SuiteFiles.h"

#include "demo/DemoSuite.h"
#include "foundation/Windows1252.h"

#include <QFile>
#include <QSaveFile>

#include <initializer_list>
#include <utility>

namespace demo {

namespace {

Status writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return Status::failure(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    return Status::success();
}

QString linesOf(std::initializer_list<QString> lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

/// A filter of the NRV cases that pass the check, so that a demo can go through to "Esporta"; the cases that stop the
/// check stay in the suite's own status file.
QString completeCasesFilter(const QList<int>& cases)
{
    QStringList numbers;
    for (qsizetype i = 0; i < cases.size() && i < maxListedCompleteCases; ++i)
        numbers.append(QString::number(cases[i]));
    return QStringLiteral("where [tipo mandato]='NRV' and contatore in (%1)").arg(numbers.join(QLatin1Char(',')));
}

} // namespace

QString demoConnectionString()
{
    return QStringLiteral("Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite");
}

Status writeSuiteFiles(const QString& data, const QString& statusFolder, const QString& connectionString,
                       const QList<int>& completeCases, QStringList& files)
{
    // A new suite has sent no flow yet: its first export proposes number 1.
    QFile::remove(data + QStringLiteral("/IDNrvXML.ini"));
    const auto statusText = [](const QString& filter) {
        return linesOf({QStringLiteral("contatore=") + QString::number(DemoRowSource::firstContatore()),
                        QStringLiteral("filtro=") + filter, QStringLiteral("testo=demo")});
    };
    const QList<std::pair<QString, QString>> texts = {
        {data + QStringLiteral("/kv32.ini"),
         linesOf({QStringLiteral("[datiserver]"), QStringLiteral("connstring=") + connectionString,
                  QStringLiteral("LastProgGiornalexLotto=124"),
                  QStringLiteral("LastMsgGiornalexLotto=Giornale di prova")})},
        {statusFolder + QStringLiteral("/status.txt"), statusText(QStringLiteral("where [tipo mandato]='NRV'"))},
        {statusFolder + QStringLiteral("/status-completi.txt"), statusText(completeCasesFilter(completeCases))},
        {statusFolder + QStringLiteral("/lotti.sql"), linesOf({demoLotsQuery()})},
    };
    for (const auto& [path, text] : texts) {
        if (Status status = writeFile(path, Windows1252::encode(text)); !status)
            return status;
        files.append(path);
    }
    return Status::success();
}

} // namespace demo
