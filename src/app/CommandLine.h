#pragma once

#include "foundation/Status.h"
#include "foundation/ports/Dialogs.h"
#include "launcher/ModuloCommand.h"

#include <QHash>
#include <QStringList>

#include <optional>

/// What the executable was asked to do:
/// exp_nrv_xml [--batch] [--tool CODE] [--title TITLE] [--id-ee TEXT] [--id-sede TEXT]
///             [--progressivo TEXT] [--yes | --no] [LINE ...]
struct CommandLine {
    bool batch = false;
    ToolRequest tool;
    QString title = QStringLiteral("Exp_Nrv_XML");
    /// Answers for input boxes in batch runs, by the box's prompt.
    QHash<QString, QString> inputAnswers;
    std::optional<Dialogs::Answer> questionAnswer;
    /// The suite's command line: the remaining arguments joined by single blanks.
    QString line;
    bool helpAsked = false;

    /// Reads the arguments (the program's name first); the failure text says what was not understood.
    static Result<CommandLine> parse(const QStringList& arguments);
    static QString usage();
};
