#include "launcher/FilterCheck.h"

#include "foundation/db/SqlDialect.h"

Status checkFilter(const QString& text, const QString& which, const QString& sourceFile)
{
    const Result<QString> statement = db::singleStatement(text);
    if (statement)
        return Status::success();
    QString message = which + QStringLiteral(" non si può eseguire: ") + statement.errorText() + QLatin1Char('.');
    if (!sourceFile.isEmpty())
        message += QStringLiteral("\nViene dal file ") + sourceFile + QLatin1Char('.');
    message += QStringLiteral("\nIl programma non esegue una parte sola di un comando: correggerlo e riprovare.");
    return Status::failure(message);
}
