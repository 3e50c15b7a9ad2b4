#include "app/CommandLine.h"

#include "support/QtPrinters.h"

namespace {

Result<CommandLine> parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("exp_nrv_xml"));
    return CommandLine::parse(arguments);
}

} // namespace

TEST(CommandLine, WithoutOptionsTheMainToolStartsWithTheSuiteLineJoinedByBlanks)
{
    const Result<CommandLine> options = parse({QStringLiteral("a|b"), QStringLiteral("c|d")});
    ASSERT_TRUE(options) << options.errorText().toStdString();
    EXPECT_FALSE(options->batch);
    EXPECT_TRUE(options->tool.isMainTool());
    EXPECT_EQ(options->line, QStringLiteral("a|b c|d"));
    EXPECT_FALSE(options->questionAnswer.has_value());
}

TEST(CommandLine, OptionsAreReadAndAnswersGoToTheirInputBoxes)
{
    const Result<CommandLine> options =
        parse({"--batch", "--tool", "Frm_Giornale", "--title", "EXP_OUTLOOK", "--id-ee", "0009", "--id-sede", "07",
               "--progressivo", "43", "--yes", "x|y", "--batch"});
    ASSERT_TRUE(options) << options.errorText().toStdString();
    EXPECT_TRUE(options->batch);
    EXPECT_EQ(options->tool.windowName, QStringLiteral("Frm_Giornale"));
    EXPECT_EQ(options->title, QStringLiteral("EXP_OUTLOOK"));
    EXPECT_EQ(options->inputAnswers.value(QStringLiteral("Identificativo E/E")), QStringLiteral("0009"));
    EXPECT_EQ(options->inputAnswers.value(QStringLiteral("Identificativo Sede E/E")), QStringLiteral("07"));
    EXPECT_EQ(options->inputAnswers.value(QStringLiteral("Progressivo Invio ")), QStringLiteral("43"));
    EXPECT_EQ(options->questionAnswer, Dialogs::Answer::Yes);
    // Anything after the suite's line belongs to it, even when it looks like an option.
    EXPECT_EQ(options->line, QStringLiteral("x|y --batch"));
    EXPECT_EQ(parse({"--tool", "4999"})->tool.code, 4999);
}

TEST(CommandLine, WhatIsNotUnderstoodIsRefused)
{
    // The flow's answers name its file and a line of IDNrvXML.ini: no separator, line break or control character.
    for (const QStringList& refused : QList<QStringList>{
             {"--bogus"}, {"--tool", "FrmNonEsiste"}, {"--yes", "--no"}, {"--id-ee", "00/08"}, {"--id-sede", "06\x7f"}})
        EXPECT_FALSE(parse(refused)) << refused.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(
        parse({"--batch", "--progressivo", "43\r\n"}).errorText(),
        QStringLiteral("--progressivo: La risposta \"43\\r\\n\" a \"Progressivo Invio\" non è valida: il nome del "
                       "file e IDNrvXML.ini non possono contenere / o \\, a capo o caratteri di controllo."));
}
