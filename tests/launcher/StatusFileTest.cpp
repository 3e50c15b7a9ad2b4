#include "launcher/StatusFile.h"

#include "support/TempFolder.h"

namespace {

/// The values read from a status file as "contatore|filtro|testo", or the refusal with the file's name as <file>.
QString valuesOf(const Result<ToolParams>& params, const QString& file)
{
    if (!params)
        return QString(params.errorText()).replace(file, QStringLiteral("<file>"));
    return QStringLiteral("%1|%2|%3").arg(params->ParContatore).arg(params->ParFiltro, params->ParTesto);
}

} // namespace

TEST(StatusFile, ReadsAsWindows1252TheFirstThreeLinesEachAfterItsFirstEqualsWhichMustEndWithin64KiB)
{
    // A line without "=" gives nothing but still counts; fewer lines leave the rest empty.
    const QString name = QStringLiteral("C:\\work\\status.txt");
    EXPECT_EQ(valuesOf(StatusFile::parse(QStringLiteral("=  42 \r\nnessun uguale\r\n"), name), name),
              QStringLiteral("42||"));
    for (const char* first : {"", "abc", "12x", "99999999999"})
        EXPECT_EQ(valuesOf(StatusFile::parse(QStringLiteral("n=%1\r\nf=where 1=1\r\n").arg(first), name), name),
                  QStringLiteral("Il file di stato <file> non ha un numero di pratica nella prima riga (\"%1\").")
                      .arg(first));

    // A file is read as Windows-1252, and only its first three lines, which must end within 64 KiB.
    TempFolder folder;
    EnvGuard env;
    env.set("KV32_DRIVE_C", folder.path());
    folder.write(QStringLiteral("kv/status.txt"),
                 QByteArray("n=5\nfiltro=where citt\xe0='Forl\xec'\rqualsiasi=terzo=valore\r\nquarta=ignorata"));
    writeSparse(folder.file(QStringLiteral("trailing.txt")), "n=5\r\nf=where x=1\r\nt=tre\r\nresto", 1024 * 1024);
    writeSparse(folder.file(QStringLiteral("endless.txt")), "n=5\r\nf=where x=1\r\n", 64 * 1024 + 1);
    const std::pair<QString, QString> files[] = {
        {QStringLiteral("C:\\kv\\status.txt"), QString::fromUtf8("5|where città='Forlì'|terzo=valore")},
        {QStringLiteral("C:\\trailing.txt"), QStringLiteral("5|where x=1|tre")},
        {QStringLiteral("C:\\endless.txt"),
         QStringLiteral(
             "File di stato <file>: Le prime 3 righe del file %1 non finiscono entro 64 KiB: nessun file della "
             "suite è così grande, e il file non viene letto. Controllare che il percorso indichi il file "
             "giusto.")
             .arg(folder.file(QStringLiteral("endless.txt")))}};
    for (const auto& [file, values] : files)
        EXPECT_EQ(valuesOf(StatusFile::read(file), file), values) << file.toStdString();
}
