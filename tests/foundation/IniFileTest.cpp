#include "foundation/IniFile.h"

#include "support/TempFolder.h"

#include <QFile>

namespace {

/// The values LeggiIni reads for keys named "section|key".
QStringList read(const QString& path, std::initializer_list<const char*> keys)
{
    QStringList values;
    for (const char* key : keys)
        values.append(
            LeggiIni(path, QString::fromUtf8(key).section('|', 0, -2), QString::fromUtf8(key).section('|', -1)));
    return values;
}

} // namespace

TEST(LeggiIniTest, FindsSectionsAndKeysAsWindowsDoesStripsMatchingQuotesAndCutsAt254Characters)
{
    TempFolder folder;
    const QByteArray x300(300, 'x');
    const QString path =
        folder.write(QStringLiteral("f.ini"),
                     "\t[ Dati ] ignored\r\n  Key = first value ; not a comment \nkey=second\rempty=\r\n"
                     "[open\r\nafter=still in Dati\r\n[a]b]\r\nx=in a]b\r\n[DATI]\r\nother=never searched\r\n"
                     "[s]\r\nd=\"a \"b\" \r\ns='c'\r\nmixed=\"d'\r\nlone=\"\r\nnone=\"\"\r\nlong=" +
                         x300 + "\r\nquoted='" + x300 + "'\r\nfits=\"" + QByteArray(253, 'y') +
                         "\"\r\n[Citt\xE0]\r\nPi\xF9=perch\xE9 \x80 ?\r\n?=x\r\n");
    EXPECT_EQ(read(path, {"dati|KEY", "Dati|after", "a]b|x", "Dati|empty", "Dati|other", "Nessuna|key", "s|d", "s|s",
                          "s|mixed", "s|lone", "s|none", "s|long", "s|quoted", "s|fits", "CITTÀ|più", "Città|ā"}),
              (QStringList{"first value ; not a comment", "still in Dati", "in a]b", "", "", "", "a \"b", "c", "\"d'",
                           "\"", "", QString(254, 'x'), QString(254, 'x'), QString(253, 'y'), "perché € ?", "x"}));
    EXPECT_EQ(read(folder.file(QStringLiteral("missing.ini")), {"Dati|key"}), QStringList{QString()});

    // A byte-order mark is just three more characters of the first line, which then is no section; the operator, who
    // sees the key in an editor, is told why it is not read (the case list shows the message).
    const QString withMark =
        folder.write(QStringLiteral("bom.ini"), "\xEF\xBB\xBF[Dati]\r\nkey=v\r\n[Altro]\r\nk=w\r\n");
    EXPECT_EQ(read(withMark, {"Dati|key", "Altro|k"}), (QStringList{"", "w"}));
    EXPECT_FALSE(readIniValue(withMark, QStringLiteral("Dati"), QStringLiteral("key")));
    EXPECT_EQ(readIniValue(withMark, QStringLiteral("Dati"), QStringLiteral("manca")).value_or(QStringLiteral("?")),
              QString());
}

TEST(ScriviIniTest, CreatesWhatIsMissingAndChangesOnlyTheKeyLine)
{
    QByteArray noise = "; "; // every byte but the line ends, as a comment
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n')
            noise.append(char(byte));
    const QByteArray dati = noise + "\r\n[Dati]\n  Key = old ; x\rkey=second\r\n; end of Dati\r\n";
    const QByteArray altro = "\r\n  \r\n[Altro]\r\nk = 1\n[dati]\r\nnew=not here\r\n";
    // The file before (none: missing), what is written, and the file after (none: still missing).
    const std::tuple<std::optional<QByteArray>, const char*, const char*, const char*, std::optional<QByteArray>>
        rows[] = {
            {std::nullopt, "s", "k", "", std::nullopt},
            {std::nullopt, "s", "k", "v", "[s]\r\nk=v\r\n"},
            {"[a]\nx=1\n\n", "b", "k", "v", "[a]\nx=1\n\n[b]\r\nk=v\r\n"},
            {"[a]\nx=1", "b", "k", "v", "[a]\nx=1\r\n[b]\r\nk=v\r\n"},
            {"[a]\nx=1", "A", "k", "v", "[a]\nx=1\r\nk=v\r\n"},
            {dati + altro, "DATI", "KEY", "nuovo",
             noise + "\r\n[Dati]\nKEY=nuovo\r\nkey=second\r\n; end of Dati\r\n" + altro},
            {dati + altro, "dati", "New", "v", dati + "New=v\r\n" + altro},
            {"[a]\r\nk=1", "a", "k", "", "[a]\r\n"},
            {"[a]\r\nk=1", "a", "k", "2", "[a]\r\nk=2\r\n"},
            // Names and values reach the file as the code page has them: what it lacks becomes '?'.
            {std::nullopt, "Città", "Più", "perché € ā", "[Citt\xE0]\r\nPi\xF9=perch\xE9 \x80 ?\r\n"},
            {"[Citt\xE0]\r\n", "Città", "ā", "x", "[Citt\xE0]\r\n?=x\r\n"},
        };
    for (const auto& [before, section, key, value, after] : rows) {
        TempFolder folder;
        const QString path = folder.file(QStringLiteral("f.ini"));
        if (before)
            writeBytes(path, *before);
        ASSERT_OK(ScriviIni(path, QString::fromUtf8(section), QString::fromUtf8(key), QString::fromUtf8(value)));
        EXPECT_EQ(QFile::exists(path) ? std::optional(fileBytes(path)) : std::nullopt, after) << key << '=' << value;
    }

    // A line end in the value would have set the next key too: the write is refused, naming key and file.
    TempFolder folder;
    const QString twoKeys = folder.write(QStringLiteral("f.ini"), "[a]\r\nk=1\r\nz=2\r\n");
    const Status refused = ScriviIni(twoKeys, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("3\r\nz=9"));
    EXPECT_TRUE(refused.errorText().contains(QStringLiteral("chiave k nel file ") + twoKeys))
        << refused.errorText().toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("f.ini")), QByteArray("[a]\r\nk=1\r\nz=2\r\n"));
}
