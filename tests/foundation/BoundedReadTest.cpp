#include "foundation/BoundedRead.h"

#include "support/TempFolder.h"

#include <QFile>

// The first lines of a larger file, and lines that end past the bound, on files and devices: see the status file.
TEST(BoundedRead, TakesAFileOrItsFirstLinesOnlyWithinTheBoundToItsLastByte)
{
    TempFolder folder;
    constexpr qint64 KiB64 = 64 * 1024;
    const QString lastByteEndsThird = folder.file(QStringLiteral("edge"));
    writeSparse(lastByteEndsThird, "a\nb\n", KiB64 + 10);
    {
        QFile file(lastByteEndsThird);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite) && file.seek(KiB64 - 1) && file.putChar('\n'));
    }
    struct Row {
        const char* what;
        QString path;
        ReadBound bound;
        qint64 size; // of what is read, -1 when the file is refused
    } const rows[] = {
        {"a file as large as the bound", folder.file(QStringLiteral("full")), {KiB64}, KiB64},
        {"a byte beyond it", folder.file(QStringLiteral("over")), {KiB64}, -1},
        {"a device without end", QStringLiteral("/dev/zero"), {KiB64}, -1},
        {"a third line ending on the bound's last byte", lastByteEndsThird, {KiB64, 3}, KiB64},
        {"fewer lines than asked", folder.write(QStringLiteral("short"), "a\r\nb"), {KiB64, 3}, 4},
    };
    writeSparse(folder.file(QStringLiteral("full")), "x", KiB64);
    writeSparse(folder.file(QStringLiteral("over")), "a\nb\n", KiB64 + 1);
    for (const Row& row : rows) {
        const Result<QByteArray> read = readBounded(row.path, row.bound);
        if (row.size >= 0) {
            ASSERT_TRUE(read) << row.what << ": " << read.errorText().toStdString();
            EXPECT_EQ(read->size(), row.size) << row.what;
            continue;
        }
        ASSERT_FALSE(read) << row.what;
        EXPECT_TRUE(read.errorText().contains(row.path)) << read.errorText().toStdString();
        EXPECT_TRUE(read.errorText().contains(QStringLiteral("64 KiB"))) << read.errorText().toStdString();
    }
}
