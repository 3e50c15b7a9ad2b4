#include "foundation/Windows1252.h"

#include "foundation/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

namespace Windows1252 {

namespace {

// Opening an ICU converter by name costs far more than converting one line, and callers convert every line of
// large files; a converter is not safe to share between threads, hence one per thread.
QStringDecoder& decoder()
{
    thread_local QStringDecoder converter("windows-1252", QStringConverter::Flag::Stateless);
    Q_ASSERT(converter.isValid());
    return converter;
}

QStringEncoder& encoder()
{
    thread_local QStringEncoder converter("windows-1252", QStringConverter::Flag::Stateless);
    Q_ASSERT(converter.isValid());
    return converter;
}

constexpr char substitute = '\x1a';

// ICU marks a character the code page lacks with SUB (0x1A) where Windows writes '?', and drops a lone surrogate;
// this pass, taken only when the quick one shows either, converts one character at a time to tell them apart.
QByteArray encodeEachCharacter(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype length = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            length = 2;
        const QStringView character = QStringView(text).mid(i, length);
        const QByteArray one = encoder().encode(character);
        const bool kept = one.size() == 1 && (one.at(0) != substitute || character.at(0) == QChar(substitute));
        bytes.append(kept ? one.at(0) : '?');
        i += length;
    }
    return bytes;
}

} // namespace

QString decode(const QByteArray& bytes)
{
    return decoder().decode(bytes);
}

QByteArray encode(const QString& text)
{
    QByteArray bytes = encoder().encode(text);
    if (bytes.size() == text.size() && !bytes.contains(substitute))
        return bytes;
    return encodeEachCharacter(text);
}

Result<QString> readFile(const QString& localPath, ReadBound bound)
{
    const Result<QByteArray> bytes = readBounded(localPath, bound);
    if (!bytes)
        return bytes.status();
    return decode(*bytes);
}

Status writeFileAtomically(const QString& localPath, const QString& text)
{
    const auto failure = [&localPath](const QString& cause) {
        return Status::failure(QStringLiteral("Impossibile scrivere il file %1: %2").arg(localPath, cause));
    };
    // Windows refuses to overwrite a file marked read-only, even for an administrator; the suite relies on that
    // to protect its INI file. Renaming over a file ignores its permissions, and the superuser passes every
    // access check, so the owner's write permission stands for the attribute.
    const QFileInfo existing(localPath);
    if (existing.exists() && existing.isFile() && !existing.permission(QFileDevice::WriteOwner))
        return failure(QStringLiteral("il file è di sola lettura"));
    // Writable by its attribute, yet refused by the system (a read-only share, another user's file): its reason.
    if (existing.exists() && existing.isFile() && !existing.isWritable()) {
        QFile refused(localPath);
        return failure(refused.open(QIODevice::ReadWrite) ? QStringLiteral("il file non è scrivibile")
                                                          : refused.errorString());
    }

    SaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    const QByteArray bytes = encode(text);
    if (file.write(bytes) != bytes.size()) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return failure(cause);
    }
    if (!file.commit())
        return failure(file.errorString());
    return Status::success();
}

QStringList splitLines(const QString& text, LineEnds ends)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        const qsizetype contentEnd = i;
        if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        const qsizetype end = ends == LineEnds::Keep ? i + 1 : contentEnd;
        lines.append(text.mid(start, end - start));
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    return lines;
}

} // namespace Windows1252
