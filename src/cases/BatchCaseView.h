#pragma once

#include "cases/CaseSelectionView.h"
#include "ds/SheetCheck.h"
#include "foundation/ShownText.h"
#include "foundation/db/Recordset.h"

#include <cstdio>

/// The case selection of a run without windows: it keeps what a window would show and reports the
/// status line on standard error, so that a script's log tells how far the run got.
class BatchCaseView : public CaseSelectionView, public SheetCheckView {
public:
    explicit BatchCaseView(FILE* log = stderr) : m_log(log) {}

    /// What the filter box would show.
    const QString& filterText() const { return m_filter; }
    void setFilterText(const QString& text) override { m_filter = text; }
    void setStatus(const QString& text) override
    {
        m_status = text;
        if (m_log) {
            std::fprintf(m_log, "%s\n", text.trimmed().toLocal8Bit().constData());
            std::fflush(m_log);
        }
    }
    QString caption() const override { return m_caption; }
    void setCaption(const QString& text) override { m_caption = text; }
    void setCaseLines(QList<CaseLine> lines) override { m_lines = std::move(lines); }
    void setBusy(bool) override {}
    void showProgress(qsizetype, qsizetype) override {}

    /// The cases whose current one is reported when the check stops on it.
    void setCases(const db::Recordset* cases) { m_cases = cases; }
    void markCheckedRows(qsizetype) override {}
    /// Without an editor the case a finding is about is named on the log.
    void showCurrentCase() override
    {
        if (!m_log || !m_cases)
            return;
        const QString line = shownText(QStringLiteral("Pratica %1 (contatore %2): %3")
                                           .arg(m_cases->text(QStringLiteral("posizione")).value_or(QString()),
                                                m_cases->text(QStringLiteral("contatore")).value_or(QString()),
                                                m_cases->text(QStringLiteral("ragione sociale")).value_or(QString())));
        std::fprintf(m_log, "%s\n", line.toLocal8Bit().constData());
        std::fflush(m_log);
    }
    void focusControl(SheetControl) override {}
    void enableEsporta() override { m_esportaEnabled = true; }
    void showCheckProgress(qsizetype, qsizetype) override {}

    bool esportaEnabled() const { return m_esportaEnabled; }
    const QString& status() const { return m_status; }
    const QList<CaseLine>& lines() const { return m_lines; }

private:
    FILE* m_log;
    const db::Recordset* m_cases = nullptr;
    bool m_esportaEnabled = false;
    QString m_filter;
    QString m_status;
    QString m_caption = QStringLiteral("Esportazione Norvanta XML");
    QList<CaseLine> m_lines;
};
