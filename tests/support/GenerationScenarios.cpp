#include "support/GenerationScenarios.h"

#include "foundation/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace GenerationScenarios {

const QList<Scenario>& all()
{
    static const QList<Scenario> scenarios = {
        {"salva", ""},
        {"salva_sovrascrivi", "sovrascrivi"},
        {"salva_codice_scarico", "codice"},
        {"salva_codice_scarico_sovrascrivi", "codice sovrascrivi"},
        {"test", "test"},
        {"test_codice_scarico_sovrascrivi", "codice sovrascrivi test"},
        {"manca_memo", "sovrascrivi", {"codicescaricomemo='' WHERE contatore=6"}},
        {"codice_errato",
         "codice",
         {"[codice scarico]='J' WHERE contatore=7", "[codice scarico]='Z' WHERE contatore=2"}},
        {"codice_di_due_lettere", "codice sovrascrivi test", {"[codice scarico]='ab' WHERE contatore=8"}},
        {"manca_codice", "codice sovrascrivi", {"[codice scarico]=NULL WHERE contatore=4"}},
        {"interrompi_quote_esaurite", "senza casa", {}, 60},
        {"quota_alzata", "sovrascrivi test senza casa", {}, 400, 25},
        {"interrompi_tra_le_pratiche", "sovrascrivi", {}, 4},
    };
    return scenarios;
}

QList<std::pair<QString, QStringList>> boxTexts(const Scenario& scenario)
{
    return {
        {"TxtMotivoImpagato", {"2", "0", "2 casi", "", "1.5", "-3", "abc", " 2", "1"}},
        {"TxtSituazioneFamiliare", {"3", "3", "3", "3", "3"}},
        {"TxtAbitazione",
         scenario.options.contains("senza casa") ? QStringList(4, "0") : QStringList{"", "1", "0", "4"}},
        {"TxtTipologiaContratto", {"2", "2", "2", "2", "2", "2"}},
        {"TxtCapacitaPagareFutureRate", {"5", "5", "3", "3", "3", "3"}},
        {"TxtRedditoClienteNumPra", {"4", "4", "4", "1", "1", "9"}},
        {"TxtNoteNumPra", {"", "0", "1"}},
        {"TxtRedditoCliente", {"500", "1000", "1500", "700", "800", "900"}},
        {"TxtNota", {"Nota 1", "Nota 2", QString::fromUtf8("Nota è €")}},
    };
}

GenerationSettings settings(const Scenario& scenario)
{
    const QList<std::pair<QString, QStringList>> texts = boxTexts(scenario);
    GenerationSettings settings{.quotas = {},
                                .redditoCliente = texts.at(QuotaArrayCount).second,
                                .nota = texts.at(QuotaArrayCount + 1).second,
                                .leggiDaCodiceScarico = scenario.options.contains("codice"),
                                .overwrite = scenario.options.contains("sovrascrivi"),
                                .soloTest = scenario.options.contains("test")};
    for (int array = 0; array < QuotaArrayCount; ++array) {
        for (const QString& text : texts.at(array).second)
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
    for (const QString& change : scenario.sql)
        suite.database().exec({"UPDATE [Tabella Pratiche] SET " + change});
}

void expectRecorded(const Scenario& scenario, const ScriptedDialogs& dialogs, const QStringList& usedUp,
                    const QString& position, const GenerationQuotas& quotas, const SuiteFixture& suite)
{
    QString text = QStringLiteral("shown:\n");
    for (const ScriptedDialogs::Shown& shown : dialogs.shown())
        text += QStringLiteral("  ") + shown.text + '\n';
    text += QStringLiteral("used up: ") + usedUp.join(", ") + QStringLiteral("\nposition: ") + position + '\n';
    for (int array = 0; array < QuotaArrayCount; ++array) {
        QStringList counts;
        for (const Quota& quota : quotas[QuotaArray(array)])
            counts.append(QString::number(quota.count));
        text += boxTexts(scenario).at(array).first + ": " + counts.join(' ') + '\n';
    }
    // Each sheet file in numeric order, its bytes one line a line: bytes outside printable ASCII as %XX.
    const QDir folder(suite.local(QStringLiteral("Z:\\work\\kv32\\dati\\ds")));
    QStringList names = folder.entryList({QStringLiteral("*.txt")}, QDir::Files);
    std::stable_sort(names.begin(), names.end(),
                     [](const QString& a, const QString& b) { return a.size() < b.size(); });
    for (const QString& name : names) {
        const QByteArray bytes = fileBytes(folder.filePath(name)).toPercentEncoding(" !\"#$&'()*+,/:;<=>?@[]^`{|}");
        text += "== " + name + '\n' + QString::fromLatin1(bytes).replace("%0D", "\\r").replace("%0A", "\\n\n");
    }
    const QString path = testData(QStringLiteral("generation/%1.txt").arg(scenario.name));
    if (qEnvironmentVariableIsSet("EXP_NRV_XML_RECORD_GENERATION"))
        writeBytes(path, text.toUtf8());
    else
        expectSameBytes(text.toUtf8(), fileBytes(path), scenario.name);
}

} // namespace GenerationScenarios
