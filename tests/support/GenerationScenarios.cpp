#include "support/GenerationScenarios.h"

#include "support/SuiteFixture.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace GenerationScenarios {

namespace {

/// A sheet file's bytes as a record shows them: Windows-1252 bytes outside printable ASCII escaped, one line a line.
QString shownBytes(const QByteArray& bytes)
{
    QString text;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (value == '\r')
            text += QStringLiteral("\\r");
        else if (value == '\n')
            text += QStringLiteral("\\n\n");
        else if (value == '\\')
            text += QStringLiteral("\\\\");
        else if (value >= 0x20 && value < 0x7F)
            text += QLatin1Char(byte);
        else
            text += QStringLiteral("\\x%1").arg(value, 2, 16, QLatin1Char('0'));
    }
    return text;
}

QString recordText(const Record& record, const SuiteFixture& suite)
{
    QString text = QStringLiteral("shown:\n");
    for (const QString& box : record.shown)
        text += QStringLiteral("  ") + box + QLatin1Char('\n');
    text += QStringLiteral("used up: ") + record.usedUp.join(QStringLiteral(", ")) + QLatin1Char('\n');
    text += QStringLiteral("position: ") + record.position + QLatin1Char('\n');
    for (int array = 0; array < QuotaArrayCount; ++array) {
        QStringList counts;
        for (const Quota& quota : record.quotas[QuotaArray(array)])
            counts.append(QString::number(quota.count));
        text += quotaArrays().at(array) + QStringLiteral(": ") + counts.join(QLatin1Char(' ')) + QLatin1Char('\n');
    }
    const QDir folder(suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\ds")));
    QStringList names = folder.entryList({QStringLiteral("*.txt")}, QDir::Files);
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.size() != b.size() ? a.size() < b.size() : a < b; });
    for (const QString& name : names)
        text += QStringLiteral("== ") + name + QLatin1Char('\n') + shownBytes(fileBytes(folder.filePath(name)));
    return text;
}

} // namespace

const QStringList& quotaArrays()
{
    static const QStringList arrays = QStringLiteral("TxtMotivoImpagato TxtSituazioneFamiliare TxtAbitazione "
                                                     "TxtTipologiaContratto TxtCapacitaPagareFutureRate "
                                                     "TxtRedditoClienteNumPra TxtNoteNumPra")
                                          .split(QLatin1Char(' '));
    return arrays;
}

const QList<Scenario>& all()
{
    const QString set = QStringLiteral("UPDATE [Tabella Pratiche] SET ");
    static const QList<Scenario> scenarios = {
        {.name = "salva"},
        {.name = "salva_sovrascrivi", .overwrite = true},
        {.name = "salva_codice_scarico", .leggiDaCodiceScarico = true},
        {.name = "salva_codice_scarico_sovrascrivi", .leggiDaCodiceScarico = true, .overwrite = true},
        {.name = "test", .soloTest = true},
        {.name = "test_codice_scarico_sovrascrivi", .leggiDaCodiceScarico = true, .overwrite = true, .soloTest = true},
        {.name = "manca_memo",
         .overwrite = true,
         .sql = {set + QStringLiteral("codicescaricomemo='' WHERE contatore=6")}},
        {.name = "codice_errato",
         .leggiDaCodiceScarico = true,
         .sql = {set + QStringLiteral("[codice scarico]='J' WHERE contatore=7"),
                 set + QStringLiteral("[codice scarico]='Z' WHERE contatore=2")}},
        {.name = "codice_di_due_lettere",
         .leggiDaCodiceScarico = true,
         .overwrite = true,
         .soloTest = true,
         .sql = {set + QStringLiteral("[codice scarico]='ab' WHERE contatore=8")}},
        {.name = "manca_codice",
         .leggiDaCodiceScarico = true,
         .overwrite = true,
         .sql = {set + QStringLiteral("[codice scarico]=NULL WHERE contatore=4")}},
        {.name = "interrompi_quote_esaurite", .noAbitazione = true, .stopAtPump = 60},
        {.name = "quota_alzata", .overwrite = true, .soloTest = true, .noAbitazione = true, .raiseAtPump = 25},
        {.name = "interrompi_tra_le_pratiche", .overwrite = true, .stopAtPump = 4},
    };
    return scenarios;
}

const Scenario& named(const char* name)
{
    for (const Scenario& scenario : all()) {
        if (qstrcmp(scenario.name, name) == 0)
            return scenario;
    }
    ADD_FAILURE() << "no scenario " << name;
    return all().first();
}

QMap<QString, QStringList> boxTexts(const Scenario& scenario)
{
    QMap<QString, QStringList> texts = {
        {QStringLiteral("TxtMotivoImpagato"), {"2", "0", "2 casi", "", "1.5", "-3", "abc", " 2", "1"}},
        {QStringLiteral("TxtSituazioneFamiliare"), {"3", "3", "3", "3", "3"}},
        {QStringLiteral("TxtAbitazione"), {"", "1", "0", "4"}},
        {QStringLiteral("TxtTipologiaContratto"), {"2", "2", "2", "2", "2", "2"}},
        {QStringLiteral("TxtCapacitaPagareFutureRate"), {"5", "5", "3", "3", "3", "3"}},
        {QStringLiteral("TxtRedditoClienteNumPra"), {"4", "4", "4", "1", "1", "9"}},
        {QStringLiteral("TxtNoteNumPra"), {"", "0", "1"}},
        {QStringLiteral("TxtRedditoCliente"), {"500", "1000", "1500", "700", "800", "900"}},
        {QStringLiteral("TxtNota"), {"Nota 1", "Nota 2", QString::fromUtf8("Nota è €")}},
    };
    if (scenario.noAbitazione)
        texts[QStringLiteral("TxtAbitazione")] = QStringList(4, QStringLiteral("0"));
    return texts;
}

GenerationSettings settings(const Scenario& scenario)
{
    const QMap<QString, QStringList> texts = boxTexts(scenario);
    GenerationSettings settings;
    settings.redditoCliente = texts.value(QStringLiteral("TxtRedditoCliente"));
    settings.nota = texts.value(QStringLiteral("TxtNota"));
    settings.leggiDaCodiceScarico = scenario.leggiDaCodiceScarico;
    settings.overwrite = scenario.overwrite;
    settings.soloTest = scenario.soloTest;
    for (int array = 0; array < QuotaArrayCount; ++array) {
        for (const QString& text : texts.value(quotaArrays().at(array)))
            settings.quotas[QuotaArray(array)].append(Quota::fromText(text));
    }
    return settings;
}

QList<double> draws()
{
    // Halves of every width first (they round to the even index), then an even spread.
    QList<double> values = {0.0625, 0.125, 0.5, 0.999};
    for (int i = 1; i <= 33; ++i)
        values.append(std::fmod(i * 0.6180339887, 1.0));
    return values;
}

void prepare(SuiteFixture& suite, const Scenario& scenario)
{
    suite.loadSuite(QStringLiteral("generation/suite"));
    suite.database().exec(scenario.sql);
}

void expectRecorded(const Scenario& scenario, const Record& record, const SuiteFixture& suite)
{
    const QString text = recordText(record, suite);
    const QString path = testData(QStringLiteral("generation/%1.txt").arg(QString::fromLatin1(scenario.name)));
    if (qEnvironmentVariableIsSet("EXP_NRV_XML_RECORD_GENERATION")) {
        writeBytes(path, text.toUtf8());
        return;
    }
    expectSameBytes(text.toUtf8(), fileBytes(path), QString::fromLatin1(scenario.name));
}

} // namespace GenerationScenarios
