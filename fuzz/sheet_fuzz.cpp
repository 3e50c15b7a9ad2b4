// Diagnosis Sheet files are read by the program and the suite alike: whatever a file holds, loading and writing it
// again changes nothing more, and what the operator saves in the editor is what the next load shows.
#include "FuzzSupport.h"

#include "ds/SheetFields.h"
#include "ds/SheetStore.h"
#include "foundation/Windows1252.h"

#include <QDir>
#include <QFile>

namespace {

constexpr qint32 caseNumber = 1234;

void prepareDrive()
{
    static const bool ready = [] {
        const QString drive = fuzz::scratchFolder() + QStringLiteral("/Z");
        qputenv("KV32_DRIVE_Z", drive.toLocal8Bit());
        return QDir().mkpath(QFileInfo(SheetStore::sheetPath(caseNumber)).absolutePath());
    }();
    if (!ready)
        fuzz::broken("the sheet folder can be made");
}

void fileRoundTrip(const QByteArray& bytes)
{
    const QString text = DiagnosisSheet::fromFileText(Windows1252::decode(bytes)).fileText();
    const DiagnosisSheet second = DiagnosisSheet::fromFileText(text);
    fuzz::require(second.fileText() == text, "a sheet written again reads back the same",
                  [&] { return text + QStringLiteral("\n---\n") + second.fileText(); });
    fuzz::require(Windows1252::decode(Windows1252::encode(text)) == text, "a loaded sheet fits the code page");
}

void editorRoundTrip(const QList<QByteArray>& pieces)
{
    const QStringList fields = SheetFields::editable();
    QStringList values;
    for (qsizetype i = 0; i < fields.size(); ++i)
        values.append(Windows1252::decode(pieces.value(i)));
    // "==" separates a field's name from its value, so a value holding it is cut on the next load, here as in
    // the suite's own readers.
    if (values.join(QChar()).contains(QStringLiteral("==")))
        return;
    SheetStore store;
    const Status saved = store.SalvaDS(caseNumber, values, QDateTime(QDate(2026, 12, 6), QTime(10, 30)), false);
    if (!saved)
        fuzz::broken("a sheet can be saved", saved.errorText());
    const bool kept = QFile::exists(SheetStore::sheetPath(caseNumber));
    const QString reason = store.LeggiDS(fields.first());
    fuzz::require(kept == !store.campi().value(1).isEmpty(), "a sheet is kept exactly when it has a reason",
                  [&] { return QStringLiteral("reason [%1], file %2").arg(reason).arg(kept); });
    if (!kept)
        return;
    const Result<std::optional<DiagnosisSheet>> loaded = SheetStore().sheetOf(caseNumber);
    if (!loaded || !*loaded)
        fuzz::broken("a saved sheet can be loaded", loaded.errorText());
    for (const QString& field : fields)
        fuzz::require((*loaded)->value(field) == store.LeggiDS(field), "the next load shows what was saved", [&] {
            return field + QStringLiteral(": [") + store.LeggiDS(field) + QStringLiteral("] -> [") +
                   (*loaded)->value(field) + QLatin1Char(']');
        });
    QFile::remove(SheetStore::sheetPath(caseNumber));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    prepareDrive();
    fileRoundTrip(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    editorRoundTrip(fuzz::parts(data, size, SheetFields::editable().size()));
    return 0;
}
