// kv32.ini and IDNrvXML.ini are written by the suite's programs and by hand: whatever a file holds, writing a key
// makes it read back as it would from a file holding only that key, and leaves every other key as it was.
#include "FuzzSupport.h"

#include "foundation/IniFile.h"
#include "foundation/Windows1252.h"

#include <QFile>

namespace {

struct Entry {
    QString section;
    QString key;
};

// The section and key names of a file, as a reader would pick them out (a superset is fine: each is read before
// and after the write and compared).
QList<Entry> entriesOf(const QString& text)
{
    QList<Entry> entries;
    QString section;
    for (const QString& line : Windows1252::splitLines(text)) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.lastIndexOf(QLatin1Char(']')) > 0)
            section = trimmed.mid(1, trimmed.lastIndexOf(QLatin1Char(']')) - 1).trimmed();
        else if (!trimmed.isEmpty())
            entries.append({section, trimmed.section(QLatin1Char('='), 0, 0).trimmed()});
    }
    return entries;
}

// Section and key names are the program's own: plain words, never line ends, brackets or '='.
QString nameOf(const QByteArray& raw)
{
    QString name;
    for (const QChar c : fuzz::utf8(raw))
        if (c.isPrint() && c != QLatin1Char('=') && c != QLatin1Char('[') && c != QLatin1Char(']') &&
            c != QLatin1Char(';'))
            name.append(c);
    return name.trimmed();
}

bool sameName(const QString& a, const QString& b)
{
    const auto ansi = [](const QString& text) {
        return Windows1252::decode(Windows1252::encode(text));
    };
    return ansi(a).compare(ansi(b), Qt::CaseInsensitive) == 0;
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fuzz::broken("the scratch file can be written", file.errorString());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> input = fuzz::parts(data, size, 4);
    const QString section = nameOf(input.at(1));
    const QString key = nameOf(input.at(2));
    if (section.isEmpty() || key.isEmpty())
        return 0;
    const QString value = fuzz::utf8(input.at(3));
    const QString path = fuzz::scratchFolder() + QStringLiteral("/kv32.ini");
    const QString onlyKey = fuzz::scratchFolder() + QStringLiteral("/only.ini");
    write(path, input.at(0));

    const QList<Entry> entries = entriesOf(Windows1252::decode(input.at(0)));
    QStringList before;
    for (const Entry& entry : entries)
        before.append(LeggiIni(path, entry.section, entry.key));

    const Status status = ScriviIni(path, section, key, value);
    if (!status) {
        fuzz::require(contentOf(path) == input.at(0), "a refused write leaves the file as it was");
        return 0;
    }
    QFile::remove(onlyKey);
    if (!ScriviIni(onlyKey, section, key, value))
        fuzz::broken("a new file can be written");
    // An empty value deletes the key's first line, as Windows does; a second line of the same key then shows.
    const QString readBack = LeggiIni(path, section, key);
    fuzz::require(value.isEmpty() || readBack == LeggiIni(onlyKey, section, key), "the written key reads back",
                  [&] { return QStringLiteral("[%1] %2 = %3 -> %4").arg(section, key, value, readBack); });
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries.at(i);
        if (sameName(entry.section, section) && sameName(entry.key, key))
            continue;
        const QString after = LeggiIni(path, entry.section, entry.key);
        fuzz::require(after == before.at(i), "other keys are unchanged", [&] {
            return QStringLiteral("[%1] %2: %3 -> %4").arg(entry.section, entry.key, before.at(i), after);
        });
    }
    return 0;
}
