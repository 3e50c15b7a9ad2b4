// The consignments' fixture and the lookup's answers, compiled once for every test binary.
#include "tools/consignments/ConsignmentsFixture.h"
#include "tools/consignments/LookupAnswers.h"

#include "foundation/db/Recordset.h"

#include <gtest/gtest.h>

ConsignmentsFixture::ConsignmentsFixture()
{
    suite.execFile(QStringLiteral("tools/consignments/suite.sql"));
    useStatus(1, QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
}

void RecordingConsignmentsView::setCaption(const QString& text)
{
    captions.append(text);
    if (onCaption)
        onCaption(text);
}

void RecordingConsignmentsView::showProgress(qsizetype done, qsizetype)
{
    if (done > 0 && onCase)
        onCase(done);
}

QList<bool> hitsOfRun(OtherConsignments& lookup, RecordingConsignmentsView& view,
                      const std::function<void(qsizetype)>& duringCase)
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

QList<bool> perCaseAnswers(ModuloCommand& module, const ToolParams& params)
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
