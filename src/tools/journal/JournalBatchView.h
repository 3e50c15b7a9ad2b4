#pragma once

#include "tools/journal/JournalView.h"

#include <cstdio>

/// The batch journal without a window: it keeps what the window would show and reports the written journal on
/// the log (standard error), so that a script's log tells where the journal went.
class JournalBatchView : public JournalView {
public:
    explicit JournalBatchView(FILE* log = stderr) : m_log(log) {}

    QString queryText() const override { return m_query; }
    void setQueryText(const QString& text) override { m_query = text; }
    void setCaption(const QString& text) override { m_caption = text; }
    void setLines(const QStringList& lines) override { m_lines = lines; }
    void setLoadEnabled(bool) override {}
    void setPrintVisible(bool) override {}
    QString nextProgressiveText() const override { return m_next; }
    void setNextProgressiveText(const QString& text) override { m_next = text; }
    QString messageText() const override { return m_message; }
    void setMessageText(const QString& text) override { m_message = text; }
    void setBusy(bool) override {}
    void showReport(const QString& path) override
    {
        m_report = path;
        if (m_log) {
            std::fprintf(m_log, "%s\n", (QStringLiteral("Giornale scritto in ") + path).toLocal8Bit().constData());
            std::fflush(m_log);
        }
    }

    const QString& caption() const { return m_caption; }
    const QStringList& lines() const { return m_lines; }
    const QString& report() const { return m_report; }

private:
    FILE* m_log;
    QString m_query;
    QString m_caption = QStringLiteral("Giornale x Lotti");
    QStringList m_lines;
    QString m_next;
    QString m_message;
    QString m_report;
};
