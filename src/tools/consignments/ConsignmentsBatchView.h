#pragma once

#include "tools/consignments/OtherConsignmentsView.h"

#include <QStringList>

#include <cstdio>

/// The other-consignments lookup without a window: every line of the list is printed on standard output as it is
/// found, so that a script reads the hits.
class ConsignmentsBatchView : public OtherConsignmentsView {
public:
    explicit ConsignmentsBatchView(FILE* out = stdout) : m_out(out) {}

    void setCaption(const QString&) override {}
    void addLine(const QString& line) override
    {
        m_lines.append(line);
        if (m_out) {
            std::fprintf(m_out, "%s\n", line.toLocal8Bit().constData());
            std::fflush(m_out);
        }
    }
    void setRunEnabled(bool) override {}
    void setStopEnabled(bool) override {}
    void showProgress(qsizetype, qsizetype) override {}

    const QStringList& lines() const { return m_lines; }

private:
    FILE* m_out;
    QStringList m_lines;
};
