#include "foundation/Windows1252.h"

#include "support/QtPrinters.h"

TEST(Windows1252Test, ConvertsBothWaysAndSplitsLines)
{
    QByteArray every;
    for (int byte = 0; byte < 256; ++byte)
        every.append(char(byte));
    EXPECT_EQ(Windows1252::encode(Windows1252::decode(every)), every);
    // What the code page lacks becomes '?', a lone surrogate too.
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("à€ā中😀\x1a") + QChar(0xD800)), QByteArray("\xE0\x80???\x1a?"));

    using Windows1252::splitLines;
    EXPECT_EQ(splitLines(QStringLiteral("a\r\nb\rc\n\nd")), QStringList({"a", "b", "c", "", "d"}));
    EXPECT_EQ(splitLines(QStringLiteral("a\r\r\n\n")), QStringList({"a", "", ""}));
    EXPECT_EQ(splitLines(QString()), QStringList());
    EXPECT_EQ(splitLines(QStringLiteral("a\n\rb\r"), Windows1252::LineEnds::Keep), QStringList({"a\n", "\r", "b\r"}));
}
