#include "foundation/BoundedRead.h"

#include "support/TempFolder.h"

#include <QFile>

// The first lines of a larger file, and lines that end past the bound, on files and devices: see the status file.
TEST(BoundedRead, TakesAFileOrItsFirstLinesOnlyWithinTheBoundToItsLastByte)
{
    TempFolder folder;
    constexpr qint64 KiB64 = 64 * 1024;
    writeSparse(folder.file(QStringLiteral("full")), "x", KiB64);
    writeSparse(folder.file(QStringLiteral("over")), "a\nb\n", KiB64 + 1);
    writeSparse(folder.file(QStringLiteral("edge")), "a\nb\n", KiB64 + 10);
    QFile edge(folder.file(QStringLiteral("edge")));
    ASSERT_TRUE(edge.open(QIODevice::ReadWrite) && edge.seek(KiB64 - 1) && edge.putChar('\n'));
    edge.close();
    const QString over =
        QStringLiteral("Il file %1 supera 64 KiB: nessun file della suite è così grande, e il file non "
                       "viene letto. Controllare che il percorso indichi il file giusto.");
    // What is read, the size of what is read or the refusal.
    const std::tuple<const char*, QString, ReadBound, QString> rows[] = {
        {"a file as large as the bound", folder.file(QStringLiteral("full")), {KiB64}, QStringLiteral("65536")},
        {"a byte beyond it", folder.file(QStringLiteral("over")), {KiB64}, over},
        {"a device without end", QStringLiteral("/dev/zero"), {KiB64}, over},
        {"a third line ending on the bound's last byte", edge.fileName(), {KiB64, 3}, QStringLiteral("65536")},
        {"fewer lines than asked", folder.write(QStringLiteral("short"), "a\r\nb"), {KiB64, 3}, QStringLiteral("4")},
    };
    for (const auto& [what, path, bound, size] : rows) {
        const Result<QByteArray> read = readBounded(path, bound);
        EXPECT_EQ(read ? QString::number(read->size()) : read.errorText(), size.arg(path)) << what;
    }
}
