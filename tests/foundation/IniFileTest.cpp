#include "foundation/IniFile.h"

#include "support/TempFolder.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QString read(const QString& path, const char* section, const char* key)
{
    return LeggiIni(path, QString::fromUtf8(section), QString::fromUtf8(key));
}

QByteArray written(const TempFolder& folder, const QByteArray& before, const char* section, const char* key,
                   const QString& value)
{
    const QString path = folder.write(QStringLiteral("f.ini"), before);
    const Status status = ScriviIni(path, QString::fromUtf8(section), QString::fromUtf8(key), value);
    EXPECT_TRUE(status.ok()) << status.errorText().toStdString();
    return folder.read(QStringLiteral("f.ini"));
}

} // namespace

TEST(LeggiIniTest, FindsSectionsAndKeysAsWindowsDoesStripsMatchingQuotesAndCutsAt254Characters)
{
    TempFolder folder;
    const QByteArray bytes = "\t[ Dati ] ignored\r\n  Key = first value ; not a comment \nkey=second\rempty=\r\n"
                             "[open\r\nafter=still in Dati\r\n[a]b]\r\nx=in a]b\r\n[DATI]\r\nother=never searched\r\n";
    const QString path = folder.write(QStringLiteral("f.ini"), bytes);
    EXPECT_EQ(read(path, "dati", "KEY"), QStringLiteral("first value ; not a comment"));
    EXPECT_EQ(read(path, "Dati", "after"), QStringLiteral("still in Dati"));
    EXPECT_EQ(read(path, "a]b", "x"), QStringLiteral("in a]b"));
    EXPECT_EQ(read(path, "Dati", "empty"), QString());
    EXPECT_EQ(read(path, "Dati", "other"), QString());
    EXPECT_EQ(read(path, "Nessuna", "key"), QString());
    EXPECT_EQ(read(folder.file(QStringLiteral("missing.ini")), "Dati", "key"), QString());
    // A byte-order mark is just three more characters of the first line, which then is no section.
    const QString withMark =
        folder.write(QStringLiteral("bom.ini"), "\xEF\xBB\xBF[Dati]\r\nkey=v\r\n[Altro]\r\nk=w\r\n");
    EXPECT_EQ(read(withMark, "Dati", "key"), QString());
    EXPECT_EQ(read(withMark, "Altro", "k"), QStringLiteral("w"));
    // The operator, who sees the key in an editor, is told why it is not read (the case list shows the message).
    EXPECT_FALSE(readIniValue(withMark, QStringLiteral("Dati"), QStringLiteral("key")));
    EXPECT_EQ(readIniValue(withMark, QStringLiteral("Dati"), QStringLiteral("manca")).value_or(QStringLiteral("?")),
              QString());

    // Matching quotes are stripped; values are cut at 254 characters.
    const QByteArray x300(300, 'x');
    const QByteArray quoted = "[s]\r\nd=\"a \"b\" \r\ns='c'\r\nmixed=\"d'\r\nlone=\"\r\nnone=\"\"\r\nlong=" + x300 +
                              "\r\nquoted='" + x300 + "'\r\nfits=\"" + QByteArray(253, 'y') + "\"\r\n";
    const QString quotes = folder.write(QStringLiteral("q.ini"), quoted);
    const TextCases quotedValues = {{"d", "a \"b"}, {"s", "c"}, {"mixed", "\"d'"}, {"lone", "\""}, {"none", ""}};
    expectTexts([&](const QString& key) { return LeggiIni(quotes, QStringLiteral("s"), key); }, quotedValues);
    EXPECT_EQ(read(quotes, "s", "long"), QString(254, QLatin1Char('x')));
    EXPECT_EQ(read(quotes, "s", "quoted"), QString(254, QLatin1Char('x')));
    EXPECT_EQ(read(quotes, "s", "fits"), QString(253, QLatin1Char('y')));
}

TEST(IniFileTest, ReadsAndWritesWindows1252)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("kv32.ini"));
    ASSERT_TRUE(ScriviIni(path, QStringLiteral("Città"), QStringLiteral("Più"), QStringLiteral("perché € ā")).ok());
    EXPECT_EQ(folder.read(QStringLiteral("kv32.ini")), QByteArray("[Citt\xE0]\r\nPi\xF9=perch\xE9 \x80 ?\r\n"));
    EXPECT_EQ(LeggiIni(path, QStringLiteral("CITTÀ"), QStringLiteral("più")), QStringLiteral("perché € ?"));
    // Names reach the file as the code page has them, so a name it lacks is matched as it was written: with '?'.
    ASSERT_TRUE(ScriviIni(path, QStringLiteral("Città"), QStringLiteral("ā"), QStringLiteral("x")).ok());
    EXPECT_EQ(LeggiIni(path, QStringLiteral("Città"), QStringLiteral("ā")), QStringLiteral("x"));
}

TEST(ScriviIniTest, CreatesWhatIsMissingAndChangesOnlyTheKeyLine)
{
    TempFolder folder;
    const QString path = folder.file(QStringLiteral("new.ini"));
    EXPECT_TRUE(ScriviIni(path, QStringLiteral("s"), QStringLiteral("k"), QString()).ok());
    EXPECT_FALSE(QFile::exists(path)) << "deleting from a missing file creates nothing";
    ASSERT_TRUE(ScriviIni(path, QStringLiteral("s"), QStringLiteral("k"), QStringLiteral("v")).ok());
    EXPECT_EQ(folder.read(QStringLiteral("new.ini")), QByteArray("[s]\r\nk=v\r\n"));

    EXPECT_EQ(written(folder, "[a]\nx=1\n\n", "b", "k", QStringLiteral("v")), QByteArray("[a]\nx=1\n\n[b]\r\nk=v\r\n"));
    EXPECT_EQ(written(folder, "[a]\nx=1", "b", "k", QStringLiteral("v")), QByteArray("[a]\nx=1\r\n[b]\r\nk=v\r\n"));
    EXPECT_EQ(written(folder, "[a]\nx=1", "A", "k", QStringLiteral("v")), QByteArray("[a]\nx=1\r\nk=v\r\n"));

    // Only the key's line changes; every other byte stays.
    QByteArray noise; // every byte but the line ends, as a comment
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n')
            noise.append(char(byte));
    const QByteArray before = "; " + noise +
                              "\r\n[Dati]\n  Key = old ; x\rkey=second\r\n; end of Dati\r\n\r\n  \r\n"
                              "[Altro]\r\nk = 1\n[dati]\r\nnew=not here\r\n";

    EXPECT_EQ(written(folder, before, "DATI", "KEY", QStringLiteral("nuovo")),
              "; " + noise +
                  "\r\n[Dati]\nKEY=nuovo\r\nkey=second\r\n; end of Dati\r\n\r\n  \r\n"
                  "[Altro]\r\nk = 1\n[dati]\r\nnew=not here\r\n");
    EXPECT_EQ(written(folder, before, "dati", "New", QStringLiteral("v")),
              "; " + noise +
                  "\r\n[Dati]\n  Key = old ; x\rkey=second\r\n; end of Dati\r\nNew=v\r\n\r\n  \r\n"
                  "[Altro]\r\nk = 1\n[dati]\r\nnew=not here\r\n");
    EXPECT_EQ(written(folder, "[a]\r\nk=1", "a", "k", QString()), QByteArray("[a]\r\n"));
    EXPECT_EQ(written(folder, "[a]\r\nk=1", "a", "k", QStringLiteral("2")), QByteArray("[a]\r\nk=2\r\n"));

    // A line end in the value would have set the next key too: the write is refused, naming key and file.
    const QString twoKeys = folder.write(QStringLiteral("f.ini"), "[a]\r\nk=1\r\nz=2\r\n");
    const Status refused = ScriviIni(twoKeys, QStringLiteral("a"), QStringLiteral("k"), QStringLiteral("3\r\nz=9"));
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.errorText().contains(QStringLiteral("chiave k nel file ") + twoKeys))
        << refused.errorText().toStdString();
    EXPECT_EQ(folder.read(QStringLiteral("f.ini")), QByteArray("[a]\r\nk=1\r\nz=2\r\n"));
}
