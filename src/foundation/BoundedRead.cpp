#include "foundation/BoundedRead.h"

#include <QFile>

namespace {

constexpr qint64 chunk = 64 * 1024;

QString boundText(qint64 bytes)
{
    constexpr qint64 kib = 1024;
    if (bytes % (kib * kib) == 0)
        return QStringLiteral("%1 MiB").arg(bytes / (kib * kib));
    if (bytes % kib == 0)
        return QStringLiteral("%1 KiB").arg(bytes / kib);
    return QStringLiteral("%1 byte").arg(bytes);
}

Status tooLarge(const QString& localPath, ReadBound bound)
{
    const QString bytes = boundText(bound.bytes);
    const QString what = bound.lines == 0 ? QStringLiteral("Il file %1 supera %2").arg(localPath, bytes)
                         : bound.lines == 1
                             ? QStringLiteral("La prima riga del file %1 non finisce entro %2").arg(localPath, bytes)
                             : QStringLiteral("Le prime %1 righe del file %2 non finiscono entro %3")
                                   .arg(QString::number(bound.lines), localPath, bytes);
    return Status::failure(what + QStringLiteral(": nessun file della suite è così grande, e il file non viene letto. "
                                                 "Controllare che il percorso indichi il file giusto."));
}

/// Where the first `count` lines end (past the CR, LF or CR LF of the last), -1 when they have not all ended.
qsizetype endOfLines(const QByteArray& bytes, int count)
{
    int ended = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        // The LF of a CR LF ends no line of its own.
        if (c == '\r' || (c == '\n' && (i == 0 || bytes.at(i - 1) != '\r')))
            ++ended;
        if (ended == count)
            return i + 1;
    }
    return -1;
}

} // namespace

Result<QByteArray> readBounded(const QString& localPath, ReadBound bound)
{
    QFile file(localPath);
    if (!file.exists())
        return Status::failure(QStringLiteral("Il file %1 non esiste").arg(localPath));
    const auto unreadable = [&file, &localPath] {
        return Status::failure(QStringLiteral("Impossibile leggere il file %1: %2").arg(localPath, file.errorString()));
    };
    if (!file.open(QIODevice::ReadOnly))
        return unreadable();
    // One byte beyond the bound tells a file that fills it from one that passes it.
    QByteArray bytes;
    while (bytes.size() <= bound.bytes) {
        const qsizetype start = bytes.size();
        bytes.resize(start + qMin(chunk, bound.bytes + 1 - start));
        const qint64 got = file.read(bytes.data() + start, bytes.size() - start);
        if (got < 0)
            return unreadable();
        bytes.resize(start + got);
        if (got == 0)
            return bytes;
        if (bound.lines > 0) {
            const qsizetype end = endOfLines(bytes, bound.lines);
            if (end >= 0 && end <= bound.bytes)
                return bytes.left(end);
        }
    }
    return tooLarge(localPath, bound);
}
