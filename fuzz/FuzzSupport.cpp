#include "FuzzSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

QList<QByteArray> parts(const uint8_t* data, size_t size, qsizetype count)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<QByteArray> result;
    qsizetype at = 0;
    while (result.size() + 1 < count) {
        const qsizetype nul = input.indexOf('\0', at);
        if (nul < 0)
            break;
        result.append(input.mid(at, nul - at));
        at = nul + 1;
    }
    result.append(input.mid(at));
    while (result.size() < count)
        result.append(QByteArray());
    return result;
}

QString utf8(const QByteArray& bytes)
{
    return QString::fromUtf8(bytes);
}

QString utf16(const QByteArray& bytes)
{
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

const QString& scratchFolder()
{
    static const QString base = QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/exp_nrv_fuzz-XXXXXX")
                                    : QDir::tempPath() + "/exp_nrv_fuzz-XXXXXX";
    static QTemporaryDir folder(base);
    if (!folder.isValid())
        broken("a scratch folder can be made", folder.errorString());
    static const QString path = folder.path();
    return path;
}

void broken(const char* property, const QString& detail)
{
    std::fprintf(stderr, "\nProperty broken: %s\n%s\n", property, qPrintable(detail));
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz
