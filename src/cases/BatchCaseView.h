#pragma once

#include "cases/CaseSelectionView.h"

#include <cstdio>

/// The case selection of a run without windows: it keeps what a window would show and reports the
/// status line on standard error, so that a script's log tells how far the run got.
class BatchCaseView : public CaseSelectionView {
public:
    explicit BatchCaseView(FILE* log = stderr) : m_log(log) {}

    QString filterText() const override { return m_filter; }
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

    const QString& status() const { return m_status; }
    const QList<CaseLine>& lines() const { return m_lines; }

private:
    FILE* m_log;
    QString m_filter;
    QString m_status;
    QString m_caption = QStringLiteral("Esportazione Norvanta XML");
    QList<CaseLine> m_lines;
};
