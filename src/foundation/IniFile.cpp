#include "foundation/IniFile.h"

#include "foundation/DriveMapping.h"
#include "foundation/Windows1252.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// The caller's program passed its own buffer of 255 characters, of which Windows fills at most 254.
constexpr qsizetype longestValue = 254;

const QString lineEnd = QStringLiteral("\r\n");

constexpr ReadBound wholeIniFile{LargestIniFile};

// UTF-8's byte-order mark as the code page reads its three bytes.
const QString byteOrderMark = QStringLiteral("\u00EF\u00BB\u00BF");

/// What one line of an INI file is to the profile functions.
struct IniLine {
    enum class Kind { Blank, Section, Entry };
    Kind kind = Kind::Blank;
    QString name;
    QString value;
};

IniLine classify(const QString& line)
{
    const QString text = line.trimmed();
    if (text.isEmpty())
        return {};
    if (text.startsWith(QLatin1Char('['))) {
        // The name runs to the last ']', so "[a]b]" is section "a]b"; a '[' without ']' makes an ordinary line.
        const qsizetype close = text.lastIndexOf(QLatin1Char(']'));
        if (close > 0)
            return {IniLine::Kind::Section, text.mid(1, close - 1).trimmed(), {}};
    }
    // No inline comments: everything after the first '=' is the value. A line without '=' (a comment, say) is a
    // key without a value, which is how Windows sees it too.
    const qsizetype equals = text.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {IniLine::Kind::Entry, text, {}};
    return {IniLine::Kind::Entry, text.left(equals).trimmed(), text.mid(equals + 1).trimmed()};
}

/// Where a key sits among the lines of a file: indices, -1 when absent.
struct Place {
    qsizetype section = -1;
    qsizetype lastFilled = -1; // the section's last non-blank line (its header when it has no other)
    qsizetype key = -1;
};

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The suite's programs hand names to the ANSI profile functions, so a character the code page lacks is matched
// (and written) as '?'.
QString asAnsi(const QString& text)
{
    return Windows1252::decode(Windows1252::encode(text));
}

// Windows searches only the first section of the name and takes the first line of the key in it; reading and
// writing share this so that a write changes exactly the line a read would give.
Place locate(const QList<IniLine>& lines, const QString& section, const QString& key)
{
    Place place;
    const QString wantedSection = asAnsi(section);
    const QString wantedKey = asAnsi(key);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const IniLine& line = lines.at(i);
        if (place.section < 0) {
            if (line.kind == IniLine::Kind::Section && sameName(line.name, wantedSection))
                place.section = place.lastFilled = i;
            continue;
        }
        if (line.kind == IniLine::Kind::Section)
            break;
        if (line.kind == IniLine::Kind::Blank)
            continue;
        place.lastFilled = i;
        if (place.key < 0 && sameName(line.name, wantedKey))
            place.key = i;
    }
    return place;
}

QList<IniLine> classifyAll(const QStringList& lines)
{
    QList<IniLine> classified;
    classified.reserve(lines.size());
    for (const QString& line : lines)
        classified.append(classify(line));
    return classified;
}

// Windows strips one pair of matching quotes; when the value is cut, the closing quote is beyond the cut and
// nothing more is removed.
QString asReturned(const QString& value)
{
    const bool quoted = value.size() >= 2 &&
                        (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\'')) &&
                        value.back() == value.front();
    if (!quoted)
        return value.left(longestValue);
    const QString inner = value.mid(1);
    return inner.size() <= longestValue ? inner.chopped(1) : inner.left(longestValue);
}

bool hasLineEnd(const QString& line)
{
    return line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r'));
}

QString withoutLineEnd(const QString& line)
{
    qsizetype size = line.size();
    while (size > 0 && (line.at(size - 1) == QLatin1Char('\n') || line.at(size - 1) == QLatin1Char('\r')))
        --size;
    return line.left(size);
}

} // namespace

QString LeggiIni(const QString& file, const QString& section, const QString& key)
{
    return readIniValue(file, section, key).value_or(QString());
}

Result<QString> readIniValue(const QString& file, const QString& section, const QString& key)
{
    const QString localPath = DriveMapping::toLocalPath(file);
    if (!QFileInfo::exists(localPath))
        return QString();
    const Result<QString> text = Windows1252::readFile(localPath, wholeIniFile);
    if (!text)
        return text.status();
    const QList<IniLine> lines = classifyAll(Windows1252::splitLines(*text));
    const Place place = locate(lines, section, key);
    if (place.key >= 0)
        return asReturned(lines.at(place.key).value);
    // Windows reads the mark as three characters of the first line, which then opens no section. The operator sees
    // the key in an editor and needs to be told why it is not read.
    if (text->startsWith(byteOrderMark) &&
        locate(classifyAll(Windows1252::splitLines(text->mid(byteOrderMark.size()))), section, key).key >= 0)
        return Status::failure(QStringLiteral("Il file %1 comincia con il segno di ordine dei byte (BOM) di UTF-8, che "
                                              "i programmi Windows della suite non leggono: la chiave %2 della sezione "
                                              "[%3] resta nascosta. Salvare il file come ANSI.")
                                   .arg(localPath, key, section));
    return QString();
}

Status ScriviIni(const QString& file, const QString& section, const QString& key, const QString& value)
{
    const QString localPath = DriveMapping::toLocalPath(file);
    // A line end would write a second line, which could set or shadow another key or open a section.
    for (const QString* name : {&section, &key, &value})
        if (name->contains(QLatin1Char('\r')) || name->contains(QLatin1Char('\n')))
            return Status::failure(
                QStringLiteral("Impossibile scrivere la chiave %1 nel file %2: il testo contiene un a capo.")
                    .arg(key.trimmed(), localPath));
    QString text;
    if (QFileInfo::exists(localPath)) {
        Result<QString> existing = Windows1252::readFile(localPath, wholeIniFile);
        if (!existing)
            return existing.status();
        text = existing.value();
    }

    // Lines keep their own ends so that every line not written here goes back byte for byte.
    QStringList lines = Windows1252::splitLines(text, Windows1252::LineEnds::Keep);
    QStringList contents;
    contents.reserve(lines.size());
    for (const QString& line : lines)
        contents.append(withoutLineEnd(line));
    const Place place = locate(classifyAll(contents), section, key);

    const QString written = key + QLatin1Char('=') + value + lineEnd;
    if (value.isEmpty()) {
        // Deleting a key that is not there leaves the file alone, and creates none.
        if (place.key < 0)
            return Status::success();
        lines.removeAt(place.key);
    } else if (place.key >= 0) {
        lines[place.key] = written;
    } else if (place.section >= 0) {
        // Windows puts a new key right after the section's last non-blank line, before the blank lines that
        // usually separate it from the next section.
        if (!hasLineEnd(lines.at(place.lastFilled)))
            lines[place.lastFilled] += lineEnd;
        lines.insert(place.lastFilled + 1, written);
    } else {
        if (!lines.isEmpty() && !hasLineEnd(lines.last()))
            lines.last() += lineEnd;
        lines.append(QLatin1Char('[') + section + QLatin1Char(']') + lineEnd);
        lines.append(written);
    }
    return Windows1252::writeFileAtomically(localPath, lines.join(QString()));
}
