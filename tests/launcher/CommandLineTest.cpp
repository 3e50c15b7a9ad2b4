#include "launcher/CommandLine.h"

#include <gtest/gtest.h>

namespace {

Result<CommandLine> parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("exp_nrv_xml"));
    return CommandLine::parse(arguments);
}

} // namespace

TEST(CommandLine, WithoutOptionsTheMainToolStartsWithTheSuiteLine)
{
    const Result<CommandLine> options = parse({QStringLiteral("999|999|prova|C:\\status.txt")});
    ASSERT_TRUE(options) << options.errorText().toStdString();
    EXPECT_FALSE(options->batch);
    EXPECT_FALSE(options->toolGiven);
    EXPECT_EQ(options->tool.code, 5001);
    EXPECT_EQ(options->title, QStringLiteral("Exp_Nrv_XML"));
    EXPECT_EQ(options->line, QStringLiteral("999|999|prova|C:\\status.txt"));
    EXPECT_FALSE(options->questionAnswer.has_value());

    // The suite's line may come split over several arguments; they are joined by single blanks.
    EXPECT_EQ(parse({QStringLiteral("a|b"), QStringLiteral("c|d")})->line, QStringLiteral("a|b c|d"));
    EXPECT_EQ(parse({})->line, QString());
}

TEST(CommandLine, OptionsAreReadAndAnswersGoToTheirInputBoxes)
{
    const Result<CommandLine> options =
        parse({QStringLiteral("--batch"), QStringLiteral("--tool"), QStringLiteral("7510"), QStringLiteral("--title"),
               QStringLiteral("EXP_OUTLOOK"), QStringLiteral("--id-ee"), QStringLiteral("0009"),
               QStringLiteral("--id-sede"), QStringLiteral("07"), QStringLiteral("--progressivo"), QStringLiteral("43"),
               QStringLiteral("--yes"), QStringLiteral("x|y")});
    ASSERT_TRUE(options) << options.errorText().toStdString();
    EXPECT_TRUE(options->batch);
    EXPECT_TRUE(options->toolGiven);
    EXPECT_EQ(options->tool.code, 7510);
    EXPECT_EQ(options->title, QStringLiteral("EXP_OUTLOOK"));
    EXPECT_EQ(options->inputAnswers.value(QStringLiteral("Identificativo E/E")), QStringLiteral("0009"));
    EXPECT_EQ(options->inputAnswers.value(QStringLiteral("Identificativo Sede E/E")), QStringLiteral("07"));
    EXPECT_EQ(options->inputAnswers.value(QStringLiteral("Progressivo Invio ")), QStringLiteral("43"));
    EXPECT_EQ(options->questionAnswer, Dialogs::Answer::Yes);
    EXPECT_EQ(options->line, QStringLiteral("x|y"));

    // Anything after the suite's line belongs to it, even when it looks like an option.
    EXPECT_EQ(parse({QStringLiteral("a|b"), QStringLiteral("--batch")})->line, QStringLiteral("a|b --batch"));
}

TEST(CommandLine, ToolsAreAskedForByCodeOrByWindowName)
{
    EXPECT_EQ(parse({QStringLiteral("--tool"), QStringLiteral("4999")})->tool.code, 4999);
    for (const char* name : {"FRM_EXP_NRV_XML", "Frm_Giornale", "Frm_EXP_AGGCMP", "FrmAltriAffidiCF", "frm_giornale"}) {
        const Result<CommandLine> options = parse({QStringLiteral("--tool"), QString::fromLatin1(name)});
        ASSERT_TRUE(options) << name;
        EXPECT_EQ(options->tool.windowName.toLower(), QString::fromLatin1(name).toLower());
    }
    EXPECT_EQ(parse({QStringLiteral("--tool"), QStringLiteral("FRM_EXP_NRV_XML")})->tool.code, 5001);
}

TEST(CommandLine, WhatIsNotUnderstoodIsRefused)
{
    EXPECT_FALSE(parse({QStringLiteral("--bogus")}));
    EXPECT_FALSE(parse({QStringLiteral("--tool")}));
    EXPECT_FALSE(parse({QStringLiteral("--tool"), QStringLiteral("FrmNonEsiste")}));
    const Result<CommandLine> both = parse({QStringLiteral("--yes"), QStringLiteral("--no")});
    ASSERT_FALSE(both);
    EXPECT_TRUE(both.errorText().contains(QStringLiteral("--yes")));
}
