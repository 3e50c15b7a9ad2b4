#include "app/CommandLine.h"

#include "support/QtPrinters.h"

namespace {

Result<CommandLine> parse(QStringList arguments)
{
    arguments.prepend(QStringLiteral("exp_nrv_xml"));
    return CommandLine::parse(arguments);
}

} // namespace

TEST(CommandLine, OptionsAreReadAndWhatIsNotUnderstoodIsRefused)
{
    // Without options the main tool starts with the suite's line joined by blanks.
    const Result<CommandLine> plain = parse({QStringLiteral("a|b"), QStringLiteral("c|d")});
    ASSERT_OK(plain);
    EXPECT_TRUE(!plain->batch && plain->tool.isMainTool() && !plain->questionAnswer && plain->inputAnswers.isEmpty());
    EXPECT_EQ(plain->line, QStringLiteral("a|b c|d"));

    // Answers go to their input boxes; anything after the suite's line belongs to it, even when it looks like an
    // option.
    const Result<CommandLine> options =
        parse({"--batch", "--tool", "Frm_Giornale", "--title", "EXP_OUTLOOK", "--id-ee", "0009", "--id-sede", "07",
               "--progressivo", "43", "--yes", "x|y", "--batch"});
    ASSERT_OK(options);
    EXPECT_TRUE(options->batch && options->questionAnswer == Dialogs::Answer::Yes);
    EXPECT_EQ((QStringList{options->tool.windowName, options->title, options->line}),
              (QStringList{"Frm_Giornale", "EXP_OUTLOOK", "x|y --batch"}));
    EXPECT_EQ(options->inputAnswers,
              (QHash<QString, QString>{
                  {"Identificativo E/E", "0009"}, {"Identificativo Sede E/E", "07"}, {"Progressivo Invio ", "43"}}));
    EXPECT_EQ(parse({"--tool", "4999"})->tool.code, 4999);

    // The flow's answers name its file and a line of IDNrvXML.ini: no separator, line break or control character.
    for (const QStringList& refused : QList<QStringList>{
             {"--bogus"}, {"--tool", "FrmNonEsiste"}, {"--yes", "--no"}, {"--id-ee", "00/08"}, {"--id-sede", "06\x7f"}})
        EXPECT_FALSE(parse(refused)) << refused.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(
        parse({"--batch", "--progressivo", "43\r\n"}).errorText(),
        QStringLiteral("--progressivo: La risposta \"43\\r\\n\" a \"Progressivo Invio\" non è valida: il nome del "
                       "file e IDNrvXML.ini non possono contenere / o \\, a capo o caratteri di controllo."));
}
