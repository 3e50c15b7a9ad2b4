#pragma once

#include "launcher/ModuloCommand.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "tools/consignments/OtherConsignments.h"
#include "tools/consignments/RecordingConsignmentsView.h"

#include "support/QtPrinters.h"

#include <QList>

#include <gtest/gtest.h>

/// Whether each case of the selection was listed by one run of "&Elabora" (a hit adds one line), in its order;
/// `duringCase` is called as each case begins.
inline QList<bool> hitsOfRun(OtherConsignments& lookup, RecordingConsignmentsView& view,
                             const std::function<void(qsizetype)>& duringCase = {})
{
    QList<qsizetype> linesBefore;
    view.onCase = [&](qsizetype done) {
        linesBefore.append(view.lines.size());
        if (duringCase)
            duringCase(done);
    };
    lookup.Elabora();
    view.onCase = {};
    linesBefore.append(view.lines.size());
    QList<bool> hits;
    for (qsizetype k = 1; k < linesBefore.size(); ++k)
        hits.append(linesBefore.at(k) > linesBefore.at(k - 1));
    return hits;
}

/// The answers of the lookup's question asked of the database case by case ("are there cases with this P_iva and
/// another [data affido]"), for each case of the selection of `params` in its order; a case without a tax code is
/// not asked.
inline QList<bool> perCaseAnswers(ModuloCommand& module, const ToolParams& params)
{
    ScriptedDialogs dialogs;
    RecordingConsignmentsView view;
    OtherConsignments asker(module, dialogs, view);
    asker.params = params;
    db::Connection& connection = module.Connessione();
    if (!connection.state()) {
        EXPECT_TRUE(connection.open(module.StringaConnessione()));
    }
    db::Recordset selection;
    EXPECT_TRUE(selection.open(OtherConsignments::selectionQuery(params.ParFiltro), connection));
    QList<bool> answers;
    for (; !selection.eof(); static_cast<void>(selection.moveNext())) {
        const QString cf = selection.text(QStringLiteral("P_iva")).value_or(QString());
        if (cf.trimmed().isEmpty()) {
            answers.append(false);
            continue;
        }
        const Result<std::optional<QString>> found =
            asker.cercaInStorico(cf, selection.field(QStringLiteral("data affido")).value_or(QVariant()));
        EXPECT_TRUE(found) << found.errorText().toStdString();
        answers.append(found && found->has_value());
    }
    EXPECT_TRUE(dialogs.shown().isEmpty());
    return answers;
}
