#include "support/FlowFixture.h"

#include "flow/FlowExport.h"
#include "flow/FlowWriter.h"
#include "flow/PaymentSource.h"
#include "foundation/SuitePaths.h"

#include "support/OsFaults.h"

#include <QBuffer>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>

namespace {

/// Inserts a row of `columns` with their `defaults`, or the values in `overrides` for the columns it names.
void insert(SqliteFixture& database, const QString& table, const QStringList& columns, const QVariantList& defaults,
            const QVariantMap& overrides)
{
    QVariantMap fields = overrides;
    for (int i = 0; i < columns.size(); ++i) {
        if (!fields.contains(columns.at(i)))
            fields.insert(columns.at(i), defaults.at(i));
    }
    database.insert(table, fields);
}

/// Checks that the bytes are a well-formed XML document valid against the flow's schema.
void expectValidFlow(const QByteArray& bytes)
{
    const TempFolder folder;
    const QString path = folder.write(QStringLiteral("flow.XML"), bytes);
    const QString schema = testData(QStringLiteral("../../src/flow/SCARICO_SCHEMA.xsd"));
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"), schema, path});
    EXPECT_TRUE(xmllint.waitForFinished(120000) && xmllint.exitCode() == 0)
        << "xmllint (package libxml2-utils): " << xmllint.errorString().toStdString()
        << xmllint.readAllStandardError().toStdString();
}

} // namespace

FlowFixture::FlowFixture()
{
    writeBytes(lastIdPath(), LastId42);
}

QString FlowFixture::lastIdPath() const
{
    return suite.local(SuitePaths::idNrvXmlIni());
}

void FlowFixture::addCase(int contatore, const QVariantMap& fields)
{
    insert(suite.database(), QStringLiteral("Tabella Pratiche"),
           {"contatore", "posizione", "ragione sociale", "tipo mandato", "altroriferimento", "codicescaricomemo",
            "datascaricomemo", "memo", "citta", "provincia", "cap", "indirizzo"},
           {contatore, QStringLiteral("P%1").arg(contatore), "ROSSI MARIO", "NRV", "AFF1", "EECH", "05/06/2011", "Nota",
            "Roma", "RM", "00184", "Via Roma, 1"},
           fields);
}

void FlowFixture::addPayment(int id, int conta, const QVariantMap& fields)
{
    insert(suite.database(), QStringLiteral("Tabella Pagamenti"), {"ID", "conta", "modo", "data", "totale", "capitale"},
           {id, conta, "CO", QDate(2011, 6, 10), 150, 120}, fields);
}

QVariantMap FlowFixture::bill(const QDate& due, const QVariantMap& fields)
{
    QVariantMap bill = {{"modo", "CA"}, {"data", due}, {"totale", 100}, {"capitale", 90}};
    bill.insert(fields);
    return bill;
}

void FlowFixture::addBankRow(int idIncasso, const QVariantMap& fields)
{
    insert(suite.database(), QStringLiteral("Tabella Riscontro"),
           {"id_incasso", "abi", "cab", "cc", "ass", "data", "firmatario"},
           {idIncasso, "03069", "03200", "000012345678", "0001234567", QDate(2011, 6, 12), "BIANCHI LUCA"}, fields);
}

void FlowFixture::oneCase(const QList<QVariantMap>& payments, const QVariantMap& fields, const QVariantMap& bank)
{
    clearCases();
    addCase(1, fields);
    for (int i = 0; i < payments.size(); ++i)
        addPayment(i + 1, 1, payments.at(i));
    addBankRow(1, bank);
}

void FlowFixture::clearCases()
{
    suite.database().exec({QStringLiteral("DELETE FROM [Tabella Pratiche]"),
                           QStringLiteral("DELETE FROM [Tabella Pagamenti]"),
                           QStringLiteral("DELETE FROM [Tabella Riscontro]")});
}

void FlowFixture::openCases()
{
    if (!connection.state()) {
        ASSERT_OK(connection.open(suite.database().connectionString()));
    }
    ASSERT_OK(pratiche.open(QStringLiteral("Select  * From [Tabella Pratiche] where contatore>0"), connection,
                            db::Recordset::Lock::Optimistic));
}

FlowFixture::Flow FlowFixture::writeFlow(bool modoAccess)
{
    openCases();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    Flow flow;
    {
        PaymentSource payments(connection);
        FlowWriter writer(&buffer, pratiche, payments, sheets, random, clock, modoAccess);
        FlowWriter::Envelope envelope;
        envelope.progressivo = QStringLiteral("00043");
        envelope.idSd = QStringLiteral("06");
        envelope.dataGen = FlowWriter::dataGenOf(clock.now());
        envelope.idEE = QStringLiteral("0008");
        flow.status = writer.writeHead(envelope);
        for (static_cast<void>(pratiche.moveFirst()); flow.status && !pratiche.eof();
             static_cast<void>(pratiche.moveNext()))
            flow.status = writer.writeCase();
        if (flow.status)
            flow.status = writer.writeTail();
        flow.missingSheet = writer.stoppedForMissingSheet();
    }
    flow.bytes = buffer.data();
    if (flow.status)
        expectValidFlow(flow.bytes);
    return flow;
}

Result<QString> FlowFixture::exportFlow()
{
    openCases();
    FlowExport exporter(connection, false, sheets, dialogs, clock, random);
    exporter.setProgress([this](qsizetype done, qsizetype total) {
        progress.append(QStringLiteral("%1/%2").arg(done).arg(total));
        if (afterCase)
            afterCase(done);
    });
    exporter.setEventPump([this] { ++pumped; });
    const Result<QString> written = exporter.EsportaFlusso(pratiche);
    if (written)
        expectValidFlow(fileBytes(*written));
    return written;
}

QString FlowFixture::failure(bool modoAccess)
{
    const Flow flow = writeFlow(modoAccess);
    return flow.status ? QStringLiteral("<no failure>") : flow.status.errorText();
}

QStringList FlowFixture::lines(const QByteArray& bytes, const QString& start)
{
    QStringList found;
    for (const QString& line : QString::fromUtf8(bytes).split(QStringLiteral("\r\n"))) {
        if (line.trimmed().startsWith(start))
            found.append(line.trimmed());
    }
    return found;
}

QStringList FlowFixture::valoriElements(const QByteArray& bytes)
{
    QStringList elements;
    bool inValori = false;
    for (const QString& line : lines(bytes, QStringLiteral("<"))) {
        const QString element = line.section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('>'));
        inValori = (inValori || element == QLatin1String("<Valori")) && element != QLatin1String("</Valori");
        if (inValori && !element.startsWith(QLatin1String("</")))
            elements.append(element.mid(1));
    }
    return elements;
}

QStringList FlowFixture::attributes(const QByteArray& bytes, const QString& name)
{
    QStringList values;
    const QRegularExpression attribute(QStringLiteral(" %1=\"([^\"]*)\"").arg(name));
    for (const QRegularExpressionMatch& match : attribute.globalMatch(QString::fromUtf8(bytes)))
        values.append(match.captured(1));
    return values;
}

QStringList FlowFixture::outcome()
{
    const QString saved = QString::fromUtf8(lastId());
    const QString kept = QStringLiteral("[Norvanta]\r\nLastID=");
    const QStringList desktop = QDir(suite.home().desktop()).entryList(QDir::Files | QDir::Hidden);
    return {dialogs.messages().join(QLatin1Char('|')), desktop.join(QLatin1Char('|')),
            saved.startsWith(kept) && saved.endsWith(QLatin1String("\r\n")) ? saved.mid(kept.size()).chopped(2)
                                                                            : saved};
}

QStringList FlowFixture::placeEarlierFlow()
{
    writeBytes(flowPath(), "the flow sent this morning");
    return filesOf(suite.home().desktop());
}

void FlowFixture::expectNothingWritten(const QStringList& before, const QByteArray& lastIdBefore)
{
    EXPECT_EQ(filesOf(suite.home().desktop()), before);
    EXPECT_EQ(lastId(), lastIdBefore);
}
