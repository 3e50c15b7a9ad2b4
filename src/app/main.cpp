#include "app/BatchSession.h"
#include "app/CommandLine.h"
#include "app/WindowSession.h"
#include "foundation/ports/BatchDialogs.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "windows/QtDialogs.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <csignal>
#include <cstdio>

namespace {

QtMessageHandler defaultHandler = nullptr;

/// A batch run's output is read by scripts: the platform's remarks about the session it runs in
/// are left out, everything else goes through.
void batchMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")) ||
        message.contains(QLatin1String("propagateSizeHints")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
#ifdef SIGXFSZ
    // Past a file-size limit (ulimit -f) the system would kill the program without a word; ignored, the write fails
    // with "File too large" and the export says so and leaves no partial file, as on a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const Result<CommandLine> options = CommandLine::parse(arguments);
    if (!options) {
        std::fprintf(stderr, "%s\n\n%s", options.errorText().toLocal8Bit().constData(),
                     CommandLine::usage().toLocal8Bit().constData());
        return ExitBadCommandLine;
    }
    if (options->helpAsked) {
        std::fputs(CommandLine::usage().toLocal8Bit().constData(), stdout);
        return ExitDone;
    }
    // A batch run needs no display: it draws nothing (the journal's report is drawn off screen).
    if (options->batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (options->batch)
        defaultHandler = qInstallMessageHandler(batchMessageHandler);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    // The suite's dates, numbers and texts are Italian whatever the machine's own settings.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    SystemClock clock;
    if (options->batch) {
        BatchDialogs dialogs(options->inputAnswers, options->questionAnswer);
        return runBatchSession(*options, dialogs, clock);
    }
    // The standard buttons of the message and input boxes in Italian ("Annulla", "Sì"), from Qt's own translation
    // (Debian package qt6-translations-l10n); without it they stay in English.
    QTranslator qtTranslation;
    if (qtTranslation.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTranslation);
    SystemRandom random;
    QtDialogs dialogs(options->title);
    return runWindowSession(*options, dialogs, clock, random);
}
